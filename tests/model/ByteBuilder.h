#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace orvane::test {

// Builds expected file bytes by hand, independently of the archive code under test.
class ByteBuilder {
public:
    ByteBuilder& U8(uint8_t v) {
        bytes_ += static_cast<char>(v);
        return *this;
    }
    ByteBuilder& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    ByteBuilder& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    ByteBuilder& I32(int32_t v) { return U32(static_cast<uint32_t>(v)); }
    ByteBuilder& F64(double v) {
        uint64_t bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        return U32(static_cast<uint32_t>(bits)).U32(static_cast<uint32_t>(bits >> 32));
    }
    ByteBuilder& Raw(std::string_view text) {
        bytes_ += text;
        return *this;
    }
    // A text shorter than 255 bytes: one length byte, then the text.
    ByteBuilder& ShortText(std::string_view text) {
        return U8(static_cast<uint8_t>(text.size())).Raw(text);
    }
    ByteBuilder& NewClass(std::string_view name) {
        return U16(0xFFFF).U16(1).U16(static_cast<uint16_t>(name.size())).Raw(name);
    }
    const std::string& Str() const { return bytes_; }

private:
    std::string bytes_;
};

// Bytes as spaced hex, so that a failed comparison shows where the files part.
inline std::string Hex(std::string_view bytes) {
    static const char* kDigits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        if (!out.empty()) {
            out += ' ';
        }
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

} // namespace orvane::test
