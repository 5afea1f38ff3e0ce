#include "platform/spreadsheet/NumberFormat.h"

#include <algorithm>
#include <cctype>

namespace velcaro::spreadsheet {

namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::string ToInvariantNumberFormat(std::string_view local) {
    if (EqualsNoCase(local, "Standard") || EqualsNoCase(local, "Generale"))
        return "General";
    std::string out;
    out.reserve(local.size());
    for (std::size_t i = 0; i < local.size(); ++i) {
        const char c = local[i];
        if (c == '"') {
            // Quoted literal text, copied as it stands (up to and with the closing quote).
            const auto end = local.find('"', i + 1);
            const auto stop = end == std::string_view::npos ? local.size() : end + 1;
            out.append(local.substr(i, stop - i));
            i = stop - 1;
        } else if (c == '\\' && i + 1 < local.size()) {
            out += c;
            out += local[++i];
        } else if (c == '[') {
            // Colours, conditions and currency/locale tags: [Red], [<100], [$€-410].
            const auto end = local.find(']', i + 1);
            const auto stop = end == std::string_view::npos ? local.size() : end + 1;
            out.append(local.substr(i, stop - i));
            i = stop - 1;
        } else if (c == '.') {
            out += ',';
        } else if (c == ',') {
            out += '.';
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace velcaro::spreadsheet
