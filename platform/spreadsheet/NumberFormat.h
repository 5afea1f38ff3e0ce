#pragma once
// Number format texts. The program writes them as an Italian user types them: the
// point groups thousands and the comma marks decimals ("€ #.##0,0"). The file keeps
// formats in the invariant form ("€ #,##0.0"), which every spreadsheet program then
// shows with its user's own separators. The translation swaps the two symbols
// outside literal parts (quoted text, backslash escapes, [bracketed] sections) and
// turns "Standard" into "General".
#include <string>
#include <string_view>

namespace velcaro::spreadsheet {

std::string ToInvariantNumberFormat(std::string_view localFormat);

} // namespace velcaro::spreadsheet
