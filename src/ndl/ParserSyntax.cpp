#include "ndl/ParserSyntax.h"

#include <cstdarg>

namespace orvane {

namespace {

constexpr int EndOfInput = -1;

// Macros may repeat earlier ones, so a few lines can ask for an exponentially long text. These
// bounds are far beyond any real network but keep such a text from exhausting memory and time.
constexpr std::size_t MaxMacroText = std::size_t{1} << 20;
constexpr std::size_t MaxExpandedText = std::size_t{16} << 20;

constexpr std::size_t MaxQuoted = 64;

// Plain ASCII ranges: bytes from 0x80 on are neither letters nor digits.
bool IsLetter(int c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}
int Fold(int c) {
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : c;
}
bool IsBlank(int c) {
    return c == 0 || c == '\t' || c == ' ';
}
bool IsNumberChar(int c) {
    return IsDigit(c) || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E';
}

} // namespace

ParserSyntax::ParserSyntax(Output& output) : output_(output) {}

ParserSyntax::~ParserSyntax() {
    Release();
}

std::FILE* ParserSyntax::CreateStream() {
    return std::tmpfile();
}

bool ParserSyntax::Open(std::string_view text) {
    Release();
    lastError_.clear();
    errorLine_ = errorColumn_ = 0;
    text = text.substr(0, text.find('\0'));

    stream_ = CreateStream();
    if (!stream_) {
        std::perror("Could not open new temporary file");
        return false;
    }
    long start = std::ftell(stream_);
    if (std::fwrite(text.data(), 1, text.size(), stream_) != text.size() ||
        std::fseek(stream_, start, SEEK_SET) != 0) {
        std::perror("Could not write temporary file");
        return false;
    }

    line_ = 0;
    column_ = 0;
    current_ = 0;
    macro_ = nullptr;
    macroPos_ = -1;
    expanded_ = 0;
    atLineStart_ = true;
    try {
        // A '$' in the very first column of the text is a macro definition.
        Next();
    } catch (const NdlError&) {
        return false;
    }
    ready_ = true;
    return true;
}

void ParserSyntax::Close() {
    Release();
}

void ParserSyntax::Release() {
    if (stream_) {
        std::fclose(stream_);
        stream_ = nullptr;
    }
    macros_.clear();
    macro_ = nullptr;
    macroPos_ = -1;
    ready_ = false;
}

bool ParserSyntax::Parse() {
    if (!ready_)
        return false;
    try {
        while (Peek() != EndOfInput)
            ParseDefinition();
    } catch (const NdlError&) {
        ready_ = false;
        return false;
    }
    return true;
}

void ParserSyntax::Error(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    char buffer[1024];
    int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    std::string message;
    if (length >= static_cast<int>(sizeof buffer)) {
        message.resize(static_cast<std::size_t>(length));
        std::vsnprintf(message.data(), message.size() + 1, format, again);
    } else if (length > 0) {
        message.assign(buffer, static_cast<std::size_t>(length));
    }
    va_end(again);
    va_end(args);

    errorLine_ = line_ + 1;
    errorColumn_ = column_ + 1;
    output_.OutputText(3, "error: (L%u C%u) %s\n", static_cast<unsigned>(errorLine_),
                       static_cast<unsigned>(errorColumn_), message.c_str());
    lastError_ = message;
    throw NdlError{std::move(message)};
}

std::string ParserSyntax::Excerpt(std::string_view text) {
    if (text.size() <= MaxQuoted)
        return std::string(text);
    // Back up over continuation bytes to the start of the character that would be split; no
    // further than a UTF-8 sequence reaches, in case the text is not UTF-8 at all.
    std::size_t end = MaxQuoted;
    while (end > MaxQuoted - 3 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    if ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        end = MaxQuoted;
    return std::string(text.substr(0, end)) + "...";
}

// The next byte that counts as input, or -1. Discarded bytes still move the counters.
int ParserSyntax::ReadRaw() {
    enum { Plain, Comment, Continuation } state = Plain;
    for (;;) {
        int c = stream_ ? std::fgetc(stream_) : EOF;
        if (c == EOF)
            return EndOfInput;
        if (c == '\n') {
            ++line_;
            column_ = 0;
        } else if (c == '\t') {
            column_ = (column_ & ~3u) + 4;
        } else {
            ++column_;
        }

        if (c == '\\') {
            state = Continuation;
        } else if (c == '#' && state == Plain) {
            state = Comment;
        } else if (state == Plain) {
            return c;
        } else if (c == '\n') {
            // A comment keeps its line feed; a continuation swallows it.
            if (state == Comment)
                return c;
            state = Plain;
        }
    }
}

void ParserSyntax::Advance() {
    if (current_ != EndOfInput)
        current_ = ReadRaw();
}

int ParserSyntax::Peek() const {
    if (macro_)
        return static_cast<signed char>((*macro_)[static_cast<std::size_t>(macroPos_)]);
    return current_;
}

void ParserSyntax::Next() {
    for (;;) {
        if (macro_) {
            ++macroPos_;
            if (macroPos_ < static_cast<std::ptrdiff_t>(macro_->size()))
                return;
            // The character that followed the reference becomes current again.
            macro_ = nullptr;
        } else {
            Advance();
        }
        if (current_ != '$')
            break;
        if (atLineStart_)
            ReadMacroDefinition();
        else
            ReadMacroReference();
    }
    atLineStart_ = current_ == '\n';
}

void ParserSyntax::SkipBlanks(bool lineFeeds) {
    for (int c = Peek(); IsBlank(c) || (lineFeeds && c == '\n'); c = Peek())
        Next();
}

// Read below the macro layer; the first byte that does not belong stays current.
std::string ParserSyntax::ReadMacroIdentifier() {
    std::string identifier;
    for (;;) {
        Advance();
        int c = Fold(current_);
        if (!IsLetter(c) && !(IsDigit(c) && !identifier.empty()))
            break;
        identifier.push_back(static_cast<char>(c));
    }
    if (identifier.empty())
        Error("invalid macro identifier");
    return identifier;
}

void ParserSyntax::ReadMacroReference() {
    auto entry = macros_.find(ReadMacroIdentifier());
    if (entry == macros_.end())
        Error("undefined macro identifier");
    expanded_ += entry->second.size();
    if (expanded_ > MaxExpandedText)
        Error("macros expand beyond %zu bytes in total", MaxExpandedText);
    macro_ = &entry->second;
    macroPos_ = -1;
}

void ParserSyntax::ReadMacroDefinition() {
    std::string identifier = ReadMacroIdentifier();
    while (IsBlank(current_))
        Advance();
    if (current_ != '=')
        Error("syntax error, expecting '='");
    Advance();
    if (macros_.count(identifier))
        Error("macro identifier is already defined");

    // The text runs from the byte right after '=' to the end of the logical line; comments,
    // continuations and references to earlier macros are resolved on the way.
    atLineStart_ = false;
    std::string replacement;
    for (int c = Peek(); c != '\n' && c != EndOfInput; c = Peek()) {
        if (replacement.size() == MaxMacroText)
            Error("macro \"$%s\" expands beyond %zu bytes", Excerpt(identifier).c_str(),
                  MaxMacroText);
        replacement.push_back(static_cast<char>(c));
        Next();
    }
    macros_.emplace(std::move(identifier), std::move(replacement));
}

std::string ParserSyntax::ReadKeyword() {
    std::string keyword;
    for (int c = Fold(Peek()); IsLetter(c); c = Fold(Peek())) {
        keyword.push_back(static_cast<char>(c));
        Next();
    }
    if (keyword.empty())
        Error("syntax error, expecting keyword");
    return keyword;
}

void ParserSyntax::ReadString(std::string& text) {
    text.clear();
    for (;;) {
        Next();
        int c = Peek();
        if (c == '\n')
            Error("syntax error, unexpected <eol> in string");
        if (c == EndOfInput)
            Error("syntax error, unexpected <eof> in string");
        if (c == '"')
            break;
        text.push_back(static_cast<char>(c));
    }
    Next();
    SkipBlanks(false);
}

double ParserSyntax::ReadNumber() {
    std::string run;
    for (int c = Peek(); IsNumberChar(c); c = Peek()) {
        run.push_back(static_cast<char>(c));
        Next();
    }
    // The whole run must convert: a character left over means a malformed number.
    double number = 0.0;
    char rest = 0;
    if (std::sscanf(run.c_str(), "%lf%c", &number, &rest) != 1)
        Error("syntax error, invalid number format");
    // -0 is 0: its sign would turn a rate of 0 into an infinitely frequent one downstream.
    return number == 0.0 ? 0.0 : number;
}

void ParserSyntax::ReadNumberList(std::vector<double>& numbers) {
    numbers.clear();
    numbers.push_back(ReadNumber());
    SkipBlanks(false);
    while (Peek() == ',') {
        Next();
        SkipBlanks(false);
        numbers.push_back(ReadNumber());
        SkipBlanks(false);
    }
}

void ParserSyntax::ParseDefinition() {
    SkipBlanks(true);
    if (Peek() == EndOfInput)
        return;
    BeginDefinition(ReadKeyword());
    SkipBlanks(false);
    if (Peek() != ':')
        Error("syntax error, expecting ':'");
    Next();
    do {
        ParseAttribute();
        SkipBlanks(false);
    } while (Peek() != EndOfInput && Peek() != '\n');
    EndDefinition();
    Next();
}

void ParserSyntax::ParseAttribute() {
    SkipBlanks(false);
    std::string keyword = ReadKeyword();
    SkipBlanks(false);
    if (Peek() != '=')
        Error("syntax error, expecting '='");
    Next();

    NdlValue value;
    SkipBlanks(false);
    if (Peek() == '"') {
        value.kind = 0;
        ReadString(value.text);
    } else if (IsNumberChar(Peek())) {
        value.kind = 1;
        ReadNumberList(value.numbers);
    } else {
        Error("syntax error, expecting string or numeric value");
    }
    Attribute(keyword, value);

    SkipBlanks(false);
    if (Peek() == ';')
        Next();
    else if (Peek() != '\n' && Peek() != EndOfInput)
        Error("syntax error, expecting ';', <eol> or <eof>");
}

} // namespace orvane
