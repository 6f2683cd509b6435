#include "editor/Prompter.h"

#include "editor/NDLDisplayDialog.h"
#include "editor/PropertyDialog.h"
#include "editor/SettingsDlg.h"
#include "editor/SimulationSettingsDlg.h"
#include "model/SimulationSettings.h"
#include "model/WidgetVisit.h"
#include "model/WorkspaceSettings.h"

#include <QDialog>
#include <QFileDialog>
#include <QGuiApplication>

namespace orvane {

QMessageBox::StandardButton CDialogPrompter::Ask(QWidget* parent, QMessageBox::Icon icon,
                                                 const QString& text,
                                                 QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, m_title.isEmpty() ? QGuiApplication::applicationDisplayName() : m_title,
                    text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::unique_ptr<CWidget> CDialogPrompter::EditProperties(QWidget* parent, const CWidget& widget) {
    std::unique_ptr<CWidget> edited = CopyWidget(widget);
    const std::unique_ptr<CDataDialog> dialog = MakePropertyDialog(*edited, parent);
    if (!dialog || dialog->exec() != QDialog::Accepted)
        return nullptr;
    return edited;
}

namespace {

// A settings record as the dialog D leaves it on OK, or nothing when it was cancelled.
template <class D, class T> std::optional<T> EditCopy(QWidget* parent, const T& settings) {
    T edited = settings;
    D dialog(edited, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return edited;
}

} // namespace

std::optional<CWorkspaceSettings>
CDialogPrompter::EditWorkspaceSettings(QWidget* parent, const CWorkspaceSettings& settings) {
    return EditCopy<CSettingsDlg>(parent, settings);
}

std::optional<CSimulationSettings>
CDialogPrompter::EditSimulationSettings(QWidget* parent, const CSimulationSettings& settings) {
    return EditCopy<CSimulationSettingsDlg>(parent, settings);
}

QDialog* CDialogPrompter::OpenNdlWindow(QWidget* parent, const QString& text,
                                        std::function<std::string()> source) {
    auto* window = new CNDLDisplayDialog(text.toStdString(), std::move(source), parent);
    window->show();
    return window;
}

QString CDialogPrompter::ChooseOpenFile(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), filter);
}

QString CDialogPrompter::ChooseSaveFile(QWidget* parent, const QString& suggested,
                                        const QString& filter) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), suggested, filter);
}

int CDialogPrompter::Exec(QDialog& dialog) {
    return dialog.exec();
}

} // namespace orvane
