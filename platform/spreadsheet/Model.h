#pragma once
// The workbook as the layer keeps it in memory (internal to the layer).
#include "platform/spreadsheet/Formula.h"
#include "platform/spreadsheet/Spreadsheet.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velcaro::spreadsheet::detail {

struct BorderLine {
    int lineStyle = xlLineStyleNone;
    int weight = xlThin;
    std::optional<std::uint32_t> rgb; // nullopt: automatic (black)
    auto operator<=>(const BorderLine&) const = default;
};

enum Edge { kLeft = 0, kTop = 1, kBottom = 2, kRight = 3 };

// Everything that decides how a cell looks; also the key of the file's format cache.
struct Style {
    std::optional<std::string> fontName;
    std::optional<double> fontSize;
    bool bold = false;
    bool italic = false;
    std::optional<std::uint32_t> fontRgb; // 0xRRGGBB; nullopt: automatic
    int horizontalAlignment = xlGeneral;
    std::optional<std::uint32_t> fillRgb; // nullopt: no fill
    std::array<BorderLine, 4> borders{};
    std::string numberFormat; // as the program wrote it; empty: General
    auto operator<=>(const Style&) const = default;
};

struct Cell {
    CellValue value;       // constant content (empty for a formula cell)
    std::string formula;   // as written; empty when the cell holds no formula
    std::string invariant; // the formula in the file's form
    std::optional<Formula> parsed;
    CellValue result; // of the last calculation
    Style style;
};

using CellKey = std::pair<int, int>; // (row, column)

struct WorkbookData;

struct SheetData {
    WorkbookData* book = nullptr; // the owner, which outlives the sheet
    std::string name;
    std::map<CellKey, Cell> cells;
    std::map<int, double> columnWidths;
    bool displayGridlines = true;
    std::optional<int> printZoom;
    int windowZoom = 100;
};

struct ApplicationData;

struct WorkbookData {
    ApplicationData* app = nullptr;
    std::string name; // "Cartel1" until saved, then the file name
    std::vector<std::shared_ptr<SheetData>> sheets;
    std::size_t activeSheet = 0;
    std::string fullName; // path of the last successful save; empty: never saved
    bool dirty = true;
};

struct ApplicationData {
    std::vector<std::shared_ptr<WorkbookData>> workbooks;
    std::weak_ptr<WorkbookData> active;
    int booksCreated = 0;
    bool visible = false;
    bool quit = false;
    DocumentOpener opener;
};

// Evaluates every formula of the sheet, keeping each result in its cell.
void CalculateSheet(SheetData& sheet);

// Writes the workbook as .xlsx at exactly this path, its folder existing. Throws
// velcaro::Error naming displayName when anything fails.
void WriteXlsx(const WorkbookData& book, const std::string& path, const std::string& displayName);

} // namespace velcaro::spreadsheet::detail
