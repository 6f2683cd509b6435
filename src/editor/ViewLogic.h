#pragma once

#include "model/Geometry.h"
#include "model/Widget.h"

#include <string>

namespace orvane {
struct RunResult;
}

namespace orvane {

// The workspace view's arithmetic and fixed texts, kept apart from any window so that they can
// be tested on their own.

// Zoom percentages. Editing always happens at kEditZoom; zooming is for viewing only.
inline constexpr int kEditZoom = 113;
inline constexpr int kZoomStep = 10;
inline constexpr int kZoomInLimit = 200; // zoom in acts only below this
inline constexpr int kZoomOutLimit = 30; // zoom out acts only above this

// The zoom after one Zoom in or Zoom out: 113 reaches 203 upwards and 23 downwards, then stays.
int ZoomedIn(int zoom);
int ZoomedOut(int zoom);

// The zoomed scroll extent in 0.01-inch units: each side times zoom / 100, rounded to nearest.
CSize ZoomedExtent(CSize total, int zoom);
// Screen pixels per workspace unit in the zoomed state: one unit is 0.01 inch at zoom 100.
double ZoomScale(int zoom, double dotsPerInch);
// A length in 0.01-inch units as whole screen pixels.
int HundredthsToPixels(int hundredths, double dotsPerInch);

// A pointer position in the viewport as a workspace point: the scroll offset is added and, when
// zoomed, the zoom scale divided out (rounding towards minus infinity, so that every screen
// pixel belongs to exactly one workspace unit).
CPoint WindowToWorkspace(int windowX, int windowY, int scrollX, int scrollY, bool zoomed,
                         double scale);
// The viewport rectangle that covers a workspace rectangle (the inverse, rounded outwards).
CRect WorkspaceToWindow(const CRect& rect, int scrollX, int scrollY, bool zoomed, double scale);

// The two status-bar panes for a pointer position.
std::string StatusXText(int x);
std::string StatusYText(int y);

// Menu texts of the view's commands.
const char* ToolMenuText(WidgetType type); // "F&eeder", "&Circuit Breaker", ...

// What undo and redo name: "Add Feeder" and the others.
std::string AddUndoText(WidgetType type);
inline constexpr const char* DeleteUndoText = "Delete";
inline constexpr const char* CutUndoText = "Cut";
inline constexpr const char* PasteUndoText = "Paste";
inline constexpr const char* MoveUndoText = "Move";
inline constexpr const char* StretchUndoText = "Stretch";
inline constexpr const char* PropertiesUndoText = "Properties";
inline constexpr const char* SimulationSettingsUndoText = "Simulation Settings";
inline constexpr const char* WorkspaceSettingsUndoText = "Workspace Settings";
// The Edit menu's items for the next change to undo and redo ("&Undo Move\tCtrl+Z"); plain
// "&Undo\tCtrl+Z" and "&Redo\tCtrl+Y" when there is none.
std::string UndoMenuText(const std::string& action);
std::string RedoMenuText(const std::string& action);

// How far the n-th paste of the same components lies from where they were copied: n steps of
// the smallest multiple of the grid pitch that is at least 20 units, so that pasted ends stay
// on the grid.
int PasteOffset(int snapPixel, int pasteCount);
inline constexpr const char* SelectMenuText = "&Select";
inline constexpr const char* WorkspaceSettingsMenuText = "&Workspace settings";
inline constexpr const char* SimulationSettingsMenuText = "Simulation s&ettings";
inline constexpr const char* DebugMenuText = "&Debug\t\tF&8";
inline constexpr const char* SimulateMenuText = "&Simulate\t\tF&7";
inline constexpr const char* GenerateNdlMenuText = "Generate NDL\t\tF&9";
inline constexpr const char* ToggleMenuText = "T&oggle";
inline constexpr const char* ZoomInMenuText = "Zoom in\tAlt++";
inline constexpr const char* ZoomOutMenuText = "Zoom out\tAlt+-";
// The context menu's settings submenu.
inline constexpr const char* ContextSettingsMenuText = "Se&ttings";
inline constexpr const char* ContextWorkspaceSettingsText = "&Workspace Settings";
inline constexpr const char* ContextSimulationSettingsText = "S&imulation Settings";

// Message texts of the Simulate command.
inline constexpr const char* QuantsPerDayWarning =
    "Warning : Please assign a value for the attributes\nQuants per day in Simulation Setting "
    "Dialog box.\n\nDo you want to continue?\n";
inline constexpr const char* InvalidOutputNameMessage =
    "Error : Invalid output-file's name\nPlease contact the developer for more information";

// The directory the report directories go in: the program's own directory when it can be
// written, otherwise the per-user data directory.
std::string ChooseReportBase(const std::string& programDir, bool programDirWritable,
                             const std::string& userDataDir);

// The result-viewer address of a load point's section of the HTML report.
std::string LoadPointAddress(const std::string& resultPath, const std::string& loadPointName);

// What the user is told of a run that ended without figures because of its input. Empty for a
// run that completed, was cancelled or could not write its reports: the progress window tells
// those as before.
struct RunFailure {
    std::string message;    // for the progress window, or the status bar without one
    std::string errorsLine; // for the "NDL Errors" list; empty when the network is not at fault
};
// ndlText is the text the run read: an error within its first definition lies in the
// simulation settings. ndlFile names the NDL file the text came from; empty for a drawing's.
RunFailure DescribeRunFailure(const RunResult& result, const std::string& ndlText,
                              const std::string& ndlFile = {});

// The status-bar line for a year of a run, when no progress window shows it.
std::string ProgressStatusText(uint32_t year, uint32_t yearMax, double yearsPerSecond);

} // namespace orvane
