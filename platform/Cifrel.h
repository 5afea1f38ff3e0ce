#pragma once
// FindPointString: turns a number text that the program formatted (possibly with
// thousands separators) into a text the conversions accept.
#include <string>
#include <string_view>

namespace velcaro {

std::string FindPointString(std::string_view text);

} // namespace velcaro
