#include "platform/Error.h"
#include "platform/spreadsheet/Spreadsheet.h"
#include "tests/spreadsheet/XlsxReadBack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace velcaro::spreadsheet {
namespace {

namespace fs = std::filesystem;

using xlsxcheck::TempFolder;

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(ObjectModel, NewWorkbookHasOneSheetThatCanBeRenamedAndFoundByName) {
    Application app;
    app.Workbooks().Add(xlWBATWorksheet);
    Workbook book = app.WorkBooks(1);
    EXPECT_EQ(book.Worksheets().Count(), 1);
    EXPECT_EQ(book.WorkSheets(1).Name(), "Foglio1");
    book.WorkSheets(1).Name("Riepilogo Imballo");
    EXPECT_EQ(book.Worksheets("riepilogo imballo").Name(), "Riepilogo Imballo");
    EXPECT_EQ(app.ActiveSheet().Name(), "Riepilogo Imballo");
    EXPECT_THROW(book.Worksheets("Altro"), Error);
    EXPECT_THROW(book.Worksheets(2), Error);
    EXPECT_THROW(app.Workbooks(2), Error);
}

TEST(ObjectModel, SheetNamesTheFileCannotHoldAreRefused) {
    Application app;
    Workbook book = app.Workbooks().Add();
    book.Worksheets().Add();
    const char* bad[] = {
        "", "a/b", "a[1]", "Che?", "'citato'", "Nome lungo più di trentun caratteri", "foglio1"};
    for (const char* name : bad)
        EXPECT_THROW(book.Worksheets(2).Name(name), Error) << name;
    EXPECT_EQ(book.Worksheets(2).Name(), "Foglio2");
}

TEST(ObjectModel, TextsAreReadBackExactlyAsWritten) {
    Application app;
    Worksheet s = app.Workbooks().Add().Worksheets(1);
    s.Range("D6").NumberFormat("€ #.##0,0");
    s.Range("D30").Formula("=SE(D14=0,0,D6/D14)");
    s.Cells(2, 2, "CONTENITORE");
    EXPECT_EQ(s.Range("D6").NumberFormat(), "€ #.##0,0");
    EXPECT_EQ(s.Range("D30").Formula(), "=SE(D14=0,0,D6/D14)");
    EXPECT_EQ(s.Range("B2").Value(), CellValue(std::string("CONTENITORE")));
    EXPECT_EQ(s.Range("B3").NumberFormat(), "General");
}

TEST(ObjectModel, LaterWritesReplaceEarlierOnes) {
    Application app;
    Worksheet s = app.Workbooks().Add().Worksheets(1);
    s.Range("B4").Value("Famiglia...");
    s.Range("B4").Value("ARTICOLO 12");
    EXPECT_EQ(s.Range("B4").Value(), CellValue(std::string("ARTICOLO 12")));
    s.Range("D30").Value(5);
    s.Range("D30").Formula("=1+1");
    s.Calculate();
    EXPECT_EQ(s.Range("D30").Value(), CellValue(2.0)) << "a formula replaces a value";
    s.Range("D30").Value(7);
    s.Calculate();
    EXPECT_EQ(s.Range("D30").Formula(), "7") << "a value replaces a formula";
}

TEST(ObjectModel, TypedFormulaTextBecomesAFormulaOnlyWhenItIsOne) {
    Application app;
    Worksheet s = app.Workbooks().Add().Worksheets(1);
    s.Range("A1").Value("=2*3");
    s.Range("A2").Value("=)");
    s.Calculate();
    EXPECT_EQ(s.Range("A1").Value(), CellValue(6.0));
    EXPECT_EQ(s.Range("A2").Value(), CellValue(std::string("=)")));
}

TEST(ObjectModel, FormulaOnARangeMovesRelativeReferences) {
    Application app;
    Worksheet s = app.Workbooks().Add().Worksheets(1);
    s.Range("A1").Value(1);
    s.Range("A2").Value(2);
    s.Range("B1:B2").Formula("=A1*$A$1*10");
    s.Calculate();
    EXPECT_EQ(s.Range("B2").Formula(), "=A2*$A$1*10");
    EXPECT_EQ(s.Range("B2").Value(), CellValue(20.0));
}

TEST(ObjectModel, InsideAndEdgeBordersLandOnTheRightCellSides) {
    Application app;
    Worksheet s = app.Workbooks().Add().Worksheets(1);
    Range r = s.Range("M19:N20");
    r.Borders().Item(xlInsideVertical).Weight(xlThin);
    EXPECT_EQ(s.Range("M19").Borders()(xlEdgeRight).LineStyle(), xlContinuous);
    EXPECT_EQ(s.Range("N20").Borders()(xlEdgeLeft).LineStyle(), xlContinuous);
    EXPECT_EQ(s.Range("M19").Borders()(xlEdgeLeft).LineStyle(), xlLineStyleNone)
        << "inside line drawn on the outline";
    EXPECT_EQ(s.Range("M19").Borders()(xlEdgeBottom).LineStyle(), xlLineStyleNone);

    s.Range("R22:S24").BorderAround(xlContinuous, xlThin, 1);
    EXPECT_EQ(s.Range("R23").Borders()(xlEdgeLeft).Weight(), xlThin);
    EXPECT_EQ(s.Range("S23").Borders()(xlEdgeRight).ColorIndex(), 1);
    EXPECT_EQ(s.Range("R22").Borders()(xlEdgeTop).LineStyle(), xlContinuous);
    EXPECT_EQ(s.Range("S24").Borders()(xlEdgeBottom).LineStyle(), xlContinuous);
    EXPECT_EQ(s.Range("R23").Borders()(xlEdgeTop).LineStyle(), xlLineStyleNone)
        << "outline drawn inside";
    EXPECT_EQ(s.Range("R22:S24").Borders()(xlInsideHorizontal).LineStyle(), xlLineStyleNone);
    EXPECT_THROW(r.Borders().Item(13), Error);
    EXPECT_THROW(r.Borders().Item(xlEdgeTop).Weight(3), Error);
}

TEST(ObjectModel, FontAndFillColoursKeepTheAutomationEncoding) {
    Application app;
    Worksheet s = app.Workbooks().Add().Worksheets(1);
    s.Range("B3").Font().Color(255);
    s.Range("B2").Interior().ColorIndex(1);
    EXPECT_EQ(s.Range("B3").Font().Color(), 255);
    EXPECT_EQ(s.Range("B3").Font().ColorIndex(), 3) << "red is palette colour 3";
    EXPECT_EQ(s.Range("B2").Interior().ColorIndex(), 1);
    EXPECT_EQ(s.Range("B4").Interior().ColorIndex(), xlColorIndexNone);
    EXPECT_THROW(s.Range("B2").Interior().ColorIndex(57), Error);
    EXPECT_THROW(s.Range("B2").Font().Color(-1), Error);
}

TEST(ObjectModel, AddressesAndPositionsOutsideTheSheetAreClearErrors) {
    Application app;
    Worksheet s = app.Workbooks().Add().Worksheets(1);
    EXPECT_THROW(s.Range("ZZZZ1"), Error);
    EXPECT_THROW(s.Cells(0, 1), Error);
    EXPECT_THROW(s.Cells(1, kMaxColumns + 1), Error);
    EXPECT_THROW(s.Range("A:XFD").Font().Bold(true), Error) << "whole sheet styled cell by cell";
    EXPECT_EQ(s.Range("D30", "D30").Address(), "$D$30");
    EXPECT_EQ(s.Range(s.Cells(4, 2), s.Cells(6, 2)).Address(), "$B$4:$B$6");
    s.Columns().Columns(19).ColumnWidth(10);
    EXPECT_DOUBLE_EQ(s.Columns("S").ColumnWidth(), 10.0);
}

TEST(ObjectModel, HandlesOfAClosedWorkbookOrAQuitApplicationFailCleanly) {
    Application app;
    Workbook book = app.Workbooks().Add();
    Worksheet sheet = book.Worksheets(1);
    Range cell = sheet.Range("A1");
    book.Close();
    EXPECT_EQ(app.Workbooks().Count(), 0);
    EXPECT_THROW(cell.Value(1), Error);
    EXPECT_THROW(sheet.Name(), Error);
    EXPECT_THROW(book.SaveAs("/tmp/x.xlsx"), Error);
    EXPECT_THROW(app.ActiveWindow(), Error);
    app.Quit();
    EXPECT_THROW(app.Workbooks(), Error);
}

TEST(ObjectModel, FactoryFailureIsReportedAsUnavailableApplication) {
    const ApplicationFactory throwing = []() -> std::unique_ptr<Application> {
        throw std::runtime_error("not installed");
    };
    const ApplicationFactory empty = []() -> std::unique_ptr<Application> { return nullptr; };
    EXPECT_THROW(CreateApplication(throwing), ApplicationUnavailable);
    EXPECT_THROW(CreateApplication(empty), ApplicationUnavailable);
    EXPECT_THROW(CreateApplication(ApplicationFactory{}), ApplicationUnavailable);
    auto app = CreateApplication(DefaultApplicationFactory({}));
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(app->Workbooks().Count(), 0);
}

struct NameRow {
    const char* fault;
    const char* requested;
    const char* written;
};

TEST(FileName, XlsxContentGetsAnXlsxName) {
    const NameRow rows[] = {
        {"XlsNameKeptForXlsxContent", "/home/anna/EXCEL/report.xls",
         "/home/anna/EXCEL/report.xlsx"},
        {"UppercaseXlsMissed", "REPORT.XLS", "REPORT.xlsx"},
        {"XlsxNameChanged", "report.xlsx", "report.xlsx"},
        {"NoExtensionLeftBare", "report", "report.xlsx"},
        {"OtherExtensionTakenAsXlsx", "report.txt", "report.txt.xlsx"},
        {"DotInFolderTakenAsExtension", "dir.v2/report", "dir.v2/report.xlsx"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(XlsxFileName(r.requested), r.written) << r.fault;
}

TEST(Saving, IntoAMissingFolderThrowsAClearErrorNamingTheFile) {
    Application app;
    Workbook book = app.Workbooks().Add();
    book.Worksheets(1).Range("A1").Value(1);
    TempFolder dir;
    const std::string wanted = (dir.path() / "manca" / "report.xls").string();
    try {
        book.SaveAs(wanted);
        FAIL() << "no error";
    } catch (const Error& e) {
        const std::string text = e.what();
        EXPECT_TRUE(Contains(text, "Impossibile salvare il file")) << text;
        EXPECT_TRUE(Contains(text, "report.xlsx")) << text;
        EXPECT_TRUE(Contains(text, "non esiste")) << text;
    }
    EXPECT_FALSE(book.Saved());
    EXPECT_EQ(app.Workbooks().Count(), 1) << "the workbook stays open after a failed save";
}

TEST(Saving, BelowAFileThrowsAndLeavesNothingBehind) {
    Application app;
    Workbook book = app.Workbooks().Add();
    TempFolder dir;
    const fs::path blocker = dir.path() / "file";
    { std::ofstream(blocker) << "x"; }
    EXPECT_THROW(book.SaveAs((blocker / "report.xlsx").string()), Error);
    // A name that is a folder cannot be replaced by the workbook either.
    fs::create_directory(dir.path() / "cartella.xlsx");
    EXPECT_THROW(book.SaveAs((dir.path() / "cartella.xlsx").string()), Error);
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(dir.path()))
        left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"cartella.xlsx", "file"})) << "temporary file left";
}

TEST(Saving, IntoAFolderThatTakesNoFilesThrowsAClearError) {
    // Root may write almost anywhere; the process table takes no files from anyone.
    Application app;
    Workbook book = app.Workbooks().Add();
    try {
        book.SaveAs("/proc/velcaro-riepilogo.xls");
        FAIL() << "no error";
    } catch (const Error& e) {
        const std::string text = e.what();
        EXPECT_TRUE(Contains(text, "/proc/velcaro-riepilogo.xlsx")) << text;
        EXPECT_FALSE(Contains(text, "non esiste")) << "the folder does exist: " << text;
    }
    EXPECT_FALSE(book.Saved());
}

TEST(Saving, VisibleOpensTheSavedFileOrACopyOfWhatIsShown) {
    std::vector<std::string> opened;
    Application app([&](const std::string& path) { opened.push_back(path); });
    Workbook book = app.Workbooks().Add();
    book.Worksheets(1).Range("A1").Value(1);
    TempFolder dir;
    const std::string target = (dir.path() / "report.xls").string();
    book.SaveAs(target);
    EXPECT_TRUE(book.Saved());
    EXPECT_EQ(fs::path(book.FullName()), fs::path(dir.path() / "report.xlsx"));
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "report.xlsx"));
    EXPECT_FALSE(fs::exists(target)) << "content and name disagree";

    app.Visible(true);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(fs::path(opened[0]), fs::path(book.FullName()));

    // Changed after saving: what the user sees is the workbook as it stands.
    book.Worksheets(1).Range("A2").Value(2);
    app.Visible(true);
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_NE(fs::path(opened[1]), fs::path(book.FullName()));
    EXPECT_TRUE(fs::is_regular_file(opened[1]));
    EXPECT_EQ(fs::path(opened[1]).extension(), ".xlsx");
    fs::remove_all(fs::path(opened[1]).parent_path());
}

TEST(Saving, AfterAFailedSaveVisibleStillShowsTheWorkbook) {
    std::vector<std::string> opened;
    Application app([&](const std::string& path) { opened.push_back(path); });
    Workbook book = app.Workbooks().Add();
    book.Worksheets(1).Range("A1").Value("dati");
    EXPECT_THROW(book.SaveAs("/nonexistent-velcaro-folder/report.xls"), Error);
    app.Visible(true);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_TRUE(fs::is_regular_file(opened[0]));
    EXPECT_EQ(fs::path(opened[0]).filename(), "Cartel1.xlsx");
    fs::remove_all(fs::path(opened[0]).parent_path());
}

} // namespace
} // namespace velcaro::spreadsheet
