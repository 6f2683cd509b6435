#pragma once

#include <cstdio>
#include <string>

namespace orvane::test {

// What a command wrote to its two streams, and the exit code it returned.
struct Outcome {
    int code = -1;
    std::string out;
    std::string err;
};

// Everything in a temporary file from its start; closes it.
inline std::string ReadAndClose(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        text.append(buffer, n);
    std::fclose(file);
    return text;
}

// Runs command(out, err) with both streams captured in temporary files.
template <class Command> Outcome Capture(Command command) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Outcome o;
    o.code = command(out, err);
    o.out = ReadAndClose(out);
    o.err = ReadAndClose(err);
    return o;
}

} // namespace orvane::test
