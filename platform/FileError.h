#pragma once
// The text of a file error as the user reads it: the file as the program named it and
// the system's reason, in Italian.
#include <string>

namespace velcaro {

std::string FileErrorText(const std::string& fileName, int errorNumber);

} // namespace velcaro
