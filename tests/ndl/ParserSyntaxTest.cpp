#include "ndl/ParserSyntax.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace orvane {
namespace {

// Records every hook call as one line of text, e.g. "attr connect=3,7".
class Recorder : public ParserSyntax {
public:
    using ParserSyntax::ParserSyntax;

    std::string calls;
    bool failStream = false;

protected:
    void BeginDefinition(const std::string& keyword) override { Add("begin " + keyword); }
    void EndDefinition() override { Add("end"); }
    void Attribute(const std::string& keyword, const NdlValue& value) override {
        std::string line = "attr " + keyword + "=";
        if (value.kind == 0)
            line += "\"" + value.text + "\"";
        for (std::size_t i = 0; i < value.numbers.size(); ++i) {
            char number[32];
            std::snprintf(number, sizeof number, "%s%g", i ? "," : "", value.numbers[i]);
            line += number;
        }
        Add(line);
    }
    std::FILE* CreateStream() override {
        return failStream ? nullptr : ParserSyntax::CreateStream();
    }

private:
    void Add(const std::string& line) { calls += (calls.empty() ? "" : " | ") + line; }
};

struct Result {
    bool ok;
    std::string calls;
    std::string report;
};

Result ParseText(std::string_view text) {
    test::TempDir dir;
    Output output;
    output.OpenTextOutput(dir.File("report.txt"));
    Recorder parser(output);
    bool ok = parser.Open(text) && parser.Parse();
    parser.Close();
    output.CloseTextOutput();
    return {ok, parser.calls, test::ReadFile(dir.File("report.txt"))};
}

struct Case {
    std::string_view text;
    std::string_view calls;
};

TEST(ParserSyntaxTest, AcceptsDefinitionsAndExpandsMacros) {
    const Case cases[] = {
        {"", ""},
        {" \t\n# only a comment\n\n   \n", ""},
        {"line: connect=3,7; length=2.5; failure=0.2,1.5\n",
         "begin line | attr connect=3,7 | attr length=2.5 | attr failure=0.2,1.5 | end"},
        {"LiNe: YearMin=1", "begin line | attr yearmin=1 | end"},
        {"a: x=1;\nb: y=2;\n\n", "begin a | attr x=1 | end | begin b | attr y=2 | end"},
        {"a:x=1;y=2;", "begin a | attr x=1 | attr y=2 | end"},
        {"p : n = 1 , 2 ;  \n", "begin p | attr n=1,2 | end"},
        {"p: n=-1.5e3,+2,.5", "begin p | attr n=-1500,2,0.5 | end"},
        {"p: n=-0,-0.0e5,0", "begin p | attr n=0,0,0 | end"}, // -0 reads as 0, without its sign
        {"load: name=\"P 1  x\" ; id=\"\"",
         "begin load | attr name=\"P 1  x\" | attr id=\"\" | end"},
        {"line: a=1;\\ rest is ignored\n  b=2;\\\n\n", "begin line | attr a=1 | attr b=2 | end"},
        {"line: a=1 # note\nbus: b=2", "begin line | attr a=1 | end | begin bus | attr b=2 | end"},
        // A backslash inside a comment joins the next line, which is read normally.
        {"line: a=1 # note \\ more\n; b=2\n", "begin line | attr a=1 | attr b=2 | end"},
        {"p: s=\"a\\\nb\"", "begin p | attr s=\"ab\" | end"},
        {"p: s=\"\xc3\xa9\x80\"", "begin p | attr s=\"\xc3\xa9\x80\" | end"},
        {std::string_view("p: a=1\0q: b=2", 13), "begin p | attr a=1 | end"},
        // Macros.
        {"$len = 12.5\nline: length=$len\n", "begin line | attr length=12.5 | end"},
        {"$LEN=12.5\nline: length=$Len", "begin line | attr length=12.5 | end"},
        {"$a=1\n$b=2\np: x=$a,$b\n", "begin p | attr x=1,2 | end"},
        {"p: x=1\n$m=2\nq: y=$m\n", "begin p | attr x=1 | end | begin q | attr y=2 | end"},
        // Earlier macros are expanded while a definition is read; comments are dropped.
        {"$a=1\n$b= $a,2 # two\np: x=$b", "begin p | attr x=1,2 | end"},
        {"$a=1\n$b=2\np: x=$a$b;y=$a", "begin p | attr x=12 | attr y=1 | end"},
        {"$t=Line\n $t: a=1", "begin line | attr a=1 | end"},
        {"$v1=\"x y\"\np: s=$V1", "begin p | attr s=\"x y\" | end"},
        {"$e=\np: s=\"$e\"", "begin p | attr s=\"\" | end"},
        // The replacement starts right after '=' and is not scanned again.
        {"$d=$x\np: s=\"$d\"", "begin p | attr s=\"$x\" | end"},
        {"$u=\"\xe9\"\np: s=$u", "begin p | attr s=\"\xe9\" | end"},
    };
    for (const auto& c : cases) {
        Result result = ParseText(c.text);
        EXPECT_TRUE(result.ok) << c.text << "\n" << result.report;
        EXPECT_EQ(result.calls, c.calls) << c.text;
        EXPECT_EQ(result.report, "") << c.text;
    }
}

struct ErrorCase {
    std::string_view text;
    std::string_view calls;
    std::string_view report;
};

TEST(ParserSyntaxTest, ReportsErrorsWithPosition) {
    const ErrorCase cases[] = {
        {"line a=1", "begin line", "error: (L1 C7) syntax error, expecting ':'\n"},
        {"line:\nb: x=1", "begin line", "error: (L2 C1) syntax error, expecting keyword\n"},
        {"line: a 1", "begin line", "error: (L1 C10) syntax error, expecting '='\n"},
        {"line: a=1 b=2", "begin line | attr a=1",
         "error: (L1 C12) syntax error, expecting ';', <eol> or <eof>\n"},
        {"line: a=1 2", "begin line | attr a=1",
         "error: (L1 C12) syntax error, expecting ';', <eol> or <eof>\n"},
        {"line: a=x", "begin line",
         "error: (L1 C10) syntax error, expecting string or numeric value\n"},
        {"p: s=\"ab\ncd\"", "begin p", "error: (L2 C1) syntax error, unexpected <eol> in string\n"},
        {"p: s=\"ab", "begin p", "error: (L1 C9) syntax error, unexpected <eof> in string\n"},
        {"p: s=\"x#y\"\n", "begin p", "error: (L2 C1) syntax error, unexpected <eol> in string\n"},
        {"p: n=1-2;", "begin p", "error: (L1 C10) syntax error, invalid number format\n"},
        {"p: n=-", "begin p", "error: (L1 C7) syntax error, invalid number format\n"},
        {"p: n=1,\n", "begin p", "error: (L2 C1) syntax error, invalid number format\n"},
        {"p: n=1;;", "begin p | attr n=1", "error: (L1 C9) syntax error, expecting keyword\n"},
        {"\t1: a=1", "", "error: (L1 C6) syntax error, expecting keyword\n"},
        {"p_q: a=1", "begin p", "error: (L1 C3) syntax error, expecting ':'\n"},
        {"a\t: b\t\t= ", "begin a",
         "error: (L1 C15) syntax error, expecting string or numeric value\n"},
        {"\xff: a=1", "", "error: (L1 C2) syntax error, expecting keyword\n"},
        // A carriage return is not a blank.
        {"p: a=1\r\n", "begin p | attr a=1",
         "error: (L1 C8) syntax error, expecting ';', <eol> or <eof>\n"},
        {"p: a=1;\r\n", "begin p | attr a=1", "error: (L1 C9) syntax error, expecting keyword\n"},
        {"p\r\n: a=1", "begin p", "error: (L1 C3) syntax error, expecting ':'\n"},
        {"p: a=$x", "begin p", "error: (L1 C8) undefined macro identifier\n"},
        {"p: a=$m\n$m=1\n", "begin p", "error: (L2 C1) undefined macro identifier\n"},
        {"$a=1\n$A=2\n", "", "error: (L2 C5) macro identifier is already defined\n"},
        {"$1=2", "", "error: (L1 C3) invalid macro identifier\n"},
        {"p: a=1$", "begin p", "error: (L1 C8) invalid macro identifier\n"},
        {"$m 5\n", "", "error: (L1 C5) syntax error, expecting '='\n"},
        // Inside an expansion the position is the one just after the reference.
        {"$v=x\np: a=$v;\n", "begin p",
         "error: (L2 C9) syntax error, expecting string or numeric value\n"},
        // A definition with an empty text leaves the next line's '$' a reference.
        {"$e=\n$f=1\n", "", "error: (L2 C4) undefined macro identifier\n"},
        // Each macro ten times the one before: $g would hold 10 MB, $j 10 GB.
        {"$a=xxxxxxxxxx\n"
         "$b= $a$a$a$a$a$a$a$a$a$a\n"
         "$c= $b$b$b$b$b$b$b$b$b$b\n"
         "$d= $c$c$c$c$c$c$c$c$c$c\n"
         "$e= $d$d$d$d$d$d$d$d$d$d\n"
         "$f= $e$e$e$e$e$e$e$e$e$e\n"
         "$g= $f$f$f$f$f$f$f$f$f$f\n"
         "$h= $g$g$g$g$g$g$g$g$g$g\n"
         "$i= $h$h$h$h$h$h$h$h$h$h\n"
         "$j= $i$i$i$i$i$i$i$i$i$i\n"
         "p: s=\"$j\"\n",
         "", "error: (L7 C10) macro \"$g\" expands beyond 1048576 bytes\n"},
        // Every macro within its own bound, but 1.1 MB of definitions and 17 MB of blanks.
        {"$a=          \n"
         "$b= $a$a$a$a$a$a$a$a$a$a\n"
         "$c= $b$b$b$b$b$b$b$b$b$b\n"
         "$d= $c$c$c$c$c$c$c$c$c$c\n"
         "$e= $d$d$d$d$d$d$d$d$d$d\n"
         "$f= $e$e$e$e$e$e$e$e$e$e\n"
         "p: $f$f$f$f$f$f$f$f$f$f$f$f$f$f$f$f$f a=1\n",
         "begin p", "error: (L7 C37) macros expand beyond 16777216 bytes in total\n"},
    };
    for (const auto& c : cases) {
        Result result = ParseText(c.text);
        EXPECT_FALSE(result.ok) << c.text;
        EXPECT_EQ(result.calls, c.calls) << c.text;
        EXPECT_EQ(result.report, c.report) << c.text;
    }
}

TEST(ParserSyntaxTest, ExcerptCutsLongInputAtACharacter) {
    const std::string x63(63, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"colour", "colour"},
        {x63 + "y", x63 + "y"},
        {x63 + "yz", x63 + "y..."},
        {std::string(100, 'x'), std::string(64, 'x') + "..."},
        // A character that would straddle the cut is left out whole.
        {x63 + "\xc3\xa9", x63 + "..."},
        {x63.substr(1) + "\xc3\xa9z", x63.substr(1) + "\xc3\xa9..."},
        {x63.substr(2) + "\xf0\x9d\x84\x9e", x63.substr(2) + "..."},
        // Not UTF-8 at all: cut at 64 bytes all the same.
        {std::string(100, '\x80'), std::string(64, '\x80') + "..."},
    };
    for (const auto& [text, excerpt] : cases)
        EXPECT_EQ(ParserSyntax::Excerpt(text), excerpt) << text;
}

// Messages longer than any fixed buffer are kept whole.
TEST(ParserSyntaxTest, ErrorStoresAndThrowsMessage) {
    test::TempDir dir;
    Output output;
    output.OpenTextOutput(dir.File("report.txt"));
    Recorder parser(output);
    EXPECT_EQ(parser.LastError(), "");
    std::string long_text(2000, 'x');
    try {
        parser.Error("%s-%d", long_text.c_str(), 7);
        FAIL() << "Error returned";
    } catch (const NdlError& error) {
        EXPECT_EQ(error.message, long_text + "-7");
    }
    EXPECT_EQ(parser.LastError(), long_text + "-7");
    output.CloseTextOutput();
    EXPECT_EQ(test::ReadFile(dir.File("report.txt")), "error: (L1 C1) " + long_text + "-7\n");
}

TEST(ParserSyntaxTest, FailedOpenLeavesParseFalse) {
    test::TempDir dir;
    Output output;
    output.OpenTextOutput(dir.File("report.txt"));

    Recorder noStream(output);
    noStream.failStream = true;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(noStream.Open("p: a=1"));
    EXPECT_TRUE(
        testing::internal::GetCapturedStderr().starts_with("Could not open new temporary file: "));
    EXPECT_FALSE(noStream.Parse());

    Recorder badMacro(output);
    EXPECT_FALSE(badMacro.Open("$9\np: a=1"));
    EXPECT_EQ(badMacro.LastError(), "invalid macro identifier");
    EXPECT_FALSE(badMacro.Parse());
    EXPECT_EQ(badMacro.calls, "");

    output.CloseTextOutput();
    EXPECT_EQ(test::ReadFile(dir.File("report.txt")), "error: (L1 C3) invalid macro identifier\n");
}

} // namespace
} // namespace orvane
