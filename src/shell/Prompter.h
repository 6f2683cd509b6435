#pragma once

#include <QMessageBox>
#include <QString>

class QDialog;
class QWidget;

namespace orvane {

// Every question, file choice and modal dialog of the shell goes through one of these, so that
// a test can answer them without a modal loop.
class CPrompter {
public:
    virtual ~CPrompter() = default;
    // Shows text with the icon and buttons and returns the button chosen.
    virtual QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon,
                                            const QString& text,
                                            QMessageBox::StandardButtons buttons) = 0;
    // The file to open, or empty when cancelled.
    virtual QString ChooseOpenFile(QWidget* parent, const QString& filter) = 0;
    // The file to save to, starting from `suggested`, or empty when cancelled.
    virtual QString ChooseSaveFile(QWidget* parent, const QString& suggested,
                                   const QString& filter) = 0;
    // Runs a modal dialog (About, print, print preview, page setup) and returns its result.
    virtual int Exec(QDialog& dialog) = 0;

    // The prompter in use; the real dialogs unless a test installed its own.
    static CPrompter& Current();
    // Installs a prompter (not owned); nullptr restores the real dialogs.
    static void Install(CPrompter* prompter);
};

// The real thing: modal message boxes titled with the application title, and file dialogs.
class CMessageBoxPrompter : public CPrompter {
public:
    QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons) override;
    QString ChooseOpenFile(QWidget* parent, const QString& filter) override;
    QString ChooseSaveFile(QWidget* parent, const QString& suggested,
                           const QString& filter) override;
    int Exec(QDialog& dialog) override;
};

// The title of every message box.
inline constexpr const char* AppTitle = "Orvane - Velmoor";

} // namespace orvane
