#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// Number text of the dialogs. Qt sets the process locale from the environment, so the C
// library's conversions could read "0,5" in one place and write "0.5" in another; these never
// depend on the locale.

// A whole field as a finite double: blanks around it allowed, nothing else.
std::optional<double> ParseNumber(std::string_view text);
// A whole field as a 32-bit integer, the same way.
std::optional<int32_t> ParseInteger(std::string_view text);
// The leading number of a text, 0 when there is none (as atof reads it); never inf or nan,
// which NDL could not write.
double LeadingNumber(std::string_view text);
// A double as its field shows it: general format, 15 significant digits.
std::string FieldNumber(double value);
// A load profile value as its list shows it: general format, 6 significant digits.
std::string ProfileNumber(double value);

} // namespace orvane
