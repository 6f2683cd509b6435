#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QString>

#include <cstdint>
#include <memory>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace orvane {

class CPrompter;
class CSimulationProgressDlgThread;

// The modeless "Simulating..." window of one run: a bar, four figures, a line that says how the
// run stands, and Pause, Resume and Cancel. It lives on the GUI thread; the run's sink feeds it
// through queued signals. Its questions go through prompter, which must outlive it.
class CSimulationProgressDlg : public QDialog {
    Q_OBJECT
public:
    CSimulationProgressDlg(std::shared_ptr<CSimulationProgressDlgThread> sink, CPrompter& prompter,
                           QWidget* parent = nullptr);
    ~CSimulationProgressDlg() override;

    // The texts the four fields show for the engine's figures.
    static QString SpeedText(double yearsPerSecond);
    static QString YearText(uint32_t year);
    static QString ElapsedText(uint32_t minutes, uint32_t seconds);
    static QString RemainingText(int32_t yearsLeft, double yearsPerSecond);
    // The bar position for a year, or -1 when the bar stays as it is.
    static int ProgressPercent(uint32_t year, uint32_t yearMax);

    QString SpeedField() const;
    QString RemainingField() const;
    QString TimeField() const;
    QString YearField() const;
    int ProgressValue() const;
    // The line under the figures: wait, completed or stopped.
    QString MessageText() const;
    // Names the network in the title: "Simulating... - NAME".
    void SetNetworkName(const QString& name);
    bool IsCompleted() const { return m_completed; }
    bool IsPaused() const;
    CSimulationProgressDlgThread* Sink() const { return m_sink.get(); }
    QPushButton* PauseButton() const { return m_pause; }
    QPushButton* ResumeButton() const { return m_resume; }
    QPushButton* CancelButton() const { return m_cancel; }

    static constexpr const char* CancelQuestion = "Are you sure terminate this simulation?";
    static constexpr const char* CompletedQuestion =
        "Simulation completed! You can view the result\nfrom Result Viewer.\n\nDo you want to "
        "close this dialog box?";
    static constexpr const char* CloseQuestion = "Do you want to close this dialog box?";
    static constexpr const char* RunningText = "Please wait while simulation on progress.";
    static constexpr const char* CompletedText = "Simulation completed.";
    static constexpr const char* FailedText = "Simulation stopped: the network has an error.";

public slots:
    void ShowSpeed(double yearsPerSecond);
    void ShowYear(uint year);
    void ShowElapsed(uint minutes, uint seconds);
    void ShowRemaining(int yearsLeft, double yearsPerSecond);
    void ShowProgress(uint year, uint yearMax);
    // What the run says its user must know; shown above the closing question.
    void ShowNote(const QString& note);
    // The end of the run: asks whether to close.
    void ShowCompleted();
    // The run ended on an error in the network: says so with message, and asks whether to close.
    void ShowFailed(const QString& message);

    void OnPause();
    void OnResume();
    void OnCancel();

signals:
    // The window has closed: the run no longer counts as running for its view.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape acts as the Cancel button.
    void reject() override;

private:
    // Stops the run (waking it if paused), tells the view and closes the window, once.
    void EndAndClose();
    // The run is over: the buttons of a running run go, the line says how it ended.
    void Finish(const char* text);
    void AskToClose(QMessageBox::Icon icon, const QString& text);

    std::shared_ptr<CSimulationProgressDlgThread> m_sink;
    CPrompter& m_prompter;
    QProgressBar* m_bar;
    QLineEdit* m_speed;
    QLineEdit* m_remaining;
    QLineEdit* m_time;
    QLineEdit* m_year;
    QPushButton* m_pause;
    QPushButton* m_resume;
    QPushButton* m_cancel;
    QLabel* m_message;
    bool m_completed = false;
    QString m_note;
    bool m_closed = false;
};

} // namespace orvane
