#include "model/NdlNumber.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace orvane {

std::string NdlNumber(double value, int digits) {
    // No NDL number can carry these; words make the parse fail loudly instead of misreading.
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    if (digits < 1)
        digits = 1;
    if (digits > 40)
        digits = 40;

    // "%e" rounds to the wanted digits and yields the exponent of the rounded value.
    char buf[96];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, value);
    const char* p = buf;
    std::string sign;
    if (*p == '-') {
        sign = "-";
        ++p;
    }
    std::string mantissa;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.')
            mantissa += *p;
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    while (mantissa.size() > 1 && mantissa.back() == '0')
        mantissa.pop_back();

    std::string text = sign;
    if (exponent < -1 || exponent > digits - 1) {
        char tail[16];
        std::snprintf(tail, sizeof tail, "e%c%03d", exponent < 0 ? '-' : '+', std::abs(exponent));
        text += mantissa.substr(0, 1) + "." + mantissa.substr(1) + tail;
    } else if (exponent == -1) {
        text += "0." + mantissa;
    } else {
        const size_t whole = static_cast<size_t>(exponent) + 1;
        if (mantissa.size() <= whole)
            text += mantissa + std::string(whole - mantissa.size(), '0') + ".";
        else
            text += mantissa.substr(0, whole) + "." + mantissa.substr(whole);
    }
    return text;
}

} // namespace orvane
