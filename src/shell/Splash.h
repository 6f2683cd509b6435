#pragma once

#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace orvane {

// The start-up picture: a borderless window centred on the screen that goes away after 2.5
// seconds or at the first key or mouse button press anywhere in the program. Only one exists.
class CSplashWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int TimeoutMs = 2500;

    // Whether ShowSplashScreen shows anything (off when started for a screenshot or a test).
    static void EnableSplashScreen(bool enable);
    // Shows the picture; `redraw` is repainted when it goes.
    static void ShowSplashScreen(QWidget* redraw);
    static void HideSplashScreen();
    // The window while it is up.
    static CSplashWnd* Current();

    ~CSplashWnd() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit CSplashWnd(QWidget* redraw);

    QPixmap m_picture;
    QTimer m_timer;
    QPointer<QWidget> m_redraw;
};

} // namespace orvane
