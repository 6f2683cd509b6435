#include "shell/SimulationProgressDlgThread.h"

#include "shell/SimulationProgressDlg.h"

namespace orvane {

std::shared_ptr<CSimulationProgressDlgThread>
CSimulationProgressDlgThread::Create(std::atomic<bool>* stop, std::shared_ptr<void> owner,
                                     std::shared_ptr<Clock> clock) {
    if (!clock)
        clock = std::make_shared<SteadyClock>();
    // The last share may go on the simulation thread; a QObject is deleted on its own thread.
    return std::shared_ptr<CSimulationProgressDlgThread>(
        new CSimulationProgressDlgThread(stop, std::move(owner), std::move(clock)),
        [](CSimulationProgressDlgThread* sink) { sink->deleteLater(); });
}

CSimulationProgressDlgThread::CSimulationProgressDlgThread(std::atomic<bool>* stop,
                                                           std::shared_ptr<void> owner,
                                                           std::shared_ptr<Clock> clock)
    : m_stop(stop), m_owner(std::move(owner)), m_clock(std::move(clock)) {}

CSimulationProgressDlgThread::~CSimulationProgressDlgThread() = default;

void CSimulationProgressDlgThread::Start(const std::shared_ptr<CSimulationProgressDlgThread>& self,
                                         CPrompter& prompter, QWidget* parent) {
    m_dialog = new CSimulationProgressDlg(self, prompter, parent);
    connect(m_dialog, &QObject::destroyed, this, [this] { m_dialog = nullptr; });
    m_dialog->show();
}

CSimulationProgressDlg* CSimulationProgressDlgThread::Dialog() const {
    return m_dialog;
}

void CSimulationProgressDlgThread::Pause() {
    std::lock_guard lock(m_mutex);
    m_paused = true;
}

void CSimulationProgressDlgThread::Resume() {
    {
        std::lock_guard lock(m_mutex);
        m_paused = false;
    }
    m_wake.notify_all();
}

void CSimulationProgressDlgThread::Cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_stop->store(true);
        m_paused = false;
    }
    m_wake.notify_all();
}

bool CSimulationProgressDlgThread::IsPaused() const {
    std::lock_guard lock(m_mutex);
    return m_paused;
}

void CSimulationProgressDlgThread::PauseAtYear(uint32_t year) {
    std::lock_guard lock(m_mutex);
    m_pauseAt = year;
}

bool CSimulationProgressDlgThread::IsStopRequested() const {
    return m_stop->load();
}

void CSimulationProgressDlgThread::ShowSpeed(double yearsPerSecond) {
    m_figures.speed = yearsPerSecond;
    m_pending |= Speed;
}

void CSimulationProgressDlgThread::ShowYear(uint32_t year) {
    m_figures.year = year;
    m_pending |= Year;
}

void CSimulationProgressDlgThread::ShowElapsed(uint32_t minutes, uint32_t seconds) {
    m_figures.minutes = minutes;
    m_figures.seconds = seconds;
    m_pending |= Elapsed;
}

void CSimulationProgressDlgThread::ShowRemaining(int32_t yearsLeft, double yearsPerSecond) {
    m_figures.yearsLeft = yearsLeft;
    m_figures.remainingSpeed = yearsPerSecond;
    m_pending |= Remaining;
}

void CSimulationProgressDlgThread::ShowProgress(uint32_t year, uint32_t yearMax) {
    m_figures.progressYear = year;
    m_figures.yearMax = yearMax;
    m_pending |= Progress;
    const uint32_t now = m_clock->TickCount();
    // Unsigned difference: the tick count wraps.
    if (!m_forwarded || now - m_lastForward >= ForwardIntervalMs || year == yearMax)
        Forward(now);
    {
        std::lock_guard lock(m_mutex);
        if (m_pauseAt != 0 && year >= m_pauseAt) {
            m_pauseAt = 0;
            m_paused = true;
        }
        if (!m_paused)
            return;
    }
    // A paused window shows the year the run waits at.
    Forward(now);
    emit pausedAtYear(year);
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_paused || m_stop->load(); });
}

void CSimulationProgressDlgThread::ShowNote(const std::string& note) {
    Forward(m_clock->TickCount());
    emit noted(QString::fromStdString(note));
}

void CSimulationProgressDlgThread::ShowCompleted() {
    // The window ends on the last year, whenever the one before went.
    Forward(m_clock->TickCount());
    emit completed();
}

void CSimulationProgressDlgThread::ShowFailed(const std::string& message) {
    Forward(m_clock->TickCount());
    emit failed(QString::fromStdString(message));
}

void CSimulationProgressDlgThread::Forward(uint32_t now) {
    if (m_pending == 0)
        return;
    const Figures& f = m_figures;
    if (m_pending & Speed)
        emit speedShown(f.speed);
    if (m_pending & Year)
        emit yearShown(f.year);
    if (m_pending & Elapsed)
        emit elapsedShown(f.minutes, f.seconds);
    if (m_pending & Remaining)
        emit remainingShown(f.yearsLeft, f.remainingSpeed);
    if (m_pending & Progress)
        emit progressShown(f.progressYear, f.yearMax);
    m_pending = 0;
    m_forwarded = true;
    m_lastForward = now;
}

} // namespace orvane
