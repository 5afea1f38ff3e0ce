#include "report/uFunction_Procedure.h"

#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"

#include <cstdint>
#include <exception>

namespace velcaro::report {

using spreadsheet::Worksheet;

namespace {

struct CellText {
    const char* cell;
    const char* text;
};

// Every label, block by block (container, separators, pallet, vehicle, piece, costs), top
// to bottom and left to right within a row.
constexpr CellText kLabels[] = {
    // CONTENITORE
    {"B2", "CONTENITORE"},
    {"B3", "Tipo Contenitore"},
    {"B4", "Famiglia..."},
    {"B5", "Contenitore..."},
    {"B6", "COSTO di ACQUISTO"},
    {"B7", "Dimensioni Contenitore"},
    {"D7", "Esterne"},
    {"E7", "Utili"},
    {"B8", "Larghezza [mm]"},
    {"B9", "Lunghezza [mm]"},
    {"B10", "Altezza [mm]"},
    {"B11", "Portata Contenitore"},
    {"B12", "Tara [Kg]"},
    {"B13", "P.ta max [Kg]"},
    {"B14", "N° di Pezzi in Contenitore"},
    {"B15", "Colli"},
    {"B16", "N° di Contenitori IMPILATI"},
    {"B17", "N° di Contenitori STIVATI"},
    // TRAMEZZI
    {"G2", "TRAMEZZI"},
    {"G3", "Caratteristiche Tramezzi"},
    {"G4", "Considerare"},
    {"G5", "Spessore [mm]"},
    {"G6", "Grammatura [gr/m²]"},
    {"G7", "Famiglia"},
    {"G8", "Tipo"},
    {"G9", "COSTO [€/m²]"},
    {"G10", "Dislocazione Tramezzi"},
    {"G11", "Fondo"},
    {"G12", "Testa"},
    {"G13", "N° TRAMEZZI in Contenitore"},
    // PALLET
    {"K2", "PALLET"},
    {"K3", "Tipo Pallet"},
    {"K4", "Famiglia..."},
    {"K5", "Pallet..."},
    {"K6", "COSTO di ACQUISTO"},
    {"K7", "Dimensioni Pallet"},
    {"K8", "Larghezza [mm]"},
    {"K9", "Lunghezza [mm]"},
    {"K10", "Altezza [mm]"},
    {"K11", "Portata Pallet"},
    {"K12", "Tara [Kg]"},
    {"K13", "P.ta max [Kg]"},
    {"K14", "Dislocazione nel Pallet"},
    {"M14", "Colli"},
    {"N14", "Pallet"},
    {"K15", "1° COLLO / PALLET [mm]"},
    {"K16", "2° COLLO / PALLET [mm]"},
    {"K17", "N° COLLI / PALLET"},
    {"K18", "Dislocazione nel Mezzo"},
    {"M18", "Pallet"},
    {"N18", "Stiva"},
    {"K19", "1° PALLET / STIVA [mm]"},
    {"K20", "2° PALLET / STIVA [mm]"},
    {"K21", "N° di PALLET Impilati"},
    {"K22", "N° PALLET / STIVA"},
    {"K23", "Dislocazione Contenitori"},
    {"K24", "N° Colli / Piano"},
    {"K25", "N° di Piani"},
    {"K26", "Altezza Pallet"},
    {"K27", "Peso del Pallet [Kg]"},
    {"K28", "N° PEZZI / PALLET"},
    // MEZZO di TRASPORTO
    {"P2", "MEZZO di TRASPORTO"},
    {"P3", "MEZZO di TRASPORTO"},
    {"P4", "TIPO di MEZZO"},
    {"P5", "Larghezza [mm]"},
    {"P6", "Lunghezza [mm]"},
    {"P7", "Altezza [mm]"},
    {"P8", "COSTO TRASPORTO"},
    {"P9", "TATALE PEZZI TRASPORT."},
    // COMPONENTE
    {"P11", "COMPONENTE"},
    {"P12", "Dimensioni del Pezzo"},
    {"P13", "Peso Manufatto [gr]"},
    {"P14", "Larghezza [mm]"},
    {"P15", "Lunghezza [mm]"},
    {"P16", "Altezza [mm]"},
    {"P17", "Compenetra in..."},
    {"P18", "LARGHEZZA [mm]"},
    {"P19", "LUNGHEZZA [mm]"},
    {"P20", "ALTEZZA [mm]"},
    {"P21", "Dislocazione ORDINATA"},
    {"R21", "Pezzo"},
    {"S21", "Contenit."},
    {"P22", "LARGHEZZA [mm]"},
    {"P23", "LUNGHEZZA [mm]"},
    {"P24", "ALTEZZA [mm]"},
    {"P25", "Dislocazione CASUALE"},
    {"R25", "Q.tà"},
    {"P26", "TOT. Pezzi in PIANTA"},
    {"P27", "TOT. Pezzi ULTIMO STRATO"},
    {"P28", "Spazio Libero nel Contenitore"},
    {"P29", "LARGHEZZA [mm]"},
    {"P30", "LUNGHEZZA [mm]"},
    {"P31", "ALTEZZA [mm]"},
    {"P32", "Conformazione Imballo"},
    {"P33", "Pezzi / Strato"},
    {"P34", "N° di Strati"},
    {"P35", "Carico Distribuito [Kg/m²]"},
    {"P36", "Peso Netto [Kg]"},
    {"P37", "Peso Lordo [Kg]"},
    // COSTI
    {"B29", "COSTI"},
    {"B30", "CONTENITORE"},
    {"B31", "TRAMEZZI"},
    {"B32", "PALLET"},
    {"B33", "TRASPORTO"},
};

constexpr long kWhite = 16777215;
constexpr long kRed = 255;
constexpr long kBlack = 0;

struct FontStyle {
    int size;
    bool bold;
    long color;
    int alignment;
};

constexpr FontStyle kTitle{12, true, kWhite, spreadsheet::xlCenter};
constexpr FontStyle kHeading{10, false, kRed, spreadsheet::xlLeft};
constexpr FontStyle kColumnHead{10, false, kRed, spreadsheet::xlCenter};
constexpr FontStyle kKeyLabel{10, true, kBlack, spreadsheet::xlCenter};
constexpr FontStyle kKeyValue{10, true, kWhite, spreadsheet::xlCenter};

struct StyledCell {
    const char* cell;
    const FontStyle* style;
};

// The 47 styled cells, in the order they are set.
const StyledCell kFonts[] = {
    {"B2", &kTitle},       {"B3", &kHeading},     {"B6", &kKeyLabel},    {"D6", &kKeyValue},
    {"D14", &kKeyValue},   {"B7", &kHeading},     {"D7", &kColumnHead},  {"E7", &kColumnHead},
    {"B11", &kHeading},    {"B15", &kHeading},    {"G2", &kTitle},       {"G3", &kHeading},
    {"G9", &kKeyLabel},    {"I9", &kKeyValue},    {"G10", &kHeading},    {"I13", &kKeyValue},
    {"K2", &kTitle},       {"K3", &kHeading},     {"K6", &kKeyLabel},    {"M6", &kKeyValue},
    {"K7", &kHeading},     {"K11", &kHeading},    {"K14", &kHeading},    {"M14", &kColumnHead},
    {"N14", &kColumnHead}, {"K18", &kHeading},    {"M18", &kHeading},    {"N18", &kHeading},
    {"K23", &kHeading},    {"M28", &kKeyValue},   {"P2", &kTitle},       {"P3", &kHeading},
    {"P8", &kKeyLabel},    {"R8", &kKeyValue},    {"R9", &kKeyValue},    {"P11", &kTitle},
    {"P12", &kHeading},    {"P17", &kHeading},    {"P21", &kHeading},    {"R21", &kColumnHead},
    {"S21", &kColumnHead}, {"P25", &kHeading},    {"R25", &kColumnHead}, {"P28", &kHeading},
    {"P32", &kHeading},    {"B29", &kTitle},      {"D35", &kKeyValue},
};

// Palette indexes of the default palette.
constexpr int kFillBlack = 1;
constexpr int kFillBlue = 5;
constexpr int kFillDarkRed = 9;
constexpr int kFillGreen = 10;
constexpr int kFillGrey = 15;

struct Fill {
    const char* range;
    int colorIndex;
};

const Fill kFills[] = {
    {"B2", kFillBlack},     {"B4:B6", kFillGrey},   {"B8:B10", kFillGrey},  {"B12:B14", kFillGrey},
    {"B16:B17", kFillGrey}, {"D6", kFillGreen},     {"D14", kFillGreen},    {"G2", kFillBlack},
    {"G4:G9", kFillGrey},   {"G11:G13", kFillGrey}, {"I9", kFillGreen},     {"I13", kFillGreen},
    {"K2", kFillBlack},     {"K4:K6", kFillGrey},   {"K8:K10", kFillGrey},  {"K12:K13", kFillGrey},
    {"K15:K17", kFillGrey}, {"K19:K22", kFillGrey}, {"K24:K28", kFillGrey}, {"M6", kFillGreen},
    {"M28", kFillGreen},    {"P2", kFillBlack},     {"P4:P9", kFillGrey},   {"R8", kFillGreen},
    {"R9", kFillGreen},     {"P11", kFillBlue},     {"P13:P16", kFillGrey}, {"P18:P20", kFillGrey},
    {"P22:P24", kFillGrey}, {"P26:P27", kFillGrey}, {"P29:P31", kFillGrey}, {"P33:P37", kFillGrey},
    {"B29", kFillDarkRed},  {"B30:B33", kFillGrey}, {"D35", kFillDarkRed},
};

// Widths of columns A to S, in characters.
constexpr int kColumnWidths[] = {2, 27, 1, 10, 10, 1, 25, 1, 10, 1, 25, 1, 10, 10, 1, 25, 1, 10, 10};

constexpr const char* kBorderedRanges[] = {
    "D8:D10",  "E8:E10",  "D12:D13", "D16:D17", "I4:I6",   "I11:I12", "M8:M10",  "M12:M13",
    "M15:M16", "N15:N16", "M17:M17", "M19:N20", "M21:M22", "M24:M27", "R5:R7",   "R13:R16",
    "R18:R20", "R22:S24", "R26:R27", "R29:R31", "R33:R37", "D30:D33"};

// The lines of each bordered range get their weight in this order.
constexpr int kBorderLines[] = {spreadsheet::xlEdgeTop,          spreadsheet::xlEdgeBottom,
                                spreadsheet::xlEdgeLeft,         spreadsheet::xlEdgeRight,
                                spreadsheet::xlInsideHorizontal, spreadsheet::xlInsideVertical};

// A number format, or nullptr for "centre the range".
struct Format {
    const char* range;
    const char* numberFormat;
};

constexpr const char* kEuro1 = "€ #.##0,0";
constexpr const char* kEuro0 = "€ #.###";
constexpr const char* kEuro3 = "€ #.##0,000";
constexpr const char* kWhole = "#.###";
constexpr const char* kOneDecimal = "#.##0,0";
constexpr const char* kTwoDecimals = "#.##0,00";
constexpr const char* kCentre = nullptr;

const Format kFormats[] = {
    {"D6", kEuro1},          {"D8:E10", kWhole},     {"D12:D14", kWhole},  {"D16:D17", kWhole},
    {"D8:D10", kCentre},     {"E8:E10", kCentre},    {"D12:D13", kCentre}, {"D16:D17", kCentre},
    {"I5", kOneDecimal},     {"I9", kEuro1},         {"I6", kWhole},       {"I13", kWhole},
    {"I4:I9", kCentre},      {"I11:I13", kCentre},   {"M6", kEuro1},       {"M8:M10", kWhole},
    {"M12:M13", kWhole},     {"M15:N17", kWhole},    {"M19:N22", kWhole},  {"M24:M28", kWhole},
    {"M6", kCentre},         {"M8:M10", kCentre},    {"M12:M13", kCentre}, {"M14:N17", kCentre},
    {"M18:N22", kCentre},    {"M24:M28", kCentre},   {"R5:R7", kWhole},    {"R8", kEuro0},
    {"R9", kWhole},          {"R5:R9", kCentre},     {"R13:R20", kWhole},  {"R22:S24", kWhole},
    {"R26:R27", kWhole},     {"R29:R31", kWhole},    {"R33:R34", kWhole},  {"R35", kTwoDecimals},
    {"R36", kTwoDecimals},   {"R37", kWhole},        {"R13:S39", kCentre}, {"D30:D35", kEuro3},
    {"D30:D35", kCentre},
};

// The formulas as the program has always written them: Italian function names, commas
// between arguments. The workbook layer stores their invariant form in the file.
constexpr CellText kFormulas[] = {
    {"D30", "=SE(D14=0,0,D6/D14)"},
    {"D31", "=SE(I13=0,0,((E8/1000)*(E9/1000)*I9*I13)/D14)"},
    {"D32", "=SE(M28=0,0,M6/M28)"},
    {"D33", "=SE(R9=0,0,R8/R9)"},
    {"D35", "=SOMMA(D30:D33)"},
    {"M27", "=(R13/1000*D14*M17)+(D12*M17)+M12"},
};

// A record field goes to its cell with its own type: text, whole number or floating point.
void Put(Worksheet& s, const char* cell, const std::string& v) { s.Range(cell).Value(v); }
void Put(Worksheet& s, const char* cell, std::int32_t v) { s.Range(cell).Value(v); }
void Put(Worksheet& s, const char* cell, double v) { s.Range(cell).Value(v); }

void ShowError(ui::Application& app, const char* text)
{
    app.MessageDlg(ui::DialogKind::Error, text, {ui::DialogButton::OK});
}

} // namespace

std::string WithWorkbookExtension(const std::string& fileName)
{
    const auto slash = fileName.find_last_of("/\\");
    const std::string base = slash == std::string::npos ? fileName : fileName.substr(slash + 1);
    if (base.empty() || base.find('.') != std::string::npos)
        return fileName;
    return fileName + ".xlsx";
}

// ---- the eight steps ----------------------------------------------------------------------

void WriteLabels(Worksheet sheet)
{
    for (const CellText& l : kLabels)
        sheet.Range(l.cell).Value(l.text);
}

void SetFonts(Worksheet sheet)
{
    for (const StyledCell& c : kFonts) {
        auto range = sheet.Range(c.cell);
        auto font = range.Font();
        font.Name("Arial");
        font.Size(c.style->size);
        font.Bold(c.style->bold);
        font.Color(c.style->color);
        range.HorizontalAlignment(c.style->alignment);
    }
}

void SetFills(Worksheet sheet)
{
    for (const Fill& f : kFills)
        sheet.Range(f.range).Interior().ColorIndex(f.colorIndex);
}

void SetColumnWidths(Worksheet sheet)
{
    const auto columns = sheet.Columns();
    int column = 1;
    for (int width : kColumnWidths)
        columns.Columns(column++).ColumnWidth(width);
}

void DrawBorders(Worksheet sheet)
{
    for (const char* address : kBorderedRanges) {
        auto range = sheet.Range(address);
        const auto borders = range.Borders();
        for (int line : kBorderLines)
            borders.Item(line).Weight(spreadsheet::xlThin);
        range.BorderAround(spreadsheet::xlContinuous, spreadsheet::xlThin, kFillBlack);
    }
}

void SetNumberFormats(Worksheet sheet)
{
    for (const Format& f : kFormats) {
        auto range = sheet.Range(f.range);
        if (f.numberFormat)
            range.NumberFormat(f.numberFormat);
        else
            range.HorizontalAlignment(spreadsheet::xlCenter);
    }
}

void WriteValues(Worksheet s, const ReportSources& sources)
{
    const data::AnalysisState& r = sources.records;

    const auto& c = r.ExcelContenitore;
    Put(s, "B4", c.Famiglia);
    Put(s, "B5", c.Contenitore);
    Put(s, "D6", c.Costo);
    Put(s, "D8", c.LarghezzaEsterna);
    Put(s, "D9", c.LunghezzaEsterna);
    Put(s, "D10", c.AltezzaEsterna);
    Put(s, "E8", c.LarghezzaUtile);
    Put(s, "E9", c.LunghezzaUtile);
    Put(s, "E10", c.AltezzaUtile);
    Put(s, "D12", c.Tara);
    Put(s, "D13", c.PortataMax);
    Put(s, "D14", c.PezziContenitore);
    Put(s, "D16", c.ContenitoriImpilati);
    Put(s, "D17", c.ContenitoriStivati);

    // The separators show only when they are considered now, whatever the record holds.
    const auto& t = r.ExcelTramezzi;
    if (sources.tramezziConsiderati) {
        Put(s, "I4", t.Considerare);
        Put(s, "I5", t.Spessore);
        Put(s, "I6", t.Grammatura);
        Put(s, "G7", t.Famiglia);
        Put(s, "G8", t.Tipo);
        Put(s, "I9", t.Costo);
        Put(s, "I11", t.Fondo);
        Put(s, "I12", t.Testa);
        Put(s, "I13", t.NumeroTramezzi);
    } else {
        Put(s, "I4", std::string("No"));
    }

    const auto& p = r.ExcelPallet;
    Put(s, "K4", p.Famiglia);
    Put(s, "K5", p.Pallet);
    Put(s, "M6", p.Costo);
    Put(s, "M8", p.Larghezza);
    Put(s, "M9", p.Lunghezza);
    Put(s, "M10", p.Altezza);
    Put(s, "M12", p.Tara);
    Put(s, "M13", p.PortataMax);
    Put(s, "M15", p.ImballoPallet1Imballo);
    Put(s, "N15", p.ImballoPallet1Pallet);
    Put(s, "M16", p.ImballoPallet2Imballo);
    Put(s, "N16", p.ImballoPallet2Pallet);
    Put(s, "M17", p.ColliPallet);
    Put(s, "M19", p.PalletMezzo1Pallet);
    Put(s, "N19", p.PalletMezzo1Mezzo);
    Put(s, "M20", p.PalletMezzo2Pallet);
    Put(s, "N20", p.PalletMezzo2Mezzo);
    Put(s, "M21", p.PalletImpilati);
    Put(s, "M22", p.PalletStiva);
    Put(s, "M24", p.ColliPiano);
    Put(s, "M25", p.NumeroPiani);
    Put(s, "M26", p.AltezzaPallet);
    Put(s, "M28", p.PezziPallet);

    const auto& m = r.ExcelMezzo;
    Put(s, "P4", m.Descrizione);
    Put(s, "R5", m.Larghezza);
    Put(s, "R6", m.Lunghezza);
    Put(s, "R7", m.Altezza);
    Put(s, "R8", m.CostoTrasporto);
    Put(s, "R9", m.TotalePezzi);

    const auto& k = r.ExcelComponente;
    Put(s, "R13", k.Peso);
    Put(s, "R14", k.Larghezza);
    Put(s, "R15", k.Lunghezza);
    Put(s, "R16", k.Altezza);
    Put(s, "R18", k.CompenetraLarghezza);
    Put(s, "R19", k.CompenetraLunghezza);
    Put(s, "R20", k.CompenetraAltezza);
    Put(s, "R22", k.PezzoA);
    Put(s, "S22", k.ContenitoreA);
    Put(s, "R23", k.PezzoB);
    Put(s, "S23", k.ContenitoreB);
    Put(s, "R24", k.PezzoH);
    Put(s, "S24", k.ContenitoreH);
    Put(s, "R26", k.PezziPianta);
    Put(s, "R27", k.PezziUltimoStrato);
    Put(s, "R29", k.SpazioLiberoLarghezza);
    Put(s, "R30", k.SpazioLiberoLunghezza);
    Put(s, "R31", k.SpazioLiberoAltezza);
    Put(s, "R33", k.PezziStrato);
    Put(s, "R34", k.NumeroStrati);
    Put(s, "R35", k.CaricoDistribuito);
    Put(s, "R36", k.PesoNetto);
    Put(s, "R37", k.PesoLordo);
}

void WriteFormulas(Worksheet sheet)
{
    for (const CellText& f : kFormulas)
        sheet.Range(f.cell, f.cell).Formula(f.text);
    sheet.Calculate();
}

void RunStep(int k, Worksheet sheet, const ReportSources& sources)
{
    switch (k) {
    case 1: WriteLabels(sheet); break;
    case 2: SetFonts(sheet); break;
    case 3: SetFills(sheet); break;
    case 4: SetColumnWidths(sheet); break;
    case 5: DrawBorders(sheet); break;
    case 6: SetNumberFormats(sheet); break;
    case 7: WriteValues(sheet, sources); break;
    case 8: WriteFormulas(sheet); break;
    default: break;
    }
}

// ---- the export ---------------------------------------------------------------------------

ExcelExport::ExcelExport(ui::Application& app, const data::AnalysisState& records,
                         TProgress& progress)
    : Factory(spreadsheet::DefaultApplicationFactory(
          [&app](const std::string& path) { app.GetHost().OpenUrl(path); })),
      app_(app), records_(records), progress_(progress)
{
}

bool ExcelExport::TramezziConsiderati() const { return rgTramezzi && rgTramezzi->ItemIndex() == 1; }

void ExcelExport::EsportaExcel(const std::string& NomeFile)
{
    // 1. The application; the previous one stays ours until a new one is running.
    try {
        ExcelApp = spreadsheet::CreateApplication(Factory);
    } catch (const spreadsheet::ApplicationUnavailable&) {
        ShowError(app_, "EXCEL non è presente sul Computer.\rImpossibile esportare i dati!");
        return;
    }

    // 2. One workbook with the one sheet. The closing calls after a failure are not
    // guarded: whatever they raise is reported like any other error.
    try {
        ExcelApp->Workbooks().Add(spreadsheet::xlWBATWorksheet);
        ExcelApp->Workbooks(1).WorkSheets(1).Name(kNomeFoglio);
    } catch (const std::exception&) {
        ShowError(app_, "Errore nella gestione di EXCEL.\rImpossibile inizializzare la Sessione!");
        ExcelApp->WorkBooks(1).Close();
        ExcelApp->Quit();
        return;
    }

    // 3.-5. The eight steps under the progress window, each skipped once a stop is confirmed.
    NumeroPassi = static_cast<int>(kStepCaptions.size());
    progress_.Avvia("CREAZIONE REPORT in EXCEL", NumeroPassi);
    const ReportSources sources{records_, TramezziConsiderati()};
    try {
        for (int k = 1; k <= NumeroPassi; ++k) {
            if (progress_.ProcessoInterrotto)
                continue;
            RunStep(k, ExcelApp->Workbooks(1).WorkSheets(kNomeFoglio), sources);
            progress_.Avanza(1);
            progress_.lvAvanzamento.SetChecked(k - 1, true);
        }
    } catch (...) {
        // The user gets the main window back before reading what went wrong; the half-built
        // workbook was never saved and goes with its application.
        progress_.Chiudi();
        ExcelApp->Quit();
        throw;
    }
    progress_.Chiudi();

    // 6. What the sheet looks like on screen and on paper.
    ExcelApp->ActiveWindow().DisplayGridlines(false);
    ExcelApp->ActiveSheet().PageSetup().Zoom(80);

    // 7. Save; a failure is reported and the user still decides what becomes of the sheet.
    bool saved = true;
    try {
        ExcelApp->WorkBooks(1).SaveAs(NomeFile);
    } catch (const std::exception&) {
        saved = false;
        ShowError(app_, "Impossibile salvare il File di EXCEL.\rErrore di scrittura o di inizializzazione!");
    }

    // 8. Open it, or close it. After a failed save the question must not claim the data
    // were saved; Yes then shows the sheet as it stands, unsaved.
    const char* question = saved ? "I dati Riepilogativi sono stati\rsalvati sul Foglio di EXCEL.\r"
                                   "Desideri aprire il File?"
                                 : "I dati Riepilogativi non sono stati\rsalvati sul Foglio di EXCEL.\r"
                                   "Desideri aprire il File?";
    if (app_.MessageDlg(ui::DialogKind::Confirmation, question,
                        {ui::DialogButton::Yes, ui::DialogButton::No}) == ui::DialogButton::Yes) {
        ExcelApp->Visible(true);
    } else if (ExcelApp) {
        ExcelApp->WorkBooks(1).Close();
        ExcelApp->Quit();
    }
}

} // namespace velcaro::report
