#pragma once
// What one cell holds or a formula yields: nothing, a number, a text, a truth value or
// one of the spreadsheet error values (#DIV/0! and friends).
#include <string>
#include <string_view>
#include <variant>

namespace velcaro::spreadsheet {

enum class ErrorValue { Div0, Value, Ref, Name, Num, NA };

// The invariant text of an error value as a spreadsheet shows it: "#DIV/0!", "#VALUE!"...
std::string_view ErrorText(ErrorValue e);

using CellValue = std::variant<std::monostate, double, std::string, bool, ErrorValue>;

inline bool IsEmpty(const CellValue& v) {
    return std::holds_alternative<std::monostate>(v);
}
inline bool IsNumber(const CellValue& v) {
    return std::holds_alternative<double>(v);
}
inline bool IsText(const CellValue& v) {
    return std::holds_alternative<std::string>(v);
}
inline bool IsBool(const CellValue& v) {
    return std::holds_alternative<bool>(v);
}
inline bool IsError(const CellValue& v) {
    return std::holds_alternative<ErrorValue>(v);
}

} // namespace velcaro::spreadsheet
