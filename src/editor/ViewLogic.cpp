#include "editor/ViewLogic.h"

#include "engine/Report.h"

#include <cmath>
#include <cstdio>

namespace orvane {

int ZoomedIn(int zoom) {
    return zoom < kZoomInLimit ? zoom + kZoomStep : zoom;
}

int ZoomedOut(int zoom) {
    return zoom > kZoomOutLimit ? zoom - kZoomStep : zoom;
}

CSize ZoomedExtent(CSize total, int zoom) {
    const auto scaled = [zoom](int32_t v) {
        return static_cast<int32_t>(std::lround(static_cast<double>(v) * zoom / 100.0));
    };
    return CSize{scaled(total.cx), scaled(total.cy)};
}

double ZoomScale(int zoom, double dotsPerInch) {
    return zoom / 100.0 * dotsPerInch / 100.0;
}

int HundredthsToPixels(int hundredths, double dotsPerInch) {
    return static_cast<int>(std::lround(hundredths * dotsPerInch / 100.0));
}

CPoint WindowToWorkspace(int windowX, int windowY, int scrollX, int scrollY, bool zoomed,
                         double scale) {
    const int64_t x = int64_t{windowX} + scrollX;
    const int64_t y = int64_t{windowY} + scrollY;
    if (!zoomed || scale <= 0.0)
        return CPoint{static_cast<int32_t>(x), static_cast<int32_t>(y)};
    return CPoint{static_cast<int32_t>(std::floor(static_cast<double>(x) / scale)),
                  static_cast<int32_t>(std::floor(static_cast<double>(y) / scale))};
}

CRect WorkspaceToWindow(const CRect& rect, int scrollX, int scrollY, bool zoomed, double scale) {
    const CRect r = rect.Normalize();
    if (!zoomed || scale <= 0.0)
        return CRect{r.left - scrollX, r.top - scrollY, r.right - scrollX, r.bottom - scrollY};
    const auto lo = [scale](int64_t v, int scroll) {
        return static_cast<int64_t>(std::floor(static_cast<double>(v) * scale)) - scroll;
    };
    const auto hi = [scale](int64_t v, int scroll) {
        return static_cast<int64_t>(std::ceil(static_cast<double>(v) * scale)) - scroll;
    };
    return CRect{lo(r.left, scrollX), lo(r.top, scrollY), hi(r.right, scrollX),
                 hi(r.bottom, scrollY)};
}

std::string StatusXText(int x) {
    return "x=" + std::to_string(x);
}

std::string StatusYText(int y) {
    return "y=" + std::to_string(y);
}

int StatusPaneWidth(const std::string& text) {
    return 7 * static_cast<int>(text.size());
}

const char* ToolMenuText(WidgetType type) {
    switch (type) {
    case WidgetType::Line:
        return "F&eeder";
    case WidgetType::CircuitBreaker:
        return "&Circuit Breaker";
    case WidgetType::Fuse:
        return "&Fuse";
    case WidgetType::Recloser:
        return "&Recloser";
    case WidgetType::Isolator:
        return "&Isolator";
    case WidgetType::BusBar:
        return "&Bus Bar";
    case WidgetType::LoadPoint:
        return "&Load Point";
    case WidgetType::GenSource:
        return "&Gen Source";
    case WidgetType::Equipment:
        return "E&quipment";
    }
    return "";
}

std::string ChooseReportBase(const std::string& programDir, bool programDirWritable,
                             const std::string& userDataDir) {
    if (programDirWritable && !programDir.empty())
        return programDir;
    return userDataDir.empty() ? programDir : userDataDir;
}

std::string LoadPointAddress(const std::string& resultPath, const std::string& loadPointName) {
    // The report names each load point's section by its anchor id, which keeps any name usable
    // in an address.
    return resultPath + "#" + AnchorName(loadPointName);
}

std::string ProgressStatusText(uint32_t year, uint32_t yearMax, double yearsPerSecond) {
    const uint64_t percent = yearMax ? uint64_t{year} * 100 / yearMax : 0;
    char text[128];
    std::snprintf(text, sizeof text, "Simulating: year %u of %u (%u%%), %.2f yrs/sec", year,
                  yearMax, static_cast<unsigned>(percent), yearsPerSecond);
    return text;
}

} // namespace orvane
