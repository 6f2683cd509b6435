#pragma once

#include "editor/Prompter.h"
#include "model/SimulationSettings.h"
#include "model/WidgetVisit.h"
#include "model/WorkspaceSettings.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Failures show a QString as its text.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace orvane::test {

// The one application object of a test program, on the offscreen platform.
inline QApplication& GuiApp() {
    static int argc = 1;
    static char name[] = "orvane_gui_test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Runs the event loop, deferred deletions included, until pred holds or the time is up.
template <class Pred> bool WaitFor(Pred pred, int timeoutMs = 20000) {
    QElapsedTimer timer;
    timer.start();
    while (!pred()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
    return true;
}

// Lets posted events and deferred deletions happen.
inline void Settle() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// One message box as the program asked it.
struct Asked {
    QMessageBox::Icon icon;
    QString text;
    QMessageBox::StandardButtons buttons;
};

// The texts of the message boxes asked, in order.
inline QStringList Texts(const std::vector<Asked>& asked) {
    QStringList texts;
    for (const Asked& a : asked)
        texts << a.text;
    return texts;
}

// Answers the program's questions without windows and records what happened: message boxes
// take the queued answers, then yesNoAnswer or OK; property and settings dialogs do what the
// test says (property dialogs accept unchanged unless told), NDL windows are plain dialogs, file
// choices give the file set and modal dialogs are rejected after onExec has seen them.
class FakePrompter : public CPrompter {
public:
    std::vector<Asked> asked;
    std::vector<QMessageBox::StandardButton> answers;
    QMessageBox::StandardButton yesNoAnswer = QMessageBox::Yes;
    std::vector<const CWidget*> edited;
    std::function<void(CWidget&)> properties = [](CWidget&) {};
    std::function<bool(CWorkspaceSettings&)> workspace = [](CWorkspaceSettings&) { return false; };
    std::function<bool(CSimulationSettings&)> simulation = [](CSimulationSettings&) {
        return false;
    };
    std::vector<QString> ndlTexts;
    std::vector<std::function<std::string()>> ndlSources;
    std::vector<QPointer<QDialog>> ndlWindows;
    QString openFile, saveFile;
    std::vector<QString> suggestions, filters, dialogs;
    std::function<void(QDialog&)> onExec;

    QMessageBox::StandardButton Ask(QWidget*, QMessageBox::Icon icon, const QString& text,
                                    QMessageBox::StandardButtons buttons) override {
        asked.push_back({icon, text, buttons});
        if (!answers.empty()) {
            const auto answer = answers.front();
            answers.erase(answers.begin());
            return answer;
        }
        return buttons.testFlag(QMessageBox::Yes) ? yesNoAnswer : QMessageBox::Ok;
    }
    std::unique_ptr<CWidget> EditProperties(QWidget*, const CWidget& widget) override {
        edited.push_back(&widget);
        std::unique_ptr<CWidget> copy = CopyWidget(widget);
        properties(*copy);
        return copy;
    }
    std::optional<CWorkspaceSettings> EditWorkspaceSettings(QWidget*,
                                                            const CWorkspaceSettings& s) override {
        return Edited(s, workspace);
    }
    std::optional<CSimulationSettings>
    EditSimulationSettings(QWidget*, const CSimulationSettings& s) override {
        return Edited(s, simulation);
    }
    QDialog* OpenNdlWindow(QWidget* parent, const QString& text,
                           std::function<std::string()> source) override {
        ndlTexts.push_back(text);
        ndlSources.push_back(std::move(source));
        return ndlWindows.emplace_back(new QDialog(parent));
    }
    QString ChooseOpenFile(QWidget*, const QString& filter) override {
        filters.push_back(filter);
        return openFile;
    }
    QString ChooseSaveFile(QWidget*, const QString& suggested, const QString& filter) override {
        suggestions.push_back(suggested);
        filters.push_back(filter);
        return saveFile;
    }
    int Exec(QDialog& dialog) override {
        dialogs.push_back(dialog.windowTitle());
        if (onExec)
            onExec(dialog);
        return QDialog::Rejected;
    }

private:
    template <class T, class F> static std::optional<T> Edited(const T& current, const F& dialog) {
        T edited = current;
        if (!dialog(edited))
            return std::nullopt;
        return edited;
    }
};

} // namespace orvane::test
