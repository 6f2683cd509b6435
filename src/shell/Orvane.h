#pragma once

#include "base/Version.h"

#include <QDialog>
#include <QObject>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace orvane {

class CChildFrame;
class CDocRecord;
class CMainFrame;
class CRecentFileList;
class CPrompter;

// The application: the settings with the recent-file list, the main window, and the document
// commands (New, Open, Save, Save As, Close) with their questions.
class COrvaneApp : public QObject {
    Q_OBJECT
public:
    // settings: where the recent-file list lives; nullptr uses the program's own store
    // ("Orvane"). Not owned.
    explicit COrvaneApp(QSettings* settings = nullptr);
    ~COrvaneApp() override;

    // What the command line asks for.
    struct CommandLine {
        QString file;          // the network to open; empty for a new one
        bool splash = true;    // off with --no-splash and --screenshot
        QString screenshotDir; // --screenshot DIR: a scripted tour that saves pictures
        QString reportDir;     // --reports DIR: where report directories go
        bool ok = true;
        QString error;
    };
    static CommandLine ParseCommandLine(const QStringList& arguments);

    // Start-up: the main window with its bars and splash picture, then a new network or the
    // file named on the command line, then the window shown maximised. False ends start-up.
    bool InitInstance(const CommandLine& commandLine);

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    CRecentFileList& RecentFiles() const { return *m_recent; }
    QSettings& Settings() const { return *m_settings; }

    // File New: an empty network "VLM<n>" in a new window.
    CChildFrame* OnFileNew();
    // File Open: asks for a file, then opens it.
    void OnFileOpen();
    // Opens a network file, or brings its window forward when it is open already; nullptr and a
    // message box when it cannot be read. An NDL file (".ndl") opens as read-only text that
    // Build > Debug checks and Build > Simulate runs.
    CChildFrame* OpenDocumentFile(const QString& path);
    // Recent file n (0-based); a file that cannot be opened leaves the list.
    void OnOpenRecentFile(int index);
    // File Save and Save As on the active window's document.
    bool OnFileSave();
    bool OnFileSaveAs();
    // File Close: the active document with all its windows, after the save question.
    void OnFileClose();
    // Saves a document to its file, or asks for one when it has none or saveAs is set.
    bool DoSave(CDocRecord& doc, bool saveAs);
    // Asks "Save changes to ...?" for a modified document; false when the user cancels or the
    // save fails.
    bool SaveModified(CDocRecord& doc);
    // The question for every open modified document, as Exit asks.
    bool SaveAllModified();
    // Whether a window may close: a network or NDL file window whose run is going asks first,
    // then the last window of a modified document. The window stops its run as it closes.
    bool CanCloseFrame(CChildFrame* frame);
    // For a network or NDL file window whose run is going: "stop it and close?"; true when there
    // is no run or the answer is Yes.
    bool MayStopRun(CChildFrame* frame);

    // The open documents, in the order they were opened.
    std::vector<std::shared_ptr<CDocRecord>> Documents() const;

    // Where the application's own questions, file choices and modal dialogs go; nullptr
    // restores the real dialogs. The prompter must outlive the windows that ask it.
    void SetPrompter(CPrompter* prompter);
    CPrompter& Prompter() const { return *m_prompter; }

    // For tests and the screenshot tour: where views write reports, and the prompter they ask.
    void SetReportBaseDirectory(const std::string& directory);
    const std::string& ReportBaseDirectory() const { return m_reportBase; }
    void SetViewPrompter(CPrompter* prompter);
    CPrompter* ViewPrompter() const { return m_viewPrompter; }

    static constexpr const char* SettingsKey = "Orvane";
    static constexpr const char* FileFilter = "Velmoor Files (*.vlm)";
    static constexpr const char* OpenFilter =
        "Velmoor Files (*.vlm);;NDL Files (*.ndl);;All Files (*)";
    static constexpr int RecentFileCount = 6;

signals:
    void documentOpened(orvane::CChildFrame* frame);

private:
    CChildFrame* CreateNetworkFrame(std::shared_ptr<CDocRecord> doc);
    CChildFrame* OpenNdlFile(const QString& path);
    void Register(const std::shared_ptr<CDocRecord>& doc);

    std::unique_ptr<QSettings> m_ownSettings;
    QSettings* m_settings;
    std::unique_ptr<CRecentFileList> m_recent;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::vector<std::weak_ptr<CDocRecord>> m_documents;
    int m_untitled = 0;
    bool m_closingAll = false;
    std::string m_reportBase;
    CPrompter* m_viewPrompter = nullptr;
    std::unique_ptr<CPrompter> m_ownPrompter;
    CPrompter* m_prompter = nullptr;

    friend class CMainFrame;
};

// The About box: the icon, the version, a picture, credits and OK.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    static constexpr const char* VersionText = "Orvane Version " ORVANE_VERSION;
};

// The title of the application's message boxes.
inline constexpr const char* AppTitle = "Orvane - Velmoor";

// Asked before a network window closes while its run goes on; %1 is the network's title.
inline constexpr const char* StopRunQuestion =
    "The simulation of %1 is running.\nStop it and close?";

} // namespace orvane
