#include "catalogues/FamilyList.h"

#include "platform/Error.h"
#include "platform/FileError.h"
#include "platform/text/Codepage.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace velcaro::catalogues {

std::vector<std::string> ParseFamilyList(std::string_view bytes)
{
    if (const auto nul = bytes.find('\0'); nul != std::string_view::npos)
        bytes = bytes.substr(0, nul);
    const std::string text =
        text::IsValidUtf8(bytes) ? std::string(bytes) : text::Cp1252ToUtf8(bytes);
    std::vector<std::string> names;
    std::string current;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            names.push_back(current);
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty())
        names.push_back(current);
    return names;
}

std::vector<std::string> ReadFamilyList(const std::string& path, const std::string& shownName)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        throw Error(FileErrorText(shownName, EISDIR));
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error(FileErrorText(shownName, errno ? errno : ENOENT));
    std::ostringstream s;
    s << in.rdbuf();
    return ParseFamilyList(s.str());
}

} // namespace velcaro::catalogues
