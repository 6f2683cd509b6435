#include "editor/SimulationRun.h"

#include "base/Clock.h"
#include "editor/ViewLogic.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

namespace orvane {

namespace {

// Passes each year's figures on at once (the pause point among them) and keeps the end of the
// run until Release.
class CHeldEndSink : public ProgressSink {
public:
    explicit CHeldEndSink(ProgressSink& sink) : m_sink(sink) {}

    void ShowSpeed(double yearsPerSecond) override { m_sink.ShowSpeed(yearsPerSecond); }
    void ShowYear(uint32_t year) override { m_sink.ShowYear(year); }
    void ShowElapsed(uint32_t minutes, uint32_t seconds) override {
        m_sink.ShowElapsed(minutes, seconds);
    }
    void ShowRemaining(int32_t yearsLeft, double yearsPerSecond) override {
        m_sink.ShowRemaining(yearsLeft, yearsPerSecond);
    }
    void ShowProgress(uint32_t year, uint32_t yearMax) override {
        m_sink.ShowProgress(year, yearMax);
    }
    void ShowNote(const std::string& note) override { m_note = note; }
    void ShowCompleted() override { m_completed = true; }

    void Release() {
        if (!m_note.empty())
            m_sink.ShowNote(m_note);
        if (m_completed)
            m_sink.ShowCompleted();
    }

private:
    ProgressSink& m_sink;
    std::string m_note;
    bool m_completed = false;
};

} // namespace

CSimulationRun::CSimulationRun(std::shared_ptr<CSimulationParams> params,
                               std::shared_ptr<ProgressSink> progress,
                               std::function<void()> cancelFromWindow,
                               std::function<void(const std::string&)> failed)
    : m_params(std::move(params)), m_progress(std::move(progress)),
      m_cancelFromWindow(std::move(cancelFromWindow)), m_failed(std::move(failed)) {}

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
        request.seeded = m_params->m_seeded;
        request.replication = Replication{m_params->m_seed,
                                          m_params->m_replicas,
                                          std::max(1u, std::thread::hardware_concurrency()),
                                          {}};
        std::optional<CHeldEndSink> held;
        if (m_progress)
            request.progress = &held.emplace(*m_progress);
        Simulator simulator(clock);
        const RunResult result = simulator.Run(request);
        const RunFailure failure =
            DescribeRunFailure(result, m_params->m_ndlText, m_params->m_ndlFile);
        if (!failure.message.empty()) {
            if (m_failed)
                m_failed(failure.message);
        } else if (held) {
            held->Release();
        }
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
