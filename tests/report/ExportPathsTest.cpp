// The export's other roads: no spreadsheet application, a failed save and the closing
// question, Yes and No at the end, a layout step that fails, and "Esporta" driven through the
// whole program with its transport cost window and save dialog.
#include "ExportFixture.h"
#include "ReadBack.h"

#include "analysis/Startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>

namespace velcaro::report::testing {
namespace {

namespace fs = std::filesystem;

const char* const kSavedQuestion =
    "I dati Riepilogativi sono stati\rsalvati sul Foglio di EXCEL.\rDesideri aprire il File?";

class ExportPaths : public ::testing::Test, public ExportFixture {
protected:
    TempFolder folder;
};

TEST_F(ExportPaths, NoSpreadsheetApplicationIsReportedAndNothingElseHappens)
{
    // A factory that throws, and one that gives nothing: both mean "not installed".
    const spreadsheet::ApplicationFactory failing[] = {
        [] () -> std::unique_ptr<spreadsheet::Application> { throw std::runtime_error("missing"); },
        [] { return std::unique_ptr<spreadsheet::Application>(); }};
    for (const auto& factory : failing) {
        host.Dialogs().clear();
        exporter.Factory = factory;
        exporter.EsportaExcel((folder.path() / "r.xlsx").string());
        EXPECT_EQ(DialogTexts(), "EXCEL non è presente sul Computer.\rImpossibile esportare i dati!");
        EXPECT_FALSE(progress.Visible());
        EXPECT_EQ(progress.DisabledWindow(), nullptr);
        EXPECT_FALSE(fs::exists(folder.path() / "r.xlsx"));
    }
}

TEST_F(ExportPaths, FailedSaveIsReportedThenTheQuestionYesShowsTheUnsavedSheet)
{
    const auto missing = folder.path() / "manca" / "r.xlsx";
    host.QueueAnswer(ui::DialogButton::Yes);
    exporter.EsportaExcel(missing.string());
    ASSERT_EQ(host.Dialogs().size(), 2u);
    EXPECT_EQ(host.Dialogs()[0].kind, ui::DialogKind::Error);
    EXPECT_EQ(host.Dialogs()[0].text,
              "Impossibile salvare il File di EXCEL.\rErrore di scrittura o di inizializzazione!");
    EXPECT_EQ(host.Dialogs()[1].kind, ui::DialogKind::Confirmation);
    EXPECT_EQ(host.Dialogs()[1].text,
              "I dati Riepilogativi non sono stati\rsalvati sul Foglio di EXCEL.\rDesideri aprire il File?");
    EXPECT_FALSE(fs::exists(missing));
    // The sheet is shown all the same, from a copy in a temporary folder.
    ASSERT_EQ(host.OpenedUrls().size(), 1u);
    const fs::path shown = host.OpenedUrls()[0];
    EXPECT_NE(shown.parent_path(), missing.parent_path());
    EXPECT_TRUE(fs::exists(shown)) << shown;
    if (ReaderAvailable()) {
        EXPECT_EQ(Fact(ReadBack(shown), "Riepilogo Imballo!B2.value"), "s:CONTENITORE");
    }
    fs::remove_all(shown.parent_path());
}

TEST_F(ExportPaths, YesOpensTheSavedFileNoClosesTheWorkbook)
{
    const auto file = folder.path() / "r.xlsx";
    host.QueueAnswer(ui::DialogButton::Yes);
    exporter.EsportaExcel(file.string());
    EXPECT_EQ(DialogTexts(), kSavedQuestion);
    ASSERT_EQ(host.OpenedUrls().size(), 1u);
    EXPECT_EQ(fs::path(host.OpenedUrls()[0]), file);
    EXPECT_TRUE(exporter.ExcelApp->Visible());

    host.QueueAnswer(ui::DialogButton::No);
    exporter.EsportaExcel(file.string());
    EXPECT_EQ(host.OpenedUrls().size(), 1u);
    // The application was told to quit: it answers nothing more.
    EXPECT_THROW(exporter.ExcelApp->Workbooks().Count(), Error);
    EXPECT_FALSE(progress.Visible());
    EXPECT_EQ(progress.DisabledWindow(), nullptr);
}

TEST_F(ExportPaths, ProgressDisablesTheMainWindowWhileTheStepsRun)
{
    std::vector<bool> visible;
    std::vector<const ui::Form*> disabled;
    host.onProcessMessages = [&] {
        visible.push_back(progress.Visible());
        disabled.push_back(progress.DisabledWindow());
    };
    host.QueueAnswer(ui::DialogButton::No);
    exporter.EsportaExcel((folder.path() / "r.xlsx").string());
    ASSERT_EQ(visible.size(), 16u); // twice per step
    for (size_t i = 0; i < visible.size(); ++i) {
        EXPECT_TRUE(visible[i]);
        EXPECT_EQ(disabled[i], &main);
    }
    EXPECT_EQ(progress.DisabledWindow(), nullptr);
    EXPECT_EQ(progress.lvAvanzamento.Property("checked"),
              "INTESTAZIONI|FONT|COLORI|COLONNE|BORDI|FORMATI|VALORI|FORMULE");
}

// The host that notes whether the progress window was still up when an error was shown.
struct WatchingHost : ui::ScriptedHost {
    const TProgress* progress = nullptr;
    std::vector<bool> progressShownAtDialog;
    ui::DialogButton MessageDialog(ui::DialogKind kind, const std::string& text,
                                   const std::vector<ui::DialogButton>& buttons) override
    {
        progressShownAtDialog.push_back(progress && progress->Visible());
        return ScriptedHost::MessageDialog(kind, text, buttons);
    }
};

TEST(ExportStepFailure, TheMainWindowComesBackBeforeTheErrorIsShown)
{
    WatchingHost host;
    ui::Application app(host, VELCARO_PROGRAM_DIR_DEFAULT);
    MainWindow main(app);
    app.SetMainForm(&main);
    TProgress progress(app);
    host.progress = &progress;
    data::AnalysisState records = FilledRecords();
    ExcelExport exporter(app, records, progress);
    TempFolder folder;
    // After the first step the workbook disappears under the export's feet.
    host.onProcessMessages = [&] {
        if (progress.Gauge.Progress() == 1 && exporter.ExcelApp->Workbooks().Count() == 1)
            exporter.ExcelApp->Workbooks(1).Close();
    };
    EXPECT_FALSE(app.Dispatch([&] { exporter.EsportaExcel((folder.path() / "r.xlsx").string()); }));
    ASSERT_EQ(host.Dialogs().size(), 1u);
    EXPECT_EQ(host.Dialogs()[0].kind, ui::DialogKind::Error);
    EXPECT_EQ(host.Dialogs()[0].text, "La cartella di lavoro numero 1 non esiste.");
    EXPECT_EQ(host.progressShownAtDialog, std::vector<bool>{false});
    EXPECT_EQ(progress.DisabledWindow(), nullptr);
    EXPECT_FALSE(fs::exists(folder.path() / "r.xlsx"));
}

TEST(ExportFileName, ABareNameGetsTheWorkbookExtension)
{
    struct Row {
        const char* typed;
        const char* used;
    };
    const Row rows[] = {{"/home/anna/EXCEL/riepilogo", "/home/anna/EXCEL/riepilogo.xlsx"},
                        {"/home/anna/EXCEL/riepilogo.xlsx", "/home/anna/EXCEL/riepilogo.xlsx"},
                        {"/home/anna/EXCEL/riepilogo.xls", "/home/anna/EXCEL/riepilogo.xls"},
                        {"/home/an.na/EXCEL/riepilogo", "/home/an.na/EXCEL/riepilogo.xlsx"},
                        {"C:\\Velcaro\\EXCEL\\riepilogo", "C:\\Velcaro\\EXCEL\\riepilogo.xlsx"}};
    for (const Row& r : rows)
        EXPECT_EQ(WithWorkbookExtension(r.typed), r.used) << r.typed;
}

// "Esporta" through the whole program: the transport cost window, the save dialog with its
// title, folder and filter, and a spreadsheet application the test can take away.
class ProgramExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "velcaro-report-prog-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        fs::copy(VELCARO_PROGRAM_DIR_DEFAULT, dir, fs::copy_options::recursive);
        program = std::make_unique<analysis::Program>(host, dir.string());
        analysis::StartOptions options;
        options.splashDelay = false;
        program->Start(options);
        program->state = FilledRecords();
        // Inside the transport cost window: a cost, then OK.
        host.modalDriver = [this](ui::Form& form) {
            if (&form == program->fCostoTrasporto) {
                program->fCostoTrasporto->meCostoTrasporto.UserType("900");
                program->fCostoTrasporto->bbOK.UserClick();
            } else {
                form.Close();
            }
        };
    }
    void TearDown() override
    {
        program.reset();
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    ui::ScriptedHost host;
    fs::path dir;
    std::unique_ptr<analysis::Program> program;
};

TEST_F(ProgramExport, SaveDialogThenTheWorkbookUnderTheNameGiven)
{
    host.QueueFile((dir / "EXCEL" / "viaggio").string());
    host.QueueAnswer(ui::DialogButton::No);
    program->MainForm->bbStampa.UserClick();
    ASSERT_EQ(host.FileDialogs().size(), 1u);
    const auto& d = host.FileDialogs()[0];
    EXPECT_EQ(d.title, "SALVA REPORT in EXCEL");
    EXPECT_EQ(fs::path(d.initialDir), dir / "EXCEL");
    EXPECT_EQ(d.filter, "Cartella di lavoro Microsoft Office Excel (*.xlsx)|*.xlsx");
    EXPECT_TRUE(fs::exists(dir / "EXCEL" / "viaggio.xlsx"));
    EXPECT_EQ(program->state.ExcelMezzo.CostoTrasporto, 900);
    EXPECT_EQ(program->Flag("ProcessoInterrotto"), std::optional<bool>(false));
}

TEST_F(ProgramExport, ASpreadsheetApplicationThatCannotStartIsReported)
{
    program->excelExport->Factory = [] { return std::unique_ptr<spreadsheet::Application>(); };
    host.QueueFile((dir / "EXCEL" / "viaggio.xlsx").string());
    program->MainForm->bbStampa.UserClick();
    ASSERT_EQ(host.Dialogs().size(), 1u);
    EXPECT_EQ(host.Dialogs()[0].text, "EXCEL non è presente sul Computer.\rImpossibile esportare i dati!");
    EXPECT_FALSE(program->Progress->Visible());
    EXPECT_FALSE(fs::exists(dir / "EXCEL" / "viaggio.xlsx"));
}

} // namespace
} // namespace velcaro::report::testing
