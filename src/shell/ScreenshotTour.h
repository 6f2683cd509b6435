#pragma once

#include <QString>

namespace orvane {

class COrvaneApp;

// The hidden --screenshot DIR option: with the network named on the command line open, saves
// the main window, the progress window of a run paused part-way, and the result viewer at a
// load point, as PNG files in DIR, then quits. Used to make the pictures of the user guide.
void StartScreenshotTour(COrvaneApp& app, const QString& directory);

} // namespace orvane
