#include "tools/scenario/Script.h"

#include "platform/Error.h"

namespace velcaro::scenario {

namespace {
bool Blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }
} // namespace

std::vector<Line> ParseScript(const std::string& text)
{
    std::vector<Line> lines;
    int number = 0;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        const std::string raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++number;

        Line line;
        line.number = number;
        size_t i = 0;
        while (i < raw.size() && Blank(raw[i]))
            ++i;
        if (i == raw.size() || raw[i] == '#') {
            if (end == text.size())
                break;
            continue;
        }
        while (i < raw.size()) {
            if (Blank(raw[i])) {
                ++i;
                continue;
            }
            Word w;
            if (raw[i] == '"') {
                w.quoted = true;
                ++i;
                bool closed = false;
                while (i < raw.size()) {
                    const char c = raw[i++];
                    if (c == '"') {
                        closed = true;
                        break;
                    }
                    if (c == '\\' && i < raw.size()) {
                        const char e = raw[i++];
                        switch (e) {
                        case 'r': w.text += '\r'; break;
                        case 'n': w.text += '\n'; break;
                        case '"': w.text += '"'; break;
                        case '\\': w.text += '\\'; break;
                        default:
                            w.text += '\\';
                            w.text += e;
                        }
                        continue;
                    }
                    w.text += c;
                }
                if (!closed)
                    throw ScriptSyntaxError(number, "virgolette non chiuse");
            } else {
                while (i < raw.size() && !Blank(raw[i]))
                    w.text += raw[i++];
            }
            line.words.push_back(std::move(w));
        }
        lines.push_back(std::move(line));
        if (end == text.size())
            break;
    }
    return lines;
}

} // namespace velcaro::scenario
