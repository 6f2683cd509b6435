#pragma once

#include <string>

namespace orvane {

// A number as NDL text, in the general format the network files have always used (the Windows
// C runtime's _gcvt): `digits` significant digits, fixed notation when the decimal exponent is
// in [-1, digits-1], otherwise "d.ddde+XXX"; trailing zeros dropped, the point always kept
// ("0.", "12.", "2.5", "5.e-002"). The exponent is taken after rounding, so 999999.5 becomes
// "1.e+006". Every finite result reads back through NDL's number rule.
std::string NdlNumber(double value, int digits = 6);

} // namespace orvane
