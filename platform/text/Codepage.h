#pragma once
// Windows-1252 <-> UTF-8. The program keeps UTF-8 inside; family lists and editor files
// are single-byte Windows-1252 on disk.
#include <string>
#include <string_view>

namespace velcaro::text {

std::string Cp1252ToUtf8(std::string_view bytes);
// Characters Windows-1252 cannot hold become '?'.
std::string Utf8ToCp1252(std::string_view utf8);
bool IsValidUtf8(std::string_view bytes);

} // namespace velcaro::text
