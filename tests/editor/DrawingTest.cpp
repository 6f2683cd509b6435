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

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <functional>
#include <vector>

namespace orvane {
namespace {

// Text needs a GUI application; the offscreen platform needs no display.
class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_editor_drawing";
        static char* argv[] = {name, nullptr};
        m_app = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete m_app; }

private:
    QGuiApplication* m_app = nullptr;
};
[[maybe_unused]] ::testing::Environment* const g_qt =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kBlue = qRgb(0, 0, 255);
constexpr uint32_t kGreyRef = 0x808080;

QImage Render(const std::function<void(QPainter&)>& paint) {
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
    const char* what;
};

void ExpectPixels(const QImage& image, const std::vector<Pixel>& pixels) {
    for (const Pixel& p : pixels) {
        EXPECT_EQ(image.pixel(p.x, p.y), p.expected)
            << p.what << " at (" << p.x << ", " << p.y << ")";
    }
}

TEST(DrawingTest, ColorrefChannelsAreBlueGreenRed) {
    EXPECT_EQ(ColorFromRef(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromRef(0xFF0000), QColor(0, 0, 255));
    EXPECT_EQ(ColorFromRef(0x00FF00), QColor(0, 255, 0));
    EXPECT_EQ(ColorFromRef(0x123456), QColor(0x56, 0x34, 0x12));
}

TEST(DrawingTest, LineAndBusBarInTheirOwnColourAndWidth) {
    const CLine line({20, 50}, {180, 50}, 1, 0x0000FF);
    const CBusBar bar({20, 100}, {180, 100}, 2, kGreyRef);
    const QImage image = Render([&](QPainter& p) {
        CLineView(line).Draw(p);
        CBusBarView(bar).Draw(p);
    });
    ExpectPixels(image, {
                            {20, 50, qRgb(255, 0, 0), "line end 1"},
                            {180, 50, qRgb(255, 0, 0), "line end 2"},
                            {100, 49, kWhite, "line is one pixel"},
                            {100, 51, kWhite, "line is one pixel"},
                            {100, 99, kGrey, "bus bar is two pixels"},
                            {100, 100, kGrey, "bus bar is two pixels"},
                            {100, 102, kWhite, "bus bar is two pixels"},
                        });
}

TEST(DrawingTest, BreakerFuseAndRecloserSymbolsOnAHorizontalSegment) {
    const CCircuitBreaker breaker({20, 40}, {180, 40}, 1, kGreyRef);
    const CFuse fuse({20, 100}, {180, 100}, 1, kGreyRef);
    const CRecloser recloser({20, 160}, {180, 160}, 1, kGreyRef);
    const QImage image = Render([&](QPainter& p) {
        CCircuitBreakerView(breaker).Draw(p);
        CFuseView(fuse).Draw(p);
        CRecloserView(recloser).Draw(p);
    });
    ExpectPixels(image, {
                            // Breaker: the X arms reach the corners (100 +- 7, 40 +- 7).
                            {93, 33, kBlack, "breaker arm"},
                            {107, 47, kBlack, "breaker arm"},
                            {93, 47, kBlack, "breaker arm"},
                            {100, 40, kBlack, "breaker crossing over the segment"},
                            {60, 40, kGrey, "breaker segment"},
                            {93, 36, kWhite, "breaker has no sides"},
                            // Fuse: the X plus the two sides across the segment.
                            {95, 95, kBlack, "fuse arm"},
                            {93, 96, kBlack, "fuse side"},
                            {107, 104, kBlack, "fuse side"},
                            {100, 93, kWhite, "fuse has no side along the segment"},
                            // Recloser: ring of radius 7, one slash of r = 5, segment on top.
                            {100, 153, kBlack, "recloser ring top"},
                            {93, 160, kGrey, "segment drawn over the ring"},
                            {97, 163, kBlack, "recloser slash"},
                            {97, 157, kWhite, "recloser has one slash only"},
                            {100, 160, kGrey, "segment through the centre"},
                        });
}

TEST(DrawingTest, SymbolsTurnWithADiagonalSegment) {
    const CCircuitBreaker breaker({0, 0}, {100, 100}, 1, kGreyRef);
    const CIsolator isolator({100, 100}, {200, 0}, 1, kGreyRef);
    const QImage image = Render([&](QPainter& p) {
        CCircuitBreakerView(breaker).Draw(p);
        CIsolatorView(isolator).Draw(p);
    });
    ExpectPixels(image, {
                            // A = B = 4: the arms are horizontal and vertical through (50, 50).
                            {42, 50, kBlack, "breaker arm"},
                            {50, 42, kBlack, "breaker arm"},
                            {40, 40, kGrey, "breaker segment"},
                            // Isolator from (100, 100) to (200, 0): m = (150, 50), A = B = 8,
                            // white gap toward (142, 58), blade to (150, 66).
                            {146, 54, kWhite, "isolator gap"},
                            {140, 60, kGrey, "segment beyond the gap"},
                            {150, 60, kBlack, "isolator blade"},
                            {150, 66, kBlack, "isolator blade end"},
                        });
}

TEST(DrawingTest, IsolatorOpensTowardIncreasingCoordinates) {
    const CIsolator horizontal({20, 50}, {180, 50}, 1, kGreyRef);
    const CIsolator vertical({50, 80}, {50, 180}, 1, kGreyRef);
    const QImage image = Render([&](QPainter& p) {
        CIsolatorView(horizontal).Draw(p);
        CIsolatorView(vertical).Draw(p);
    });
    ExpectPixels(image, {
                            {99, 50, kGrey, "before the midpoint"},
                            {101, 50, kWhite, "gap starts one past m"},
                            {112, 50, kWhite, "gap ends twelve past m"},
                            {113, 50, kGrey, "segment resumes"},
                            {106, 56, kBlack, "blade"},
                            {112, 62, kBlack, "blade end"},
                            // Vertical: m = (50, 130), gap downwards.
                            {50, 129, kGrey, "before the midpoint"},
                            {50, 136, kWhite, "gap"},
                            {50, 143, kGrey, "segment resumes"},
                            {56, 136, kBlack, "blade"},
                        });
}

TEST(DrawingTest, EquipmentRingsBothStayVisible) {
    const CEquipment equipment({20, 100}, {180, 100}, 1, kGreyRef);
    const QImage image = Render([&](QPainter& p) { CEquipmentView(equipment).Draw(p); });
    ExpectPixels(image, {
                            // Rings of radius 7 around (97, 100) and (103, 100).
                            {90, 100, kGrey, "first ring, left"},
                            {110, 100, kGrey, "second ring, right"},
                            {97, 93, kGrey, "first ring, top"},
                            {96, 100, kGrey, "second ring inside the first"},
                            {104, 100, kGrey, "first ring restored over the second's fill"},
                            {100, 100, kWhite, "the segment is hidden inside the rings"},
                            {60, 100, kGrey, "segment"},
                        });
}

TEST(DrawingTest, LoadPointBarStubAndName) {
    CLoadPoint load({100, 100}, 1, kGreyRef);
    load.m_name = "Mill";
    const QImage image = Render([&](QPainter& p) { CLoadPointView(load).Draw(p); });
    ExpectPixels(image, {
                            {89, 100, kBlack, "bar left end"},
                            {111, 100, kBlack, "bar right end"},
                            {88, 100, kWhite, "bar is 23 pixels"},
                            {112, 100, kWhite, "bar is 23 pixels"},
                            {100, 91, kGrey, "stub top"},
                            {100, 100, kGrey, "stub drawn over the bar"},
                            {100, 90, kWhite, "stub is 9 above the point"},
                        });
    // The name starts 12 left of and 2 below the point.
    int inked = 0;
    for (int y = 102; y < 130; ++y) {
        for (int x = 88; x < 140; ++x) {
            inked += image.pixel(x, y) != kWhite ? 1 : 0;
        }
    }
    EXPECT_GT(inked, 10);
}

TEST(DrawingTest, GenSourceRingAndWave) {
    const CGenSource source({100, 100}, 1, kGreyRef);
    const QImage image = Render([&](QPainter& p) { CGenSourceView(source).Draw(p); });
    ExpectPixels(image, {
                            {100, 91, kBlack, "ring top"},
                            {109, 100, kBlack, "ring right"},
                            {97, 97, kBlack, "wave to (-3, -3)"},
                            {94, 102, kBlack, "wave to (-6, +2)"},
                            {102, 103, kBlack, "wave to (+2, +3)"},
                            {106, 98, kBlack, "wave to (+6, -2)"},
                            {100, 95, kWhite, "inside the ring"},
                        });
}

TEST(DrawingTest, EndMarkersAndSelectionSquares) {
    const CLine line({50, 50}, {150, 50}, 1, kGreyRef);
    const CLoadPoint load({60, 120}, 1, kGreyRef);
    const CGenSource source({140, 140}, 1, kGreyRef);
    const QImage image = Render([&](QPainter& p) {
        const CLineView lineView(line);
        lineView.DrawMarkers(p, {50, 50}, {150, 50});
        lineView.DrawSelection(p, {50, 90}, {150, 90});
        CLoadPointView(load).DrawMarkers(p, {60, 120}, {60, 120});
        CLoadPointView(load).DrawSelection(p, {60, 120}, {60, 120});
        CGenSourceView(source).DrawSelection(p, {140, 140}, {140, 140});
    });
    ExpectPixels(image, {
                            {46, 46, kBlue, "marker corner"},
                            {54, 54, kBlue, "marker corner"},
                            {154, 50, kBlue, "second marker side"},
                            {55, 50, kWhite, "marker is 9 pixels"},
                            {50, 50, kWhite, "marker outline only"},
                            {47, 87, kBlack, "selection corner"},
                            {53, 93, kBlack, "selection corner"},
                            {54, 90, kWhite, "selection is 7 pixels"},
                            {60, 116, kBlue, "load point marker"},
                            {48, 108, kBlack, "load point selection (-12, -12)"},
                            {70, 130, kBlack, "load point selection (+10, +10)"},
                            {76, 136, kBlack, "load point selection (+16, +16)"},
                            {127, 127, kBlack, "source selection (-13, -13)"},
                            {147, 147, kBlack, "source selection (+7, +7)"},
                            {153, 153, kBlack, "source selection (+13, +13)"},
                        });
}

// The view's entry points pick the drawing class by type and draw markers only when asked.
TEST(DrawingTest, DispatchByType) {
    const CCircuitBreaker breaker({20, 40}, {180, 40}, 1, kGreyRef);
    const CGenSource source({100, 120}, 1, kGreyRef);
    const QImage plain = Render([&](QPainter& p) {
        DrawWidget(p, breaker, false);
        DrawWidget(p, source, false);
    });
    const QImage marked = Render([&](QPainter& p) {
        DrawWidget(p, breaker, true);
        DrawWidget(p, source, true);
        DrawSelectionMarks(p, breaker);
        DrawSelectionMarks(p, source);
    });
    ExpectPixels(plain, {
                            {93, 33, kBlack, "breaker arm"},
                            {100, 111, kBlack, "source ring"},
                            {16, 36, kWhite, "no marker"},
                            {96, 116, kWhite, "no marker"},
                        });
    ExpectPixels(marked, {
                             {16, 36, kBlue, "end 1 marker"},
                             {184, 44, kBlue, "end 2 marker"},
                             {96, 116, kBlue, "one-point marker"},
                             {17, 37, kBlack, "breaker selection"},
                             {87, 107, kBlack, "source selection"},
                         });
}

} // namespace
} // namespace orvane
