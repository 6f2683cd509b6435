#pragma once

#include "base/PendingFile.h"

#include <string>
#include <string_view>

namespace orvane {

// The two report channels of one simulation run: a text channel filtered by a channel mask and
// an HTML channel that takes strings as they are. A run owns its channels and hands them to the
// parser and the engine, so two runs in one process never share or interleave their output.
// Each channel writes beside its file and replaces the file only when closed or committed, so
// a run that is cancelled, or cannot write every byte, leaves the previous report as it was.
// Writing to a channel that is not open does nothing; a failed write is remembered.
class Output {
public:
    // Only the bit of value 2 leads to the text file; the bit of value 1 leads nowhere.
    static constexpr unsigned TextBit = 2;

    Output() = default;
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    bool OpenTextOutput(const std::string& path);
    // Puts the text written so far in the file's place.
    void CloseTextOutput();
    void OutputText(unsigned mask, const char* format, ...) __attribute__((format(printf, 3, 4)));

    bool OpenHtmlOutput(const std::string& path);
    void CloseHtmlOutput();
    void OutputHtml(std::string_view text);

    bool HasText() const { return text_.IsOpen(); }
    bool HasHtml() const { return html_.IsOpen(); }

    // Both open channels replace their files, or neither does when either could not be written
    // completely; false then, with Error() naming the file.
    bool Commit();
    // Drops what both channels wrote; their files stay as they were.
    void Discard();
    // The first failure, as "cannot write 'PATH': reason"; empty while there is none.
    std::string Error() const;

private:
    PendingFile text_;
    PendingFile html_;
};

} // namespace orvane
