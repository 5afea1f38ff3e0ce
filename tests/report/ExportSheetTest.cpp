// The sheet "Riepilogo Imballo" as an independent reader finds it in the saved file: every
// label, value, font, fill, border, column width, number format and formula, for a filled
// analysis, for empty records, without separators, and for exports stopped part way.
#include "ExportFixture.h"
#include "ReadBack.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

namespace velcaro::report::testing {
namespace {

const std::string kSheet = "Riepilogo Imballo!";

std::string Key(const std::string& cell, const std::string& what) { return kSheet + cell + "." + what; }

double Number(const std::string& typed)
{
    if (typed.rfind("n:", 0) != 0)
        return std::nan("");
    return std::strtod(typed.c_str() + 2, nullptr);
}

// Cells of "B4:C6" (or of a single cell), row by row.
std::vector<std::string> CellsOf(const std::string& range)
{
    auto split = [](const std::string& a) {
        size_t i = 0;
        while (i < a.size() && std::isalpha(static_cast<unsigned char>(a[i])))
            ++i;
        return std::pair<char, int>{a[0], std::stoi(a.substr(i))};
    };
    const auto colon = range.find(':');
    const auto [c1, r1] = split(range.substr(0, colon));
    const auto [c2, r2] = colon == std::string::npos ? split(range) : split(range.substr(colon + 1));
    std::vector<std::string> cells;
    for (int r = r1; r <= r2; ++r)
        for (char c = c1; c <= c2; ++c)
            cells.push_back(std::string(1, c) + std::to_string(r));
    return cells;
}

// The labels nothing writes over (cell, text).
const std::vector<std::pair<std::string, std::string>> kFixedLabels = {
    {"B2", "CONTENITORE"}, {"B3", "Tipo Contenitore"}, {"B6", "COSTO di ACQUISTO"},
    {"B7", "Dimensioni Contenitore"}, {"D7", "Esterne"}, {"E7", "Utili"},
    {"B8", "Larghezza [mm]"}, {"B9", "Lunghezza [mm]"}, {"B10", "Altezza [mm]"},
    {"B11", "Portata Contenitore"}, {"B12", "Tara [Kg]"}, {"B13", "P.ta max [Kg]"},
    {"B14", "N° di Pezzi in Contenitore"}, {"B15", "Colli"}, {"B16", "N° di Contenitori IMPILATI"},
    {"B17", "N° di Contenitori STIVATI"},
    {"G2", "TRAMEZZI"}, {"G3", "Caratteristiche Tramezzi"}, {"G4", "Considerare"},
    {"G5", "Spessore [mm]"}, {"G6", "Grammatura [gr/m²]"}, {"G9", "COSTO [€/m²]"},
    {"G10", "Dislocazione Tramezzi"}, {"G11", "Fondo"}, {"G12", "Testa"},
    {"G13", "N° TRAMEZZI in Contenitore"},
    {"K2", "PALLET"}, {"K3", "Tipo Pallet"}, {"K6", "COSTO di ACQUISTO"}, {"K7", "Dimensioni Pallet"},
    {"K8", "Larghezza [mm]"}, {"K9", "Lunghezza [mm]"}, {"K10", "Altezza [mm]"},
    {"K11", "Portata Pallet"}, {"K12", "Tara [Kg]"}, {"K13", "P.ta max [Kg]"},
    {"K14", "Dislocazione nel Pallet"}, {"M14", "Colli"}, {"N14", "Pallet"},
    {"K15", "1° COLLO / PALLET [mm]"}, {"K16", "2° COLLO / PALLET [mm]"}, {"K17", "N° COLLI / PALLET"},
    {"K18", "Dislocazione nel Mezzo"}, {"M18", "Pallet"}, {"N18", "Stiva"},
    {"K19", "1° PALLET / STIVA [mm]"}, {"K20", "2° PALLET / STIVA [mm]"},
    {"K21", "N° di PALLET Impilati"}, {"K22", "N° PALLET / STIVA"}, {"K23", "Dislocazione Contenitori"},
    {"K24", "N° Colli / Piano"}, {"K25", "N° di Piani"}, {"K26", "Altezza Pallet"},
    {"K27", "Peso del Pallet [Kg]"}, {"K28", "N° PEZZI / PALLET"},
    {"P2", "MEZZO di TRASPORTO"}, {"P3", "MEZZO di TRASPORTO"}, {"P5", "Larghezza [mm]"},
    {"P6", "Lunghezza [mm]"}, {"P7", "Altezza [mm]"}, {"P8", "COSTO TRASPORTO"},
    {"P9", "TATALE PEZZI TRASPORT."},
    {"P11", "COMPONENTE"}, {"P12", "Dimensioni del Pezzo"}, {"P13", "Peso Manufatto [gr]"},
    {"P14", "Larghezza [mm]"}, {"P15", "Lunghezza [mm]"}, {"P16", "Altezza [mm]"},
    {"P17", "Compenetra in..."}, {"P18", "LARGHEZZA [mm]"}, {"P19", "LUNGHEZZA [mm]"},
    {"P20", "ALTEZZA [mm]"}, {"P21", "Dislocazione ORDINATA"}, {"R21", "Pezzo"}, {"S21", "Contenit."},
    {"P22", "LARGHEZZA [mm]"}, {"P23", "LUNGHEZZA [mm]"}, {"P24", "ALTEZZA [mm]"},
    {"P25", "Dislocazione CASUALE"}, {"R25", "Q.tà"}, {"P26", "TOT. Pezzi in PIANTA"},
    {"P27", "TOT. Pezzi ULTIMO STRATO"}, {"P28", "Spazio Libero nel Contenitore"},
    {"P29", "LARGHEZZA [mm]"}, {"P30", "LUNGHEZZA [mm]"}, {"P31", "ALTEZZA [mm]"},
    {"P32", "Conformazione Imballo"}, {"P33", "Pezzi / Strato"}, {"P34", "N° di Strati"},
    {"P35", "Carico Distribuito [Kg/m²]"}, {"P36", "Peso Netto [Kg]"}, {"P37", "Peso Lordo [Kg]"},
    {"B29", "COSTI"}, {"B30", "CONTENITORE"}, {"B31", "TRAMEZZI"}, {"B32", "PALLET"},
    {"B33", "TRASPORTO"},
};

// The labels a value replaces (cell, label).
const std::vector<std::pair<std::string, std::string>> kReplacedLabels = {
    {"B4", "Famiglia..."}, {"B5", "Contenitore..."}, {"K4", "Famiglia..."}, {"K5", "Pallet..."},
    {"P4", "TIPO di MEZZO"}, {"G7", "Famiglia"}, {"G8", "Tipo"}};

// The values of FilledRecords(), cell by cell, as the reader types them.
const std::vector<std::pair<std::string, std::string>> kFilledValues = {
    {"B4", "s:CASSA di LEGNO"}, {"B5", "s:Cassa 1200x800"}, {"D6", "n:50.5"}, {"D8", "n:800.0"},
    {"D9", "n:1200.0"}, {"D10", "n:600.0"}, {"E8", "n:760.0"}, {"E9", "n:1160.0"}, {"E10", "n:560.0"},
    {"D12", "n:25.0"}, {"D13", "n:400.0"}, {"D14", "n:20.0"}, {"D16", "n:0.0"}, {"D17", "n:0.0"},
    {"I4", "s:Si"}, {"I5", "n:4.0"}, {"I6", "n:450.0"}, {"G7", "s:ONDA B"},
    {"G8", "s:Cartone onda B 4 mm"}, {"I9", "n:0.85"}, {"I11", "s:Si"}, {"I12", "s:No"}, {"I13", "n:3.0"},
    {"K4", "s:PALLET LEGNO"}, {"K5", "s:EUR 1200x800"}, {"M6", "n:12.0"}, {"M8", "n:800.0"},
    {"M9", "n:1200.0"}, {"M10", "n:144.0"}, {"M12", "n:25.0"}, {"M13", "n:1500.0"},
    {"M15", "n:1200.0"}, {"N15", "n:1200.0"}, {"M16", "n:800.0"}, {"N16", "n:800.0"}, {"M17", "n:2.0"},
    {"M19", "n:1200.0"}, {"N19", "n:13600.0"}, {"M20", "n:800.0"}, {"N20", "n:2450.0"},
    {"M21", "n:1.0"}, {"M22", "n:33.0"}, {"M24", "n:1.0"}, {"M25", "n:2.0"}, {"M26", "n:1344.0"},
    {"M28", "n:40.0"},
    {"P4", "s:Semirimorchio telonato 13,6 m"}, {"R5", "n:2450.0"}, {"R6", "n:13600.0"},
    {"R7", "n:2700.0"}, {"R8", "n:1200.0"}, {"R9", "n:1320.0"},
    {"R13", "n:850.0"}, {"R14", "n:180.0"}, {"R15", "n:260.0"}, {"R16", "n:120.0"}, {"R18", "n:0.0"},
    {"R19", "n:0.0"}, {"R20", "n:5.0"}, {"R22", "n:260.0"}, {"S22", "n:1160.0"}, {"R23", "n:180.0"},
    {"S23", "n:760.0"}, {"R24", "n:120.0"}, {"S24", "n:560.0"}, {"R26", "n:2.0"}, {"R27", "n:0.0"},
    {"R29", "n:60.0"}, {"R30", "n:40.0"}, {"R31", "n:80.0"}, {"R33", "n:10.0"}, {"R34", "n:2.0"},
    {"R35", "n:19.38"}, {"R36", "n:17.25"}, {"R37", "n:42.0"},
};

// The formulas in the file's invariant form.
const std::vector<std::pair<std::string, std::string>> kFormulas = {
    {"D30", "s:=IF(D14=0,0,D6/D14)"},
    {"D31", "s:=IF(I13=0,0,((E8/1000)*(E9/1000)*I9*I13)/D14)"},
    {"D32", "s:=IF(M28=0,0,M6/M28)"},
    {"D33", "s:=IF(R9=0,0,R8/R9)"},
    {"D35", "s:=SUM(D30:D33)"},
    {"M27", "s:=(R13/1000*D14*M17)+(D12*M17)+M12"},
};

// Font styles: name|size|bold, colour, alignment.
struct Look {
    const char* font;
    const char* color;
    const char* align;
};
const Look kTitle{"Arial|12.0|True", "FFFFFFFF", "center"};
const Look kHeading{"Arial|10.0|False", "FFFF0000", "left"};
const Look kColumnHead{"Arial|10.0|False", "FFFF0000", "center"};
const Look kKeyLabel{"Arial|10.0|True", "FF000000", "center"};
const Look kKeyValue{"Arial|10.0|True", "FFFFFFFF", "center"};

const std::vector<std::pair<std::string, const Look*>> kStyled = {
    {"B2", &kTitle}, {"B3", &kHeading}, {"B6", &kKeyLabel}, {"D6", &kKeyValue}, {"D14", &kKeyValue},
    {"B7", &kHeading}, {"D7", &kColumnHead}, {"E7", &kColumnHead}, {"B11", &kHeading},
    {"B15", &kHeading}, {"G2", &kTitle}, {"G3", &kHeading}, {"G9", &kKeyLabel}, {"I9", &kKeyValue},
    {"G10", &kHeading}, {"I13", &kKeyValue}, {"K2", &kTitle}, {"K3", &kHeading}, {"K6", &kKeyLabel},
    {"M6", &kKeyValue}, {"K7", &kHeading}, {"K11", &kHeading}, {"K14", &kHeading},
    {"M14", &kColumnHead}, {"N14", &kColumnHead}, {"K18", &kHeading}, {"M18", &kHeading},
    {"N18", &kHeading}, {"K23", &kHeading}, {"M28", &kKeyValue}, {"P2", &kTitle}, {"P3", &kHeading},
    {"P8", &kKeyLabel}, {"R8", &kKeyValue}, {"R9", &kKeyValue}, {"P11", &kTitle}, {"P12", &kHeading},
    {"P17", &kHeading}, {"P21", &kHeading}, {"R21", &kColumnHead}, {"S21", &kColumnHead},
    {"P25", &kHeading}, {"R25", &kColumnHead}, {"P28", &kHeading}, {"P32", &kHeading},
    {"B29", &kTitle}, {"D35", &kKeyValue},
};

// Fills as the file carries them: solid, palette colour in RGB.
const std::vector<std::pair<std::string, std::string>> kFills = {
    {"B2", "FF000000"}, {"B4:B6", "FFC0C0C0"}, {"B8:B10", "FFC0C0C0"}, {"B12:B14", "FFC0C0C0"},
    {"B16:B17", "FFC0C0C0"}, {"D6", "FF008000"}, {"D14", "FF008000"}, {"G2", "FF000000"},
    {"G4:G9", "FFC0C0C0"}, {"G11:G13", "FFC0C0C0"}, {"I9", "FF008000"}, {"I13", "FF008000"},
    {"K2", "FF000000"}, {"K4:K6", "FFC0C0C0"}, {"K8:K10", "FFC0C0C0"}, {"K12:K13", "FFC0C0C0"},
    {"K15:K17", "FFC0C0C0"}, {"K19:K22", "FFC0C0C0"}, {"K24:K28", "FFC0C0C0"}, {"M6", "FF008000"},
    {"M28", "FF008000"}, {"P2", "FF000000"}, {"P4:P9", "FFC0C0C0"}, {"R8", "FF008000"},
    {"R9", "FF008000"}, {"P11", "FF0000FF"}, {"P13:P16", "FFC0C0C0"}, {"P18:P20", "FFC0C0C0"},
    {"P22:P24", "FFC0C0C0"}, {"P26:P27", "FFC0C0C0"}, {"P29:P31", "FFC0C0C0"},
    {"P33:P37", "FFC0C0C0"}, {"B29", "FF800000"}, {"B30:B33", "FFC0C0C0"}, {"D35", "FF800000"},
};

const char* const kBordered[] = {"D8:D10", "E8:E10", "D12:D13", "D16:D17", "I4:I6", "I11:I12",
                                 "M8:M10", "M12:M13", "M15:M16", "N15:N16", "M17:M17", "M19:N20",
                                 "M21:M22", "M24:M27", "R5:R7", "R13:R16", "R18:R20", "R22:S24",
                                 "R26:R27", "R29:R31", "R33:R37", "D30:D33"};

// Number formats, the last one set on each cell winning, in the file's invariant form.
const std::vector<std::pair<std::string, std::string>> kFormats = {
    {"D6", "€ #,##0.0"}, {"D8:E10", "#,###"}, {"D12:D14", "#,###"}, {"D16:D17", "#,###"},
    {"I5", "#,##0.0"}, {"I9", "€ #,##0.0"}, {"I6", "#,###"}, {"I13", "#,###"}, {"M6", "€ #,##0.0"},
    {"M8:M10", "#,###"}, {"M12:M13", "#,###"}, {"M15:N17", "#,###"}, {"M19:N22", "#,###"},
    {"M24:M28", "#,###"}, {"R5:R7", "#,###"}, {"R8", "€ #,###"}, {"R9", "#,###"},
    {"R13:R20", "#,###"}, {"R22:S24", "#,###"}, {"R26:R27", "#,###"}, {"R29:R31", "#,###"},
    {"R33:R34", "#,###"}, {"R35", "#,##0.00"}, {"R36", "#,##0.00"}, {"R37", "#,###"},
    {"D30:D35", "€ #,##0.000"},
};

// Centred by the formats step (on top of the centred styles).
const char* const kCentred[] = {"D8:D10", "E8:E10", "D12:D13", "D16:D17", "I4:I9", "I11:I13",
                                "M6", "M8:M10", "M12:M13", "M14:N17", "M18:N22", "M24:M28",
                                "R5:R9", "R13:S39", "D30:D35"};

const double kWidths[] = {2, 27, 1, 10, 10, 1, 25, 1, 10, 1, 25, 1, 10, 10, 1, 25, 1, 10, 10};

class ExportSheet : public ::testing::Test, public ExportFixture {
protected:
    void SetUp() override
    {
        if (!ReaderAvailable())
            GTEST_SKIP() << "python3-openpyxl is not installed: /usr/bin/python3 cannot import openpyxl";
    }

    // Exports to a new file, answering No to the closing question, and reads it back.
    Facts ExportAndRead()
    {
        host.QueueAnswer(ui::DialogButton::No);
        const auto file = folder.path() / "riepilogo.xlsx";
        exporter.EsportaExcel(file.string());
        EXPECT_TRUE(fs::exists(file)) << DialogTexts();
        return ReadBack(file);
    }

    TempFolder folder;
};

TEST_F(ExportSheet, FilledAnalysisShowsEveryLabelValueAndFormula)
{
    ConsiderSeparators(true);
    const Facts f = ExportAndRead();
    EXPECT_EQ(Fact(f, "sheets"), "Riepilogo Imballo");
    for (const auto& [cell, text] : kFixedLabels)
        EXPECT_EQ(Fact(f, Key(cell, "value")), "s:" + text) << cell;
    for (const auto& [cell, value] : kFilledValues)
        EXPECT_EQ(Fact(f, Key(cell, "value")), value) << cell;
    for (const auto& [cell, formula] : kFormulas)
        EXPECT_EQ(Fact(f, Key(cell, "value")), formula) << cell;
    // Nothing else is written anywhere.
    size_t written = 0;
    for (const auto& [key, value] : f)
        if (key.size() > 6 && key.compare(key.size() - 6, 6, ".value") == 0)
            ++written;
    EXPECT_EQ(written, kFixedLabels.size() + kFilledValues.size() + kFormulas.size());
}

TEST_F(ExportSheet, FormulasCarryTheirComputedCosts)
{
    ConsiderSeparators(true);
    const Facts f = ExportAndRead();
    struct Row {
        const char* cell;
        double expected;
    };
    // D6/D14; inner width x length in m x cost/m² x separators / pieces; M6/M28; R8/R9; sum;
    // piece kg x pieces x cases per pallet + tare x cases + pallet tare.
    const double d31 = 0.76 * 1.16 * 0.85 * 3 / 20;
    const Row rows[] = {{"D30", 50.5 / 20},
                        {"D31", d31},
                        {"D32", 12.0 / 40},
                        {"D33", 1200.0 / 1320},
                        {"D35", 50.5 / 20 + d31 + 12.0 / 40 + 1200.0 / 1320},
                        {"M27", 0.85 * 20 * 2 + 25 * 2 + 25}};
    for (const Row& r : rows)
        EXPECT_NEAR(Number(Fact(f, Key(r.cell, "cached"))), r.expected, 1e-9) << r.cell;
}

TEST_F(ExportSheet, FontsFillsBordersWidthsAndFormats)
{
    ConsiderSeparators(true);
    const Facts f = ExportAndRead();

    std::set<std::string> styled;
    for (const auto& [cell, look] : kStyled) {
        styled.insert(cell);
        EXPECT_EQ(Fact(f, Key(cell, "font")), look->font) << cell;
        EXPECT_EQ(Fact(f, Key(cell, "font.color")), look->color) << cell;
    }
    EXPECT_EQ(styled.size(), 47u);
    // Alignment: the style's, unless the formats step centred the cell afterwards.
    std::set<std::string> centred;
    for (const char* r : kCentred)
        for (const auto& c : CellsOf(r))
            centred.insert(c);
    for (const auto& [cell, look] : kStyled)
        EXPECT_EQ(Fact(f, Key(cell, "align")), centred.count(cell) ? "center" : look->align) << cell;
    for (const auto& c : centred)
        EXPECT_EQ(Fact(f, Key(c, "align")), "center") << c;

    std::set<std::string> filled;
    for (const auto& [range, rgb] : kFills)
        for (const auto& c : CellsOf(range)) {
            filled.insert(c);
            EXPECT_EQ(Fact(f, Key(c, "fill")), "solid|" + rgb) << c;
        }

    std::set<std::string> bordered;
    for (const char* r : kBordered)
        for (const auto& c : CellsOf(r)) {
            bordered.insert(c);
            for (const char* side : {"left", "right", "top", "bottom"})
                EXPECT_EQ(Fact(f, Key(c, std::string("border.") + side)), "thin") << c << " " << side;
        }

    std::map<std::string, std::string> formats;
    for (const auto& [range, format] : kFormats)
        for (const auto& c : CellsOf(range))
            formats[c] = format;
    for (const auto& [cell, format] : formats)
        EXPECT_EQ(Fact(f, Key(cell, "format")), format) << cell;

    // No look lands outside the cells meant for it.
    for (const auto& [key, value] : f) {
        if (key.rfind(kSheet, 0) != 0)
            continue;
        const auto dot = key.find('.', kSheet.size());
        if (dot == std::string::npos)
            continue;
        const std::string cell = key.substr(kSheet.size(), dot - kSheet.size());
        const std::string what = key.substr(dot + 1);
        if (what == "fill") {
            EXPECT_TRUE(filled.count(cell)) << key;
        } else if (what.rfind("border.", 0) == 0) {
            EXPECT_TRUE(bordered.count(cell)) << key;
        } else if (what == "format") {
            EXPECT_TRUE(formats.count(cell)) << key << " " << value;
        } else if (what == "font" && value.rfind("Arial", 0) == 0) {
            EXPECT_TRUE(styled.count(cell)) << key;
        }
    }

    for (int i = 0; i < 19; ++i) {
        const std::string col(1, static_cast<char>('A' + i));
        EXPECT_NEAR(Number(Fact(f, kSheet + col + ".width")), kWidths[i], 0.72) << col;
    }
    EXPECT_EQ(Fact(f, kSheet + "gridlines"), "False");
    EXPECT_EQ(Fact(f, kSheet + "print_scale"), "80");
}

TEST_F(ExportSheet, EmptyRecordsGiveEmptyTextsAndZeros)
{
    records = data::AnalysisState{};
    ConsiderSeparators(true);
    const Facts f = ExportAndRead();
    // The empty texts took the labels' place.
    for (const char* cell : {"B4", "B5", "K4", "K5", "P4", "G7", "G8", "I4", "I11", "I12"})
        EXPECT_EQ(Fact(f, Key(cell, "value")), "(none)") << cell;
    for (const auto& [cell, value] : kFilledValues) {
        if (value.rfind("n:", 0) == 0) {
            EXPECT_EQ(Fact(f, Key(cell, "value")), "n:0.0") << cell;
        }
    }
    for (const char* cell : {"D30", "D31", "D32", "D33", "D35", "M27"})
        EXPECT_EQ(Fact(f, Key(cell, "cached")), "n:0.0") << cell;
}

TEST_F(ExportSheet, SeparatorsNotConsideredShowNoAndTheBareLabels)
{
    ConsiderSeparators(false); // the record still holds an analysis with separators
    const Facts f = ExportAndRead();
    EXPECT_EQ(Fact(f, Key("I4", "value")), "s:No");
    EXPECT_EQ(Fact(f, Key("G7", "value")), "s:Famiglia");
    EXPECT_EQ(Fact(f, Key("G8", "value")), "s:Tipo");
    for (const char* cell : {"I5", "I6", "I9", "I11", "I12", "I13"})
        EXPECT_EQ(Fact(f, Key(cell, "value")), "(none)") << cell;
    EXPECT_EQ(Fact(f, Key("D31", "cached")), "n:0.0");
    EXPECT_NEAR(Number(Fact(f, Key("D35", "cached"))), 50.5 / 20 + 12.0 / 40 + 1200.0 / 1320, 1e-9);
}

TEST_F(ExportSheet, SeparatorsWithoutPiecesGiveTheDivisionError)
{
    records.ExcelContenitore.PezziContenitore = 0;
    ConsiderSeparators(true);
    const Facts f = ExportAndRead();
    EXPECT_EQ(Fact(f, Key("D30", "cached")), "n:0.0"); // guarded by its own test
    EXPECT_EQ(Fact(f, Key("D31", "cached")), "s:#DIV/0!");
    EXPECT_EQ(Fact(f, Key("D35", "cached")), "s:#DIV/0!");
}

TEST_F(ExportSheet, StopAfterTheLabelsLeavesOnlyTheLabels)
{
    ConsiderSeparators(true);
    host.stopAt = ui::ScriptedHost::StopAt{1, ui::DialogButton::Yes};
    const Facts f = ExportAndRead();
    EXPECT_TRUE(progress.ProcessoInterrotto);
    EXPECT_EQ(Fact(f, Key("B4", "value")), "s:Famiglia...");
    EXPECT_EQ(Fact(f, Key("G7", "value")), "s:Famiglia");
    EXPECT_EQ(Fact(f, Key("D6", "value")), "(none)");
    EXPECT_EQ(Fact(f, Key("B2", "font")), "(none)");
    EXPECT_EQ(Fact(f, Key("B2", "fill")), "(none)");
    EXPECT_EQ(Fact(f, Key("D8", "border.top")), "(none)");
    EXPECT_EQ(Fact(f, Key("D6", "format")), "(none)");
    EXPECT_EQ(Fact(f, kSheet + "B.width"), "(none)");
    // Grid lines and print zoom are still set, and the question still says "saved".
    EXPECT_EQ(Fact(f, kSheet + "gridlines"), "False");
    EXPECT_EQ(Fact(f, kSheet + "print_scale"), "80");
    EXPECT_EQ(DialogTexts(), "Interrompere il processo? / I dati Riepilogativi sono stati\r"
                             "salvati sul Foglio di EXCEL.\rDesideri aprire il File?");
}

TEST_F(ExportSheet, StopAfterTheValuesLeavesNoFormula)
{
    ConsiderSeparators(true);
    host.stopAt = ui::ScriptedHost::StopAt{7, ui::DialogButton::Yes};
    const Facts f = ExportAndRead();
    for (const char* cell : {"D30", "D31", "D32", "D33", "D35", "M27"})
        EXPECT_EQ(Fact(f, Key(cell, "value")), "(none)") << cell;
    EXPECT_EQ(Fact(f, Key("D14", "value")), "n:20.0");
    EXPECT_EQ(Fact(f, Key("D30", "format")), "€ #,##0.000");
    EXPECT_EQ(Fact(f, Key("D35", "fill")), "solid|FF800000");
}

} // namespace
} // namespace velcaro::report::testing
