#include "shell/MainFrm.h"
#include "shell/Orvane.h"
#include "shell/ScreenshotTour.h"

#include "base/Version.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    // Answered before Qt starts, so that it works without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("orvane %s\n", orvane::Version);
            return std::fflush(stdout) == 0 ? 0 : 2;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setOrganizationName(QStringLiteral("Orvane"));

    // Qt has taken its own options (-platform, -style, ...) out of the list by now.
    const auto line = orvane::COrvaneApp::ParseCommandLine(QApplication::arguments());
    if (!line.ok) {
        std::fprintf(stderr,
                     "orvane: %s\nusage: orvane [NETWORK.vlm] [--no-splash] [--reports DIR]\n"
                     "       orvane --version\n",
                     qPrintable(line.error));
        return 2;
    }
    orvane::COrvaneApp theApp;
    if (!theApp.InitInstance(line))
        return 1;
    if (!line.screenshotDir.isEmpty())
        orvane::StartScreenshotTour(theApp, line.screenshotDir);
    return QApplication::exec();
}
