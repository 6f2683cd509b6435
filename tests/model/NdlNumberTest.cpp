#include "model/NdlNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace orvane {
namespace {

struct NumberCase {
    double value;
    int digits;
    const char* text;
};

TEST(NdlNumberTest, WritesTheGeneralFormat) {
    const NumberCase cases[] = {
        {0, 6, "0."},
        {12, 6, "12."},
        {-1, 6, "-1."},
        {2.5, 6, "2.5"},
        {0.05, 6, "5.e-002"},
        {123456, 6, "123456."},
        {0.1234567, 6, "0.123457"},
        {-0.1234567, 6, "-0.123457"},
        {0.1, 6, "0.1"},
        {0.099, 6, "9.9e-002"},
        {1e6, 6, "1.e+006"},
        {1.5e6, 6, "1.5e+006"},
        {-2.5e7, 6, "-2.5e+007"},
        {1234567, 6, "1.23457e+006"},
        {1e-10, 6, "1.e-010"},
        {1e300, 6, "1.e+300"},
        {4.9e-324, 6, "4.94066e-324"},
        {3.14159265, 6, "3.14159"},
        // Rounding that carries into a new digit moves to the rounded value's notation.
        {999999.5, 6, "1.e+006"},
        {0.0999999999, 6, "0.1"},
        {9.999996, 6, "10."},
        {99999.96, 6, "100000."},
        // The settings writer: 10 digits for counts, 8 for the accuracy.
        {1000000, 10, "1000000."},
        {1000000000, 10, "1000000000."},
        {0.05, 8, "5.e-002"},
        {0.12345678912, 8, "0.12345679"},
        {1, 1, "1."},
        {15, 1, "2.e+001"},
        // Non-finite values cannot pass as numbers.
        {INFINITY, 6, "inf"},
        {-INFINITY, 6, "-inf"},
        {NAN, 6, "nan"},
    };
    for (const NumberCase& c : cases)
        EXPECT_EQ(NdlNumber(c.value, c.digits), c.text) << c.value << " with " << c.digits;
}

bool IsNumberCharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E';
}

// The parser's rule: only number characters, and "%lf%c" must take exactly one item.
bool ReadsBack(const std::string& text, double& value) {
    for (char c : text)
        if (!IsNumberCharacter(c))
            return false;
    char rest = 0;
    return std::sscanf(text.c_str(), "%lf%c", &value, &rest) == 1;
}

TEST(NdlNumberTest, EveryTextReadsBackAsTheRoundedValue) {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int digits : {6, 8, 10}) {
        for (int i = 0; i < 20000; ++i) {
            double value = mantissa(random) * std::pow(10.0, exponent(random));
            if (i % 5 == 0)
                value = std::round(value); // integral values keep their trailing point
            const std::string text = NdlNumber(value, digits);
            double back = 0;
            ASSERT_TRUE(ReadsBack(text, back)) << text;
            char expected[64];
            std::snprintf(expected, sizeof expected, "%.*e", digits - 1, value);
            EXPECT_EQ(back, std::strtod(expected, nullptr)) << value << " -> " << text;
        }
    }
}

} // namespace
} // namespace orvane
