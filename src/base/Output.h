#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace orvane {

// The two report channels of one simulation run: a text channel filtered by a channel mask and
// an HTML channel that takes strings as they are. A run owns its channels and hands them to the
// parser and the engine, so two runs in one process never share or interleave their output.
// Writing to a channel whose file could not be created does nothing.
class Output {
public:
    // Only the bit of value 2 leads to the text file; the bit of value 1 leads nowhere.
    static constexpr unsigned TextBit = 2;

    Output() = default;
    ~Output();
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    bool OpenTextOutput(const std::string& path);
    void CloseTextOutput();
    void OutputText(unsigned mask, const char* format, ...) __attribute__((format(printf, 3, 4)));

    bool OpenHtmlOutput(const std::string& path);
    void CloseHtmlOutput();
    void OutputHtml(std::string_view text);

    bool HasText() const { return text_ != nullptr; }
    bool HasHtml() const { return html_ != nullptr; }

private:
    std::FILE* text_ = nullptr;
    std::FILE* html_ = nullptr;
};

} // namespace orvane
