#pragma once

#include <string>
#include <string_view>

namespace orvane::cli {

// Text read from a network file, made safe to print on a terminal: each control byte (0x00 to
// 0x1F and 0x7F) and each UTF-8 C1 control (U+0080 to U+009F) becomes \xHH, byte by byte, so
// that a crafted name cannot move the cursor, retitle the window or clear the screen. Every
// other byte, the rest of UTF-8 included, stays as it is.
std::string TerminalText(std::string_view text);

} // namespace orvane::cli
