#include "shell/SimulationProgressDlg.h"

#include "editor/Prompter.h"
#include "shell/SimulationProgressDlgThread.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace orvane {

namespace {

QLineEdit* Field(QFormLayout* form, const char* label) {
    auto* edit = new QLineEdit;
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    form->addRow(QString::fromUtf8(label), edit);
    return edit;
}

} // namespace

CSimulationProgressDlg::CSimulationProgressDlg(std::shared_ptr<CSimulationProgressDlgThread> sink,
                                               CPrompter& prompter, QWidget* parent)
    : QDialog(parent), m_sink(std::move(sink)), m_prompter(prompter) {
    setWindowTitle(QStringLiteral("Simulating..."));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowSystemMenuHint);
    setAttribute(Qt::WA_DeleteOnClose);
    // A window left open must not keep the program alive after the main window has gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    setModal(false);

    auto* layout = new QVBoxLayout(this);
    m_bar = new QProgressBar;
    m_bar->setRange(0, 100);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    layout->addWidget(m_bar);

    auto* group = new QGroupBox(QStringLiteral("Simulation satistics"));
    auto* form = new QFormLayout(group);
    m_speed = Field(form, "Speed (yrs/sec)");
    m_remaining = Field(form, "Remaining time");
    m_time = Field(form, "Time");
    m_year = Field(form, "Year");
    layout->addWidget(group);

    auto* panel = new QHBoxLayout;
    auto* icon = new QLabel;
    const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
    panel->addWidget(icon);
    m_message = new QLabel(QString::fromUtf8(RunningText));
    panel->addWidget(m_message, 1);
    layout->addLayout(panel);

    auto* buttons = new QHBoxLayout;
    m_pause = new QPushButton(QStringLiteral("&Pause"));
    m_resume = new QPushButton(QStringLiteral("&Resume"));
    m_cancel = new QPushButton(QStringLiteral("&Cancel"));
    for (QPushButton* b : {m_pause, m_resume, m_cancel}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    m_resume->setEnabled(false);

    connect(m_pause, &QPushButton::clicked, this, &CSimulationProgressDlg::OnPause);
    connect(m_resume, &QPushButton::clicked, this, &CSimulationProgressDlg::OnResume);
    connect(m_cancel, &QPushButton::clicked, this, &CSimulationProgressDlg::OnCancel);

    auto* s = m_sink.get();
    connect(s, &CSimulationProgressDlgThread::speedShown, this, &CSimulationProgressDlg::ShowSpeed,
            Qt::QueuedConnection);
    connect(s, &CSimulationProgressDlgThread::yearShown, this, &CSimulationProgressDlg::ShowYear,
            Qt::QueuedConnection);
    connect(s, &CSimulationProgressDlgThread::elapsedShown, this,
            &CSimulationProgressDlg::ShowElapsed, Qt::QueuedConnection);
    connect(s, &CSimulationProgressDlgThread::remainingShown, this,
            &CSimulationProgressDlg::ShowRemaining, Qt::QueuedConnection);
    connect(s, &CSimulationProgressDlgThread::progressShown, this,
            &CSimulationProgressDlg::ShowProgress, Qt::QueuedConnection);
    connect(s, &CSimulationProgressDlgThread::noted, this, &CSimulationProgressDlg::ShowNote,
            Qt::QueuedConnection);
    connect(s, &CSimulationProgressDlgThread::completed, this,
            &CSimulationProgressDlg::ShowCompleted, Qt::QueuedConnection);
    connect(s, &CSimulationProgressDlgThread::failed, this, &CSimulationProgressDlg::ShowFailed,
            Qt::QueuedConnection);
    // A run that paused by itself shows the buttons of a paused run.
    connect(
        s, &CSimulationProgressDlgThread::pausedAtYear, this,
        [this] {
            if (m_sink->IsPaused()) {
                m_pause->setEnabled(false);
                m_resume->setEnabled(true);
            }
        },
        Qt::QueuedConnection);
}

CSimulationProgressDlg::~CSimulationProgressDlg() = default;

QString CSimulationProgressDlg::SpeedText(double yearsPerSecond) {
    return QString::asprintf("%.2lf", yearsPerSecond);
}

QString CSimulationProgressDlg::YearText(uint32_t year) {
    return QString::asprintf("%d", static_cast<int>(year));
}

QString CSimulationProgressDlg::ElapsedText(uint32_t minutes, uint32_t seconds) {
    return QString::asprintf("%u:%02u", minutes, seconds);
}

QString CSimulationProgressDlg::RemainingText(int32_t yearsLeft, double yearsPerSecond) {
    return QString::asprintf("%.1f", yearsLeft / yearsPerSecond);
}

int CSimulationProgressDlg::ProgressPercent(uint32_t year, uint32_t yearMax) {
    if (yearMax == 0)
        return -1;
    // 64 bits: year * 100 overflows 32 bits for year limits above 42 million.
    const uint64_t p = uint64_t{year} * 100 / yearMax;
    return p <= 100 ? static_cast<int>(p) : -1;
}

QString CSimulationProgressDlg::SpeedField() const {
    return m_speed->text();
}
QString CSimulationProgressDlg::RemainingField() const {
    return m_remaining->text();
}
QString CSimulationProgressDlg::TimeField() const {
    return m_time->text();
}
QString CSimulationProgressDlg::YearField() const {
    return m_year->text();
}
int CSimulationProgressDlg::ProgressValue() const {
    return m_bar->value();
}
QString CSimulationProgressDlg::MessageText() const {
    return m_message->text();
}

void CSimulationProgressDlg::SetNetworkName(const QString& name) {
    setWindowTitle(QStringLiteral("Simulating... - ") + name);
}

bool CSimulationProgressDlg::IsPaused() const {
    return m_sink->IsPaused();
}

void CSimulationProgressDlg::ShowSpeed(double yearsPerSecond) {
    m_speed->setText(SpeedText(yearsPerSecond));
}

void CSimulationProgressDlg::ShowYear(uint year) {
    m_year->setText(YearText(year));
}

void CSimulationProgressDlg::ShowElapsed(uint minutes, uint seconds) {
    m_time->setText(ElapsedText(minutes, seconds));
}

void CSimulationProgressDlg::ShowRemaining(int yearsLeft, double yearsPerSecond) {
    m_remaining->setText(RemainingText(yearsLeft, yearsPerSecond));
}

void CSimulationProgressDlg::ShowProgress(uint year, uint yearMax) {
    const int p = ProgressPercent(year, yearMax);
    if (p >= 0)
        m_bar->setValue(p);
}

void CSimulationProgressDlg::ShowNote(const QString& note) {
    m_note = note;
}

void CSimulationProgressDlg::ShowCompleted() {
    if (m_closed)
        return;
    Finish(CompletedText);
    const QString question = QString::fromUtf8(CompletedQuestion);
    AskToClose(m_note.isEmpty() ? QMessageBox::Question : QMessageBox::Warning,
               m_note.isEmpty() ? question : m_note + QStringLiteral("\n\n") + question);
}

void CSimulationProgressDlg::ShowFailed(const QString& message) {
    if (m_closed)
        return;
    Finish(FailedText);
    AskToClose(QMessageBox::Critical,
               message + QStringLiteral("\n\n") + QString::fromUtf8(CloseQuestion));
}

void CSimulationProgressDlg::Finish(const char* text) {
    m_completed = true;
    m_message->setText(QString::fromUtf8(text));
    m_pause->setEnabled(false);
    m_resume->setEnabled(false);
}

void CSimulationProgressDlg::AskToClose(QMessageBox::Icon icon, const QString& text) {
    QPointer<CSimulationProgressDlg> self(this);
    const auto answer = m_prompter.Ask(this, icon, text, QMessageBox::Yes | QMessageBox::No);
    if (self && answer == QMessageBox::Yes)
        EndAndClose();
}

void CSimulationProgressDlg::OnPause() {
    m_sink->Pause();
    m_pause->setEnabled(false);
    m_resume->setEnabled(true);
}

void CSimulationProgressDlg::OnResume() {
    m_sink->Resume();
    m_resume->setEnabled(false);
    m_pause->setEnabled(true);
}

void CSimulationProgressDlg::OnCancel() {
    if (m_closed)
        return;
    if (!m_completed) {
        QPointer<CSimulationProgressDlg> self(this);
        const auto answer =
            m_prompter.Ask(this, QMessageBox::Question, QString::fromUtf8(CancelQuestion),
                           QMessageBox::Yes | QMessageBox::No);
        if (!self || answer != QMessageBox::Yes)
            return;
    }
    EndAndClose();
}

void CSimulationProgressDlg::reject() {
    OnCancel();
}

void CSimulationProgressDlg::EndAndClose() {
    close();
}

void CSimulationProgressDlg::closeEvent(QCloseEvent* event) {
    // The close box stops the run without asking, as do Cancel and the end-of-run Yes, which
    // come here through close().
    if (!m_closed) {
        m_closed = true;
        m_sink->Cancel();
        emit closed();
    }
    // Not QDialog's handler: that would ask through reject().
    QWidget::closeEvent(event);
}

} // namespace orvane
