#include "shell/SimulationProgressDlgThread.h"

#include "shell/SimulationProgressDlg.h"

namespace orvane {

std::shared_ptr<CSimulationProgressDlgThread>
CSimulationProgressDlgThread::Create(std::atomic<bool>* stop, std::shared_ptr<void> owner) {
    // The last share may go on the simulation thread; a QObject is deleted on its own thread.
    return std::shared_ptr<CSimulationProgressDlgThread>(
        new CSimulationProgressDlgThread(stop, std::move(owner)),
        [](CSimulationProgressDlgThread* sink) { sink->deleteLater(); });
}

CSimulationProgressDlgThread::CSimulationProgressDlgThread(std::atomic<bool>* stop,
                                                           std::shared_ptr<void> owner)
    : m_stop(stop), m_owner(std::move(owner)) {}

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
    emit speedShown(yearsPerSecond);
}

void CSimulationProgressDlgThread::ShowYear(uint32_t year) {
    emit yearShown(year);
}

void CSimulationProgressDlgThread::ShowElapsed(uint32_t minutes, uint32_t seconds) {
    emit elapsedShown(minutes, seconds);
}

void CSimulationProgressDlgThread::ShowRemaining(int32_t yearsLeft, double yearsPerSecond) {
    emit remainingShown(yearsLeft, yearsPerSecond);
}

void CSimulationProgressDlgThread::ShowProgress(uint32_t year, uint32_t yearMax) {
    emit progressShown(year, yearMax);
    {
        std::lock_guard lock(m_mutex);
        if (m_pauseAt != 0 && year >= m_pauseAt) {
            m_pauseAt = 0;
            m_paused = true;
        }
        if (!m_paused)
            return;
    }
    emit pausedAtYear(year);
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_paused || m_stop->load(); });
}

void CSimulationProgressDlgThread::ShowNote(const std::string& note) {
    emit noted(QString::fromStdString(note));
}

void CSimulationProgressDlgThread::ShowCompleted() {
    emit completed();
}

} // namespace orvane
