// Builds a sheet like the summary report, saves it, and reads the file back with an
// independent reader (openpyxl, through Debian's own Python).
#include "platform/Error.h"
#include "platform/spreadsheet/Spreadsheet.h"
#include "tests/spreadsheet/XlsxReadBack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

namespace velcaro::spreadsheet {
namespace {

namespace fs = std::filesystem;

using xlsxcheck::ReadBack;
using xlsxcheck::ReaderAvailable;
using xlsxcheck::TempFolder;

double NumberOf(const std::string& typed) {
    if (typed.rfind("n:", 0) != 0)
        return std::nan("");
    return std::strtod(typed.c_str() + 2, nullptr);
}

void Style(Worksheet& s, const char* cell, int size, bool bold, long color, int align) {
    Range r = s.Range(cell);
    r.Font().Name("Arial");
    r.Font().Size(size);
    r.Font().Bold(bold);
    r.Font().Color(color);
    r.HorizontalAlignment(align);
}

// A small version of the summary: the same kinds of calls, in the same order.
void BuildSummary(Application& app) {
    app.Workbooks().Add(xlWBATWorksheet);
    app.WorkBooks(1).WorkSheets(1).Name("Riepilogo Imballo");
    Worksheet s = app.Workbooks(1).Worksheets("Riepilogo Imballo");
    // Labels.
    s.Cells(2, 2, "CONTENITORE");
    s.Cells(3, 2, "Tipo Contenitore");
    s.Cells(6, 2, "COSTO di ACQUISTO");
    s.Cells(14, 2, "N° di Pezzi in Contenitore");
    s.Cells(29, 2, "COSTI");
    // Fonts.
    Style(s, "B2", 12, true, 16777215, xlCenter);
    Style(s, "B3", 10, false, 255, xlLeft);
    Style(s, "D6", 10, true, 16777215, xlCenter);
    Style(s, "D14", 10, true, 16777215, xlCenter);
    // Fills.
    s.Range("B2").Interior().ColorIndex(1);
    s.Range("B4:B6").Interior().ColorIndex(15);
    s.Range("D6").Interior().ColorIndex(10);
    s.Range("B29").Interior().ColorIndex(9);
    s.Range("P11").Interior().ColorIndex(5);
    // Widths.
    const int widths[] = {2, 27, 1, 10, 10};
    for (int c = 1; c <= 5; ++c)
        s.Columns().Columns(c).ColumnWidth(widths[c - 1]);
    // Borders, as the report draws them.
    for (const char* addr : {"D8:D10", "D30:D33"}) {
        Range r = s.Range(addr);
        for (int item : {xlEdgeTop, xlEdgeBottom, xlEdgeLeft, xlEdgeRight, xlInsideHorizontal,
                         xlInsideVertical})
            r.Borders().Item(item).Weight(xlThin);
        r.BorderAround(xlContinuous, xlThin, 1);
    }
    // Number formats, as the program writes them.
    s.Range("D6").NumberFormat("€ #.##0,0");
    s.Range("D8:E10").NumberFormat("#.###");
    s.Range("R35").NumberFormat("#.##0,00");
    s.Range("D30:D35").NumberFormat("€ #.##0,000");
    s.Range("D30:D35").HorizontalAlignment(xlCenter);
    // Values.
    s.Cells(4, 2, "Famiglia CASSE");
    s.Cells(6, 4, 12.5);
    s.Cells(8, 4, 1200);
    s.Cells(9, 4, 800);
    s.Cells(10, 4, 300);
    s.Cells(12, 4, 1.5);
    s.Cells(14, 4, 4);
    s.Cells(13, 9, 0);
    s.Cells(8, 18, 250.0);
    s.Cells(9, 18, 100);
    s.Cells(13, 18, 500);
    s.Cells(12, 13, 20);
    s.Cells(17, 13, 10);
    s.Cells(28, 13, 0);
    s.Cells(35, 18, 3.25);
    // Formulas.
    s.Range("D30", "D30").Formula("=SE(D14=0,0,D6/D14)");
    s.Range("D31", "D31").Formula("=SE(I13=0,0,((E8/1000)*(E9/1000)*I9*I13)/D14)");
    s.Range("D32", "D32").Formula("=SE(M28=0,0,M6/M28)");
    s.Range("D33", "D33").Formula("=SE(R9=0,0,R8/R9)");
    s.Range("D35", "D35").Formula("=SOMMA(D30:D33)");
    s.Range("M27", "M27").Formula("=(R13/1000*D14*M17)+(D12*M17)+M12");
    s.Range("B40").Formula("=\"Pezzi: \"&D14");
    s.Range("E40").Formula("=D6/D41");
    s.Calculate();
    app.ActiveWindow().DisplayGridlines(false);
    app.ActiveSheet().PageSetup().Zoom(80);
}

TEST(RoundTrip, AnIndependentReaderSeesWhatTheReportMeant) {
    if (!ReaderAvailable())
        GTEST_SKIP() << "python3-openpyxl is not installed (apt-get install python3-openpyxl)";
    Application app;
    BuildSummary(app);
    TempFolder dir;
    app.Workbooks(1).SaveAs((dir.path() / "riepilogo.xls").string());
    const fs::path file = dir.path() / "riepilogo.xlsx";
    ASSERT_TRUE(fs::is_regular_file(file));
    const auto f = ReadBack(file);
    ASSERT_FALSE(f.empty());
    const std::string p = "Riepilogo Imballo!";
    auto at = [&](const std::string& key) {
        const auto it = f.find(key);
        return it == f.end() ? std::string("<missing " + key + ">") : it->second;
    };

    struct Fact {
        const char* fault;
        std::string key;
        std::string expected;
    };
    const Fact facts[] = {
        {"SheetNameLost", "sheets", "Riepilogo Imballo"},
        {"GridLinesShown", p + "gridlines", "False"},
        {"PrintZoomLost", p + "print_scale", "80"},
        {"LabelLost", p + "B2.value", "s:CONTENITORE"},
        {"UnicodeLabelMangled", p + "B14.value", "s:N° di Pezzi in Contenitore"},
        {"TitleFontLost", p + "B2.font", "Arial|12.0|True"},
        {"TitleColourNotWhite", p + "B2.font.color", "FFFFFFFF"},
        {"HeadingColourNotRed", p + "B3.font.color", "FFFF0000"},
        {"HeadingFontBold", p + "B3.font", "Arial|10.0|False"},
        {"TitleFillNotBlack", p + "B2.fill", "solid|FF000000"},
        {"LabelFillNotGrey", p + "B5.fill", "solid|FFC0C0C0"},
        {"KeyFillNotGreen", p + "D6.fill", "solid|FF008000"},
        {"CostTitleFillNotDarkRed", p + "B29.fill", "solid|FF800000"},
        {"PieceTitleFillNotBlue", p + "P11.fill", "solid|FF0000FF"},
        {"CentringLost", p + "B2.align", "center"},
        {"LeftAlignmentLost", p + "B3.align", "left"},
        {"CurrencyFormatNotInvariant", p + "D6.format", "€ #,##0.0"},
        {"GroupingFormatNotInvariant", p + "D8.format", "#,###"},
        {"DecimalFormatNotInvariant", p + "R35.format", "#,##0.00"},
        {"FormatOnEmptyCellLost", p + "D34.format", "€ #,##0.000"},
        {"TopBorderLost", p + "D8.border.top", "thin"},
        {"InsideHorizontalLost", p + "D9.border.top", "thin"},
        {"BottomBorderLost", p + "D10.border.bottom", "thin"},
        {"LeftBorderLost", p + "D9.border.left", "thin"},
        {"RightBorderLost", p + "D9.border.right", "thin"},
        {"FormulaNotInvariant", p + "D30.value", "s:=IF(D14=0,0,D6/D14)"},
        {"NestedFormulaNotInvariant", p + "D31.value",
         "s:=IF(I13=0,0,((E8/1000)*(E9/1000)*I9*I13)/D14)"},
        {"SumNotInvariant", p + "D35.value", "s:=SUM(D30:D33)"},
        {"ArithmeticFormulaChanged", p + "M27.value", "s:=(R13/1000*D14*M17)+(D12*M17)+M12"},
        {"TextResultLost", p + "B40.cached", "s:Pezzi: 4"},
        {"ErrorResultLost", p + "E40.cached", "s:#DIV/0!"},
    };
    for (const auto& fact : facts)
        EXPECT_EQ(at(fact.key), fact.expected) << fact.fault;

    struct Cached {
        const char* fault;
        const char* cell;
        double value;
    };
    const Cached cached[] = {
        {"ContainerCostPerPieceWrong", "D30", 3.125},
        {"SeparatorCostNotZero", "D31", 0.0},
        {"PalletGuardFailed", "D32", 0.0},
        {"TransportCostWrong", "D33", 2.5},
        {"TotalWrong", "D35", 5.625},
        {"PalletWeightWrong", "M27", 55.0},
        {"StoredNumberWrong", "D8", 1200.0},
    };
    for (const auto& c : cached) {
        const double got = NumberOf(at(p + c.cell + ".cached"));
        EXPECT_NEAR(got, c.value, 1e-9) << c.fault << " (" << at(p + c.cell + ".cached") << ")";
    }

    struct Width {
        const char* fault;
        const char* column;
        double width;
    };
    const Width widths[] = {{"SpacerWidthLost", "A", 2},
                            {"LabelWidthLost", "B", 27},
                            {"NarrowWidthLost", "C", 1},
                            {"ValueWidthLost", "D", 10}};
    for (const auto& w : widths) {
        // The file stores the width plus the cell padding, under one character.
        const double got = NumberOf(at(p + w.column + ".width"));
        EXPECT_GE(got, w.width) << w.fault;
        EXPECT_LT(got, w.width + 1.0) << w.fault;
    }
}

TEST(RoundTrip, CellsThatLookAlikeShareOneFileFormat) {
    if (!ReaderAvailable())
        GTEST_SKIP() << "python3-openpyxl is not installed (apt-get install python3-openpyxl)";
    Application app;
    Worksheet s = app.Workbooks().Add().Worksheets(1);
    for (int r = 1; r <= 300; ++r) {
        Range c = s.Cells(r, 1);
        c.Value(r);
        c.Font().Name("Arial");
        c.Font().Bold(r % 2 == 0);
        c.NumberFormat("#.###");
    }
    TempFolder dir;
    app.Workbooks(1).SaveAs((dir.path() / "molti.xlsx").string());
    const auto f = ReadBack(dir.path() / "molti.xlsx");
    // The default look plus the two used.
    EXPECT_LE(std::stoi(f.at("styles")), 3) << "one format per cell";
    EXPECT_EQ(f.at("Foglio1!A300.font"), "Arial|11.0|True");
}

} // namespace
} // namespace velcaro::spreadsheet
