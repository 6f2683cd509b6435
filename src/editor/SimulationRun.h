#pragma once

#include "base/ProgressSink.h"
#include "run/Simulator.h"

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace orvane {

// The block handed to one run's worker thread. Every run gets a block of its own, so that a new
// run can never reset the stop request of one that is still ending.
struct CSimulationParams {
    std::atomic<bool> m_stop{false}; // the cancel flag the engine reads once per simulated year
    std::string m_networkName;
    std::string m_textReportPath;
    std::string m_htmlReportPath;
    // The NDL text made before the worker started; the document may be edited meanwhile.
    std::string m_ndlText;
    // The NDL file the text was read from; empty for the text made from a drawing.
    std::string m_ndlFile;
    // Seeded replicas, on all the machine's cores, or the one default sequence.
    bool m_seeded = false;
    uint64_t m_seed = 0;
    uint32_t m_replicas = 1;
};

// One simulation on a worker thread of its own. The worker reads the parameter block once,
// calls Simulator::Run and then `onEnd` (on the worker thread). The progress sink is shared with
// whoever shows it and kept alive until the worker has ended.
//
// The sink hears the end of the run (ShowNote, ShowCompleted) only once the run's status is
// known: a run that ends on an error in the network calls `failed` with the message for the
// user instead (on the worker thread), so that it is never shown as completed.
class CSimulationRun {
public:
    CSimulationRun(std::shared_ptr<CSimulationParams> params,
                   std::shared_ptr<ProgressSink> progress,
                   std::function<void()> cancelFromWindow = {},
                   std::function<void(const std::string&)> failed = {});
    // Stops the run and waits for the worker.
    ~CSimulationRun();
    CSimulationRun(const CSimulationRun&) = delete;
    CSimulationRun& operator=(const CSimulationRun&) = delete;

    void Start(std::function<void(const RunResult&)> onEnd);
    // Asks the worker to stop before its next simulated year (also waking a paused run).
    void RequestStop();
    bool IsStopRequested() const { return m_params->m_stop.load(); }
    bool HasEnded() const { return m_ended.load(); }
    void Join();

    const std::shared_ptr<CSimulationParams>& Params() const { return m_params; }

private:
    std::shared_ptr<CSimulationParams> m_params;
    std::shared_ptr<ProgressSink> m_progress;
    std::function<void()> m_cancelFromWindow;
    std::function<void(const std::string&)> m_failed;
    std::thread m_thread;
    std::atomic<bool> m_ended{false};
};

} // namespace orvane
