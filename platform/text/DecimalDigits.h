#pragma once
// The decimal digits of a double, as the number formats need them: shortest round-trip
// digits, then rounded half away from zero to the places a format shows.
#include <string>

namespace velcaro::text {

// value = 0.d1 d2 d3 ... x 10^exponent; digits carry no trailing zeros and are empty for
// zero (exponent 0 then).
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// The shortest digits that read back as v (v finite).
DecimalDigits ShortestDigits(double v);
// Rounded half away from zero to `decimals` places after the decimal point.
DecimalDigits RoundToDecimals(DecimalDigits d, int decimals);
// Rounded half away from zero to `precision` significant digits.
DecimalDigits RoundToSignificant(DecimalDigits d, int precision);

} // namespace velcaro::text
