#pragma once

#include "run/Simulator.h"

#include <string>

namespace orvane::cli {

// The figures of a completed run as two CSV tables (RFC 4180 quoting, lines ending in LF) for
// spreadsheets. system.csv: one row per system index with its value, relative accuracy and
// unit. loadpoints.csv: one row per load point with its customers and four indices, each
// followed by its relative accuracy. Numbers are written in the shortest form that reads back
// exactly; an index without a defined value is an empty field.
std::string SystemCsv(const RunResult& result);
std::string LoadPointsCsv(const RunResult& result);

// A field as CSV carries it: quoted, with its quotes doubled, when it holds a comma, a quote,
// a line break or surrounding blanks.
std::string CsvField(const std::string& text);
// The shortest decimal form that reads back as x; empty for a value that is not finite.
std::string CsvNumber(double x);

} // namespace orvane::cli
