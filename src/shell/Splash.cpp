#include "shell/Splash.h"

#include "shell/ToolbarIcons.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>

namespace orvane {

namespace {
bool g_enabled = true;
QPointer<CSplashWnd> g_current;
} // namespace

void CSplashWnd::EnableSplashScreen(bool enable) {
    g_enabled = enable;
}

void CSplashWnd::ShowSplashScreen(QWidget* redraw) {
    if (!g_enabled || g_current)
        return;
    g_current = new CSplashWnd(redraw);
    g_current->show();
    g_current->raise();
}

void CSplashWnd::HideSplashScreen() {
    if (!g_current)
        return;
    CSplashWnd* splash = g_current;
    g_current = nullptr;
    splash->hide();
    if (splash->m_redraw)
        splash->m_redraw->update();
    splash->deleteLater();
}

CSplashWnd* CSplashWnd::Current() {
    return g_current;
}

CSplashWnd::CSplashWnd(QWidget* redraw)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(MakeSplashPicture()), m_redraw(redraw) {
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(m_picture.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &CSplashWnd::HideSplashScreen);
    m_timer.start(TimeoutMs);
    // Any key or button anywhere in the program ends the picture.
    qApp->installEventFilter(this);
}

CSplashWnd::~CSplashWnd() {
    qApp->removeEventFilter(this);
    if (g_current == this)
        g_current = nullptr;
}

void CSplashWnd::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawPixmap(0, 0, m_picture);
}

bool CSplashWnd::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        if (g_current == this)
            HideSplashScreen();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace orvane
