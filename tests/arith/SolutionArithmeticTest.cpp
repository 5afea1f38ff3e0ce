#include "quantities/SolutionArithmetic.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace velcaro::quantities {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr double kTol = 1e-9;

const ImpostazioniTramezzi kSenza{false, false, false};
const ImpostazioniTramezzi kSenzaMaSpuntati{false, true, true};
const ImpostazioniTramezzi kNessunEstremo{true, false, false};
const ImpostazioniTramezzi kFondo{true, true, false};
const ImpostazioniTramezzi kTesta{true, false, true};
const ImpostazioniTramezzi kEntrambi{true, true, true};

template <typename Row> std::string Name(const ::testing::TestParamInfo<Row>& info) {
    return info.param.fault;
}

// --- Space left over ---

struct SpaceRow {
    const char* fault;
    std::int32_t P, C, S, c, n;
    ImpostazioniTramezzi t;
    std::int32_t expected;
};

const SpaceRow kSpaces[] = {
    {"ThreePiecesAlongA", 190, 600, 0, 0, 3, kSenza, 30},
    {"PlanAxisUnaffectedBySeparatorSettings", 190, 600, 0, 0, 3, kEntrambi, 30},
    {"InterpenetrationShortensEachFurtherPiece", 190, 600, 0, 40, 3, kSenza, 110},
    {"LayersWithSheetsAndBothEndSheets", 120, 400, 3, 0, 3, kEntrambi, 28},
    {"TopSheetOnly", 120, 400, 3, 0, 3, kTesta, 31},
    {"NoEndSheetsStillOneSheetPerLayer", 120, 400, 3, 0, 3, kNessunEstremo, 34},
    {"ThicknessIgnoredWithoutSeparators", 120, 400, 3, 0, 3, kSenza, 40},
    {"EndBoxesIgnoredWithoutSeparators", 120, 400, 3, 0, 3, kSenzaMaSpuntati, 40},
    {"OneLayerLessLeavesOnePitchMore", 120, 400, 3, 0, 2, kEntrambi, 151},
    {"PiecesThatDoNotFitLeaveANegativeSpace", 190, 300, 0, 0, 2, kSenza, -80},
};

class SpazioAvanzatoTable : public ::testing::TestWithParam<SpaceRow> {};

TEST_P(SpazioAvanzatoTable, LeftOver) {
    const SpaceRow& r = GetParam();
    EXPECT_EQ(CalcolaSpazioAvanzato(r.P, r.C, r.S, r.c, r.n, r.t), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SpazioAvanzatoTable, ::testing::ValuesIn(kSpaces), Name<SpaceRow>);

TEST(CalcolaSpazioAvanzato, OverflowIsReportedNotWrapped) {
    EXPECT_THROW(CalcolaSpazioAvanzato(kMax, 0, 0, 0, 3, kSenza), OverflowError);
}

// --- Net weight ---

struct WeightRow {
    const char* fault;
    std::int32_t D1, D2, w, g, a, b, x, h;
    ModoPeso modo;
    ImpostazioniTramezzi t;
    PesoNetto expected;
};

const WeightRow kWeights[] = {
    {"AllLayersOfPieces", 600, 400, 250, 0, 4, 5, 0, 2, ModoPeso::TuttiGliStrati, kSenza, 100000},
    {"UpperLayersLeaveOutTheFirst", 600, 400, 250, 0, 4, 5, 0, 2, ModoPeso::StratiSuperiori, kSenza,
     50000},
    {"GrammageIgnoredWithoutSeparators", 600, 400, 250, 400, 4, 5, 0, 4, ModoPeso::TuttiGliStrati,
     kSenzaMaSpuntati, 200000},
    {"SheetsBetweenLayersAndTopSheet", 600, 400, 250, 400, 4, 5, 0, 4, ModoPeso::TuttiGliStrati,
     kTesta, 203840},
    {"SheetsBetweenLayersAndBothEndSheets", 600, 400, 250, 400, 4, 5, 0, 4,
     ModoPeso::TuttiGliStrati, kEntrambi, 204800},
    {"UpperLayersCountTheTopSheet", 600, 400, 250, 400, 4, 5, 0, 4, ModoPeso::StratiSuperiori,
     kTesta, 153840},
    {"UpperLayersNeverCountTheBottomSheet", 600, 400, 250, 400, 4, 5, 0, 4,
     ModoPeso::StratiSuperiori, kFondo, 152880},
    {"ExtraPiecesPerLayer", 600, 400, 250, 0, 4, 5, 2, 2, ModoPeso::TuttiGliStrati, kSenza, 110000},
    {"NegativeExtraOfAnUnfilledRowCancelsThePieces", 600, 400, 250, 0, 4, 5, -20, 2,
     ModoPeso::TuttiGliStrati, kSenza, 0},
    {"HalfTenThousandthRoundsDownToEven", 125, 250, 0, 1000, 0, 0, 0, 2, ModoPeso::TuttiGliStrati,
     kNessunEstremo, 312},
    {"HalfTenThousandthRoundsUpToEven", 125, 250, 0, 1000, 0, 0, 0, 4, ModoPeso::TuttiGliStrati,
     kNessunEstremo, 938},
    {"GramsKeptAsTenThousandths", 600, 400, 1, 0, 1, 1, 0, 1, ModoPeso::TuttiGliStrati, kSenza, 10},
    {"WeightBeyondThirtyTwoBitsOfTenThousandths", 600, 400, 1000000, 0, 100, 100, 0, 10,
     ModoPeso::TuttiGliStrati, kSenza, 1000000000000LL},
};

class PesoNettoTable : public ::testing::TestWithParam<WeightRow> {};

TEST_P(PesoNettoTable, TenThousandthsOfAKilogram) {
    const WeightRow& r = GetParam();
    EXPECT_EQ(CalcolaPesoNetto(r.D1, r.D2, r.w, r.g, r.a, r.b, r.x, r.h, r.modo, r.t), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, PesoNettoTable, ::testing::ValuesIn(kWeights), Name<WeightRow>);

TEST(CalcolaPesoNetto, PieceCountPastThirtyTwoBitsIsReported) {
    EXPECT_THROW(
        CalcolaPesoNetto(600, 400, 1, 0, 65536, 65536, 0, 1, ModoPeso::TuttiGliStrati, kSenza),
        OverflowError);
}

TEST(CalcolaPesoNetto, WeightPastSixtyFourBitsIsReported) {
    EXPECT_THROW(CalcolaPesoNetto(kMax, kMax, 0, kMax, 0, 0, 0, kMax, ModoPeso::TuttiGliStrati,
                                  kNessunEstremo),
                 OverflowError);
}

struct LightRow {
    const char* fault;
    PesoNetto peso;
    const char* portata;
    Semaforo expected;
    const char* file;
};

const LightRow kLights[] = {
    {"BelowPayloadIsGreen", 99999, "10", Semaforo::Verde, "Images\\Traffic Light GREEN.ICO"},
    {"ExactlyThePayloadIsRed", 100000, "10", Semaforo::Rosso, "Images\\Traffic Light RED.ICO"},
    {"AbovePayloadIsRed", 100001, "10", Semaforo::Rosso, "Images\\Traffic Light RED.ICO"},
    {"NoPayloadIsYellowWhateverTheWeight", 100000000, "0", Semaforo::Giallo,
     "Images\\Traffic Light JELLOW.ICO"},
    {"NoPayloadIsYellowEvenWithNoWeight", 0, "0", Semaforo::Giallo,
     "Images\\Traffic Light JELLOW.ICO"},
    {"PayloadTextIsTrimmed", 100000, "  1500 ", Semaforo::Verde, "Images\\Traffic Light GREEN.ICO"},
    {"LargestPayloadDoesNotOverflow", 21474836470000LL, "2147483647", Semaforo::Rosso,
     "Images\\Traffic Light RED.ICO"},
};

class SemaforoTable : public ::testing::TestWithParam<LightRow> {};

TEST_P(SemaforoTable, Light) {
    const LightRow& r = GetParam();
    const Semaforo s = SemaforoPortata(r.peso, std::string_view(r.portata));
    EXPECT_EQ(s, r.expected);
    EXPECT_STREQ(FileSemaforo(s), r.file);
}

INSTANTIATE_TEST_SUITE_P(Table, SemaforoTable, ::testing::ValuesIn(kLights), Name<LightRow>);

TEST(SemaforoPortata, PayloadThatIsNotAWholeNumberIsAConversionError) {
    try {
        SemaforoPortata(0, std::string_view("1.500,5"));
        FAIL();
    } catch (const ConversionError& e) {
        EXPECT_STREQ(e.what(), "'1.500,5' is not a valid integer value");
    }
}

// --- Void filling ---

struct FillRow {
    const char* fault;
    std::int32_t dA, dB, PA, PB, CA, CB, cA, cB, h;
    Riempimento expected;
};

const FillRow kFills[] = {
    {"TurnedPieceInStripAlongA", 130, 10, 190, 120, 600, 500, 0, 0, 3, {1, 0, 2, 6}},
    {"StripAlongBWinsOverStripAlongA", 130, 140, 190, 120, 600, 500, 0, 0, 3, {1, 1, 3, 9}},
    {"PieceAsPlacedThenTurnedAlongA", 200, 10, 190, 120, 600, 500, 0, 0, 2, {1, 0, 2, 4}},
    {"StripAlongBTurned", 10, 150, 120, 190, 600, 500, 0, 0, 2, {0, 1, 3, 6}},
    {"NoStripWhenNothingIsLeftOver", 30, 20, 190, 120, 600, 500, 0, 0, 3, {0, 0, 0, 0}},
    {"SpaceEqualToTheSideIsNoStrip", 120, 120, 190, 120, 600, 500, 0, 0, 3, {0, 0, 0, 0}},
    {"InterpenetrationPacksTheStripCloser", 250, 10, 190, 120, 600, 500, 40, 20, 1, {2, 0, 6, 6}},
    {"LaterStripWinsEvenWithNothing", 200, 150, 190, 100, 130, 500, 150, 0, 3, {2, 0, 0, 0}},
    {"NoLayersNoPiecesInAllLayers", 130, 10, 190, 120, 600, 500, 0, 0, 0, {1, 0, 2, 0}},
    {"InterpenetrationNotBelowSideFillsNothing",
     400,
     400,
     190,
     120,
     600,
     500,
     190,
     0,
     3,
     {0, 0, 0, 0}},
};

class RiempimentoTable : public ::testing::TestWithParam<FillRow> {};

TEST_P(RiempimentoTable, Strips) {
    const FillRow& r = GetParam();
    const Riempimento got = CalcolaRiempimento(r.dA, r.dB, r.PA, r.PB, r.CA, r.CB, r.cA, r.cB, r.h);
    EXPECT_EQ(got.quantitaA, r.expected.quantitaA);
    EXPECT_EQ(got.quantitaB, r.expected.quantitaB);
    EXPECT_EQ(got.perStrato, r.expected.perStrato);
    EXPECT_EQ(got.tuttiStrati, r.expected.tuttiStrati);
}

INSTANTIATE_TEST_SUITE_P(Table, RiempimentoTable, ::testing::ValuesIn(kFills), Name<FillRow>);

TEST(CalcolaRiempimento, AllLayersPastThirtyTwoBitsIsReported) {
    EXPECT_THROW(CalcolaRiempimento(130, 10, 190, 120, 600, 500, 0, 0, kMax), OverflowError);
}

// --- Fill percentage ---

struct FillPercentRow {
    const char* fault;
    std::int32_t CA, CB, CH, dA, dB, dH;
    std::int32_t expected;
};

const FillPercentRow kPercents[] = {
    {"ExactHalfRoundsDownToEven", 8, 1, 1, 3, 0, 0, 62},
    {"ExactHalfRoundsUpToEven", 200, 1, 1, 73, 0, 0, 64},
    {"FullContainer", 600, 400, 400, 0, 0, 0, 100},
    {"AllThreeAxesLeaveSpace", 600, 400, 400, 30, 40, 28, 80},
    {"EmptyContainer", 600, 400, 400, 600, 0, 0, 0},
    {"ContainerWithoutVolume", 0, 400, 400, 0, 0, 0, 0},
    {"LargeContainerStaysExact", 2000000, 2000000, 2000000, 750000, 0, 0, 62},
};

class SaturazioneTable : public ::testing::TestWithParam<FillPercentRow> {};

TEST_P(SaturazioneTable, Percentage) {
    const FillPercentRow& r = GetParam();
    EXPECT_EQ(CalcolaSaturazione(r.CA, r.CB, r.CH, r.dA, r.dB, r.dH), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, SaturazioneTable, ::testing::ValuesIn(kPercents),
                         Name<FillPercentRow>);

// --- Calculated fields ---

struct FieldsRow {
    const char* fault;
    std::int32_t CA, CB, qA, qB, qH, q;
    std::optional<std::int32_t> qSat;
    std::int32_t w, g;
    ImpostazioniTramezzi t;
    double carico;
    std::optional<double> caricoSaturo;
    std::optional<std::int32_t> numeroTramezzi;
};

const FieldsRow kFields[] = {
    {"FourLayersTopSheet", 600, 400, 4, 5, 4, 80, {}, 250, 400, kTesta, 64.1, {}, 4},
    {"BottomSheetNotPartOfTheLoad", 600, 400, 4, 5, 4, 80, {}, 250, 400, kEntrambi, 64.1, {}, 5},
    {"SingleLayerCountsItself",
     600,
     400,
     4,
     5,
     1,
     20,
     {},
     250,
     400,
     kTesta,
     20.0 / 0.96 + 0.4,
     {},
     2},
    {"SheetBetweenTwoLayersNotInTheLoad",
     600,
     400,
     4,
     5,
     2,
     40,
     {},
     250,
     400,
     kTesta,
     20.0 / 0.96 + 0.4,
     {},
     2},
    {"NoSeparatorsNoSheetTermAndNoCount",
     600,
     400,
     4,
     5,
     4,
     80,
     {},
     250,
     400,
     kSenzaMaSpuntati,
     62.5,
     {},
     {}},
    {"FilledRowScalesTheLoad", 600, 400, 4, 5, 4, 80, 96, 250, 400, kTesta, 64.1, 1.2 * 64.1, 4},
    {"EmptyFilledQuantityLeavesSaturatedLoadEmpty",
     600,
     400,
     4,
     5,
     4,
     80,
     {},
     250,
     0,
     kSenza,
     62.5,
     {},
     {}},
    {"ZeroFilledQuantityStillGivesAValue", 600, 400, 4, 5, 4, 80, 0, 250, 0, kSenza, 62.5, 0.0, {}},
    {"NoQuantityLeavesSaturatedLoadEmpty", 600, 400, 0, 5, 4, 0, 96, 250, 0, kSenza, 0.0, {}, {}},
    {"NoFloorGivesTheSheetLoad", 0, 400, 4, 5, 4, 80, {}, 250, 400, kTesta, 1600.0, {}, 4},
    {"NoLayersNoPieceLoad", 600, 400, 4, 5, 0, 0, {}, 250, 400, kTesta, 0.4, {}, 1},
};

class CampiCalcolatiTable : public ::testing::TestWithParam<FieldsRow> {};

TEST_P(CampiCalcolatiTable, Fields) {
    const FieldsRow& r = GetParam();
    const CampiCalcolati c =
        CalcolaCampiCalcolati(r.CA, r.CB, r.qA, r.qB, r.qH, r.q, r.qSat, r.w, r.g, r.t);
    EXPECT_NEAR(c.carico, r.carico, kTol);
    ASSERT_EQ(c.caricoSaturo.has_value(), r.caricoSaturo.has_value());
    if (r.caricoSaturo) {
        EXPECT_NEAR(*c.caricoSaturo, *r.caricoSaturo, kTol);
    }
    EXPECT_EQ(c.numeroTramezzi, r.numeroTramezzi);
}

INSTANTIATE_TEST_SUITE_P(Table, CampiCalcolatiTable, ::testing::ValuesIn(kFields), Name<FieldsRow>);

TEST(StratiSovrapposti, LayersRestingOnTheFirst) {
    EXPECT_EQ(StratiSovrapposti(0), 0);
    EXPECT_EQ(StratiSovrapposti(1), 1);
    EXPECT_EQ(StratiSovrapposti(2), 1);
    EXPECT_EQ(StratiSovrapposti(4), 3);
}

// --- Layer editing ---

struct PerLayerRow {
    const char* fault;
    std::int32_t qSat, q, qH;
    std::int32_t extra, perStrato;
};

const PerLayerRow kPerLayer[] = {
    {"FilledRowExtraPerLayer", 96, 80, 4, 4, 24},
    {"UnfilledRowCancelsItsPieces", 0, 80, 4, -20, 0},
    {"DivisionTruncatesTowardZero", 0, 81, 4, -20, 0},
    {"RowWithoutLayers", 0, 0, 0, 0, 0},
};

class PerLayerTable : public ::testing::TestWithParam<PerLayerRow> {};

TEST_P(PerLayerTable, Counts) {
    const PerLayerRow& r = GetParam();
    EXPECT_EQ(PezziExtraPerStrato(r.qSat, r.q, r.qH), r.extra);
    EXPECT_EQ(PezziPerStrato(r.qSat, r.qH), r.perStrato);
}

INSTANTIATE_TEST_SUITE_P(Table, PerLayerTable, ::testing::ValuesIn(kPerLayer), Name<PerLayerRow>);

struct LayerQuantityRow {
    const char* fault;
    std::int32_t qA, qB, extra;
    bool filled;
    std::int32_t L, expected;
};

const LayerQuantityRow kLayerQuantities[] = {
    {"LoweringFourToThreeLayers", 4, 5, 0, false, 3, 60},
    {"FilledRowKeepsItsExtraPieces", 4, 5, 2, true, 3, 66},
    {"UnfilledRowIgnoresTheExtraBox", 4, 5, 2, false, 3, 60},
};

class QuantitaConStratiTable : public ::testing::TestWithParam<LayerQuantityRow> {};

TEST_P(QuantitaConStratiTable, Quantity) {
    const LayerQuantityRow& r = GetParam();
    EXPECT_EQ(QuantitaConStrati(r.qA, r.qB, r.extra, r.filled, r.L), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, QuantitaConStratiTable, ::testing::ValuesIn(kLayerQuantities),
                         Name<LayerQuantityRow>);

struct FirstLayerRow {
    const char* fault;
    PesoNetto U;
    std::int32_t larghezza, lunghezza;
    std::optional<double> expected;
};

const FirstLayerRow kFirstLayer[] = {
    {"FifteenKilogramsOnPointTwentyFour", 150000, 400, 600, 62.5},
    {"LoadKeptToFourDecimals", 10000, 1000, 3000, 0.3333},
    {"AreaRoundedToTenThousandthsFirst", 312, 125, 250, 1.0},
    {"NoFloorShowsNothing", 150000, 0, 600, std::nullopt},
    {"FloorBelowATenThousandthShowsNothing", 150000, 1, 1, std::nullopt},
};

class CaricoPrimoStratoTable : public ::testing::TestWithParam<FirstLayerRow> {};

TEST_P(CaricoPrimoStratoTable, Load) {
    const FirstLayerRow& r = GetParam();
    const std::optional<double> got = CaricoPrimoStrato(r.U, r.larghezza, r.lunghezza);
    ASSERT_EQ(got.has_value(), r.expected.has_value());
    if (r.expected) {
        EXPECT_NEAR(*got, *r.expected, kTol);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CaricoPrimoStratoTable, ::testing::ValuesIn(kFirstLayer),
                         Name<FirstLayerRow>);

// --- Top layers ---

struct TopRow {
    const char* fault;
    std::int32_t H0, p, k, S;
    ImpostazioniTramezzi t;
    UltimiStrati expected;
};

const TopRow kTops[] = {
    {"SeparatorsWithTopSheet", 260, 120, 0, 3, kTesta, {134, 123, 2, 246}},
    {"WithoutSeparators", 260, 120, 0, 3, kSenza, {140, 120, 2, 240}},
    {"TopSheetBoxIgnoredWithoutSeparatorThickness",
     260,
     120,
     0,
     3,
     kSenzaMaSpuntati,
     {140, 120, 2, 240}},
    {"SeparatorsWithoutTopSheet", 260, 120, 0, 3, kNessunEstremo, {137, 123, 2, 246}},
    {"InterpenetrationShortensThePitch", 260, 120, 20, 0, kSenza, {140, 100, 2, 220}},
    {"NotEvenOneLayerStillOffersOne", 100, 120, 0, 0, kSenza, {-20, 120, 1, 120}},
    {"NegativePitchOffersNone", 260, 120, 0, -200, kNessunEstremo, {340, -80, 0, 0}},
};

class UltimiStratiTable : public ::testing::TestWithParam<TopRow> {};

TEST_P(UltimiStratiTable, Layers) {
    const TopRow& r = GetParam();
    const UltimiStrati got = CalcolaUltimiStrati(r.H0, r.p, r.k, r.S, r.t);
    EXPECT_EQ(got.spazio, r.expected.spazio);
    EXPECT_EQ(got.passo, r.expected.passo);
    EXPECT_EQ(got.strati, r.expected.strati);
    EXPECT_EQ(got.spazioUltimiStrati, r.expected.spazioUltimiStrati);
}

INSTANTIATE_TEST_SUITE_P(Table, UltimiStratiTable, ::testing::ValuesIn(kTops), Name<TopRow>);

struct AddRow {
    const char* fault;
    std::int32_t CA, CB, qH, v;
    double grammatura;
    std::int32_t qRiga;
    double wf;
    std::int32_t aggiunti;
    double portata;
    ImpostazioniTramezzi t;
    std::int32_t Ntot, Nsup;
    double T, P1, P2, P, carico;
    Semaforo light;
};

const AddRow kAdds[] = {
    {"BothEndSheetsCountTopTwice", 600, 400, 4, 2, 400, 80, 250, 40, 100, kEntrambi, 7, 6, 0.672,
     20, 10, 30.672, 25 / 0.24 + 2.4, Semaforo::Verde},
    {"TopSheetOnly", 600, 400, 4, 2, 400, 80, 250, 40, 100, kTesta, 6, 6, 0.576, 20, 10, 30.576,
     25 / 0.24 + 2.4, Semaforo::Verde},
    {"WithoutSeparatorsNoSheets", 600, 400, 4, 2, 400, 80, 250, 40, 100, kSenzaMaSpuntati, 0, 0, 0,
     20, 10, 30, 25 / 0.24, Semaforo::Verde},
    {"WeightEqualToPayloadStaysGreen", 600, 400, 4, 2, 400, 80, 250, 40, 30, kSenza, 0, 0, 0, 20,
     10, 30, 25 / 0.24, Semaforo::Verde},
    {"WeightAbovePayloadIsRed", 600, 400, 4, 2, 400, 80, 250, 40, 29.99, kSenza, 0, 0, 0, 20, 10,
     30, 25 / 0.24, Semaforo::Rosso},
    {"NoFloorLeavesOnlyTheSheetLoad", 0, 400, 4, 2, 400, 80, 250, 40, 100, kEntrambi, 7, 6, 0, 20,
     10, 30, 2.4, Semaforo::Verde},
    {"RowWithoutLayersCountsOnlyTheAddedPieces", 600, 400, 0, 2, 0, 0, 250, 40, 100, kSenza, 0, 0,
     0, 0, 10, 10, 10 / 0.24, Semaforo::Verde},
};

class AggiuntaStratiTable : public ::testing::TestWithParam<AddRow> {};

TEST_P(AggiuntaStratiTable, Breakdown) {
    const AddRow& r = GetParam();
    const AggiuntaStrati got = CalcolaAggiuntaStrati(r.CA, r.CB, r.qH, r.v, r.grammatura, r.qRiga,
                                                     r.wf, r.aggiunti, r.portata, r.t);
    EXPECT_EQ(got.tramezziTotali, r.Ntot);
    EXPECT_EQ(got.tramezziSuperiori, r.Nsup);
    EXPECT_NEAR(got.pesoTramezzi, r.T, kTol);
    EXPECT_NEAR(got.pesoPrimiStrati, r.P1, kTol);
    EXPECT_NEAR(got.pesoUltimiStrati, r.P2, kTol);
    EXPECT_NEAR(got.pesoTotale, r.P, kTol);
    EXPECT_NEAR(got.carico, r.carico, kTol);
    EXPECT_EQ(got.semaforo, r.light);
}

INSTANTIATE_TEST_SUITE_P(Table, AggiuntaStratiTable, ::testing::ValuesIn(kAdds), Name<AddRow>);

} // namespace
} // namespace velcaro::quantities
