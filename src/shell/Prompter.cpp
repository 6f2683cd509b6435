#include "shell/Prompter.h"

#include <QDialog>
#include <QFileDialog>

namespace orvane {

namespace {
CPrompter* g_installed = nullptr;
} // namespace

CPrompter& CPrompter::Current() {
    static CMessageBoxPrompter boxes;
    return g_installed ? *g_installed : boxes;
}

void CPrompter::Install(CPrompter* prompter) {
    g_installed = prompter;
}

QMessageBox::StandardButton CMessageBoxPrompter::Ask(QWidget* parent, QMessageBox::Icon icon,
                                                     const QString& text,
                                                     QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QString::fromUtf8(AppTitle), text, buttons, parent);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

QString CMessageBoxPrompter::ChooseOpenFile(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), QString(), filter);
}

QString CMessageBoxPrompter::ChooseSaveFile(QWidget* parent, const QString& suggested,
                                            const QString& filter) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("Save As"), suggested, filter);
}

int CMessageBoxPrompter::Exec(QDialog& dialog) {
    return dialog.exec();
}

} // namespace orvane
