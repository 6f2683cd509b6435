#include "run/BarImage.h"

#include "base/PendingFile.h"

#include <cstdio>

namespace orvane {

namespace {

void Put16(std::string& out, uint32_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>((v >> 8) & 0xFF));
}

void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

} // namespace

std::string BarImageBytes(uint32_t width, uint32_t height, uint32_t colour) {
    const uint32_t rowBytes = (width * 3 + 3) & ~3u; // rows are padded to four bytes
    const uint32_t pixelBytes = rowBytes * height;
    const uint32_t offset = 14 + 40;
    std::string out;
    out.reserve(offset + pixelBytes);
    out += "BM";
    Put32(out, offset + pixelBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40); // BITMAPINFOHEADER
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);
    Put16(out, 24);
    Put32(out, 0); // uncompressed
    Put32(out, pixelBytes);
    Put32(out, 2835); // 72 dots per inch
    Put32(out, 2835);
    Put32(out, 0);
    Put32(out, 0);
    const char blue = static_cast<char>((colour >> 16) & 0xFF);
    const char green = static_cast<char>((colour >> 8) & 0xFF);
    const char red = static_cast<char>(colour & 0xFF);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            out.push_back(blue);
            out.push_back(green);
            out.push_back(red);
        }
        out.append(rowBytes - width * 3, '\0');
    }
    return out;
}

bool WriteBarImage(const std::string& path, std::string& reason) {
    PendingFile file;
    const bool written = file.Open(path) && file.Write(BarImageBytes()) && file.Commit();
    reason = file.Reason();
    return written;
}

} // namespace orvane
