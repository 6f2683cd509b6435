#include "shell/CoolDialogBar.h"

namespace orvane {

CCoolDialogBar::CCoolDialogBar(const QString& caption, QWidget* dialog, QWidget* parent)
    : QDockWidget(caption, parent) {
    setObjectName(caption);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setAllowedAreas(Qt::AllDockWidgetAreas);
    setMinimumSize(MinimumSide, MinimumSide);
    dialog->setMinimumSize(0, 0);
    setWidget(dialog);
    // Closing only hides the bar; Qt docks keep their docked and floating sizes apart.
}

} // namespace orvane
