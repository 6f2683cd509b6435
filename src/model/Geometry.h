#pragma once

#include <algorithm>
#include <cstdint>

namespace orvane {

// A workspace position in pixels, y growing downwards.
struct CPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const CPoint&, const CPoint&) = default;
};

// A workspace extent (width cx, height cy).
struct CSize {
    int32_t cx = 0;
    int32_t cy = 0;
    friend bool operator==(const CSize&, const CSize&) = default;
};

// A half-open rectangle: left and top inclusive, right and bottom exclusive. The edges are 64-bit
// so that inflating a rectangle near the ends of the 32-bit range cannot overflow.
struct CRect {
    int64_t left = 0;
    int64_t top = 0;
    int64_t right = 0;
    int64_t bottom = 0;

    static CRect FromPoints(CPoint a, CPoint b) { return CRect{a.x, a.y, b.x, b.y}; }

    CRect Normalize() const {
        return CRect{std::min(left, right), std::min(top, bottom), std::max(left, right),
                     std::max(top, bottom)};
    }
    CRect Inflate(int64_t dx, int64_t dy) const {
        return CRect{left - dx, top - dy, right + dx, bottom + dy};
    }
    bool Contains(CPoint p) const {
        return left <= p.x && p.x < right && top <= p.y && p.y < bottom;
    }
    friend bool operator==(const CRect&, const CRect&) = default;
};

// The box from (c.x + from, c.y + from) to (c.x + to, c.y + to), used for handles and symbols.
inline CRect BoxAround(CPoint c, int64_t from, int64_t to) {
    return CRect{c.x + from, c.y + from, c.x + to, c.y + to};
}

} // namespace orvane
