#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <string>

class QDialog;
class QWidget;

namespace orvane {

class COrvaneDoc;
class CSimulationSettings;
class CWidget;

// Everything the workspace view asks the user goes through one of these, so that a test can
// answer message boxes and dialogs without a modal loop.
class CViewPrompter {
public:
    virtual ~CViewPrompter() = default;

    // A message box with the icon and buttons; returns the button chosen.
    virtual QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons) = 0;
    // The property dialog of a component; true when it stored its fields. Bus bars have none.
    virtual bool EditProperties(QWidget* parent, CWidget& widget) = 0;
    // The workspace options; true when the five values were written to the document.
    virtual bool EditWorkspaceSettings(QWidget* parent, COrvaneDoc& doc) = 0;
    // The simulation settings; true when the record was changed by OK.
    virtual bool EditSimulationSettings(QWidget* parent, CSimulationSettings& settings) = 0;
    // Makes and shows the modeless "Network NDL" window with text; its "&Update" button asks
    // source for a fresh one. The window emits finished() when it closes.
    virtual QDialog* OpenNdlWindow(QWidget* parent, const QString& text,
                                   std::function<std::string()> source) = 0;
};

// The real thing: modal message boxes and the editor's dialogs.
class CDialogPrompter : public CViewPrompter {
public:
    QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons) override;
    bool EditProperties(QWidget* parent, CWidget& widget) override;
    bool EditWorkspaceSettings(QWidget* parent, COrvaneDoc& doc) override;
    bool EditSimulationSettings(QWidget* parent, CSimulationSettings& settings) override;
    QDialog* OpenNdlWindow(QWidget* parent, const QString& text,
                           std::function<std::string()> source) override;
};

} // namespace orvane
