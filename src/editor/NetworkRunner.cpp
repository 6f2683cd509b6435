#include "editor/NetworkRunner.h"

#include "model/OrvaneDoc.h"
#include "run/BarImage.h"
#include "run/ReportPaths.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace orvane {

namespace {

// Progress of a run when no progress window is installed: status-bar lines, handed to the GUI
// thread. Only the first year, the year limit and at most ten years a second get a line: one
// per year of a fast run would flood the GUI thread.
class CStatusProgressSink : public ProgressSink {
public:
    explicit CStatusProgressSink(CNetworkRunner* runner) : m_runner(runner) {}

    void ShowSpeed(double yearsPerSecond) override { m_speed = yearsPerSecond; }
    void ShowYear(uint32_t) override {}
    void ShowElapsed(uint32_t, uint32_t) override {}
    void ShowRemaining(int32_t, double) override {}
    void ShowProgress(uint32_t year, uint32_t yearMax) override {
        const auto now = std::chrono::steady_clock::now();
        if (m_posted && now - m_lastPost < std::chrono::milliseconds(100) && year != yearMax)
            return;
        m_posted = true;
        m_lastPost = now;
        Post(QString::fromStdString(ProgressStatusText(year, yearMax, m_speed)));
    }
    void ShowNote(const std::string& note) override { m_note = QString::fromStdString(note); }
    void ShowCompleted() override {
        Post(m_note.isEmpty() ? QStringLiteral("Simulation completed.")
                              : QStringLiteral("Simulation completed. ") + m_note);
    }

private:
    void Post(const QString& text) {
        CNetworkRunner* runner = m_runner;
        QMetaObject::invokeMethod(
            runner, [runner, text] { emit runner->statusMessage(text); }, Qt::QueuedConnection);
    }

    CNetworkRunner* m_runner; // outlives the run: the runner joins its workers before it goes
    double m_speed = 0.0;
    QString m_note;
    bool m_posted = false;
    std::chrono::steady_clock::time_point m_lastPost;
};

} // namespace

CNetworkRunner::CNetworkRunner(COrvaneDoc& doc, CDocObserver* sender)
    : m_doc(doc), m_sender(sender) {}

CNetworkRunner::~CNetworkRunner() {
    // Workers post back to this runner, so they end before any of it goes.
    for (auto& run : m_runs)
        run->RequestStop();
    m_runs.clear();
}

void CNetworkRunner::SetProgressWindowFactory(ProgressWindowFactory factory) {
    m_progressFactory = std::move(factory);
}

void CNetworkRunner::SetReportBaseDirectory(const std::string& directory) {
    m_reportBase = directory;
}

std::string CNetworkRunner::ReportBaseDirectory() const {
    if (!m_reportBase.empty())
        return m_reportBase;
    const QString programDir = QCoreApplication::applicationDirPath();
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return ChooseReportBase(programDir.toStdString(), QFileInfo(programDir).isWritable(),
                            userDir.toStdString());
}

void CNetworkRunner::Start(CRunSetup setup) {
    auto params = std::make_shared<CSimulationParams>();
    CProgressHookup hookup;
    if (m_progressFactory)
        hookup = m_progressFactory(*this, setup.windowName, &params->m_stop, params);
    if (!hookup.sink)
        hookup.sink = std::make_shared<CStatusProgressSink>(this);
    m_simulationRunning = true;

    // Failures here are not checked twice: a run that cannot write its reports says so at its
    // end, through the progress window, and leaves the previous reports as they were.
    const ReportPaths paths = MakeReportPaths(ReportBaseDirectory(), setup.title);
    std::error_code ignored;
    std::filesystem::create_directories(paths.directory, ignored);
    std::string barFailure;
    WriteBarImage(paths.barImage, barFailure);
    m_doc.SetResultPath(m_sender, paths.html);

    params->m_networkName = std::move(setup.title);
    params->m_textReportPath = paths.text;
    params->m_htmlReportPath = paths.html;
    params->m_ndlText = std::move(setup.ndlText);
    params->m_ndlFile = std::move(setup.ndlFile);
    params->m_seeded = setup.seeded;
    params->m_seed = setup.seed;
    params->m_replicas = setup.replicas;
    auto run = std::make_unique<CSimulationRun>(params, hookup.sink, hookup.cancel, hookup.failed);
    CSimulationRun* raw = run.get();
    m_runs.push_back(std::move(run));
    m_lastParams = params;
    raw->Start([this, raw, params](const RunResult& result) {
        const int status = static_cast<int>(result.status);
        const RunFailure failure = DescribeRunFailure(result, params->m_ndlText, params->m_ndlFile);
        QMetaObject::invokeMethod(
            this, [this, raw, status, failure] { RunEnded(raw, status, failure); },
            Qt::QueuedConnection);
    });
    emit simulationStarted(QString::fromStdString(paths.html));
}

void CNetworkRunner::RunEnded(CSimulationRun* run, int status, const RunFailure& failure) {
    const auto it =
        std::find_if(m_runs.begin(), m_runs.end(), [run](const auto& r) { return r.get() == run; });
    if (it == m_runs.end())
        return;
    const bool current = (*it)->Params() == m_lastParams;
    const std::string html = (*it)->Params()->m_htmlReportPath;
    (*it)->Join();
    m_runs.erase(it);
    // A progress window clears the flag when it closes; without one the run's end does.
    if (current && !m_progressFactory)
        m_simulationRunning = false;
    if (!failure.message.empty() && !m_progressFactory)
        emit statusMessage(QString::fromStdString(failure.message).replace('\n', ' '));
    if (!failure.errorsLine.empty())
        emit networkErrorFound(QString::fromStdString(failure.errorsLine));
    // A result viewer showed the report as it was when the run began; these runs replaced it.
    const auto ended = static_cast<RunStatus>(status);
    if (ended != RunStatus::Cancelled && ended != RunStatus::WriteFailed)
        m_doc.NotifyViews(m_sender, html);
    emit simulationEnded(status);
}

bool CNetworkRunner::HasRunInProgress() const {
    return std::any_of(m_runs.begin(), m_runs.end(),
                       [](const auto& run) { return !run->HasEnded() && !run->IsStopRequested(); });
}

void CNetworkRunner::CancelSimulation() {
    for (auto& run : m_runs)
        if (run->Params() == m_lastParams)
            run->RequestStop();
    m_simulationRunning = false;
}

} // namespace orvane
