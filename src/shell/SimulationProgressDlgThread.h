#pragma once

#include "base/ProgressSink.h"

#include <QObject>

class QWidget;

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

namespace orvane {

class CPrompter;
class CSimulationProgressDlg;

// The progress sink of one run. The engine calls it on the simulation thread; it forwards every
// call to the "Simulating..." window on the GUI thread by queued signals, and it is where the
// simulation thread waits while the run is paused.
//
// Make it with Create: it is shared by the window and the simulation thread, and whichever lets
// go last has it deleted on the GUI thread.
class CSimulationProgressDlgThread : public QObject, public ProgressSink {
    Q_OBJECT
public:
    // stop is this run's cancel flag; owner keeps whatever holds it alive as long as the sink.
    // The window is made at once (no parent), shown by Start.
    static std::shared_ptr<CSimulationProgressDlgThread> Create(std::atomic<bool>* stop,
                                                                std::shared_ptr<void> owner = {});
    ~CSimulationProgressDlgThread() override;

    // Shows the window (over parent, when given), asking its questions through prompter; it
    // takes a share of the sink, so the sink outlives it.
    void Start(const std::shared_ptr<CSimulationProgressDlgThread>& self, CPrompter& prompter,
               QWidget* parent = nullptr);
    // The window, or nullptr once it has closed.
    CSimulationProgressDlg* Dialog() const;

    // Called on the GUI thread by the window's buttons.
    void Pause();
    void Resume();
    // Sets the stop flag and wakes a paused run, so that it sees the request and ends.
    void Cancel();
    bool IsPaused() const;
    bool IsStopRequested() const;
    // Pauses the run by itself when it reaches the year (for pictures of a run under way).
    void PauseAtYear(uint32_t year);

    // ProgressSink, on the simulation thread.
    void ShowSpeed(double yearsPerSecond) override;
    void ShowYear(uint32_t year) override;
    void ShowElapsed(uint32_t minutes, uint32_t seconds) override;
    void ShowRemaining(int32_t yearsLeft, double yearsPerSecond) override;
    // Also the pause point: a paused run waits here, once per simulated year.
    void ShowProgress(uint32_t year, uint32_t yearMax) override;
    void ShowNote(const std::string& note) override;
    void ShowCompleted() override;

signals:
    void speedShown(double yearsPerSecond);
    void yearShown(uint year);
    void elapsedShown(uint minutes, uint seconds);
    void remainingShown(int yearsLeft, double yearsPerSecond);
    void progressShown(uint year, uint yearMax);
    void noted(const QString& note);
    void completed();
    // The simulation thread is waiting in ShowProgress (for tests and the window's state).
    void pausedAtYear(uint year);

private:
    CSimulationProgressDlgThread(std::atomic<bool>* stop, std::shared_ptr<void> owner);

    std::atomic<bool>* m_stop;
    std::shared_ptr<void> m_owner;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_paused = false;
    uint32_t m_pauseAt = 0;                     // 0: never
    CSimulationProgressDlg* m_dialog = nullptr; // GUI thread only
};

} // namespace orvane
