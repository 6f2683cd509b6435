#include "base/Output.h"

#include <cerrno>
#include <cstdarg>
#include <vector>

namespace orvane {

bool Output::OpenTextOutput(const std::string& path) {
    return text_.Open(path);
}

void Output::CloseTextOutput() {
    if (text_.IsOpen())
        text_.Commit();
}

void Output::OutputText(unsigned mask, const char* format, ...) {
    if (!(mask & TextBit) || !text_.IsOpen())
        return;
    va_list args;
    va_start(args, format);
    errno = 0;
    text_.Check(std::vfprintf(text_.File(), format, args) >= 0);
    va_end(args);
}

bool Output::OpenHtmlOutput(const std::string& path) {
    return html_.Open(path);
}

void Output::CloseHtmlOutput() {
    if (html_.IsOpen())
        html_.Commit();
}

void Output::OutputHtml(std::string_view text) {
    if (html_.IsOpen())
        html_.Write(text);
}

bool Output::Commit() {
    // Every channel is finished before either replaces its file: both reports or neither.
    std::vector<PendingFile*> open;
    for (PendingFile* channel : {&text_, &html_})
        if (channel->IsOpen())
            open.push_back(channel);
    bool ok = true;
    for (PendingFile* channel : open)
        ok = channel->Finish() && ok;
    for (PendingFile* channel : open)
        ok = ok && channel->Replace();
    if (!ok)
        Discard();
    return ok;
}

void Output::Discard() {
    text_.Discard();
    html_.Discard();
}

std::string Output::Error() const {
    for (const PendingFile* channel : {&text_, &html_})
        if (channel->Failed())
            return "cannot write '" + channel->Target() + "': " + channel->Reason();
    return {};
}

} // namespace orvane
