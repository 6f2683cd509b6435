#include "cli/TerminalText.h"

namespace orvane::cli {

namespace {

void Escape(std::string& shown, unsigned char byte) {
    static const char hex[] = "0123456789abcdef";
    shown += "\\x";
    shown += hex[byte >> 4];
    shown += hex[byte & 0xF];
}

} // namespace

std::string TerminalText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (byte < 0x20 || byte == 0x7F) {
            Escape(shown, byte);
        } else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            // A C1 control in UTF-8 (U+0080 to U+009F): some terminals obey it as ESC plus a
            // letter, CSI among them.
            Escape(shown, byte);
            Escape(shown, next);
            ++i;
        } else {
            shown += text[i];
        }
    }
    return shown;
}

} // namespace orvane::cli
