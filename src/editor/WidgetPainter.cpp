#include "editor/WidgetPainter.h"

#include "editor/BusBarView.h"
#include "editor/CircuitBreakerView.h"
#include "editor/EquipmentView.h"
#include "editor/FuseView.h"
#include "editor/GenSourceView.h"
#include "editor/IsolatorView.h"
#include "editor/LineView.h"
#include "editor/LoadPointView.h"
#include "editor/RecloserView.h"

#include <QPainter>

namespace orvane {

namespace {

template <class View, class Component>
void DrawWith(QPainter& painter, const CWidget& widget, bool markers) {
    const View view(static_cast<const Component&>(widget));
    view.Draw(painter);
    if (markers) {
        view.DrawMarkers(painter, widget.GetPoint1(), widget.GetPoint2());
    }
}

template <class View, class Component> void SelectWith(QPainter& painter, const CWidget& widget) {
    const View view(static_cast<const Component&>(widget));
    view.DrawSelection(painter, widget.GetPoint1(), widget.GetPoint2());
}

} // namespace

void DrawWidget(QPainter& painter, const CWidget& widget, bool markers) {
    switch (widget.Type()) {
    case WidgetType::Line:
        return DrawWith<CLineView, CLine>(painter, widget, markers);
    case WidgetType::CircuitBreaker:
        return DrawWith<CCircuitBreakerView, CCircuitBreaker>(painter, widget, markers);
    case WidgetType::Fuse:
        return DrawWith<CFuseView, CFuse>(painter, widget, markers);
    case WidgetType::Recloser:
        return DrawWith<CRecloserView, CRecloser>(painter, widget, markers);
    case WidgetType::Isolator:
        return DrawWith<CIsolatorView, CIsolator>(painter, widget, markers);
    case WidgetType::BusBar:
        return DrawWith<CBusBarView, CBusBar>(painter, widget, markers);
    case WidgetType::LoadPoint:
        return DrawWith<CLoadPointView, CLoadPoint>(painter, widget, markers);
    case WidgetType::GenSource:
        return DrawWith<CGenSourceView, CGenSource>(painter, widget, markers);
    case WidgetType::Equipment:
        return DrawWith<CEquipmentView, CEquipment>(painter, widget, markers);
    }
}

void DrawSelectionMarks(QPainter& painter, const CWidget& widget) {
    switch (widget.Type()) {
    case WidgetType::Line:
        return SelectWith<CLineView, CLine>(painter, widget);
    case WidgetType::CircuitBreaker:
        return SelectWith<CCircuitBreakerView, CCircuitBreaker>(painter, widget);
    case WidgetType::Fuse:
        return SelectWith<CFuseView, CFuse>(painter, widget);
    case WidgetType::Recloser:
        return SelectWith<CRecloserView, CRecloser>(painter, widget);
    case WidgetType::Isolator:
        return SelectWith<CIsolatorView, CIsolator>(painter, widget);
    case WidgetType::BusBar:
        return SelectWith<CBusBarView, CBusBar>(painter, widget);
    case WidgetType::LoadPoint:
        return SelectWith<CLoadPointView, CLoadPoint>(painter, widget);
    case WidgetType::GenSource:
        return SelectWith<CGenSourceView, CGenSource>(painter, widget);
    case WidgetType::Equipment:
        return SelectWith<CEquipmentView, CEquipment>(painter, widget);
    }
}

void DrawRubberBand(QPainter& painter, CPoint from, CPoint to) {
    PaintSegment(painter, RubberBandPen(), from, to);
}

} // namespace orvane
