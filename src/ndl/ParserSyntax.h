#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "base/Output.h"

namespace orvane {

// The value of one NDL attribute.
struct NdlValue {
    uint32_t kind = 0;           // 0 = string, 1 = numeric
    std::string text;            // kind 0
    std::vector<double> numbers; // kind 1
};

// Thrown by Error, caught by Open and Parse.
struct NdlError {
    std::string message;
};

// Syntax layer of NDL: characters, comments, line continuations and macros, and definitions
// made of a type keyword, a colon and an attribute list. Each definition is handed to the
// semantic layer through the three hooks; the first error ends the parse.
class ParserSyntax {
public:
    explicit ParserSyntax(Output& output);
    virtual ~ParserSyntax();
    ParserSyntax(const ParserSyntax&) = delete;
    ParserSyntax& operator=(const ParserSyntax&) = delete;

    // The text is taken up to its first NUL byte, if any.
    virtual bool Open(std::string_view text);
    virtual void Close();
    virtual bool Parse();

    // Writes the error line to the text report and abandons the parse by throwing NdlError.
    [[noreturn]] void Error(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // The message of the error raised, empty when none.
    const std::string& LastError() const { return lastError_; }
    // Where that error was reported, counted from 1; 0 when none.
    uint32_t ErrorLine() const { return errorLine_; }
    uint32_t ErrorColumn() const { return errorColumn_; }

    // Input text as messages quote it: anything beyond 64 bytes is cut at a UTF-8 character
    // boundary and marked with "...", so that a runaway token cannot flood the report.
    static std::string Excerpt(std::string_view text);

protected:
    virtual void BeginDefinition(const std::string& keyword) = 0;
    virtual void EndDefinition() = 0;
    virtual void Attribute(const std::string& keyword, const NdlValue& value) = 0;

    // The anonymous file the text is read from; null when it cannot be created.
    virtual std::FILE* CreateStream();

    Output& output_;

private:
    void Release();

    int ReadRaw();
    void Advance();
    int Peek() const;
    void Next();
    void SkipBlanks(bool lineFeeds);

    std::string ReadMacroIdentifier();
    void ReadMacroReference();
    void ReadMacroDefinition();

    std::string ReadKeyword();
    void ReadString(std::string& text);
    double ReadNumber();
    void ReadNumberList(std::vector<double>& numbers);
    void ParseDefinition();
    void ParseAttribute();

    std::map<std::string, std::string> macros_;
    const std::string* macro_ = nullptr; // replacement text being expanded, or none
    std::ptrdiff_t macroPos_ = -1;
    std::size_t expanded_ = 0; // bytes taken from macros since Open
    bool atLineStart_ = true;
    int current_ = 0; // -1 at end of input
    uint32_t line_ = 0;
    uint32_t column_ = 0;
    std::FILE* stream_ = nullptr;
    bool ready_ = false; // opened without error and not yet failed
    std::string lastError_;
    uint32_t errorLine_ = 0;
    uint32_t errorColumn_ = 0;
};

} // namespace orvane
