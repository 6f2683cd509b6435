#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QDialog;
class QWidget;

namespace orvane {

class CSimulationSettings;
class CWidget;
struct CWorkspaceSettings;

// Everything the program asks the user goes through one of these: the workspace view's
// questions and editing dialogs, the application's file choices and modal dialogs. A test
// answers them without a modal loop.
class CPrompter {
public:
    virtual ~CPrompter() = default;

    // A message box with the icon and buttons; returns the button chosen.
    virtual QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons) = 0;

    // Each editing dialog works on a copy and returns what OK stored, or nothing when it was
    // cancelled; the caller hands the result to the document's change operations.
    // The property dialog of a component. Bus bars have none.
    virtual std::unique_ptr<CWidget> EditProperties(QWidget* parent, const CWidget& widget) = 0;
    virtual std::optional<CWorkspaceSettings>
    EditWorkspaceSettings(QWidget* parent, const CWorkspaceSettings& settings) = 0;
    virtual std::optional<CSimulationSettings>
    EditSimulationSettings(QWidget* parent, const CSimulationSettings& settings) = 0;

    // Makes and shows the modeless "Network NDL" window with text; its "&Update" button asks
    // source for a fresh one. The window emits finished() when it closes.
    virtual QDialog* OpenNdlWindow(QWidget* parent, const QString& text,
                                   std::function<std::string()> source) = 0;

    // The file to open, or empty when cancelled.
    virtual QString ChooseOpenFile(QWidget* parent, const QString& filter) = 0;
    // The file to save to, starting from `suggested`, or empty when cancelled.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& suggested,
                                   const QString& filter) = 0;
    // Runs a modal dialog (About, print, print preview, page setup) and returns its result.
    virtual int Exec(QDialog& dialog) = 0;
};

// The real thing: modal message boxes, file dialogs and the editor's dialogs. Message boxes
// carry `title`, or the application's display name when it is empty.
class CDialogPrompter : public CPrompter {
public:
    explicit CDialogPrompter(QString title = {}) : m_title(std::move(title)) {}

    QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons) override;
    std::unique_ptr<CWidget> EditProperties(QWidget* parent, const CWidget& widget) override;
    std::optional<CWorkspaceSettings>
    EditWorkspaceSettings(QWidget* parent, const CWorkspaceSettings& settings) override;
    std::optional<CSimulationSettings>
    EditSimulationSettings(QWidget* parent, const CSimulationSettings& settings) override;
    QDialog* OpenNdlWindow(QWidget* parent, const QString& text,
                           std::function<std::string()> source) override;
    QString ChooseOpenFile(QWidget* parent, const QString& filter) override;
    QString ChooseSaveFile(QWidget* parent, const QString& suggested,
                           const QString& filter) override;
    int Exec(QDialog& dialog) override;

private:
    QString m_title;
};

} // namespace orvane
