#pragma once

#include "base/Clock.h"
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

// The progress sink of one run. The engine calls it on the simulation thread, once per year; it
// forwards the figures to the "Simulating..." window on the GUI thread by queued signals, and it
// is where the simulation thread waits while the run is paused.
//
// A fast run makes hundreds of thousands of years a second, far more than the GUI thread can
// take in, so a year's figures go to the window only when they are the first, ForwardIntervalMs
// have passed since the last ones went, the run reaches its year limit or pauses, or the run
// ends (ShowNote, ShowCompleted). The figures that go are always all from the same year.
//
// Make it with Create: it is shared by the window and the simulation thread, and whichever lets
// go last has it deleted on the GUI thread.
class CSimulationProgressDlgThread : public QObject, public ProgressSink {
    Q_OBJECT
public:
    // Milliseconds between two years' figures sent to the window, the run's end aside.
    static constexpr uint32_t ForwardIntervalMs = 100;

    // stop is this run's cancel flag; owner keeps whatever holds it alive as long as the sink.
    // The window is made at once (no parent), shown by Start. clock paces the figures sent to
    // the window (the steady clock when not given).
    static std::shared_ptr<CSimulationProgressDlgThread> Create(std::atomic<bool>* stop,
                                                                std::shared_ptr<void> owner = {},
                                                                std::shared_ptr<Clock> clock = {});
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
    // In place of ShowCompleted: the run ended on an error in the network (simulation thread).
    void ShowFailed(const std::string& message);

signals:
    void speedShown(double yearsPerSecond);
    void yearShown(uint year);
    void elapsedShown(uint minutes, uint seconds);
    void remainingShown(int yearsLeft, double yearsPerSecond);
    void progressShown(uint year, uint yearMax);
    void noted(const QString& note);
    void completed();
    void failed(const QString& message);
    // The simulation thread is waiting in ShowProgress (for tests and the window's state).
    void pausedAtYear(uint year);

private:
    CSimulationProgressDlgThread(std::atomic<bool>* stop, std::shared_ptr<void> owner,
                                 std::shared_ptr<Clock> clock);

    // The figures of the latest year, kept until they go to the window.
    enum Figure : unsigned { Speed = 1, Year = 2, Elapsed = 4, Remaining = 8, Progress = 16 };
    struct Figures {
        double speed = 0.0;
        uint32_t year = 0;
        uint32_t minutes = 0, seconds = 0;
        int32_t yearsLeft = 0;
        double remainingSpeed = 0.0;
        uint32_t progressYear = 0, yearMax = 0;
    };
    // Sends the figures given since the last time, if any (simulation thread).
    void Forward(uint32_t now);

    std::atomic<bool>* m_stop;
    std::shared_ptr<void> m_owner;
    std::shared_ptr<Clock> m_clock;
    // Simulation thread only.
    Figures m_figures;
    unsigned m_pending = 0; // the Figure bits given since the last forward
    bool m_forwarded = false;
    uint32_t m_lastForward = 0; // clock tick of the last forward
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_paused = false;
    uint32_t m_pauseAt = 0;                     // 0: never
    CSimulationProgressDlg* m_dialog = nullptr; // GUI thread only
};

} // namespace orvane
