#include "platform/spreadsheet/Address.h"

#include <algorithm>
#include <cctype>

namespace velcaro::spreadsheet {

namespace {

bool IsLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::optional<int> ParseRowNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 7 || digits.front() == '0')
        return std::nullopt;
    int row = 0;
    for (char c : digits) {
        if (!IsDigit(c))
            return std::nullopt;
        row = row * 10 + (c - '0');
    }
    if (row > kMaxRows)
        return std::nullopt;
    return row;
}

std::string_view SkipDollar(std::string_view s) {
    if (!s.empty() && s.front() == '$')
        s.remove_prefix(1);
    return s;
}

} // namespace

std::optional<int> ParseColumnName(std::string_view name) {
    if (name.empty() || name.size() > 3)
        return std::nullopt;
    int col = 0;
    for (char c : name) {
        if (!IsLetter(c))
            return std::nullopt;
        col = col * 26 + (std::toupper(static_cast<unsigned char>(c)) - 'A' + 1);
    }
    if (col > kMaxColumns)
        return std::nullopt;
    return col;
}

std::string ColumnName(int column) {
    std::string name;
    while (column > 0) {
        const int rem = (column - 1) % 26;
        name.insert(name.begin(), static_cast<char>('A' + rem));
        column = (column - 1) / 26;
    }
    return name;
}

std::optional<Rect> ParseCell(std::string_view text) {
    text = SkipDollar(text);
    std::size_t i = 0;
    while (i < text.size() && IsLetter(text[i]))
        ++i;
    const auto col = ParseColumnName(text.substr(0, i));
    if (!col)
        return std::nullopt;
    const auto row = ParseRowNumber(SkipDollar(text.substr(i)));
    if (!row)
        return std::nullopt;
    return Rect{*row, *col, *row, *col};
}

std::optional<Rect> ParseRange(std::string_view text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos)
        return ParseCell(text);
    const std::string_view a = text.substr(0, colon);
    const std::string_view b = text.substr(colon + 1);
    if (b.find(':') != std::string_view::npos)
        return std::nullopt;
    auto ca = ParseCell(a);
    auto cb = ParseCell(b);
    if (!ca || !cb) {
        // Whole columns ("A:C") or whole rows ("2:3").
        if (auto c1 = ParseColumnName(SkipDollar(a))) {
            if (auto c2 = ParseColumnName(SkipDollar(b))) {
                ca = Rect{1, *c1, kMaxRows, *c1};
                cb = Rect{1, *c2, kMaxRows, *c2};
            }
        } else if (auto r1 = ParseRowNumber(SkipDollar(a))) {
            if (auto r2 = ParseRowNumber(SkipDollar(b))) {
                ca = Rect{*r1, 1, *r1, kMaxColumns};
                cb = Rect{*r2, 1, *r2, kMaxColumns};
            }
        }
        if (!ca || !cb)
            return std::nullopt;
    }
    Rect r;
    r.top = std::min(ca->top, cb->top);
    r.left = std::min(ca->left, cb->left);
    r.bottom = std::max(ca->bottom, cb->bottom);
    r.right = std::max(ca->right, cb->right);
    return r;
}

std::string FormatAddress(const Rect& r) {
    auto cell = [](int row, int col) { return "$" + ColumnName(col) + "$" + std::to_string(row); };
    std::string s = cell(r.top, r.left);
    if (r.Count() > 1)
        s += ":" + cell(r.bottom, r.right);
    return s;
}

} // namespace velcaro::spreadsheet
