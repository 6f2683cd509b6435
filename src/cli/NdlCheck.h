#pragma once

#include <cstdio>
#include <string>

namespace orvane::cli {

// check on NDL text: reads it as simulate would, down to the network it describes, without
// simulating or writing a report. The drawing check's message on out and ExitOk when the text
// passes; "FILE:LINE:COLUMN: error: ..." (or simulate's message for a text without a system
// definition or load points) on err and ExitNetworkError when not; ExitUsage when the text
// cannot be read. path "-" reads in.
int CheckNdl(const std::string& path, std::FILE* in, std::FILE* out, std::FILE* err);

} // namespace orvane::cli
