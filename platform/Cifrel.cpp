#include "platform/Cifrel.h"

#include "platform/text/Regional.h"

namespace velcaro {

// The program's number texts differ from what the conversions read only by the thousands
// separators, so removing every one of them is enough; the decimal separator stays. An
// empty box (the stowage totals can be empty) reads as zero rather than failing.
std::string FindPointString(std::string_view text) {
    if (text.find_first_not_of(" \t") == std::string_view::npos)
        return "0";
    const std::string& thousands = text::Regional().thousandSeparator;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (!thousands.empty() && text.substr(i, thousands.size()) == thousands) {
            i += thousands.size();
        } else {
            out += text[i];
            ++i;
        }
    }
    return out;
}

} // namespace velcaro
