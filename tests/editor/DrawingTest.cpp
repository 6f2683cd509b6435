#include "editor/BusBarView.h"
#include "editor/CircuitBreakerView.h"
#include "editor/ComponentView.h"
#include "editor/EquipmentView.h"
#include "editor/FuseView.h"
#include "editor/GenSourceView.h"
#include "editor/IsolatorView.h"
#include "editor/LineView.h"
#include "editor/LoadPointView.h"
#include "editor/RecloserView.h"
#include "editor/WidgetPainter.h"
#include "model/TypeOrder.h"
#include "support/GuiTest.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <functional>
#include <vector>

namespace orvane {
namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kRed = qRgb(255, 0, 0);
constexpr uint32_t kGreyRef = 0x808080;

// Text needs the application object.
QImage Render(const std::function<void(QPainter&)>& paint) {
    test::GuiApp();
    QImage image(200, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter);
    painter.end();
    return image;
}

struct Pixel {
    int x, y;
    QRgb expected;
};

void ExpectPixels(const QImage& image, const std::vector<Pixel>& pixels) {
    for (const Pixel& p : pixels) {
        EXPECT_EQ(image.pixel(p.x, p.y), p.expected) << "at (" << p.x << ", " << p.y << ")";
    }
}

TEST(DrawingTest, ColorrefChannelsAreBlueGreenRed) {
    EXPECT_EQ(ColorFromRef(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromRef(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromRef(0x123456), QColor(0x56, 0x34, 0x12));
}

// Each symbol drawn alone, without markers, checked at a few telling pixels. How the symbols
// turn with their segment is SymbolGeometry's (ModeTest); here it is drawn where it says.
TEST(DrawingTest, SymbolPixels) {
    const CLine line({20, 50}, {180, 50}, 1, 0x0000FF);
    const CBusBar bar({20, 100}, {180, 100}, 2, kGreyRef);
    const CCircuitBreaker breaker({20, 40}, {180, 40}, 1, kGreyRef);
    const CFuse fuse({20, 100}, {180, 100}, 1, kGreyRef);
    const CRecloser recloser({20, 160}, {180, 160}, 1, kGreyRef);
    const CIsolator isolator({20, 50}, {180, 50}, 1, kGreyRef);
    const CEquipment equipment({20, 100}, {180, 100}, 1, kGreyRef);
    CLoadPoint load({100, 100}, 1, kGreyRef);
    load.m_name = "Mill";
    const CGenSource source({100, 100}, 1, kGreyRef);
    const std::pair<const CWidget*, std::vector<Pixel>> cases[] = {
        // Own colour and width; no end markers unless asked.
        {&line, {{20, 50, kRed}, {100, 49, kWhite}, {100, 51, kWhite}, {16, 46, kWhite}}},
        {&bar, {{100, 99, kGrey}, {100, 100, kGrey}, {100, 102, kWhite}}},
        // Breaker: an X reaching (100 +- 7, 40 +- 7), over the segment, without sides.
        {&breaker, {{93, 33, kBlack}, {93, 47, kBlack}, {100, 40, kBlack}, {93, 36, kWhite}}},
        // Fuse: the X plus the two sides across the segment.
        {&fuse, {{95, 95, kBlack}, {93, 96, kBlack}, {107, 104, kBlack}, {100, 93, kWhite}}},
        // Recloser: ring of radius 7, one slash of r = 5, the segment on top.
        {&recloser, {{100, 153, kBlack}, {93, 160, kGrey}, {97, 163, kBlack}, {97, 157, kWhite}}},
        // Isolator: a gap from 1 to 12 past the midpoint, toward increasing coordinates.
        {&isolator, {{99, 50, kGrey}, {101, 50, kWhite}, {112, 50, kWhite}, {113, 50, kGrey}}},
        {&isolator, {{106, 56, kBlack}, {112, 62, kBlack}}},
        // Rings of radius 7 around (97, 100) and (103, 100), both whole, the segment hidden.
        {&equipment, {{110, 100, kGrey}, {96, 100, kGrey}, {104, 100, kGrey}, {100, 100, kWhite}}},
        // Load point: a black bar of 23 pixels, the stub 9 above the point drawn over it.
        {&load, {{89, 100, kBlack}, {111, 100, kBlack}, {88, 100, kWhite}, {112, 100, kWhite}}},
        {&load, {{100, 91, kGrey}, {100, 100, kGrey}, {100, 90, kWhite}}},
        // Source: ring of radius 9, the wave through (-3, -3), (-6, 2), (2, 3) and (6, -2).
        {&source, {{100, 91, kBlack}, {109, 100, kBlack}, {100, 95, kWhite}}},
        {&source, {{97, 97, kBlack}, {94, 102, kBlack}, {102, 103, kBlack}, {106, 98, kBlack}}},
    };
    for (const auto& [widget, pixels] : cases) {
        SCOPED_TRACE(TypeName(widget->Type()));
        ExpectPixels(Render([&](QPainter& p) { DrawWidget(p, *widget, false); }), pixels);
    }

    // The load point's name starts 12 left of and 2 below the point.
    const QImage image = Render([&](QPainter& p) { DrawWidget(p, load, false); });
    int inked = 0;
    for (int y = 102; y < 130; ++y) {
        for (int x = 88; x < 140; ++x) {
            inked += image.pixel(x, y) != kWhite ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 10);
}

TEST(DrawingTest, EndMarkersAndSelectionSquares) {
    const CLine line({50, 50}, {150, 50}, 1, kGreyRef);
    const CLoadPoint load({60, 120}, 1, kGreyRef);
    const CGenSource source({140, 140}, 1, kGreyRef);
    const QImage image = Render([&](QPainter& p) {
        for (const CWidget* widget : std::initializer_list<const CWidget*>{&line, &load, &source}) {
            DrawWidget(p, *widget, true);
            DrawSelectionMarks(p, *widget);
        }
    });
    // Blue markers of 9 pixels, black selection squares of 7, outlines only.
    ExpectPixels(image, {{46, 46, kBlue},
                         {54, 54, kBlue},
                         {154, 50, kBlue},
                         {55, 46, kWhite},
                         {47, 47, kBlack},
                         {153, 53, kBlack},
                         {52, 48, kWhite}});
    // A load point's marker; its selection from (-12, -12) and (+10, +10), a source's at +-7 to 13.
    ExpectPixels(image, {{60, 116, kBlue},
                         {48, 108, kBlack},
                         {54, 114, kBlack},
                         {70, 130, kBlack},
                         {76, 136, kBlack},
                         {127, 127, kBlack},
                         {133, 133, kBlack},
                         {147, 147, kBlack},
                         {153, 153, kBlack}});
}

} // namespace
} // namespace orvane
