#pragma once

#include "model/Geometry.h"
#include "model/Widget.h"

class QPainter;

namespace orvane {

// Draws any component with the drawing class of its type, and its end markers when asked.
void DrawWidget(QPainter& painter, const CWidget& widget, bool markers);
// The selection marks of any component, at its own end points.
void DrawSelectionMarks(QPainter& painter, const CWidget& widget);
// The rubber band of a component being dragged out: a dotted black segment of width 1. Use an
// inverting composition mode (RasterOp_NotDestination) so that a second call erases it.
void DrawRubberBand(QPainter& painter, CPoint from, CPoint to);

} // namespace orvane
