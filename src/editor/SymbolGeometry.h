#pragma once

#include "model/Geometry.h"

#include <array>
#include <cstdint>

namespace orvane {

// Snapping: v becomes the nearest multiple of the pitch, halves rounded up (15 -> 20, -15 ->
// -10). A pitch of 0 or less leaves v alone.
int32_t SnapCoordinate(int32_t v, int32_t pitch);
CPoint SnapPoint(CPoint p, int32_t pitch);

// Slightly below pi/4, so that an exact 45-degree drag turns horizontal.
inline constexpr double kAdaptiveAngle = 0.785398163375;

// Adaptive drawing: the moving end b lined up with the fixed end a, horizontally when the drag
// is flatter than kAdaptiveAngle from the vertical, vertically otherwise. An axis-parallel drag
// is left as it is.
CPoint AdaptEnd(CPoint a, CPoint b);

// ((x1 + x2) / 2, (y1 + y2) / 2), truncating toward zero.
CPoint Midpoint(CPoint a, CPoint b);

// A = trunc(r cos alpha), B = trunc(r sin alpha) for the segment's angle alpha = atan|dy/dx|,
// so (r, 0) for a horizontal segment (or a point) and (0, r) for a vertical one.
struct TurnedOffsets {
    int32_t a = 0;
    int32_t b = 0;
    bool sameSign = true; // dx and dy have the same sign (axis-parallel segments count as such)
};
TurnedOffsets TurnOffsets(CPoint from, CPoint to, int32_t r);

// The square of half-side r around the segment's midpoint, turned with the segment. Corners 0-1
// and 2-3 are its diagonals; 0-2 and 1-3 are the two sides that cross the segment.
std::array<CPoint, 4> TurnedSquare(CPoint from, CPoint to, int32_t r);

// The open switch drawn on an isolator: a white gap over the segment, then the black blade.
struct IsolatorBlade {
    CPoint gapFrom;
    CPoint gapTo;
    bool gapInPenWidth = true; // axis-parallel: the gap is as wide as the pen; else 2 pixels
    CPoint bladeFrom;
    CPoint bladeTo;
};
IsolatorBlade IsolatorGeometry(CPoint from, CPoint to);

// The equipment symbol's two ring centres, 3 units before and after the midpoint.
std::array<CPoint, 2> EquipmentRingCentres(CPoint from, CPoint to);

// What a regional repaint invalidates after a two-point component changed: the span of its
// ends, grown by `grow` on every side.
CRect TwoPointRepaintRect(CPoint a, CPoint b, int64_t grow);
// The same for a one-point component: from 9 above-left to 13 below-right of the point, grown.
CRect OnePointRepaintRect(CPoint p, int64_t grow);

} // namespace orvane
