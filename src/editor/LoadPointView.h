#pragma once

#include "editor/ComponentView.h"
#include "model/LoadPoint.h"

#include <QString>

class QPainter;

namespace orvane {

// A load point: a black bar fed by a stub from above, its name written below.
class CLoadPointView : public COnePointView {
public:
    explicit CLoadPointView(const CLoadPoint& widget);
    void Draw(QPainter& painter) const;
    // Squares above-left and below-right of the symbol.
    void DrawSelection(QPainter& painter, CPoint end1, CPoint end2) const;

private:
    QString m_name;
};

} // namespace orvane
