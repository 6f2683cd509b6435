#include "shell/ToolbarIcons.h"

#include "base/Version.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace orvane {

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

const QColor kInk(0, 0, 0);
const QColor kBlue(0, 0, 160);
const QColor kRed(192, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kYellow(255, 224, 96);
const QColor kGrey(128, 128, 128);

void Page(QPainter& p, int x, int y, int w, int h) {
    p.setPen(kInk);
    p.setBrush(Qt::white);
    p.drawRect(x, y, w, h);
}

void Magnifier(QPainter& p, bool plus) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(1, 1, 9, 9);
    p.setPen(QPen(kInk, 2));
    p.drawLine(9, 9, 14, 13);
    p.setPen(kBlue);
    p.drawLine(3, 5, 8, 5);
    p.drawLine(3, 6, 8, 6);
    if (plus) {
        p.drawLine(5, 3, 5, 8);
        p.drawLine(6, 3, 6, 8);
    }
}

void Wire(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.drawLine(0, 7, 15, 7);
}

void Draw(QPainter& p, ToolbarIcon which) {
    switch (which) {
    case ToolbarIcon::New:
        Page(p, 3, 1, 10, 13);
        p.drawLine(10, 1, 13, 4);
        break;
    case ToolbarIcon::Open:
        p.setPen(kInk);
        p.setBrush(kYellow);
        p.drawRect(1, 4, 12, 9);
        p.drawRect(1, 2, 5, 2);
        break;
    case ToolbarIcon::Save:
        p.setPen(kInk);
        p.setBrush(kBlue);
        p.drawRect(1, 1, 13, 13);
        p.setBrush(Qt::white);
        p.drawRect(4, 1, 7, 5);
        p.setBrush(kGrey);
        p.drawRect(4, 9, 7, 5);
        break;
    case ToolbarIcon::Cut:
        p.setPen(kInk);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(1, 9, 4, 4);
        p.drawEllipse(10, 9, 4, 4);
        p.drawLine(4, 9, 11, 1);
        p.drawLine(11, 9, 4, 1);
        break;
    case ToolbarIcon::Copy:
        Page(p, 1, 1, 8, 9);
        Page(p, 6, 4, 8, 10);
        break;
    case ToolbarIcon::Paste:
        p.setPen(kInk);
        p.setBrush(QColor(160, 112, 48));
        p.drawRect(1, 2, 10, 12);
        p.setBrush(kGrey);
        p.drawRect(4, 1, 4, 2);
        Page(p, 7, 6, 7, 8);
        break;
    case ToolbarIcon::Print:
        Page(p, 4, 1, 8, 6);
        p.setBrush(kGrey);
        p.drawRect(1, 6, 14, 6);
        p.setBrush(Qt::white);
        p.drawRect(4, 10, 8, 4);
        break;
    case ToolbarIcon::Debug:
        p.setPen(kInk);
        p.setBrush(kRed);
        p.drawEllipse(4, 3, 8, 10);
        p.drawLine(1, 5, 4, 6);
        p.drawLine(15, 5, 12, 6);
        p.drawLine(1, 12, 4, 10);
        p.drawLine(15, 12, 12, 10);
        p.drawLine(6, 1, 7, 3);
        p.drawLine(10, 1, 9, 3);
        break;
    case ToolbarIcon::GenerateNdl:
        Page(p, 2, 1, 12, 13);
        p.setPen(kBlue);
        for (int y = 4; y <= 11; y += 2)
            p.drawLine(4, y, y % 4 ? 11 : 9, y);
        break;
    case ToolbarIcon::Simulate: {
        p.setPen(kInk);
        p.setBrush(kGreen);
        const QPoint play[] = {{4, 1}, {13, 7}, {4, 13}};
        p.drawPolygon(play, 3);
        break;
    }
    case ToolbarIcon::WorkspaceSettings:
        p.setPen(kGrey);
        for (int i = 1; i <= 14; i += 3) {
            p.drawLine(i, 1, i, 13);
            p.drawLine(1, i, 14, i);
        }
        p.setPen(QPen(kBlue, 2));
        p.drawLine(3, 11, 12, 3);
        break;
    case ToolbarIcon::SimulationSettings:
        p.setPen(kInk);
        p.setBrush(Qt::white);
        p.drawEllipse(1, 0, 13, 13);
        p.setPen(QPen(kRed, 2));
        p.drawLine(7, 7, 7, 3);
        p.drawLine(7, 7, 11, 8);
        break;
    case ToolbarIcon::ZoomIn:
        Magnifier(p, true);
        break;
    case ToolbarIcon::ZoomOut:
        Magnifier(p, false);
        break;
    case ToolbarIcon::About: {
        p.setPen(kBlue);
        p.setBrush(Qt::white);
        p.drawEllipse(1, 0, 13, 13);
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(1, 0, 14, 14), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case ToolbarIcon::Select: {
        p.setPen(kInk);
        p.setBrush(Qt::white);
        const QPoint arrow[] = {{4, 1}, {4, 12}, {7, 9}, {9, 14}, {11, 13}, {9, 8}, {12, 8}};
        p.drawPolygon(arrow, 7);
        break;
    }
    case ToolbarIcon::Feeder:
        p.setPen(QPen(kInk, 1));
        p.drawLine(2, 12, 13, 2);
        p.setBrush(kInk);
        p.drawEllipse(1, 11, 2, 2);
        p.drawEllipse(12, 1, 2, 2);
        break;
    case ToolbarIcon::CircuitBreaker:
        Wire(p);
        p.setBrush(Qt::white);
        p.drawRect(4, 3, 8, 8);
        p.drawLine(4, 3, 12, 11);
        break;
    case ToolbarIcon::Fuse:
        Wire(p);
        p.setBrush(Qt::white);
        p.drawRect(3, 5, 10, 4);
        p.drawLine(3, 7, 13, 7);
        break;
    case ToolbarIcon::Recloser: {
        Wire(p);
        p.setBrush(Qt::white);
        p.drawEllipse(3, 2, 10, 10);
        QFont font = p.font();
        font.setPixelSize(8);
        font.setBold(true);
        p.setFont(font);
        p.drawText(QRect(3, 2, 11, 11), Qt::AlignCenter, QStringLiteral("R"));
        break;
    }
    case ToolbarIcon::Isolator:
        p.setPen(kInk);
        p.drawLine(0, 10, 5, 10);
        p.drawLine(5, 10, 11, 4);
        p.drawLine(11, 10, 15, 10);
        p.drawLine(11, 8, 11, 12);
        break;
    case ToolbarIcon::BusBar:
        p.fillRect(1, 6, 14, 3, kInk);
        p.setPen(kInk);
        p.drawLine(4, 2, 4, 6);
        p.drawLine(11, 9, 11, 13);
        break;
    case ToolbarIcon::LoadPoint: {
        p.setPen(kInk);
        p.drawLine(7, 1, 7, 6);
        p.setBrush(kInk);
        const QPoint head[] = {{3, 6}, {12, 6}, {7, 13}};
        p.drawPolygon(head, 3);
        break;
    }
    case ToolbarIcon::GenSource: {
        p.setPen(kInk);
        p.setBrush(Qt::white);
        p.drawEllipse(1, 0, 13, 13);
        QPainterPath wave;
        wave.moveTo(4, 7);
        wave.cubicTo(5, 3, 7, 3, 7.5, 7);
        wave.cubicTo(8, 11, 10, 11, 11, 7);
        p.setBrush(Qt::NoBrush);
        p.drawPath(wave);
        break;
    }
    case ToolbarIcon::Equipment:
        p.setPen(kInk);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(1, 3, 8, 8);
        p.drawEllipse(6, 3, 8, 8);
        break;
    case ToolbarIcon::Toggle:
        p.setPen(kInk);
        p.drawLine(3, 7, 12, 7);
        p.setBrush(kRed);
        p.drawRect(1, 5, 4, 4);
        p.drawRect(11, 5, 4, 4);
        break;
    case ToolbarIcon::NdlErrors:
        Page(p, 1, 1, 13, 13);
        p.setPen(kInk);
        for (int y = 4; y <= 10; y += 3)
            p.drawLine(3, y, 8, y);
        p.setPen(QPen(kRed, 2));
        p.drawLine(10, 8, 14, 13);
        p.drawLine(14, 8, 10, 13);
        break;
    case ToolbarIcon::ResultViewer:
        Page(p, 1, 1, 13, 13);
        p.fillRect(3, 4, 9, 2, kBlue);
        p.fillRect(3, 7, 5, 2, kBlue);
        p.fillRect(3, 10, 7, 2, kBlue);
        break;
    case ToolbarIcon::ResultForm:
        Page(p, 1, 1, 13, 13);
        p.fillRect(2, 2, 12, 3, QColor(153, 204, 255));
        p.setPen(kGrey);
        p.drawLine(7, 5, 7, 13);
        p.drawLine(2, 8, 13, 8);
        p.drawLine(2, 11, 13, 11);
        break;
    case ToolbarIcon::Blank:
        break;
    }
}

// Paints the picture afresh at whatever size is asked for, so that it stays sharp on a
// high-density screen instead of a 16 x 15 bitmap blown up.
class ToolbarIconEngine : public QIconEngine {
public:
    explicit ToolbarIconEngine(ToolbarIcon which) : m_which(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        const double scale =
            std::min(rect.width() / double(kWidth), rect.height() / double(kHeight));
        if (scale <= 0)
            return;
        painter->save();
        // At the design size the picture is drawn pixel for pixel, as before; larger, smoothly.
        painter->setRenderHint(QPainter::Antialiasing, scale != 1.0);
        painter->translate(rect.x() + (rect.width() - kWidth * scale) / 2,
                           rect.y() + (rect.height() - kHeight * scale) / 2);
        painter->scale(scale, scale);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        Draw(*painter, m_which);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        paint(&p, pixmap.rect(), mode, state);
        p.end();
        return pixmap;
    }

    // QIcon asks in device pixels already and sets the ratio on what it gets.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal) override {
        return pixmap(size, mode, state);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine* clone() const override { return new ToolbarIconEngine(m_which); }
    QString key() const override { return QStringLiteral("ToolbarIconEngine"); }

private:
    ToolbarIcon m_which;
};

} // namespace

QIcon MakeToolbarIcon(ToolbarIcon which) {
    return QIcon(new ToolbarIconEngine(which));
}

QIcon MakeProgramIcon() {
    QIcon icon;
    for (int side : {16, 32, 48}) {
        QPixmap pixmap(side, side);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(side / 32.0, side / 32.0);
        p.setPen(QPen(QColor(0, 0, 96), 2));
        p.setBrush(QColor(255, 208, 64));
        const QPoint bolt[] = {{18, 1}, {6, 18}, {15, 18}, {11, 31}, {26, 12}, {17, 12}, {22, 1}};
        p.drawPolygon(bolt, 7);
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap MakeSplashPicture() {
    constexpr int w = 420;
    constexpr int h = 260;
    QPixmap pixmap(w, h);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0, QColor(16, 40, 96));
    sky.setColorAt(1, QColor(48, 112, 176));
    p.fillRect(0, 0, w, h, sky);

    // A small radial feeder: source, breaker, line, two load points.
    p.setPen(QPen(QColor(255, 224, 96), 3));
    p.drawLine(40, 190, 380, 190);
    p.drawLine(230, 190, 230, 230);
    p.drawLine(330, 190, 330, 230);
    p.setBrush(QColor(16, 40, 96));
    p.drawEllipse(QPoint(40, 190), 14, 14);
    p.drawRect(100, 180, 20, 20);
    const QPoint lp1[] = {{220, 230}, {240, 230}, {230, 246}};
    const QPoint lp2[] = {{320, 230}, {340, 230}, {330, 246}};
    p.setBrush(QColor(255, 224, 96));
    p.drawPolygon(lp1, 3);
    p.drawPolygon(lp2, 3);

    p.setPen(Qt::white);
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.drawText(QRect(0, 40, w, 50), Qt::AlignCenter, QStringLiteral("Orvane Velmoor"));
    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(15);
    p.setFont(sub);
    p.drawText(QRect(0, 95, w, 24), Qt::AlignCenter,
               QStringLiteral("Distribution network reliability by simulation"));
    p.drawText(QRect(0, 122, w, 24), Qt::AlignCenter, QStringLiteral("Version " ORVANE_VERSION));
    p.setPen(QPen(Qt::white, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, w - 1, h - 1);
    p.end();
    return pixmap;
}

} // namespace orvane
