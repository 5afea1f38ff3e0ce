#pragma once
// A1-style cell addresses: "B4", "$A$1", "B4:B6", whole columns "A:C", whole rows "2:3".
#include <optional>
#include <string>
#include <string_view>

namespace velcaro::spreadsheet {

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// A rectangle of cells, 1-based and inclusive on both ends; always normalised
// (top <= bottom, left <= right).
struct Rect {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    int Rows() const { return bottom - top + 1; }
    int Columns() const { return right - left + 1; }
    long long Count() const { return static_cast<long long>(Rows()) * Columns(); }
    bool Contains(int row, int col) const {
        return row >= top && row <= bottom && col >= left && col <= right;
    }
    bool operator==(const Rect&) const = default;
};

// "A" -> 1, "S" -> 19, "XFD" -> 16384; nullopt for anything else. Case does not matter.
std::optional<int> ParseColumnName(std::string_view name);
// 1 -> "A", 28 -> "AB".
std::string ColumnName(int column);

// One cell: "B4", "$B$4", "b4". nullopt when the text is not a cell inside the sheet.
std::optional<Rect> ParseCell(std::string_view text);
// A cell, a range "B4:B6" (corners in any order), whole columns "A:C" or whole rows "2:3".
std::optional<Rect> ParseRange(std::string_view text);

// "$B$4" or "$B$4:$C$6", as the Address member gives it.
std::string FormatAddress(const Rect& r);

} // namespace velcaro::spreadsheet
