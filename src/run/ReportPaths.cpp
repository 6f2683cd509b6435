#include "run/ReportPaths.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace orvane {

bool TitleNamesDirectory(const std::string& title) {
    return !title.empty() && title != "." && title != ".." &&
           title.find_first_of(std::string("/\\\0", 3)) == std::string::npos;
}

ReportPaths MakeReportPaths(const std::string& base, const std::string& title) {
    const fs::path dir = fs::path(base) / title;
    ReportPaths paths;
    paths.directory = dir.string();
    paths.text = (dir / (title + ".txt")).string();
    paths.html = (dir / (title + ".htm")).string();
    paths.barImage = (fs::path(base) / "Bar.bmp").string();
    return paths;
}

} // namespace orvane
