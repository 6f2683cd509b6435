#include "editor/ViewLogic.h"

#include "editor/NdlTextCheck.h"
#include "engine/Report.h"
#include "run/Simulator.h"

#include <cmath>
#include <cstdio>
#include <string_view>

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

std::string AddUndoText(WidgetType type) {
    // The tool's menu text names the type as the user knows it, less its accelerator mark.
    std::string name = ToolMenuText(type);
    std::erase(name, '&');
    return "Add " + name;
}

std::string UndoMenuText(const std::string& action) {
    return (action.empty() ? std::string("&Undo") : "&Undo " + action) + "\tCtrl+Z";
}

std::string RedoMenuText(const std::string& action) {
    return (action.empty() ? std::string("&Redo") : "&Redo " + action) + "\tCtrl+Y";
}

int PasteOffset(int snapPixel, int pasteCount) {
    constexpr int kLeast = 20;
    const int step = snapPixel > 0 ? (kLeast + snapPixel - 1) / snapPixel * snapPixel : kLeast;
    return step * pasteCount;
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

namespace {

// The last line of the first definition: lines end in '\\' while it goes on.
uint32_t SystemDefinitionLines(const std::string& ndlText) {
    uint32_t line = 1;
    size_t start = 0;
    for (;;) {
        const size_t end = ndlText.find('\n', start);
        const std::string_view text =
            std::string_view(ndlText).substr(start, end == std::string::npos ? end : end - start);
        if (!text.ends_with('\\') || end == std::string::npos)
            return line;
        ++line;
        start = end + 1;
    }
}

} // namespace

RunFailure DescribeRunFailure(const RunResult& result, const std::string& ndlText,
                              const std::string& ndlFile) {
    // A file's errors are listed as its Debug check words them, so that the two agree.
    const bool file = !ndlFile.empty();
    switch (result.status) {
    case RunStatus::Completed:
    case RunStatus::Cancelled:
    case RunStatus::WriteFailed:
        return {};
    case RunStatus::NoSystem:
        return {"The network has an error: its NDL has no system definition.",
                file ? NoSystemLine(ndlFile) : "The NDL has no system definition"};
    case RunStatus::NoLoadPoints:
        if (file)
            return {"The network has an error: it has no load points; add at least one load "
                    "definition to simulate it.",
                    NoLoadPointsLine(ndlFile)};
        return {"The network has an error: it has no load points; draw at least one to "
                "simulate it.",
                "The network has no load points"};
    case RunStatus::TooLarge:
        return {"The simulation could not start: " + result.error + ".", {}};
    case RunStatus::ParseFailed:
        break;
    }
    if (result.errorLine == 0) // the parser's own trouble, not the network's
        return {"The simulation could not start: " + result.error + ".", {}};
    const std::string place = "line " + std::to_string(result.errorLine) + ", column " +
                              std::to_string(result.errorColumn);
    if (file)
        return {"The network has an error: " + result.error + " (" + place + " of " + ndlFile +
                    ").",
                ParseErrorLine(ndlFile, result.errorLine, result.errorColumn, result.error)};
    const bool settings = result.errorLine <= SystemDefinitionLines(ndlText);
    return {"The network has an error: " + result.error + " (" + place + " of its NDL" +
                (settings ? ", in the simulation settings).\nCorrect it in Settings > Simulation "
                            "settings."
                          : ").\nGenerate NDL (F9) shows the text."),
            "NDL " + place + ": " + result.error};
}

std::string ProgressStatusText(uint32_t year, uint32_t yearMax, double yearsPerSecond) {
    const uint64_t percent = yearMax ? uint64_t{year} * 100 / yearMax : 0;
    char text[128];
    std::snprintf(text, sizeof text, "Simulating: year %u of %u (%u%%), %.2f yrs/sec", year,
                  yearMax, static_cast<unsigned>(percent), yearsPerSecond);
    return text;
}

} // namespace orvane
