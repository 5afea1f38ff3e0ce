#include "platform/spreadsheet/Spreadsheet.h"

#include "platform/spreadsheet/Model.h"
#include "platform/spreadsheet/NumberFormat.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace velcaro::spreadsheet {

using detail::ApplicationData;
using detail::BorderLine;
using detail::Cell;
using detail::SheetData;
using detail::Style;
using detail::WorkbookData;

namespace {

// A style change touches at most this many cells: a whole-sheet range is refused
// rather than filling the memory.
constexpr long long kMaxCellsPerChange = 1'000'000;

const char* const kBookClosed = "La cartella di lavoro non è più aperta.";
const char* const kSheetGone = "Il foglio di lavoro non è più disponibile.";
const char* const kAppClosed = "L'applicazione per i fogli di calcolo è stata chiusa.";

std::shared_ptr<SheetData> Lock(const std::weak_ptr<SheetData>& s) {
    auto p = s.lock();
    if (!p)
        throw Error(kSheetGone);
    return p;
}

std::shared_ptr<WorkbookData> Lock(const std::weak_ptr<WorkbookData>& b) {
    auto p = b.lock();
    if (!p)
        throw Error(kBookClosed);
    return p;
}

std::shared_ptr<ApplicationData> Lock(const std::weak_ptr<ApplicationData>& a) {
    auto p = a.lock();
    if (!p || p->quit)
        throw Error(kAppClosed);
    return p;
}

std::string Lower(std::string_view s) {
    std::string l(s);
    for (char& c : l)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return l;
}

void MarkChanged(SheetData& sheet) {
    if (sheet.book)
        sheet.book->dirty = true;
}

// Applies f to every cell of the range, creating the cells.
template <class F> void ForEachCell(const detail::RangeTarget& t, F f) {
    auto sheet = Lock(t.sheet);
    if (t.rect.Count() > kMaxCellsPerChange)
        throw Error("L'intervallo " + FormatAddress(t.rect) +
                    " è troppo grande per questa operazione.");
    for (int r = t.rect.top; r <= t.rect.bottom; ++r)
        for (int c = t.rect.left; c <= t.rect.right; ++c)
            f(sheet->cells[{r, c}], r, c);
    MarkChanged(*sheet);
}

// The top-left cell as it stands (a default cell when it was never written).
Cell TopLeft(const detail::RangeTarget& t) {
    auto sheet = Lock(t.sheet);
    const auto it = sheet->cells.find({t.rect.top, t.rect.left});
    return it == sheet->cells.end() ? Cell{} : it->second;
}

std::uint32_t CheckedAutomationColor(long color) {
    if (color < 0 || color > 0xFFFFFF)
        throw Error("Colore non valido: " + std::to_string(color) + ".");
    return AutomationToRgb(color);
}

std::uint32_t CheckedPaletteColor(int index) {
    const auto rgb = PaletteRgb(index);
    if (!rgb)
        throw Error("Indice di colore non valido: " + std::to_string(index) +
                    " (ammessi da 1 a 56).");
    return *rgb;
}

void CheckLineStyle(int style) {
    switch (style) {
    case xlContinuous:
    case xlDash:
    case xlDot:
    case xlDashDot:
    case xlDashDotDot:
    case xlDouble:
    case xlSlantDashDot:
    case xlLineStyleNone:
        return;
    default:
        throw Error("Stile di linea del bordo non valido: " + std::to_string(style) + ".");
    }
}

void CheckWeight(int weight) {
    if (weight != xlHairline && weight != xlThin && weight != xlMedium && weight != xlThick)
        throw Error("Spessore del bordo non valido: " + std::to_string(weight) + ".");
}

// Number of characters of a UTF-8 text.
std::size_t Utf8Length(std::string_view s) {
    return static_cast<std::size_t>(std::count_if(
        s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string DefaultSheetName(const WorkbookData& book) {
    for (int n = 1;; ++n) {
        const std::string name = "Foglio" + std::to_string(n);
        const bool used = std::any_of(book.sheets.begin(), book.sheets.end(),
                                      [&](const auto& s) { return Lower(s->name) == Lower(name); });
        if (!used)
            return name;
    }
}

std::shared_ptr<SheetData> NewSheet(WorkbookData& book) {
    auto sheet = std::make_shared<SheetData>();
    sheet->book = &book;
    sheet->name = DefaultSheetName(book);
    book.sheets.push_back(sheet);
    return sheet;
}

void SetConstant(Cell& cell, CellValue v) {
    cell.formula.clear();
    cell.invariant.clear();
    cell.parsed.reset();
    cell.result = std::monostate{};
    cell.value = std::move(v);
}

// Stores a formula already checked: text as written, plus its invariant form parsed.
void SetFormula(Cell& cell, std::string written, std::string invariant, Formula parsed) {
    cell.value = std::monostate{};
    cell.result = std::monostate{};
    cell.formula = std::move(written);
    cell.invariant = std::move(invariant);
    cell.parsed = std::move(parsed);
}

std::string ConstantAsText(const CellValue& v) {
    if (const double* d = std::get_if<double>(&v)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", *d);
        return buf;
    }
    if (const bool* b = std::get_if<bool>(&v))
        return *b ? "TRUE" : "FALSE";
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    if (const auto* e = std::get_if<ErrorValue>(&v))
        return std::string(ErrorText(*e));
    return std::string();
}

// Applies one of the six border items to the cells of a range.
template <class F> void ForEachBorderLine(const detail::RangeTarget& t, int item, F f) {
    if (item < xlEdgeLeft || item > xlInsideHorizontal)
        throw Error("Bordo non valido: " + std::to_string(item) + " (ammessi da 7 a 12).");
    const Rect& r = t.rect;
    ForEachCell(t, [&](Cell& cell, int row, int col) {
        auto& b = cell.style.borders;
        switch (item) {
        case xlEdgeLeft:
            if (col == r.left)
                f(b[detail::kLeft]);
            break;
        case xlEdgeTop:
            if (row == r.top)
                f(b[detail::kTop]);
            break;
        case xlEdgeBottom:
            if (row == r.bottom)
                f(b[detail::kBottom]);
            break;
        case xlEdgeRight:
            if (col == r.right)
                f(b[detail::kRight]);
            break;
        case xlInsideVertical:
            // Both sides of every inner line, so the line shows whichever cell wins.
            if (col < r.right)
                f(b[detail::kRight]);
            if (col > r.left)
                f(b[detail::kLeft]);
            break;
        case xlInsideHorizontal:
            if (row < r.bottom)
                f(b[detail::kBottom]);
            if (row > r.top)
                f(b[detail::kTop]);
            break;
        default:
            break;
        }
    });
}

// The line of the item as stored on the top-left cell concerned.
BorderLine ReadBorderLine(const detail::RangeTarget& t, int item) {
    if (item < xlEdgeLeft || item > xlInsideHorizontal)
        throw Error("Bordo non valido: " + std::to_string(item) + " (ammessi da 7 a 12).");
    auto sheet = Lock(t.sheet);
    const Rect& r = t.rect;
    int row = r.top, col = r.left;
    detail::Edge edge = detail::kLeft;
    switch (item) {
    case xlEdgeLeft:
        edge = detail::kLeft;
        break;
    case xlEdgeTop:
        edge = detail::kTop;
        break;
    case xlEdgeBottom:
        edge = detail::kBottom;
        row = r.bottom;
        break;
    case xlEdgeRight:
        edge = detail::kRight;
        col = r.right;
        break;
    case xlInsideVertical:
        if (r.left == r.right)
            return {};
        edge = detail::kRight;
        break;
    default:
        if (r.top == r.bottom)
            return {};
        edge = detail::kBottom;
        break;
    }
    const auto it = sheet->cells.find({row, col});
    return it == sheet->cells.end() ? BorderLine{} : it->second.style.borders[edge];
}

void MakeVisible(BorderLine& line) {
    if (line.lineStyle == xlLineStyleNone)
        line.lineStyle = xlContinuous;
}

int PaletteIndexOf(const std::optional<std::uint32_t>& rgb, int none) {
    return rgb ? NearestPaletteIndex(*rgb) : none;
}

void CheckSheetName(const WorkbookData& book, const SheetData& self, std::string_view name) {
    const std::string text(name);
    const bool badChar = name.find_first_of(":\\/?*[]") != std::string_view::npos;
    if (name.empty() || Utf8Length(name) > 31 || badChar || name.front() == '\'' ||
        name.back() == '\'')
        throw Error("Nome di foglio non valido: \"" + text +
                    "\" (da 1 a 31 caratteri, senza : \\ / ? * [ ] né apici agli estremi).");
    for (const auto& s : book.sheets)
        if (s.get() != &self && Lower(s->name) == Lower(name))
            throw Error("Esiste già un foglio di nome \"" + text + "\".");
}

// Writes the workbook to a new temporary folder, for showing it as it stands.
std::string SaveTemporaryCopy(WorkbookData& book) {
    std::error_code ec;
    const auto base = std::filesystem::temp_directory_path(ec);
    if (ec)
        throw Error("Impossibile aprire la cartella di lavoro: manca una cartella temporanea.");
    std::string pattern = (base / "velcaro-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw Error("Impossibile aprire la cartella di lavoro: non si può creare la cartella "
                    "temporanea \"" +
                    pattern + "\".");
    std::string stem = std::filesystem::path(book.name).stem().string();
    if (stem.empty())
        stem = "Cartel1";
    const std::string path = (std::filesystem::path(pattern) / (stem + ".xlsx")).string();
    for (auto& s : book.sheets)
        detail::CalculateSheet(*s);
    detail::WriteXlsx(book, path, path);
    return path;
}

// Names of the handle classes that member functions of the same name hide.
using FontObj = Font;
using InteriorObj = Interior;
using BordersObj = Borders;
using RangeObj = Range;
using WorksheetObj = Worksheet;
using WorksheetsObj = Worksheets;
using WorkbooksObj = Workbooks;
using PageSetupObj = PageSetup;

} // namespace

std::string XlsxFileName(std::string_view requested) {
    std::string name(requested);
    const std::filesystem::path p(name);
    const std::string ext = Lower(p.extension().string());
    if (ext == ".xlsx")
        return name;
    if (ext == ".xls")
        return name.substr(0, name.size() - 4) + ".xlsx";
    return name + ".xlsx";
}

// ---------------------------------------------------------------------------------
// Font

std::string Font::Name() const {
    const auto& s = TopLeft(t_).style;
    return s.fontName.value_or("Calibri");
}
void Font::Name(std::string_view name) {
    if (name.empty())
        throw Error("Nome del carattere vuoto.");
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.fontName = std::string(name); });
}
double Font::Size() const {
    return TopLeft(t_).style.fontSize.value_or(11.0);
}
void Font::Size(double points) {
    if (!std::isfinite(points) || points < 1 || points > 409)
        throw Error("Dimensione del carattere non valida: ammessa da 1 a 409 punti.");
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.fontSize = points; });
}
bool Font::Bold() const {
    return TopLeft(t_).style.bold;
}
void Font::Bold(bool on) {
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.bold = on; });
}
bool Font::Italic() const {
    return TopLeft(t_).style.italic;
}
void Font::Italic(bool on) {
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.italic = on; });
}
long Font::Color() const {
    return RgbToAutomation(TopLeft(t_).style.fontRgb.value_or(0));
}
void Font::Color(long automationColor) {
    const auto rgb = CheckedAutomationColor(automationColor);
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.fontRgb = rgb; });
}
int Font::ColorIndex() const {
    return PaletteIndexOf(TopLeft(t_).style.fontRgb, xlColorIndexAutomatic);
}
void Font::ColorIndex(int paletteIndex) {
    std::optional<std::uint32_t> rgb;
    if (paletteIndex != xlColorIndexAutomatic)
        rgb = CheckedPaletteColor(paletteIndex);
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.fontRgb = rgb; });
}

// ---------------------------------------------------------------------------------
// Interior

int Interior::ColorIndex() const {
    return PaletteIndexOf(TopLeft(t_).style.fillRgb, xlColorIndexNone);
}
void Interior::ColorIndex(int paletteIndex) {
    std::optional<std::uint32_t> rgb;
    if (paletteIndex != xlColorIndexNone && paletteIndex != xlColorIndexAutomatic)
        rgb = CheckedPaletteColor(paletteIndex);
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.fillRgb = rgb; });
}
long Interior::Color() const {
    return RgbToAutomation(TopLeft(t_).style.fillRgb.value_or(0xFFFFFF));
}
void Interior::Color(long automationColor) {
    const auto rgb = CheckedAutomationColor(automationColor);
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.fillRgb = rgb; });
}

// ---------------------------------------------------------------------------------
// Border, Borders

int Border::LineStyle() const {
    return ReadBorderLine(t_, item_).lineStyle;
}
void Border::LineStyle(int style) {
    CheckLineStyle(style);
    ForEachBorderLine(t_, item_, [&](BorderLine& l) {
        if (style == xlLineStyleNone)
            l = BorderLine{};
        else
            l.lineStyle = style;
    });
}
int Border::Weight() const {
    return ReadBorderLine(t_, item_).weight;
}
void Border::Weight(int weight) {
    CheckWeight(weight);
    ForEachBorderLine(t_, item_, [&](BorderLine& l) {
        l.weight = weight;
        MakeVisible(l);
    });
}
int Border::ColorIndex() const {
    const BorderLine l = ReadBorderLine(t_, item_);
    return PaletteIndexOf(l.rgb, xlColorIndexAutomatic);
}
void Border::ColorIndex(int paletteIndex) {
    std::optional<std::uint32_t> rgb;
    if (paletteIndex != xlColorIndexAutomatic)
        rgb = CheckedPaletteColor(paletteIndex);
    ForEachBorderLine(t_, item_, [&](BorderLine& l) {
        l.rgb = rgb;
        MakeVisible(l);
    });
}
long Border::Color() const {
    return RgbToAutomation(ReadBorderLine(t_, item_).rgb.value_or(0));
}
void Border::Color(long automationColor) {
    const auto rgb = CheckedAutomationColor(automationColor);
    ForEachBorderLine(t_, item_, [&](BorderLine& l) {
        l.rgb = rgb;
        MakeVisible(l);
    });
}

Border Borders::Item(int item) const {
    if (item < xlEdgeLeft || item > xlInsideHorizontal)
        throw Error("Bordo non valido: " + std::to_string(item) + " (ammessi da 7 a 12).");
    return Border(t_, item);
}
void Borders::LineStyle(int style) {
    CheckLineStyle(style);
    for (int i = xlEdgeLeft; i <= xlInsideHorizontal; ++i)
        Item(i).LineStyle(style);
}
void Borders::Weight(int weight) {
    CheckWeight(weight);
    for (int i = xlEdgeLeft; i <= xlInsideHorizontal; ++i)
        Item(i).Weight(weight);
}
void Borders::ColorIndex(int paletteIndex) {
    for (int i = xlEdgeLeft; i <= xlInsideHorizontal; ++i)
        Item(i).ColorIndex(paletteIndex);
}
void Borders::Color(long automationColor) {
    for (int i = xlEdgeLeft; i <= xlInsideHorizontal; ++i)
        Item(i).Color(automationColor);
}

// ---------------------------------------------------------------------------------
// Range

CellValue Range::Value() const {
    const Cell c = TopLeft(t_);
    return c.parsed ? c.result : c.value;
}

void Range::PutValue(CellValue v) {
    if (const auto* s = std::get_if<std::string>(&v); s && s->size() > 1 && s->front() == '=') {
        // Typed input: a formula when it is one.
        try {
            velcaro::spreadsheet::Formula::Parse(ToInvariantFormula(*s));
        } catch (const Error&) {
            ForEachCell(t_, [&](Cell& c, int, int) { SetConstant(c, v); });
            return;
        }
        Formula(*s);
        return;
    }
    if (const double* d = std::get_if<double>(&v); d && !std::isfinite(*d))
        throw Error("Valore numerico non valido per la cella " + FormatAddress(t_.rect) + ".");
    ForEachCell(t_, [&](Cell& c, int, int) { SetConstant(c, v); });
}

std::string Range::Formula() const {
    const Cell c = TopLeft(t_);
    return c.parsed ? c.formula : ConstantAsText(c.value);
}

void Range::Formula(std::string_view formula) {
    if (formula.empty() || formula.front() != '=') {
        // Not a formula: a constant, as the spreadsheet stores it.
        ForEachCell(t_, [&](Cell& c, int, int) {
            SetConstant(c, formula.empty() ? CellValue{} : CellValue(std::string(formula)));
        });
        return;
    }
    // Checked on the first cell before anything changes.
    (void)velcaro::spreadsheet::Formula::Parse(ToInvariantFormula(formula));
    ForEachCell(t_, [&](Cell& c, int row, int col) {
        std::string written = ShiftFormula(formula, row - t_.rect.top, col - t_.rect.left);
        std::string invariant = ToInvariantFormula(written);
        auto parsed = velcaro::spreadsheet::Formula::Parse(invariant);
        SetFormula(c, std::move(written), std::move(invariant), std::move(parsed));
    });
}

std::string Range::NumberFormat() const {
    const auto& f = TopLeft(t_).style.numberFormat;
    return f.empty() ? "General" : f;
}
void Range::NumberFormat(std::string_view format) {
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.numberFormat = std::string(format); });
}

int Range::HorizontalAlignment() const {
    return TopLeft(t_).style.horizontalAlignment;
}
void Range::HorizontalAlignment(int alignment) {
    switch (alignment) {
    case xlGeneral:
    case xlLeft:
    case xlCenter:
    case xlRight:
    case xlFill:
    case xlJustify:
    case xlCenterAcrossSelection:
    case xlDistributed:
        break;
    default:
        throw Error("Allineamento orizzontale non valido: " + std::to_string(alignment) + ".");
    }
    ForEachCell(t_, [&](Cell& c, int, int) { c.style.horizontalAlignment = alignment; });
}

Font Range::Font() const {
    return FontObj(t_);
}
Interior Range::Interior() const {
    return InteriorObj(t_);
}
Borders Range::Borders() const {
    return BordersObj(t_);
}

void Range::BorderAround(int lineStyle, int weight, int colorIndex, std::optional<long> color) {
    CheckLineStyle(lineStyle);
    CheckWeight(weight);
    std::optional<std::uint32_t> rgb;
    if (color)
        rgb = CheckedAutomationColor(*color);
    else if (colorIndex != xlColorIndexAutomatic && colorIndex != xlColorIndexNone)
        rgb = CheckedPaletteColor(colorIndex);
    for (int item : {xlEdgeLeft, xlEdgeTop, xlEdgeBottom, xlEdgeRight}) {
        ForEachBorderLine(t_, item, [&](BorderLine& l) {
            if (lineStyle == xlLineStyleNone) {
                l = BorderLine{};
                return;
            }
            l.lineStyle = lineStyle;
            l.weight = weight;
            l.rgb = rgb;
        });
    }
}

double Range::ColumnWidth() const {
    auto sheet = Lock(t_.sheet);
    const auto it = sheet->columnWidths.find(t_.rect.left);
    return it == sheet->columnWidths.end() ? 8.43 : it->second;
}
void Range::ColumnWidth(double width) {
    if (!std::isfinite(width) || width < 0 || width > 255)
        throw Error("Larghezza di colonna non valida: ammessa da 0 a 255 caratteri.");
    auto sheet = Lock(t_.sheet);
    for (int c = t_.rect.left; c <= t_.rect.right; ++c)
        sheet->columnWidths[c] = width;
    MarkChanged(*sheet);
}

Range Range::Cells(int row, int col) const {
    Lock(t_.sheet);
    const long long r = static_cast<long long>(t_.rect.top) + row - 1;
    const long long c = static_cast<long long>(t_.rect.left) + col - 1;
    if (r < 1 || r > kMaxRows || c < 1 || c > kMaxColumns)
        throw Error("La cella (riga " + std::to_string(r) + ", colonna " + std::to_string(c) +
                    ") è fuori dal foglio.");
    const int ri = static_cast<int>(r), ci = static_cast<int>(c);
    return Range({t_.sheet, Rect{ri, ci, ri, ci}});
}

Range Range::Columns(int n) const {
    Lock(t_.sheet);
    const long long c = static_cast<long long>(t_.rect.left) + n - 1;
    if (n < 1 || c > kMaxColumns)
        throw Error("La colonna " + std::to_string(n) + " è fuori dal foglio.");
    const int ci = static_cast<int>(c);
    return Range({t_.sheet, Rect{t_.rect.top, ci, t_.rect.bottom, ci}});
}

Range Range::Columns(std::string_view letters) const {
    const auto colon = letters.find(':');
    const auto a = ParseColumnName(letters.substr(0, colon));
    const auto b = colon == std::string_view::npos ? a : ParseColumnName(letters.substr(colon + 1));
    if (!a || !b)
        throw Error("Colonne non valide: \"" + std::string(letters) + "\".");
    Range first = Columns(std::min(*a, *b));
    Range last = Columns(std::max(*a, *b));
    first.t_.rect.right = last.t_.rect.right;
    return first;
}

std::string Range::Address() const {
    return FormatAddress(t_.rect);
}

Worksheet Range::Worksheet() const {
    return WorksheetObj(Lock(t_.sheet));
}

// ---------------------------------------------------------------------------------
// PageSetup, Window

int PageSetup::Zoom() const {
    return Lock(s_)->printZoom.value_or(100);
}
void PageSetup::Zoom(int percent) {
    if (percent < 10 || percent > 400)
        throw Error("Scala di stampa non valida: ammessa da 10 a 400 %.");
    auto sheet = Lock(s_);
    sheet->printZoom = percent;
    MarkChanged(*sheet);
}

bool Window::DisplayGridlines() const {
    return Lock(s_)->displayGridlines;
}
void Window::DisplayGridlines(bool show) {
    auto sheet = Lock(s_);
    sheet->displayGridlines = show;
    MarkChanged(*sheet);
}
int Window::Zoom() const {
    return Lock(s_)->windowZoom;
}
void Window::Zoom(int percent) {
    if (percent < 10 || percent > 400)
        throw Error("Zoom non valido: ammesso da 10 a 400 %.");
    auto sheet = Lock(s_);
    sheet->windowZoom = percent;
    MarkChanged(*sheet);
}

// ---------------------------------------------------------------------------------
// Worksheet

std::string Worksheet::Name() const {
    return Lock(s_)->name;
}
void Worksheet::Name(std::string_view name) {
    auto sheet = Lock(s_);
    if (!sheet->book)
        throw Error(kBookClosed);
    CheckSheetName(*sheet->book, *sheet, name);
    sheet->name = std::string(name);
    MarkChanged(*sheet);
}

int Worksheet::Index() const {
    auto sheet = Lock(s_);
    const auto& list = sheet->book->sheets;
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == sheet)
            return static_cast<int>(i) + 1;
    throw Error(kSheetGone);
}

Range Worksheet::Cells(int row, int col) const {
    Lock(s_);
    if (row < 1 || row > kMaxRows || col < 1 || col > kMaxColumns)
        throw Error("La cella (riga " + std::to_string(row) + ", colonna " + std::to_string(col) +
                    ") è fuori dal foglio.");
    return RangeObj({s_, Rect{row, col, row, col}});
}

Range Worksheet::Range(std::string_view address) const {
    Lock(s_);
    const auto r = ParseRange(address);
    if (!r)
        throw Error("Indirizzo di cella non valido: \"" + std::string(address) + "\".");
    return RangeObj({s_, *r});
}

Range Worksheet::Range(std::string_view first, std::string_view second) const {
    return Range(Range(first), Range(second));
}

Range Worksheet::Range(const class Range& first, const class Range& second) const {
    auto sheet = Lock(s_);
    if (first.t_.sheet.lock() != sheet || second.t_.sheet.lock() != sheet)
        throw Error("Gli estremi dell'intervallo appartengono a un altro foglio.");
    Rect r;
    r.top = std::min(first.t_.rect.top, second.t_.rect.top);
    r.left = std::min(first.t_.rect.left, second.t_.rect.left);
    r.bottom = std::max(first.t_.rect.bottom, second.t_.rect.bottom);
    r.right = std::max(first.t_.rect.right, second.t_.rect.right);
    return RangeObj({s_, r});
}

Range Worksheet::Columns() const {
    Lock(s_);
    return RangeObj({s_, Rect{1, 1, kMaxRows, kMaxColumns}});
}
Range Worksheet::Columns(int column) const {
    return Columns().Columns(column);
}
Range Worksheet::Columns(std::string_view letters) const {
    return Columns().Columns(letters);
}

void Worksheet::Calculate() const {
    detail::CalculateSheet(*Lock(s_));
}

PageSetup Worksheet::PageSetup() const {
    return PageSetupObj(Lock(s_));
}

void Worksheet::Activate() const {
    auto sheet = Lock(s_);
    WorkbookData& book = *sheet->book;
    for (std::size_t i = 0; i < book.sheets.size(); ++i)
        if (book.sheets[i] == sheet)
            book.activeSheet = i;
}

// ---------------------------------------------------------------------------------
// Worksheets, Workbook

int Worksheets::Count() const {
    return static_cast<int>(Lock(b_)->sheets.size());
}

Worksheet Worksheets::Item(int index) const {
    auto book = Lock(b_);
    if (index < 1 || static_cast<std::size_t>(index) > book->sheets.size())
        throw Error("Il foglio numero " + std::to_string(index) + " non esiste.");
    return Worksheet(book->sheets[static_cast<std::size_t>(index - 1)]);
}

Worksheet Worksheets::Item(std::string_view name) const {
    auto book = Lock(b_);
    for (const auto& s : book->sheets)
        if (Lower(s->name) == Lower(name))
            return Worksheet(s);
    throw Error("Il foglio \"" + std::string(name) + "\" non esiste.");
}

Worksheet Worksheets::Add() const {
    auto book = Lock(b_);
    auto sheet = NewSheet(*book);
    book->activeSheet = book->sheets.size() - 1;
    book->dirty = true;
    return Worksheet(sheet);
}

Worksheets Workbook::Worksheets() const {
    return WorksheetsObj(Lock(b_));
}

Worksheet Workbook::ActiveSheet() const {
    auto book = Lock(b_);
    if (book->sheets.empty())
        throw Error(kSheetGone);
    return Worksheet(book->sheets[std::min(book->activeSheet, book->sheets.size() - 1)]);
}

void Workbook::SaveAs(std::string_view fileName) {
    auto book = Lock(b_);
    if (fileName.empty())
        throw Error("Impossibile salvare la cartella di lavoro: nome del file mancante.");
    const std::string target = XlsxFileName(fileName);
    for (auto& s : book->sheets)
        detail::CalculateSheet(*s);
    detail::WriteXlsx(*book, target, target);
    book->fullName = std::filesystem::absolute(target).lexically_normal().string();
    book->name = std::filesystem::path(target).filename().string();
    book->dirty = false;
}

void Workbook::Save() {
    auto book = Lock(b_);
    if (book->fullName.empty())
        throw Error("La cartella di lavoro \"" + book->name +
                    "\" non è mai stata salvata: manca il nome del file.");
    SaveAs(book->fullName);
}

void Workbook::Close() {
    auto book = Lock(b_);
    if (ApplicationData* app = book->app) {
        auto& list = app->workbooks;
        list.erase(std::remove(list.begin(), list.end(), book), list.end());
        if (app->active.lock() == book)
            app->active = list.empty() ? std::weak_ptr<WorkbookData>() : list.back();
    }
    book->app = nullptr;
}

std::string Workbook::Name() const {
    return Lock(b_)->name;
}
std::string Workbook::FullName() const {
    auto book = Lock(b_);
    return book->fullName.empty() ? book->name : book->fullName;
}
bool Workbook::Saved() const {
    return !Lock(b_)->dirty;
}

// ---------------------------------------------------------------------------------
// Workbooks, Window, Application

Workbook Workbooks::Add(int templateKind) const {
    auto app = Lock(a_);
    if (templateKind != xlWBATWorksheet)
        throw Error(
            "Modello di cartella di lavoro non disponibile: " + std::to_string(templateKind) + ".");
    auto book = std::make_shared<WorkbookData>();
    book->app = app.get();
    book->name = "Cartel" + std::to_string(++app->booksCreated);
    NewSheet(*book);
    app->workbooks.push_back(book);
    app->active = book;
    return Workbook(book);
}

int Workbooks::Count() const {
    return static_cast<int>(Lock(a_)->workbooks.size());
}

Workbook Workbooks::Item(int index) const {
    auto app = Lock(a_);
    if (index < 1 || static_cast<std::size_t>(index) > app->workbooks.size())
        throw Error("La cartella di lavoro numero " + std::to_string(index) + " non esiste.");
    return Workbook(app->workbooks[static_cast<std::size_t>(index - 1)]);
}

void Workbooks::Close() const {
    auto app = Lock(a_);
    for (auto& b : app->workbooks)
        b->app = nullptr;
    app->workbooks.clear();
    app->active.reset();
}

Application::Application(DocumentOpener opener) : d_(std::make_shared<ApplicationData>()) {
    d_->opener = std::move(opener);
}

Application::~Application() = default;

Workbooks Application::Workbooks() const {
    Lock(std::weak_ptr<ApplicationData>(d_));
    return WorkbooksObj(d_);
}

Workbook Application::ActiveWorkbook() const {
    Lock(std::weak_ptr<ApplicationData>(d_));
    auto book = d_->active.lock();
    if (!book)
        throw Error("Nessuna cartella di lavoro aperta.");
    return Workbook(book);
}

Worksheet Application::ActiveSheet() const {
    return ActiveWorkbook().ActiveSheet();
}

Window Application::ActiveWindow() const {
    return Window(ActiveSheet().s_);
}

void Application::Calculate() const {
    Lock(std::weak_ptr<ApplicationData>(d_));
    for (auto& b : d_->workbooks)
        for (auto& s : b->sheets)
            detail::CalculateSheet(*s);
}

bool Application::Visible() const {
    return d_->visible;
}

void Application::Visible(bool show) {
    Lock(std::weak_ptr<ApplicationData>(d_));
    d_->visible = show;
    if (!show || !d_->opener)
        return;
    for (auto& book : d_->workbooks) {
        std::error_code ec;
        const bool current =
            !book->fullName.empty() && !book->dirty && std::filesystem::exists(book->fullName, ec);
        d_->opener(current ? book->fullName : SaveTemporaryCopy(*book));
    }
}

void Application::Quit() {
    for (auto& b : d_->workbooks)
        b->app = nullptr;
    d_->workbooks.clear();
    d_->active.reset();
    d_->visible = false;
    d_->quit = true;
}

ApplicationFactory DefaultApplicationFactory(DocumentOpener opener) {
    return [opener = std::move(opener)]() { return std::make_unique<Application>(opener); };
}

std::unique_ptr<Application> CreateApplication(const ApplicationFactory& factory) {
    std::unique_ptr<Application> app;
    try {
        if (factory)
            app = factory();
    } catch (const std::exception& e) {
        throw ApplicationUnavailable(std::string("Applicazione per i fogli di calcolo non "
                                                 "disponibile: ") +
                                     e.what());
    }
    if (!app)
        throw ApplicationUnavailable("Applicazione per i fogli di calcolo non disponibile.");
    return app;
}

} // namespace velcaro::spreadsheet
