#pragma once

#include <cstdio>
#include <string>
#include <utility>

namespace orvane::test {

// What a command wrote to its two streams, and the exit code it returned.
struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

// Runs command(out, err) with both streams captured in temporary files.
template <class Command> Outcome Capture(Command command) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Outcome o;
    o.code = command(out, err);
    for (auto [file, text] : {std::pair{out, &o.out}, std::pair{err, &o.err}}) {
        std::rewind(file);
        char buffer[4096];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
            text->append(buffer, n);
        std::fclose(file);
    }
    return o;
}

} // namespace orvane::test
