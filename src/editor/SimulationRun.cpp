#include "editor/SimulationRun.h"

#include "base/Clock.h"

#include <filesystem>
#include <utility>

namespace orvane {

CSimulationRun::CSimulationRun(std::shared_ptr<CSimulationParams> params,
                               std::shared_ptr<ProgressSink> progress,
                               std::function<void()> cancelFromWindow)
    : m_params(std::move(params)), m_progress(std::move(progress)),
      m_cancelFromWindow(std::move(cancelFromWindow)) {}

CSimulationRun::~CSimulationRun() {
    if (m_thread.joinable()) {
        RequestStop();
        m_thread.join();
    }
}

void CSimulationRun::Start(std::function<void(const RunResult&)> onEnd) {
    m_thread = std::thread([this, onEnd = std::move(onEnd)] {
        SteadyClock clock;
        RunRequest request;
        request.ndlText = m_params->m_ndlText;
        request.networkName = m_params->m_networkName;
        request.textPath = m_params->m_textReportPath;
        request.htmlPath = m_params->m_htmlReportPath;
        // The report links to itself by file name, so that it can be moved or copied whole.
        request.linkPath = std::filesystem::path(request.htmlPath).filename().string();
        request.cancel = &m_params->m_stop;
        request.progress = m_progress.get();
        Simulator simulator(clock);
        const RunResult result = simulator.Run(request);
        m_ended = true;
        if (onEnd)
            onEnd(result);
    });
}

void CSimulationRun::RequestStop() {
    // The window's own cancel also wakes a run it has paused; without one the flag is enough.
    if (m_cancelFromWindow)
        m_cancelFromWindow();
    m_params->m_stop = true;
}

void CSimulationRun::Join() {
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace orvane
