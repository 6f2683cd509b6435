#pragma once

#include <QIcon>
#include <QPixmap>

namespace orvane {

// The toolbar button pictures, designed on 16 x 15 pixels and drawn in code at any size.
enum class ToolbarIcon {
    New,
    Open,
    Save,
    Cut,
    Copy,
    Paste,
    Print,
    Debug,
    GenerateNdl,
    Simulate,
    WorkspaceSettings,
    SimulationSettings,
    ZoomIn,
    ZoomOut,
    About,
    Select,
    Feeder,
    CircuitBreaker,
    Fuse,
    Recloser,
    Isolator,
    BusBar,
    LoadPoint,
    GenSource,
    Equipment,
    Toggle,
    NdlErrors,
    ResultViewer,
    ResultForm,
    Blank
};

QIcon MakeToolbarIcon(ToolbarIcon which);
// The program icon (32 x 32 and 16 x 16).
QIcon MakeProgramIcon();
// The picture of the splash window and the About box.
QPixmap MakeSplashPicture();

} // namespace orvane
