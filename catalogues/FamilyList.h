#pragma once
// Family list files ("Testo\Famiglie Contenitori.txt", …): one family name per line.
#include <string>
#include <string_view>
#include <vector>

namespace velcaro::catalogues {

// Splits the bytes of a family list into names: Windows-1252 (UTF-8 when the bytes are valid
// UTF-8); CR, LF and CR LF each end a line; a final line break adds no empty name; an empty
// line between two names is an empty name; a NUL byte ends the text.
std::vector<std::string> ParseFamilyList(std::string_view bytes);

// Reads the file at path (already resolved); throws velcaro::Error naming shownName with the
// system's reason when it cannot be read.
std::vector<std::string> ReadFamilyList(const std::string& path, const std::string& shownName);

} // namespace velcaro::catalogues
