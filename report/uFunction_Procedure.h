#pragma once
// The summary export: builds the sheet "Riepilogo Imballo" from the five report records in
// eight steps under the progress window, saves the workbook and offers to open it.
//
// Ownership: ExcelExport is owned by the program for the whole run. It holds the
// spreadsheet application of the last export (ExcelApp), replaced by each export; it does
// not own the progress window, the records or the separators choice it reads.
#include "data/ReportRecords.h"
#include "platform/spreadsheet/Spreadsheet.h"
#include "report/Progform.h"

#include <memory>
#include <string>

namespace velcaro::ui {
class Application;
class RadioGroup;
} // namespace velcaro::ui

namespace velcaro::report {

inline constexpr const char* kNomeFoglio = "Riepilogo Imballo";

// The file name the save dialog gave, with ".xlsx" added when it has no extension at all.
std::string WithWorkbookExtension(const std::string& fileName);

// What the sheet is built from: the records as they stand and whether the main window's
// "Considerare" stands on "Si" at export time.
struct ReportSources {
    const data::AnalysisState& records;
    bool tramezziConsiderati;
};

// The eight steps, in the order they run (captions in kStepCaptions). Each finds the sheet
// again by name in the first workbook of the application.
void WriteLabels(spreadsheet::Worksheet sheet);                                 // INTESTAZIONI
void SetFonts(spreadsheet::Worksheet sheet);                                    // FONT
void SetFills(spreadsheet::Worksheet sheet);                                    // COLORI
void SetColumnWidths(spreadsheet::Worksheet sheet);                             // COLONNE
void DrawBorders(spreadsheet::Worksheet sheet);                                 // BORDI
void SetNumberFormats(spreadsheet::Worksheet sheet);                            // FORMATI
void WriteValues(spreadsheet::Worksheet sheet, const ReportSources& sources); // VALORI
void WriteFormulas(spreadsheet::Worksheet sheet);                               // FORMULE
// Step k (1..8) on the sheet.
void RunStep(int k, spreadsheet::Worksheet sheet, const ReportSources& sources);

class ExcelExport {
public:
    ExcelExport(ui::Application& app, const data::AnalysisState& records, TProgress& progress);

    // Builds, saves under NomeFile (as the save dialog gave it) and offers to open the
    // summary. Shows its own messages on every path.
    void EsportaExcel(const std::string& NomeFile);

    // How the spreadsheet application is started; tests make it fail. The default opens a
    // shown workbook through the host's "open" action.
    spreadsheet::ApplicationFactory Factory;
    // The main window's separators choice, read at export time ("Si" is item 1).
    const ui::RadioGroup* rgTramezzi = nullptr;

    // The application of the last export, or none yet.
    std::unique_ptr<spreadsheet::Application> ExcelApp;
    int NumeroPassi = 0;

private:
    bool TramezziConsiderati() const;

    ui::Application& app_;
    const data::AnalysisState& records_;
    TProgress& progress_;
};

} // namespace velcaro::report
