#include "editor/PropertyDialog.h"

#include "editor/ComponentDlg.h"
#include "editor/LineEquipmentDlg.h"
#include "editor/LoadPointDlg.h"
#include "editor/RecloserDlg.h"
#include "model/BranchWidget.h"
#include "model/GenSource.h"
#include "model/LoadPoint.h"
#include "model/Recloser.h"
#include "model/SwitchWidget.h"

namespace orvane {

std::unique_ptr<CDataDialog> MakePropertyDialog(CWidget& widget, QWidget* parent) {
    switch (widget.Type()) {
    case WidgetType::Line:
    case WidgetType::Equipment:
        return std::make_unique<CLineEquipmentDlg>(static_cast<CBranchWidget&>(widget), parent);
    case WidgetType::CircuitBreaker:
    case WidgetType::Fuse:
    case WidgetType::Isolator:
        return std::make_unique<CComponentDlg>(static_cast<CSwitchWidget&>(widget), parent);
    case WidgetType::GenSource:
        return std::make_unique<CComponentDlg>(static_cast<CGenSource&>(widget), parent);
    case WidgetType::Recloser:
        return std::make_unique<CRecloserDlg>(static_cast<CRecloser&>(widget), parent);
    case WidgetType::LoadPoint:
        return std::make_unique<CLoadPointDlg>(static_cast<CLoadPoint&>(widget), parent);
    case WidgetType::BusBar:
        break;
    }
    return nullptr;
}

} // namespace orvane
