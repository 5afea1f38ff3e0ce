#include "platform/text/Conversions.h"

#include "platform/Error.h"
#include "platform/text/DecimalDigits.h"
#include "platform/text/Regional.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace velcaro::text {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int HexValue(char c) {
    if (IsDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Leading blanks, an optional sign, then decimal digits or "$"/"0x" and hexadecimal digits,
// and nothing else. The magnitude is checked against the range before it can wrap; a
// hexadecimal text is a value like any other, so "$FFFFFFFF" is out of 32-bit range.
bool ParseInteger(std::string_view s, std::int64_t min, std::int64_t max, std::int64_t& out) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i == s.size())
        return false;
    const std::uint64_t limit =
        negative ? static_cast<std::uint64_t>(-(min + 1)) + 1u : static_cast<std::uint64_t>(max);
    std::uint64_t magnitude = 0;
    for (; i < s.size(); ++i) {
        const int digit = base == 16 ? HexValue(s[i]) : (IsDigit(s[i]) ? s[i] - '0' : -1);
        if (digit < 0)
            return false;
        const auto d = static_cast<std::uint64_t>(digit);
        if (magnitude > (limit - d) / base)
            return false;
        magnitude = magnitude * base + d;
    }
    // Modular conversion (well defined since C++20) gives the right value for the minimum.
    out =
        negative ? static_cast<std::int64_t>(0u - magnitude) : static_cast<std::int64_t>(magnitude);
    return true;
}

[[noreturn]] void ThrowNotInteger(std::string_view s) {
    throw ConversionError("'" + std::string(s) + "' is not a valid integer value");
}

[[noreturn]] void ThrowNotFloat(std::string_view s) {
    throw ConversionError("'" + std::string(s) + "' is not a valid floating point value");
}

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// Decimal exponent that makes a tiny or huge value out of range. Exponent texts longer
// than this are settled without reading them into an int.
constexpr int kExponentDigitsLimit = 6;

} // namespace

bool TryStrToInt(std::string_view s, std::int32_t& out) {
    std::int64_t v = 0;
    if (!ParseInteger(s, std::numeric_limits<std::int32_t>::min(),
                      std::numeric_limits<std::int32_t>::max(), v))
        return false;
    out = static_cast<std::int32_t>(v);
    return true;
}

std::int32_t StrToInt(std::string_view s) {
    std::int32_t v = 0;
    if (!TryStrToInt(s, v))
        ThrowNotInteger(s);
    return v;
}

std::int64_t StrToInt64(std::string_view s) {
    std::int64_t v = 0;
    if (!ParseInteger(s, std::numeric_limits<std::int64_t>::min(),
                      std::numeric_limits<std::int64_t>::max(), v))
        ThrowNotInteger(s);
    return v;
}

// The text is checked character by character under the regional decimal separator and
// rewritten in the neutral form ("." as the point) that std::from_chars reads; from_chars
// does not depend on the C locale, unlike strtod.
bool TryStrToFloat(std::string_view s, double& out) {
    const std::string& sep = Regional().decimalSeparator;
    s = TrimBlanks(s);
    std::string neutral;
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        if (negative)
            neutral.push_back('-');
        ++i;
    }
    int integerDigits = 0;
    int mantissaDigits = 0;
    int firstNonZero = -1; // index among the mantissa digits
    bool point = false;
    while (i < s.size()) {
        if (IsDigit(s[i])) {
            if (firstNonZero < 0 && s[i] != '0')
                firstNonZero = mantissaDigits;
            ++mantissaDigits;
            if (!point)
                ++integerDigits;
            neutral.push_back(s[i]);
            ++i;
        } else if (!point && !sep.empty() && s.substr(i, sep.size()) == sep) {
            point = true;
            neutral.push_back('.');
            i += sep.size();
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    bool exponentNegative = false;
    std::string_view exponentDigits;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            exponentNegative = s[i] == '-';
            ++i;
        }
        const std::size_t start = i;
        while (i < s.size() && IsDigit(s[i]))
            ++i;
        if (i == start)
            return false;
        exponentDigits = s.substr(start, i - start);
    }
    if (i != s.size())
        return false;

    const double zero = negative ? -0.0 : 0.0;
    if (firstNonZero < 0) {
        out = zero;
        return true;
    }
    while (exponentDigits.size() > 1 && exponentDigits.front() == '0')
        exponentDigits.remove_prefix(1);
    if (exponentDigits.size() > kExponentDigitsLimit) {
        if (exponentNegative) {
            out = zero;
            return true;
        }
        return false;
    }
    int exponent = 0;
    if (!exponentDigits.empty())
        std::from_chars(exponentDigits.data(), exponentDigits.data() + exponentDigits.size(),
                        exponent);
    if (exponentNegative)
        exponent = -exponent;
    neutral += 'e';
    neutral += std::to_string(exponent);

    double value = 0.0;
    const auto res = std::from_chars(neutral.data(), neutral.data() + neutral.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Below the smallest double reads as zero; above the largest is not a value.
        const int magnitude = integerDigits - firstNonZero + exponent;
        if (magnitude <= 0) {
            out = zero;
            return true;
        }
        return false;
    }
    if (res.ec != std::errc{} || res.ptr != neutral.data() + neutral.size() ||
        !std::isfinite(value))
        return false;
    out = value;
    return true;
}

double StrToFloat(std::string_view s) {
    double v = 0.0;
    if (!TryStrToFloat(s, v))
        ThrowNotFloat(s);
    return v;
}

std::string IntToStr(std::int64_t v) {
    return std::to_string(v);
}

// General form with 15 significant digits. The digits are the shortest ones that read back
// as the same double, rounded half away from zero, so 0.1 + 0.2 shows as 0,3. Scientific
// notation takes over when the exponent would need more than 15 integer digits or more
// than four leading zeros after the point: 1E15, 1E-5, 1,5E-7.
std::string FloatToStr(double v) {
    if (std::isnan(v))
        return "NAN";
    if (std::isinf(v))
        return v < 0 ? "-INF" : "INF";
    constexpr int kPrecision = 15;
    const DecimalDigits d = RoundToSignificant(ShortestDigits(v), kPrecision);
    if (d.digits.empty())
        return "0";
    const std::string& sep = Regional().decimalSeparator;
    std::string out = d.negative ? "-" : "";
    if (d.exponent > kPrecision || d.exponent < -3) {
        out += d.digits[0];
        if (d.digits.size() > 1) {
            out += sep;
            out.append(d.digits, 1);
        }
        out += 'E';
        out += std::to_string(d.exponent - 1);
        return out;
    }
    if (d.exponent <= 0) {
        out += '0';
        out += sep;
        out.append(static_cast<std::size_t>(-d.exponent), '0');
        out += d.digits;
        return out;
    }
    const auto intLen = static_cast<std::size_t>(d.exponent);
    if (d.digits.size() <= intLen) {
        out += d.digits;
        out.append(intLen - d.digits.size(), '0');
    } else {
        out.append(d.digits, 0, intLen);
        out += sep;
        out.append(d.digits, intLen);
    }
    return out;
}

std::string Trim(std::string_view s) {
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ')
        s.remove_prefix(1);
    while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ')
        s.remove_suffix(1);
    return std::string(s);
}

// Explicit rather than std::nearbyint so that the result does not depend on the floating
// point rounding mode of the moment.
double RoundHalfEven(double v) {
    if (!std::isfinite(v))
        return v;
    const double below = std::floor(v);
    const double fraction = v - below;
    if (fraction < 0.5)
        return below;
    if (fraction > 0.5)
        return below + 1.0;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::int32_t RoundToInt32(double v) {
    const double r = RoundHalfEven(v);
    // Both limits are exact doubles, and NaN fails both comparisons.
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw OverflowError("Valore fuori dall'intervallo consentito: " + FloatToStr(v));
    return static_cast<std::int32_t>(r);
}

} // namespace velcaro::text
