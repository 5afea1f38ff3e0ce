#include "platform/text/Codepage.h"

#include <cstdint>

namespace velcaro::text {

namespace {
// 0x80..0x9F of Windows-1252; 0 where the code page leaves the byte undefined.
constexpr char32_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at i; returns false for a malformed one.
bool DecodeUtf8(std::string_view s, size_t& i, char32_t& c)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = 0;
    if (b0 < 0x80) {
        c = b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        c = b0 & 0x1F;
        extra = 1;
    } else if ((b0 & 0xF0) == 0xE0) {
        c = b0 & 0x0F;
        extra = 2;
    } else if ((b0 & 0xF8) == 0xF0) {
        c = b0 & 0x07;
        extra = 3;
    } else {
        return false;
    }
    if (i + static_cast<size_t>(extra) >= s.size() && extra > 0)
        return false;
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
        if ((b & 0xC0) != 0x80)
            return false;
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (c < kMin[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return false;
    i += static_cast<size_t>(extra) + 1;
    return true;
}
} // namespace

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char32_t c = b;
        if (b >= 0x80 && b <= 0x9F)
            c = kHigh[b - 0x80] ? kHigh[b - 0x80] : b;
        AppendUtf8(out, c);
    }
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        if (!DecodeUtf8(utf8, i, c)) {
            out += '?';
            ++i;
            continue;
        }
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (int k = 0; k < 32; ++k)
            if (kHigh[k] == c)
                mapped = static_cast<char>(0x80 + k);
        out += mapped;
    }
    return out;
}

bool IsValidUtf8(std::string_view bytes)
{
    size_t i = 0;
    char32_t c = 0;
    while (i < bytes.size())
        if (!DecodeUtf8(bytes, i, c))
            return false;
    return true;
}

} // namespace velcaro::text
