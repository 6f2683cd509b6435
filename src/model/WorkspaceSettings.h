#pragma once

#include <cstdint>

namespace orvane {

// The workspace options of one document as the settings dialog edits them. The snap pitch is
// not stored in the network file.
struct CWorkspaceSettings {
    uint32_t width = 1024;
    uint32_t height = 786;
    bool regionalRedraw = false;
    int32_t adaptiveDrawing = 0;
    int32_t snapPixel = 10;

    friend bool operator==(const CWorkspaceSettings&, const CWorkspaceSettings&) = default;
};

} // namespace orvane
