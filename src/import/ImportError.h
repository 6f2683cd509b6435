#pragma once

#include <stdexcept>
#include <string>

namespace orvane {

// Why a network file or its reliability data cannot be imported, in a sentence that names the
// table and row at fault; for a text file also the line, counted from 1 (0: none). The caller
// adds the file name.
class ImportError : public std::runtime_error {
public:
    explicit ImportError(const std::string& message, int line = 0)
        : std::runtime_error(message), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

} // namespace orvane
