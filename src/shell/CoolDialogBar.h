#pragma once

#include <QDockWidget>

namespace orvane {

// A dockable bar that hosts one dialog: docks at any edge of the main window or floats, is
// resized by its inner edge, and hides when closed until its menu command shows it again.
class CCoolDialogBar : public QDockWidget {
    Q_OBJECT
public:
    CCoolDialogBar(const QString& caption, QWidget* dialog, QWidget* parent = nullptr);

    QWidget* Dialog() const { return widget(); }

    static constexpr int MinimumSide = 22;
};

} // namespace orvane
