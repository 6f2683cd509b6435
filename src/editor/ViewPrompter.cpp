#include "editor/ViewPrompter.h"

#include "editor/NDLDisplayDialog.h"
#include "editor/PropertyDialog.h"
#include "editor/SettingsDlg.h"
#include "editor/SimulationSettingsDlg.h"

#include <QGuiApplication>

namespace orvane {

QMessageBox::StandardButton CDialogPrompter::Ask(QWidget* parent, QMessageBox::Icon icon,
                                                 const QString& text,
                                                 QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QGuiApplication::applicationDisplayName(), text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool CDialogPrompter::EditProperties(QWidget* parent, CWidget& widget) {
    const std::unique_ptr<CDataDialog> dialog = MakePropertyDialog(widget, parent);
    return dialog && dialog->exec() == QDialog::Accepted;
}

bool CDialogPrompter::EditWorkspaceSettings(QWidget* parent, COrvaneDoc& doc) {
    CSettingsDlg dialog(doc, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool CDialogPrompter::EditSimulationSettings(QWidget* parent, CSimulationSettings& settings) {
    CSimulationSettingsDlg dialog(settings, parent);
    return dialog.exec() == QDialog::Accepted;
}

QDialog* CDialogPrompter::OpenNdlWindow(QWidget* parent, const QString& text,
                                        std::function<std::string()> source) {
    auto* window = new CNDLDisplayDialog(text.toStdString(), std::move(source), parent);
    window->show();
    return window;
}

} // namespace orvane
