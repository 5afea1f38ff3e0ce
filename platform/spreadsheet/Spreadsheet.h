#pragma once
// The workbook layer of the summary export: a spreadsheet application in memory,
// offering the automation members the export calls, under the same names.
//
//   Application app(opener);
//   app.Workbooks().Add(xlWBATWorksheet);
//   Worksheet sheet = app.Workbooks(1).Worksheets(1);
//   sheet.Name("Riepilogo Imballo");
//   sheet.Cells(2, 2).Value("CONTENITORE");
//   sheet.Range("B2").Font().Color(16777215);
//   sheet.Range("D30").Formula("=SE(D14=0,0,D6/D14)");
//   sheet.Calculate();
//   app.ActiveWindow().DisplayGridlines(false);
//   app.ActiveSheet().PageSetup().Zoom(80);
//   app.Workbooks(1).SaveAs("/home/anna/EXCEL/report.xls");   // writes report.xlsx
//
// Objects returned by members (Workbook, Worksheet, Range, Font...) are light handles
// onto the workbook held by the Application. A handle whose workbook was closed, or
// whose application quit or was destroyed, throws velcaro::Error on use; it never
// dangles.
//
// Property members are overloaded: Name() reads, Name(x) writes.
//
// Texts handed to Formula and NumberFormat are kept as given and read back as given.
// The file gets their invariant form ("=SE(...)" -> "=IF(...)", "€ #.##0,0" ->
// "€ #,##0.0"), so every spreadsheet program shows them as meant, whatever its
// language (see Formula.h and NumberFormat.h).
//
// File name: the file written is always an .xlsx workbook. The program's save dialog
// proposes "*.xls", so a name ending in ".xls" is saved with the ending ".xlsx" beside
// it ("report.xls" -> "report.xlsx"); a name with another ending or none gets ".xlsx"
// added; a name ending in ".xlsx" is kept. A file whose ending does not match its
// content makes spreadsheet programs warn or refuse it. Workbook::FullName() tells
// where the file went.
//
// Formula results: Calculate (of a sheet or of the application) evaluates every
// formula of the sheet and keeps the result in its cell; Value() of a formula cell
// gives that result. SaveAs recalculates before writing, so the file always carries
// current results next to its formulas.
#include "platform/Error.h"
#include "platform/spreadsheet/Address.h"
#include "platform/spreadsheet/CellValue.h"
#include "platform/spreadsheet/Palette.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

namespace velcaro::spreadsheet {

// Automation constants, by their usual names.
inline constexpr int xlWBATWorksheet = -4167;

inline constexpr int xlGeneral = 1;
inline constexpr int xlLeft = -4131;
inline constexpr int xlCenter = -4108;
inline constexpr int xlRight = -4152;
inline constexpr int xlFill = 5;
inline constexpr int xlJustify = -4130;
inline constexpr int xlCenterAcrossSelection = 7;
inline constexpr int xlDistributed = -4117;

inline constexpr int xlEdgeLeft = 7;
inline constexpr int xlEdgeTop = 8;
inline constexpr int xlEdgeBottom = 9;
inline constexpr int xlEdgeRight = 10;
inline constexpr int xlInsideVertical = 11;
inline constexpr int xlInsideHorizontal = 12;

inline constexpr int xlContinuous = 1;
inline constexpr int xlDash = -4115;
inline constexpr int xlDot = -4118;
inline constexpr int xlDashDot = 4;
inline constexpr int xlDashDotDot = 5;
inline constexpr int xlDouble = -4119;
inline constexpr int xlSlantDashDot = 13;
inline constexpr int xlLineStyleNone = -4142;

inline constexpr int xlHairline = 1;
inline constexpr int xlThin = 2;
inline constexpr int xlMedium = -4138;
inline constexpr int xlThick = 4;

inline constexpr int xlColorIndexNone = -4142;
inline constexpr int xlColorIndexAutomatic = -4105;

// Where the file really goes for a requested name (see the header comment).
std::string XlsxFileName(std::string_view requested);

namespace detail {
struct ApplicationData;
struct WorkbookData;
struct SheetData;

template <class T> CellValue ToCellValue(const T& v) {
    if constexpr (std::is_same_v<T, CellValue> || std::is_same_v<T, ErrorValue> ||
                  std::is_same_v<T, std::monostate>)
        return CellValue(v);
    else if constexpr (std::is_same_v<T, bool>)
        return CellValue(v);
    else if constexpr (std::is_arithmetic_v<T>)
        return CellValue(static_cast<double>(v));
    else if constexpr (std::is_convertible_v<const T&, std::string_view>)
        return CellValue(std::string(std::string_view(v)));
    else
        static_assert(std::is_same_v<T, CellValue>, "not a value a cell can hold");
}

// The target of a range and of the objects hanging off it.
struct RangeTarget {
    std::weak_ptr<SheetData> sheet;
    Rect rect;
};
} // namespace detail

class Font {
public:
    std::string Name() const;
    void Name(std::string_view name);
    double Size() const;
    void Size(double points);
    bool Bold() const;
    void Bold(bool on);
    bool Italic() const;
    void Italic(bool on);
    // Automation colour: red + green * 256 + blue * 65536 (255 is red).
    long Color() const;
    void Color(long automationColor);
    int ColorIndex() const;
    void ColorIndex(int paletteIndex);

private:
    friend class Range;
    explicit Font(detail::RangeTarget t) : t_(std::move(t)) {}
    detail::RangeTarget t_;
};

class Interior {
public:
    // A palette index 1..56, or xlColorIndexNone for no fill.
    int ColorIndex() const;
    void ColorIndex(int paletteIndex);
    long Color() const;
    void Color(long automationColor);

private:
    friend class Range;
    explicit Interior(detail::RangeTarget t) : t_(std::move(t)) {}
    detail::RangeTarget t_;
};

// One border line of a range: an edge or the inside lines (xlEdgeLeft..xlInsideHorizontal).
class Border {
public:
    int LineStyle() const;
    void LineStyle(int style);
    int Weight() const;
    void Weight(int weight);
    int ColorIndex() const;
    void ColorIndex(int paletteIndex);
    long Color() const;
    void Color(long automationColor);

private:
    friend class Borders;
    Border(detail::RangeTarget t, int item) : t_(std::move(t)), item_(item) {}
    detail::RangeTarget t_;
    int item_;
};

// The border lines of a range. Setting a member here sets it on all six lines.
class Borders {
public:
    class Border Item(int item) const;
    class Border operator()(int item) const {
        return Item(item);
    }
    void LineStyle(int style);
    void Weight(int weight);
    void ColorIndex(int paletteIndex);
    void Color(long automationColor);

private:
    friend class Range;
    explicit Borders(detail::RangeTarget t) : t_(std::move(t)) {}
    detail::RangeTarget t_;
};

class Worksheet;

// A rectangle of cells of one sheet. Reading a member gives the value of the
// top-left cell; writing one writes every cell of the range.
class Range {
public:
    CellValue Value() const;
    // A text starting with "=" that is a valid formula is stored as that formula, as
    // the spreadsheet does with typed input; any other text stays text.
    template <class T> void Value(const T& v) { PutValue(detail::ToCellValue(v)); }

    // The formula as written, or the constant as text. Writing a formula on a range of
    // several cells fills each one, its relative references moved along.
    std::string Formula() const;
    void Formula(std::string_view formula);

    std::string NumberFormat() const;
    void NumberFormat(std::string_view format);

    int HorizontalAlignment() const;
    void HorizontalAlignment(int alignment);

    class Font Font() const;
    class Interior Interior() const;
    class Borders Borders() const;
    // Outline of the range; colour by palette index unless an automation colour is given.
    void BorderAround(int lineStyle = xlContinuous, int weight = xlThin,
                      int colorIndex = xlColorIndexAutomatic,
                      std::optional<long> color = std::nullopt);

    // Width of the range's columns in characters.
    double ColumnWidth() const;
    void ColumnWidth(double width);

    // Cell (row, col) counted from the range's top-left cell (1, 1).
    Range Cells(int row, int col) const;
    // The columns of the range, and the n-th of them ("B" or "B:D" counted from it too).
    Range Columns() const { return *this; }
    Range Columns(int n) const;
    Range Columns(std::string_view letters) const;

    std::string Address() const;
    int Row() const { return t_.rect.top; }
    int Column() const { return t_.rect.left; }
    long long Count() const { return t_.rect.Count(); }
    class Worksheet Worksheet() const;

private:
    friend class Worksheet;
    explicit Range(detail::RangeTarget t) : t_(std::move(t)) {}
    void PutValue(CellValue v);
    detail::RangeTarget t_;
};

class PageSetup {
public:
    // Print scale in percent, 10..400.
    int Zoom() const;
    void Zoom(int percent);

private:
    friend class Worksheet;
    explicit PageSetup(std::weak_ptr<detail::SheetData> s) : s_(std::move(s)) {}
    std::weak_ptr<detail::SheetData> s_;
};

class Worksheet {
public:
    std::string Name() const;
    // Throws velcaro::Error for a name the file cannot hold or one already in use.
    void Name(std::string_view name);
    int Index() const;

    class Range Cells(int row, int col) const;
    template <class T> void Cells(int row, int col, const T& value) const {
        Cells(row, col).Value(value);
    }
    // "B4", "B4:B6", "$A$1:$C$3", "A:C"; Range("D30", "D30") spans both addresses.
    class Range Range(std::string_view address) const;
    class Range Range(std::string_view first, std::string_view second) const;
    class Range Range(const class Range& first, const class Range& second) const;
    // All columns of the sheet (a range); Columns(3) or Columns("C") is column C.
    class Range Columns() const;
    class Range Columns(int column) const;
    class Range Columns(std::string_view letters) const;

    void Calculate() const;
    class PageSetup PageSetup() const;
    void Activate() const;

private:
    friend class Worksheets;
    friend class Range;
    friend class Application;
    friend class Workbook;
    explicit Worksheet(std::weak_ptr<detail::SheetData> s) : s_(std::move(s)) {}
    std::weak_ptr<detail::SheetData> s_;
};

class Worksheets {
public:
    int Count() const;
    // By position (1 is the first) or by name, matched without regard to case.
    Worksheet Item(int index) const;
    Worksheet Item(std::string_view name) const;
    Worksheet operator()(int index) const { return Item(index); }
    Worksheet operator()(std::string_view name) const { return Item(name); }
    // A new sheet after the last one, named "Foglio<n>".
    Worksheet Add() const;

private:
    friend class Workbook;
    explicit Worksheets(std::weak_ptr<detail::WorkbookData> b) : b_(std::move(b)) {}
    std::weak_ptr<detail::WorkbookData> b_;
};

class Workbook {
public:
    class Worksheets Worksheets() const;
    Worksheet Worksheets(int index) const { return Worksheets().Item(index); }
    Worksheet Worksheets(std::string_view name) const { return Worksheets().Item(name); }
    class Worksheets WorkSheets() const {
        return Worksheets();
    }
    Worksheet WorkSheets(int index) const { return Worksheets(index); }
    Worksheet WorkSheets(std::string_view name) const { return Worksheets(name); }
    Worksheet ActiveSheet() const;

    // Writes the workbook as .xlsx (see the file name rule above). Throws
    // velcaro::Error naming the file when it cannot be written; an existing file of
    // the same name is replaced only once the new one is complete.
    void SaveAs(std::string_view fileName);
    // Saves again under the last name; throws when there is none yet.
    void Save();
    // Closes without saving.
    void Close();

    std::string Name() const;
    std::string FullName() const;
    // True when nothing changed since the last save.
    bool Saved() const;

private:
    friend class Workbooks;
    friend class Application;
    explicit Workbook(std::weak_ptr<detail::WorkbookData> b) : b_(std::move(b)) {}
    std::weak_ptr<detail::WorkbookData> b_;
};

class Workbooks {
public:
    // A new workbook with one sheet ("Foglio1"); it becomes the active workbook.
    Workbook Add(int templateKind = xlWBATWorksheet) const;
    int Count() const;
    Workbook Item(int index) const;
    Workbook operator()(int index) const { return Item(index); }
    void Close() const;

private:
    friend class Application;
    explicit Workbooks(std::weak_ptr<detail::ApplicationData> a) : a_(std::move(a)) {}
    std::weak_ptr<detail::ApplicationData> a_;
};

// The window showing the active sheet.
class Window {
public:
    bool DisplayGridlines() const;
    void DisplayGridlines(bool show);
    int Zoom() const;
    void Zoom(int percent);

private:
    friend class Application;
    explicit Window(std::weak_ptr<detail::SheetData> s) : s_(std::move(s)) {}
    std::weak_ptr<detail::SheetData> s_;
};

// Opens a saved workbook with the desktop's default application (wired by the program).
using DocumentOpener = std::function<void(const std::string& path)>;

class Application {
public:
    explicit Application(DocumentOpener opener = {});
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    class Workbooks Workbooks() const;
    Workbook Workbooks(int index) const { return Workbooks().Item(index); }
    class Workbooks WorkBooks() const {
        return Workbooks();
    }
    Workbook WorkBooks(int index) const { return Workbooks(index); }
    Workbook ActiveWorkbook() const;
    Worksheet ActiveSheet() const;
    Window ActiveWindow() const;
    void Calculate() const;

    // Visible(true) hands every open workbook to the opener: the saved file when it is
    // current, otherwise a copy written to a new temporary folder (a workbook never
    // saved, changed since, or whose save failed is still shown as it stands).
    bool Visible() const;
    void Visible(bool show);

    // Closes every workbook without saving; the application answers nothing after.
    void Quit();

private:
    std::shared_ptr<detail::ApplicationData> d_;
};

// The one way the program starts the spreadsheet application, so tests can make it
// fail. CreateApplication turns a failing factory (an exception or no object) into
// ApplicationUnavailable; the caller shows its own message.
using ApplicationFactory = std::function<std::unique_ptr<Application>()>;

class ApplicationUnavailable : public Error {
public:
    using Error::Error;
};

ApplicationFactory DefaultApplicationFactory(DocumentOpener opener);
std::unique_ptr<Application> CreateApplication(const ApplicationFactory& factory);

} // namespace velcaro::spreadsheet
