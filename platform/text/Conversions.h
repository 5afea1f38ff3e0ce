#pragma once
// Text <-> number conversions under the regional settings, with the program's exact
// error texts, and rounding half to even.
#include <cstdint>
#include <string>
#include <string_view>

namespace velcaro::text {

// Decimal (or "$"/"0x" hexadecimal) 32-bit integer; leading blanks allowed, nothing after
// the digits. Throws ConversionError "'%s' is not a valid integer value".
std::int32_t StrToInt(std::string_view s);
bool TryStrToInt(std::string_view s, std::int32_t& out);
std::int64_t StrToInt64(std::string_view s);

// Decimal number with the regional decimal separator, optional exponent; leading and
// trailing blanks allowed, no thousands separators. Throws ConversionError
// "'%s' is not a valid floating point value".
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& out);

std::string IntToStr(std::int64_t v);
// General form: up to 15 significant digits, no trailing zeros, no grouping,
// regional decimal separator (580.5 -> "580,5" under Italian settings).
std::string FloatToStr(double v);

std::string Trim(std::string_view s);

// Rounding to the nearest whole number, halves to the even neighbour (12.5 -> 12, 13.5 -> 14).
double RoundHalfEven(double v);
// The same into 32 bits; throws OverflowError when out of range (NaN included).
std::int32_t RoundToInt32(double v);

} // namespace velcaro::text
