#pragma once
// Number patterns: "0" a digit always shown, "#" a digit shown when significant,
// "." the decimal separator, a "," anywhere turns on thousands grouping. The
// separators shown are the regional ones. "#,#" shows nothing for zero.
#include <string>
#include <string_view>

namespace velcaro::text {

std::string FormatFloat(std::string_view pattern, double value);

} // namespace velcaro::text
