// Writing the workbook as .xlsx with libxlsxwriter.
//
// The file is first written beside its target under a hidden temporary name and then
// renamed over it: a failed save never leaves half a file, nor destroys the previous
// one. libxlsxwriter reports most failures only when the workbook is closed, so every
// check that can be made beforehand (folder exists, folder writable) is made first,
// with a message the user can act on.
#include "platform/spreadsheet/Model.h"
#include "platform/spreadsheet/NumberFormat.h"

#include <xlsxwriter.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <sys/stat.h>
#include <unistd.h>

namespace velcaro::spreadsheet::detail {

namespace {

// libxlsxwriter takes 0 for "no colour"; black has its own value.
lxw_color_t LxwColor(std::uint32_t rgb) {
    return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : static_cast<lxw_color_t>(rgb);
}

std::uint8_t LxwBorder(const BorderLine& l) {
    const bool heavy = l.weight == xlMedium || l.weight == xlThick;
    switch (l.lineStyle) {
    case xlContinuous:
        if (l.weight == xlHairline)
            return LXW_BORDER_HAIR;
        if (l.weight == xlMedium)
            return LXW_BORDER_MEDIUM;
        if (l.weight == xlThick)
            return LXW_BORDER_THICK;
        return LXW_BORDER_THIN;
    case xlDash:
        return heavy ? LXW_BORDER_MEDIUM_DASHED : LXW_BORDER_DASHED;
    case xlDot:
        return l.weight == xlHairline ? LXW_BORDER_HAIR : LXW_BORDER_DOTTED;
    case xlDashDot:
        return heavy ? LXW_BORDER_MEDIUM_DASH_DOT : LXW_BORDER_DASH_DOT;
    case xlDashDotDot:
        return heavy ? LXW_BORDER_MEDIUM_DASH_DOT_DOT : LXW_BORDER_DASH_DOT_DOT;
    case xlDouble:
        return LXW_BORDER_DOUBLE;
    case xlSlantDashDot:
        return LXW_BORDER_SLANT_DASH_DOT;
    default:
        return LXW_BORDER_NONE;
    }
}

std::uint8_t LxwAlign(int alignment) {
    switch (alignment) {
    case xlLeft:
        return LXW_ALIGN_LEFT;
    case xlCenter:
        return LXW_ALIGN_CENTER;
    case xlRight:
        return LXW_ALIGN_RIGHT;
    case xlFill:
        return LXW_ALIGN_FILL;
    case xlJustify:
        return LXW_ALIGN_JUSTIFY;
    case xlCenterAcrossSelection:
        return LXW_ALIGN_CENTER_ACROSS;
    case xlDistributed:
        return LXW_ALIGN_DISTRIBUTED;
    default:
        return LXW_ALIGN_NONE;
    }
}

// One file format per distinct look: the report styles a thousand cells with a few
// dozen looks, and the file should carry only those.
class FormatCache {
public:
    explicit FormatCache(lxw_workbook* wb) : wb_(wb) {}

    lxw_format* Get(const Style& style) {
        if (style == Style{})
            return nullptr;
        const auto it = cache_.find(style);
        if (it != cache_.end())
            return it->second;
        lxw_format* f = workbook_add_format(wb_);
        if (!f)
            throw Error("memoria insufficiente");
        if (style.fontName)
            format_set_font_name(f, style.fontName->c_str());
        if (style.fontSize)
            format_set_font_size(f, *style.fontSize);
        if (style.bold)
            format_set_bold(f);
        if (style.italic)
            format_set_italic(f);
        if (style.fontRgb)
            format_set_font_color(f, LxwColor(*style.fontRgb));
        if (const auto a = LxwAlign(style.horizontalAlignment); a != LXW_ALIGN_NONE)
            format_set_align(f, a);
        if (style.fillRgb) {
            format_set_pattern(f, LXW_PATTERN_SOLID);
            format_set_bg_color(f, LxwColor(*style.fillRgb));
        }
        const auto& b = style.borders;
        SetBorder(f, b[kLeft], format_set_left, format_set_left_color);
        SetBorder(f, b[kTop], format_set_top, format_set_top_color);
        SetBorder(f, b[kBottom], format_set_bottom, format_set_bottom_color);
        SetBorder(f, b[kRight], format_set_right, format_set_right_color);
        if (!style.numberFormat.empty()) {
            const std::string invariant = ToInvariantNumberFormat(style.numberFormat);
            if (invariant != "General")
                format_set_num_format(f, invariant.c_str());
        }
        cache_.emplace(style, f);
        return f;
    }

    std::size_t Size() const { return cache_.size(); }

private:
    static void SetBorder(lxw_format* f, const BorderLine& l,
                          void (*setStyle)(lxw_format*, uint8_t),
                          void (*setColor)(lxw_format*, lxw_color_t)) {
        const std::uint8_t s = LxwBorder(l);
        if (s == LXW_BORDER_NONE)
            return;
        setStyle(f, s);
        if (l.rgb)
            setColor(f, LxwColor(*l.rgb));
    }

    lxw_workbook* wb_;
    std::map<Style, lxw_format*> cache_;
};

std::string CellName(int row, int col) {
    return ColumnName(col) + std::to_string(row);
}

void Check(lxw_error rc, int row, int col) {
    if (rc == LXW_NO_ERROR)
        return;
    if (rc == LXW_ERROR_MAX_STRING_LENGTH_EXCEEDED)
        throw Error("il testo della cella " + CellName(row, col) + " supera i 32767 caratteri");
    throw Error("errore nella cella " + CellName(row, col) + " (" + lxw_strerror(rc) + ")");
}

void WriteSheet(lxw_workbook* wb, FormatCache& formats, const SheetData& sheet, bool active) {
    lxw_worksheet* ws = workbook_add_worksheet(wb, sheet.name.c_str());
    if (!ws)
        throw Error("il nome di foglio \"" + sheet.name + "\" non è accettato");
    for (const auto& [col, width] : sheet.columnWidths) {
        const auto c = static_cast<lxw_col_t>(col - 1);
        if (worksheet_set_column(ws, c, c, width, nullptr) != LXW_NO_ERROR)
            throw Error("larghezza non valida per la colonna " + ColumnName(col));
    }
    for (const auto& [key, cell] : sheet.cells) {
        const auto row = static_cast<lxw_row_t>(key.first - 1);
        const auto col = static_cast<lxw_col_t>(key.second - 1);
        lxw_format* f = formats.Get(cell.style);
        lxw_error rc = LXW_NO_ERROR;
        if (cell.parsed) {
            // The formula with its computed result, for readers that do not recalculate.
            const char* formula = cell.invariant.c_str();
            const CellValue& r = cell.result;
            if (const auto* s = std::get_if<std::string>(&r))
                rc = worksheet_write_formula_str(ws, row, col, formula, f, s->c_str());
            else if (const auto* e = std::get_if<ErrorValue>(&r))
                rc = worksheet_write_formula_str(ws, row, col, formula, f,
                                                 std::string(ErrorText(*e)).c_str());
            else if (const bool* b = std::get_if<bool>(&r))
                rc = worksheet_write_formula_num(ws, row, col, formula, f, *b ? 1.0 : 0.0);
            else if (const double* d = std::get_if<double>(&r))
                rc = worksheet_write_formula_num(ws, row, col, formula, f, *d);
            else
                rc = worksheet_write_formula_num(ws, row, col, formula, f, 0.0);
        } else if (const double* d = std::get_if<double>(&cell.value)) {
            rc = worksheet_write_number(ws, row, col, *d, f);
        } else if (const auto* s = std::get_if<std::string>(&cell.value)) {
            rc = worksheet_write_string(ws, row, col, s->c_str(), f);
        } else if (const bool* b = std::get_if<bool>(&cell.value)) {
            rc = worksheet_write_boolean(ws, row, col, *b ? 1 : 0, f);
        } else if (const auto* e = std::get_if<ErrorValue>(&cell.value)) {
            rc = worksheet_write_string(ws, row, col, std::string(ErrorText(*e)).c_str(), f);
        } else if (f) {
            rc = worksheet_write_blank(ws, row, col, f);
        }
        Check(rc, key.first, key.second);
    }
    if (!sheet.displayGridlines)
        worksheet_gridlines(ws, LXW_HIDE_ALL_GRIDLINES);
    if (sheet.printZoom)
        worksheet_set_print_scale(ws, static_cast<uint16_t>(*sheet.printZoom));
    if (sheet.windowZoom != 100)
        worksheet_set_zoom(ws, static_cast<uint16_t>(sheet.windowZoom));
    if (active)
        worksheet_activate(ws);
}

std::string SystemReason(int err, const std::string& folder) {
    switch (err) {
    case EACCES:
    case EPERM:
        return "non si ha il permesso di scrivere nella cartella \"" + folder + "\"";
    case EROFS:
        return "la cartella \"" + folder + "\" è su un disco di sola lettura";
    case ENOSPC:
    case EDQUOT:
        return "il disco è pieno";
    case ENOENT:
    case ENOTDIR:
        // The folder was found a moment ago: it accepts no files (or just vanished).
        return "non si possono creare file nella cartella \"" + folder + "\"";
    case ENAMETOOLONG:
        return "il nome del file è troppo lungo";
    default:
        return "errore di sistema " + std::to_string(err) + " (" + std::strerror(err) + ")";
    }
}

// Removes the temporary file unless it became the saved file.
struct TemporaryFile {
    std::string path;
    bool keep = false;
    ~TemporaryFile() {
        if (!keep)
            ::unlink(path.c_str());
    }
};

} // namespace

void WriteXlsx(const WorkbookData& book, const std::string& path, const std::string& displayName) {
    namespace fs = std::filesystem;
    auto fail = [&](const std::string& reason) {
        return Error("Impossibile salvare il file \"" + displayName + "\": " + reason + ".");
    };
    const fs::path target(path);
    if (target.filename().empty())
        throw fail("manca il nome del file");
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::error_code ec;
    if (!fs::is_directory(folder, ec))
        throw fail("la cartella \"" + folder.string() + "\" non esiste");
    if (fs::is_directory(target, ec))
        throw fail("esiste già una cartella con questo nome");

    TemporaryFile temp{(folder / ("." + target.filename().string() + ".XXXXXX")).string()};
    const int fd = ::mkstemp(temp.path.data());
    if (fd < 0) {
        const int err = errno;
        temp.keep = true; // nothing was created
        throw fail(SystemReason(err, folder.string()));
    }
    // mkstemp makes the file private; a saved document gets the usual permissions.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    (void)::fchmod(fd, 0666 & ~mask);
    ::close(fd);

    lxw_workbook_options options{};
    options.constant_memory = LXW_FALSE;
    lxw_workbook* wb = workbook_new_opt(temp.path.c_str(), &options);
    if (!wb)
        throw fail("memoria insufficiente");
    try {
        FormatCache formats(wb);
        for (std::size_t i = 0; i < book.sheets.size(); ++i)
            WriteSheet(wb, formats, *book.sheets[i], i == book.activeSheet);
    } catch (const Error& e) {
        workbook_close(wb); // frees it; the file is thrown away
        throw fail(e.what());
    }
    const lxw_error rc = workbook_close(wb);
    if (rc != LXW_NO_ERROR)
        throw fail(std::string("errore nella scrittura della cartella di lavoro (") +
                   lxw_strerror(rc) + ")");
    if (::rename(temp.path.c_str(), path.c_str()) != 0) {
        const int err = errno;
        throw fail(SystemReason(err, folder.string()));
    }
    temp.keep = true;
}

} // namespace velcaro::spreadsheet::detail
