#pragma once

#include "editor/SimulationRun.h"
#include "editor/ViewLogic.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvane {

class CDocObserver;
class CNetworkRunner;
class COrvaneDoc;

// What the shell's progress window gives back for one run: the sink the engine reports to (it
// must hand the figures to the GUI thread itself) and, optionally, its own way of stopping the
// run, which also wakes a run it has paused, and of showing that the run ended on an error in
// the network (called on the worker thread, in place of the sink's end).
struct CProgressHookup {
    std::shared_ptr<ProgressSink> sink;
    std::function<void()> cancel;
    std::function<void(const std::string& message)> failed;
};

// Makes the progress window of one run. windowName is the name of the network's window, stop
// the run's own cancel flag and owner keeps it alive; the window calls the runner's
// ClearSimulationRunning when it closes.
using ProgressWindowFactory =
    std::function<CProgressHookup(CNetworkRunner& runner, const std::string& windowName,
                                  std::atomic<bool>* stop, std::shared_ptr<void> owner)>;

// One run as a window starts it.
struct CRunSetup {
    std::string title;      // names the report directory, the reports and the network in them
    std::string windowName; // names the progress window
    std::string ndlText;
    // The NDL file the text was read from, for the messages of a failed run; empty for the text
    // made from a drawing.
    std::string ndlFile;
    bool seeded = false;
    uint64_t seed = 0;
    uint32_t replicas = 1;
};

// The runs of one network window, whether it shows a drawing or an NDL file: where the reports
// go, the progress window, the worker threads and what a run's end means for the document (its
// result viewers read the report again, an error in the network goes to networkErrorFound).
// One run at a time counts as the window's; a cancelled one may still be ending beside it.
class CNetworkRunner : public QObject {
    Q_OBJECT
public:
    // sender is the document's observer that starts the runs (it is not told of its own report
    // path); nullptr when none is.
    CNetworkRunner(COrvaneDoc& doc, CDocObserver* sender);
    // Stops every run and waits for the workers.
    ~CNetworkRunner() override;

    // Installs the shell's progress window; without one, progress goes to statusMessage.
    void SetProgressWindowFactory(ProgressWindowFactory factory);
    // Where report directories go; empty chooses the program's directory when it is writable,
    // otherwise the per-user data directory.
    void SetReportBaseDirectory(const std::string& directory);
    std::string ReportBaseDirectory() const;

    // Writes the bar picture, points the document at the run's HTML report and starts the
    // worker. The caller has checked that no run is going and that the title names a directory.
    void Start(CRunSetup setup);

    bool IsSimulationRunning() const { return m_simulationRunning; }
    // Whether a run is simulating, not finished and not asked to stop.
    bool HasRunInProgress() const;
    // Runs whose worker has not been joined yet (a cancelled run may still be ending).
    int LiveRunCount() const { return static_cast<int>(m_runs.size()); }
    // The parameter block of the most recent run.
    std::shared_ptr<CSimulationParams> LastRunParams() const { return m_lastParams; }

public slots:
    // Stops the current run, as its progress window's Cancel does.
    void CancelSimulation();
    // The progress window has closed: a new run may start.
    void ClearSimulationRunning() { m_simulationRunning = false; }

signals:
    // A line for the status bar (run progress when no progress window is installed).
    void statusMessage(const QString& text);
    void simulationStarted(const QString& htmlReportPath);
    // A run ended on an error in the network; line is what the NDL errors list shows for it.
    // Comes before simulationEnded.
    void networkErrorFound(const QString& line);
    // A run's worker has ended (completed, failed to parse or cancelled).
    void simulationEnded(int runStatus);

private:
    void RunEnded(CSimulationRun* run, int status, const RunFailure& failure);

    COrvaneDoc& m_doc;
    CDocObserver* m_sender;
    // The runs whose worker has not been joined; the current one is the last started.
    std::vector<std::unique_ptr<CSimulationRun>> m_runs;
    std::shared_ptr<CSimulationParams> m_lastParams;
    bool m_simulationRunning = false;
    ProgressWindowFactory m_progressFactory;
    std::string m_reportBase;
};

} // namespace orvane
