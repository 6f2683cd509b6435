#include "base/Output.h"

#include <cstdarg>

namespace orvane {

Output::~Output() {
    CloseTextOutput();
    CloseHtmlOutput();
}

bool Output::OpenTextOutput(const std::string& path) {
    CloseTextOutput();
    text_ = std::fopen(path.c_str(), "w");
    return text_ != nullptr;
}

void Output::CloseTextOutput() {
    if (text_) {
        std::fclose(text_);
        text_ = nullptr;
    }
}

void Output::OutputText(unsigned mask, const char* format, ...) {
    if (!(mask & TextBit) || !text_)
        return;
    va_list args;
    va_start(args, format);
    std::vfprintf(text_, format, args);
    va_end(args);
}

bool Output::OpenHtmlOutput(const std::string& path) {
    CloseHtmlOutput();
    html_ = std::fopen(path.c_str(), "wb");
    return html_ != nullptr;
}

void Output::CloseHtmlOutput() {
    if (html_) {
        std::fclose(html_);
        html_ = nullptr;
    }
}

void Output::OutputHtml(std::string_view text) {
    if (html_ && !text.empty())
        std::fwrite(text.data(), 1, text.size(), html_);
}

} // namespace orvane
