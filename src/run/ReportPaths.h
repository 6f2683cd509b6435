#pragma once

#include <string>

namespace orvane {

// Whether a network title can name its report directory: not empty, not "." or "..", and
// without '/', '\\' or NUL. The backslash is refused too, so that a report directory keeps its
// name when it is copied to a machine where that is a separator.
bool TitleNamesDirectory(const std::string& title);

// Where the reports of a run go: the directory named after the title inside base, the two
// report files in it, and the bar picture the HTML report shows, in base itself.
struct ReportPaths {
    std::string directory;
    std::string text;
    std::string html;
    std::string barImage;
};
ReportPaths MakeReportPaths(const std::string& base, const std::string& title);

} // namespace orvane
