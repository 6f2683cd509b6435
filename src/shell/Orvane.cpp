#include "shell/Orvane.h"

#include "editor/NetworkRunner.h"
#include "editor/OrvaneView.h"
#include "editor/Prompter.h"
#include "shell/ChildFrm.h"
#include "shell/DocRecord.h"
#include "shell/MainFrm.h"
#include "shell/RecentFileList.h"
#include "shell/Splash.h"
#include "shell/ToolbarIcons.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QSettings>
#include <QVBoxLayout>

namespace orvane {

COrvaneApp::COrvaneApp(QSettings* settings) {
    if (!settings) {
        m_ownSettings = std::make_unique<QSettings>(QString::fromUtf8(SettingsKey),
                                                    QString::fromUtf8(SettingsKey));
        settings = m_ownSettings.get();
    }
    m_settings = settings;
    m_recent = std::make_unique<CRecentFileList>(*m_settings, RecentFileCount);
    m_ownPrompter = std::make_unique<CDialogPrompter>(QString::fromUtf8(AppTitle));
    m_prompter = m_ownPrompter.get();
}

void COrvaneApp::SetPrompter(CPrompter* prompter) {
    m_prompter = prompter != nullptr ? prompter : m_ownPrompter.get();
}

COrvaneApp::~COrvaneApp() {
    // Windows and their views go before the documents and the settings they use.
    m_mainFrame.reset();
}

COrvaneApp::CommandLine COrvaneApp::ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        const auto value = [&](QString& into) {
            if (i + 1 >= arguments.size()) {
                line.ok = false;
                line.error = QStringLiteral("%1 needs a directory").arg(arg);
                return;
            }
            into = arguments[++i];
        };
        if (arg == QLatin1String("--no-splash")) {
            line.splash = false;
        } else if (arg == QLatin1String("--screenshot")) {
            value(line.screenshotDir);
            line.splash = false;
        } else if (arg == QLatin1String("--reports")) {
            value(line.reportDir);
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            line.ok = false;
            line.error = QStringLiteral("unknown option %1").arg(arg);
        } else if (line.file.isEmpty()) {
            line.file = arg;
        } else {
            line.ok = false;
            line.error = QStringLiteral("only one network file can be named");
        }
    }
    return line;
}

bool COrvaneApp::InitInstance(const CommandLine& line) {
    CSplashWnd::EnableSplashScreen(line.splash);
    if (!line.reportDir.isEmpty())
        m_reportBase = QDir(line.reportDir).absolutePath().toStdString();

    m_mainFrame = std::make_unique<CMainFrame>(*this);
    if (!m_mainFrame->Create()) {
        m_mainFrame.reset();
        return false;
    }
    if (line.file.isEmpty()) {
        OnFileNew();
    } else if (!OpenDocumentFile(line.file)) {
        return false;
    }
    m_mainFrame->showMaximized();
    m_mainFrame->update();
    return true;
}

std::vector<std::shared_ptr<CDocRecord>> COrvaneApp::Documents() const {
    std::vector<std::shared_ptr<CDocRecord>> docs;
    for (const auto& weak : m_documents)
        if (auto doc = weak.lock())
            docs.push_back(doc);
    return docs;
}

CChildFrame* COrvaneApp::CreateNetworkFrame(std::shared_ptr<CDocRecord> doc) {
    if (!m_mainFrame)
        return nullptr;
    Register(doc);
    auto* view = new COrvaneView(doc->Doc());
    view->SetTitle(doc->Title().toStdString());
    if (m_viewPrompter)
        view->SetPrompter(m_viewPrompter);
    if (!m_reportBase.empty())
        view->SetReportBaseDirectory(m_reportBase);
    m_mainFrame->AttachView(view);
    auto* frame = new CChildFrame(std::move(doc), view);
    frame->SetCloseQuery([this](CChildFrame* f) { return CanCloseFrame(f); });
    m_mainFrame->AddFrame(frame);
    view->setFocus();
    emit documentOpened(frame);
    return frame;
}

void COrvaneApp::Register(const std::shared_ptr<CDocRecord>& doc) {
    std::erase_if(m_documents, [](const auto& weak) { return weak.expired(); });
    m_documents.push_back(doc);
}

CChildFrame* COrvaneApp::OpenNdlFile(const QString& path) {
    if (!m_mainFrame)
        return nullptr;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Prompter().Ask(m_mainFrame.get(), QMessageBox::Warning,
                       QStringLiteral("Cannot open %1: %2")
                           .arg(QDir::toNativeSeparators(path), file.errorString()),
                       QMessageBox::Ok);
        return nullptr;
    }
    const QByteArray bytes = file.readAll();
    // The document stays empty: it gives the window its title and a place in the recent list.
    auto empty = std::make_unique<COrvaneDoc>();
    empty->OnNewDocument();
    auto doc = std::make_shared<CDocRecord>(std::move(empty), QString(), path);
    Register(doc);
    auto* text = new QPlainTextEdit(QString::fromUtf8(bytes));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::Monospace);
    text->setFont(font);
    auto* frame = new CChildFrame(doc, text, bytes.toStdString());
    if (!m_reportBase.empty())
        frame->Runner()->SetReportBaseDirectory(m_reportBase);
    m_mainFrame->AttachRunner(*frame->Runner(), nullptr);
    frame->SetCloseQuery([this](CChildFrame* f) { return CanCloseFrame(f); });
    m_mainFrame->AddFrame(frame);
    m_recent->Add(path);
    emit documentOpened(frame);
    return frame;
}

CChildFrame* COrvaneApp::OnFileNew() {
    auto doc = std::make_unique<COrvaneDoc>();
    doc->OnNewDocument();
    const QString title = QStringLiteral("VLM%1").arg(++m_untitled);
    return CreateNetworkFrame(std::make_shared<CDocRecord>(std::move(doc), title));
}

void COrvaneApp::OnFileOpen() {
    const QString path =
        Prompter().ChooseOpenFile(m_mainFrame.get(), QString::fromUtf8(OpenFilter));
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

CChildFrame* COrvaneApp::OpenDocumentFile(const QString& path) {
    const QString full = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    for (const auto& doc : Documents()) {
        if (doc->Path() == full) {
            const QList<CChildFrame*> frames = m_mainFrame->FramesOf(doc.get());
            if (!frames.isEmpty()) {
                m_mainFrame->MdiArea()->setActiveSubWindow(frames.first());
                return frames.first();
            }
        }
    }
    if (QFileInfo(full).suffix().compare(QStringLiteral("ndl"), Qt::CaseInsensitive) == 0)
        return OpenNdlFile(full);
    std::string error;
    std::unique_ptr<COrvaneDoc> loaded = COrvaneDoc::Load(full.toStdString(), error);
    if (!loaded) {
        Prompter().Ask(m_mainFrame.get(), QMessageBox::Warning, QString::fromStdString(error),
                       QMessageBox::Ok);
        return nullptr;
    }
    auto doc = std::make_shared<CDocRecord>(std::move(loaded), QString(), full);
    m_recent->Add(full);
    return CreateNetworkFrame(std::move(doc));
}

void COrvaneApp::OnOpenRecentFile(int index) {
    const QString path = m_recent->Entries().value(index);
    if (path.isEmpty())
        return;
    if (!OpenDocumentFile(path))
        m_recent->Remove(path);
}

bool COrvaneApp::OnFileSave() {
    CChildFrame* frame = m_mainFrame->ActiveChild();
    return frame && DoSave(*frame->Document(), false);
}

bool COrvaneApp::OnFileSaveAs() {
    CChildFrame* frame = m_mainFrame->ActiveChild();
    return frame && DoSave(*frame->Document(), true);
}

bool COrvaneApp::DoSave(CDocRecord& doc, bool saveAs) {
    // An NDL file's window has nothing to save, and its path must never receive a drawing.
    for (CChildFrame* frame : m_mainFrame->FramesOf(&doc))
        if (frame->GetKind() == CChildFrame::Kind::Text)
            return false;
    QString path = doc.Path();
    if (saveAs || path.isEmpty()) {
        const QString suggested = path.isEmpty() ? doc.Title() + QStringLiteral(".vlm") : path;
        path =
            Prompter().ChooseSaveFile(m_mainFrame.get(), suggested, QString::fromUtf8(FileFilter));
        if (path.isEmpty())
            return false;
        if (QFileInfo(path).suffix().isEmpty())
            path += QStringLiteral(".vlm");
    }
    std::string error;
    if (!doc.Doc().Save(path.toStdString(), error)) {
        Prompter().Ask(m_mainFrame.get(), QMessageBox::Warning, QString::fromStdString(error),
                       QMessageBox::Ok);
        return false;
    }
    doc.SetPath(path);
    for (CChildFrame* frame : m_mainFrame->FramesOf(&doc))
        if (COrvaneView* view = frame->NetworkView())
            view->DocumentSaved();
    m_recent->Add(doc.Path());
    m_mainFrame->UpdateTitles();
    return true;
}

bool COrvaneApp::SaveModified(CDocRecord& doc) {
    if (!doc.Doc().IsModified())
        return true;
    const auto answer = Prompter().Ask(m_mainFrame.get(), QMessageBox::Warning,
                                       QStringLiteral("Save changes to %1?").arg(doc.DisplayName()),
                                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    if (answer == QMessageBox::No)
        return true;
    return DoSave(doc, false);
}

bool COrvaneApp::SaveAllModified() {
    for (const auto& doc : Documents())
        if (!SaveModified(*doc))
            return false;
    return true;
}

bool COrvaneApp::MayStopRun(CChildFrame* frame) {
    const CNetworkRunner* runner = frame->Runner();
    if (!runner || !runner->HasRunInProgress())
        return true;
    const QString question = QString::fromUtf8(StopRunQuestion).arg(frame->Document()->Title());
    return Prompter().Ask(m_mainFrame.get(), QMessageBox::Question, question,
                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool COrvaneApp::CanCloseFrame(CChildFrame* frame) {
    if (m_closingAll)
        return true;
    if (!MayStopRun(frame))
        return false;
    // Another window on the same document keeps it open.
    if (m_mainFrame->FramesOf(frame->Document().get()).size() > 1)
        return true;
    return SaveModified(*frame->Document());
}

void COrvaneApp::OnFileClose() {
    CChildFrame* active = m_mainFrame->ActiveChild();
    if (!active)
        return;
    const std::shared_ptr<CDocRecord> doc = active->Document();
    for (CChildFrame* frame : m_mainFrame->FramesOf(doc.get()))
        if (!MayStopRun(frame))
            return;
    if (!SaveModified(*doc))
        return;
    m_closingAll = true;
    for (CChildFrame* frame : m_mainFrame->FramesOf(doc.get()))
        frame->close();
    m_closingAll = false;
}

void COrvaneApp::SetReportBaseDirectory(const std::string& directory) {
    m_reportBase = directory;
    if (!m_mainFrame)
        return;
    for (CChildFrame* frame : m_mainFrame->Frames())
        if (CNetworkRunner* runner = frame->Runner())
            runner->SetReportBaseDirectory(directory);
}

void COrvaneApp::SetViewPrompter(CPrompter* prompter) {
    m_viewPrompter = prompter;
    if (!m_mainFrame)
        return;
    for (CChildFrame* frame : m_mainFrame->Frames())
        if (COrvaneView* view = frame->NetworkView())
            view->SetPrompter(prompter);
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Orvane"));
    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(MakeProgramIcon().pixmap(32, 32));
    top->addWidget(icon);
    auto* version = new QLabel(QString::fromUtf8(VersionText));
    version->setObjectName(QStringLiteral("Version"));
    top->addWidget(version, 1);
    layout->addLayout(top);

    auto* picture = new QLabel;
    picture->setPixmap(MakeSplashPicture().scaledToWidth(300, Qt::SmoothTransformation));
    layout->addWidget(picture);

    auto* credits = new QLabel(
        QStringLiteral("Reliability of power distribution networks by time-stepped Monte Carlo "
                       "simulation: draw the network, check it, simulate it, read the report."));
    credits->setWordWrap(true);
    layout->addWidget(credits);
    auto* thanks = new QLabel(
        QStringLiteral("Built with Qt. Thanks to the planning engineers whose feeders, fuses "
                       "and reclosers shaped its model."));
    thanks->setWordWrap(true);
    layout->addWidget(thanks);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace orvane
