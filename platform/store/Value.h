#pragma once
// A field value as the cursors hold it: empty (null), integer, float or text.
#include <cstdint>
#include <string>
#include <variant>

namespace velcaro::store {

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool IsNull(const Value& v) { return std::holds_alternative<std::monostate>(v); }

} // namespace velcaro::store
