#include "editor/SymbolGeometry.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace orvane {

namespace {

int32_t ClampToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

CPoint Offset(CPoint p, int64_t dx, int64_t dy) {
    return CPoint{ClampToInt32(p.x + dx), ClampToInt32(p.y + dy)};
}

} // namespace

int32_t SnapCoordinate(int32_t v, int32_t pitch) {
    if (pitch <= 0) {
        return v;
    }
    const double q = static_cast<double>(v) / static_cast<double>(pitch);
    const double up = std::ceil(q);
    const double r = (up - 0.5 <= q) ? up : std::floor(q);
    return ClampToInt32(static_cast<int64_t>(r) * pitch);
}

CPoint SnapPoint(CPoint p, int32_t pitch) {
    return CPoint{SnapCoordinate(p.x, pitch), SnapCoordinate(p.y, pitch)};
}

CPoint AdaptEnd(CPoint a, CPoint b) {
    const int64_t dx = static_cast<int64_t>(b.x) - a.x;
    const int64_t dy = static_cast<int64_t>(b.y) - a.y;
    if (dx == 0 || dy == 0) {
        return b;
    }
    const double t =
        std::atan(static_cast<double>(std::llabs(dx)) / static_cast<double>(std::llabs(dy)));
    if (t > kAdaptiveAngle) {
        b.y = a.y;
    } else {
        b.x = a.x;
    }
    return b;
}

CPoint Midpoint(CPoint a, CPoint b) {
    return CPoint{static_cast<int32_t>((static_cast<int64_t>(a.x) + b.x) / 2),
                  static_cast<int32_t>((static_cast<int64_t>(a.y) + b.y) / 2)};
}

TurnedOffsets TurnOffsets(CPoint from, CPoint to, int32_t r) {
    const int64_t dx = static_cast<int64_t>(to.x) - from.x;
    const int64_t dy = static_cast<int64_t>(to.y) - from.y;
    if (dy == 0) {
        return TurnedOffsets{r, 0, true};
    }
    if (dx == 0) {
        return TurnedOffsets{0, r, true};
    }
    const double alpha = std::atan(std::fabs(static_cast<double>(dy) / static_cast<double>(dx)));
    return TurnedOffsets{static_cast<int32_t>(std::trunc(r * std::cos(alpha))),
                         static_cast<int32_t>(std::trunc(r * std::sin(alpha))),
                         (dx > 0) == (dy > 0)};
}

std::array<CPoint, 4> TurnedSquare(CPoint from, CPoint to, int32_t r) {
    const CPoint m = Midpoint(from, to);
    const TurnedOffsets t = TurnOffsets(from, to, r);
    const int64_t a = t.a;
    const int64_t b = t.b;
    if (t.sameSign) {
        return {Offset(m, -a - b, a - b), Offset(m, a + b, -a + b), Offset(m, -a + b, -a - b),
                Offset(m, a - b, a + b)};
    }
    return {Offset(m, a - b, -b - a), Offset(m, -a + b, b + a), Offset(m, a + b, a - b),
            Offset(m, -a - b, -a + b)};
}

IsolatorBlade IsolatorGeometry(CPoint from, CPoint to) {
    constexpr int32_t kSize = 12;
    const CPoint m = Midpoint(from, to);
    IsolatorBlade blade;
    blade.bladeFrom = m;
    if (from.y == to.y || from.x == to.x) {
        const bool horizontal = from.y == to.y;
        blade.gapFrom = horizontal ? Offset(m, 1, 0) : Offset(m, 0, 1);
        blade.gapTo = horizontal ? Offset(m, kSize, 0) : Offset(m, 0, kSize);
        blade.gapInPenWidth = true;
        blade.bladeTo = Offset(m, kSize, kSize);
        return blade;
    }
    const TurnedOffsets t = TurnOffsets(from, to, kSize);
    blade.gapFrom = m;
    blade.gapInPenWidth = false;
    if (t.sameSign) {
        blade.gapTo = Offset(m, t.a, t.b);
        blade.bladeTo = Offset(m, static_cast<int64_t>(t.a) + t.b, static_cast<int64_t>(t.b) - t.a);
    } else {
        blade.gapTo = Offset(m, -static_cast<int64_t>(t.a), t.b);
        blade.bladeTo = Offset(m, static_cast<int64_t>(t.b) - t.a, static_cast<int64_t>(t.b) + t.a);
    }
    return blade;
}

std::array<CPoint, 2> EquipmentRingCentres(CPoint from, CPoint to) {
    const CPoint m = Midpoint(from, to);
    const TurnedOffsets t = TurnOffsets(from, to, 3);
    // The offset points from end 1 toward end 2.
    const int64_t ox = to.x < from.x ? -t.a : t.a;
    const int64_t oy = to.y < from.y ? -t.b : t.b;
    return {Offset(m, -ox, -oy), Offset(m, ox, oy)};
}

CRect TwoPointRepaintRect(CPoint a, CPoint b, int64_t grow) {
    return CRect::FromPoints(a, b).Normalize().Inflate(grow, grow);
}

CRect OnePointRepaintRect(CPoint p, int64_t grow) {
    return CRect{static_cast<int64_t>(p.x) - 9, static_cast<int64_t>(p.y) - 9,
                 static_cast<int64_t>(p.x) + 13, static_cast<int64_t>(p.y) + 13}
        .Inflate(grow, grow);
}

} // namespace orvane
