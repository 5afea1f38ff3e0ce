#pragma once
// A field value as the cursors hold it: empty (null), integer, float or text.
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace velcaro::store {

using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool IsNull(const Value& v) {
    return std::holds_alternative<std::monostate>(v);
}

// Conversions of a value without regard to the field that holds it. Null reads as 0 or "";
// numbers in text use the regional settings; errors are the program's conversion texts.
std::string ValueToString(const Value& v); // general form for numbers
double ValueToFloat(const Value& v);       // text through StrToFloat
std::int32_t ValueToInt32(const Value& v); // floats round half to even; overflow throws
std::int64_t ValueToInt64(const Value& v); // as above, 64-bit

// The first `characters` code points of a UTF-8 text; never cuts a character in two
// (stray continuation bytes stay with the character before them).
std::string TruncateToCharacters(std::string_view text, int characters);
// Number of code points of a UTF-8 text.
int CharacterCount(std::string_view text);

} // namespace velcaro::store
