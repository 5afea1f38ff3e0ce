#include "analysis/Calculation.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

namespace velcaro::analysis {

// Readable failure output for whole rows (found by argument-dependent lookup).
void PrintTo(const RigaSoluzione& r, std::ostream* os) {
    *os << "ID " << r.ID << " C " << r.ContenitoreA << "/" << r.ContenitoreB << "/"
        << r.ContenitoreH << " P " << r.PezzoA << "/" << r.PezzoB << "/" << r.PezzoH << " c "
        << r.CompenetraA << "/" << r.CompenetraB << "/" << r.CompenetraH << " Q " << r.QuantitaA
        << "/" << r.QuantitaB << "/" << r.QuantitaH << " = " << r.Quantita;
}

namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

const char* const kTroppiPezzi =
    "Il numero di pezzi per contenitore supera il limite consentito: ridurre le dimensioni "
    "del contenitore o aumentare quelle del pezzo.";
const char* const kCompenetrazione =
    "La Compenetrazione deve essere minore del lato del Pezzo su cui è impostata: "
    "correggere la Compenetrazione e rilanciare il comando CALCOLA.";

std::string SpessoreRifiutato(int S) {
    return "Lo SPESSORE del Tramezzo (" + std::to_string(S) +
           " mm) non è valido: ogni strato, con il suo Tramezzo, deve occupare un'altezza "
           "maggiore di zero. Correggere lo spessore nell'archivio dei Separatori.";
}

struct AxisRow {
    const char* fault;
    std::int32_t CA, CB, CH, PA, PB, PH, cA, cB, cH, S, M;
    Asse asse;
    std::int32_t expected;
};

// Container 1150 x 750 x 500 (A = length, B = width), piece 400 x 300 x 200 unless noted.
const AxisRow kAxes[] = {
    {"Row1CountsAlongA", 1150, 750, 500, 400, 300, 200, 0, 0, 0, 0, 0, Asse::A, 2},
    {"Row1CountsAlongB", 1150, 750, 500, 400, 300, 200, 0, 0, 0, 0, 0, Asse::B, 2},
    {"Row1CountsLayers", 1150, 750, 500, 400, 300, 200, 0, 0, 0, 0, 0, Asse::H, 2},
    {"Row1MultipliesTheThreeCounts", 1150, 750, 500, 400, 300, 200, 0, 0, 0, 0, 0, Asse::Tutti, 8},
    {"Row4WidthAlongA", 1150, 750, 500, 300, 200, 400, 0, 0, 0, 0, 0, Asse::A, 3},
    {"Row4HeightAlongB", 1150, 750, 500, 300, 200, 400, 0, 0, 0, 0, 0, Asse::B, 3},
    {"Row4LengthUpright", 1150, 750, 500, 300, 200, 400, 0, 0, 0, 0, 0, Asse::H, 1},
    {"Row4Product", 1150, 750, 500, 300, 200, 400, 0, 0, 0, 0, 0, Asse::Tutti, 9},
    {"InterpenetrationShortensEachFurtherPiece", 1150, 750, 500, 400, 300, 200, 50, 0, 0, 0, 0,
     Asse::A, 3},
    {"SheetsAndEndSheetsTakeHeight", 1150, 750, 500, 400, 300, 200, 0, 0, 0, 5, 2, Asse::H, 2},
    {"RoomJustShortOfAThirdLayer", 1150, 750, 605, 400, 300, 200, 0, 0, 0, 5, 2, Asse::H, 2},
    {"RoomForExactlyThreeLayers", 1150, 750, 625, 400, 300, 200, 0, 0, 0, 5, 2, Asse::H, 3},
    {"HeightInterpenetrationShortensEachLayer", 1150, 750, 500, 400, 300, 200, 0, 0, 50, 0, 0,
     Asse::H, 3},
    {"PieceLongerThanAxisGivesNone", 350, 750, 500, 400, 300, 200, 0, 0, 0, 0, 0, Asse::A, 0},
    {"PieceLongerThanOneAxisEmptiesTheSolution", 350, 750, 500, 400, 300, 200, 0, 0, 0, 0, 0,
     Asse::Tutti, 0},
    {"PieceOneMillimetreTooLong", 399, 750, 500, 400, 300, 200, 0, 0, 0, 0, 0, Asse::A, 0},
    {"PieceFillingTheAxisExactlyCountsOne", 400, 750, 500, 400, 300, 200, 0, 0, 0, 0, 0, Asse::A,
     1},
    {"LayerPlusEndSheetsOverflowingHeightGivesNone", 1150, 750, 210, 400, 300, 200, 0, 0, 0, 5, 2,
     Asse::H, 0},
    {"SlightlyNegativeThicknessStillCounts", 1150, 750, 500, 400, 300, 200, 0, 0, 0, -1, 2, Asse::H,
     2},
    {"SelectedAxisDoesNotNeedTheOthers", 1150, 750, 500, 400, 300, 200, 0, 300, 0, 0, 0, Asse::A,
     2},
    {"LargestCountThatFits", kMax, 750, 500, 1, 300, 200, 0, 0, 0, 0, 0, Asse::A, kMax},
};

class QuantitaPerAsseTable : public ::testing::TestWithParam<AxisRow> {};

TEST_P(QuantitaPerAsseTable, Counts) {
    const AxisRow& r = GetParam();
    EXPECT_EQ(
        QuantitaPerAsse(r.CA, r.CB, r.CH, r.PA, r.PB, r.PH, r.cA, r.cB, r.cH, r.S, r.M, r.asse),
        r.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, QuantitaPerAsseTable, ::testing::ValuesIn(kAxes),
                         [](const auto& info) { return std::string(info.param.fault); });

struct RefusedRow {
    const char* fault;
    std::int32_t CA, CB, CH, PA, PB, PH, cA, cB, cH, S, M;
    Asse asse;
    bool overflow; // OverflowError rather than a plain Error
    std::string message;
};

const RefusedRow kRefused[] = {
    {"NegativeThicknessCancellingTheLayer", 1150, 750, 500, 400, 300, 200, 0, 0, 0, -200, 2,
     Asse::H, false, SpessoreRifiutato(-200)},
    {"NegativeThicknessBeyondTheLayer", 1150, 750, 500, 400, 300, 200, 0, 0, 0, -250, 0, Asse::H,
     false, SpessoreRifiutato(-250)},
    {"NegativeThicknessCheckedForTheProductToo", 1150, 750, 500, 400, 300, 200, 0, 0, 0, -250, 2,
     Asse::Tutti, false, SpessoreRifiutato(-250)},
    {"NegativeThicknessRefusedEvenWhenNoLayerFits", 1150, 750, 100, 400, 300, 200, 0, 0, 0, -250, 2,
     Asse::H, false, SpessoreRifiutato(-250)},
    {"InterpenetrationEqualToSideAlongA", 1150, 750, 500, 400, 300, 200, 400, 0, 0, 0, 0, Asse::A,
     false, kCompenetrazione},
    {"InterpenetrationAboveSideAlongB", 1150, 750, 500, 400, 300, 200, 0, 350, 0, 0, 0, Asse::B,
     false, kCompenetrazione},
    {"InterpenetrationEqualToHeight", 1150, 750, 500, 400, 300, 200, 0, 0, 200, 0, 0, Asse::H,
     false, kCompenetrazione},
    {"ZeroSideWithoutInterpenetration", 1150, 750, 500, 0, 300, 200, 0, 0, 0, 0, 0, Asse::Tutti,
     false, kCompenetrazione},
    {"ProductPastThirtyTwoBits", kMax, kMax, 500, 1, 1, 200, 0, 0, 0, 0, 0, Asse::Tutti, true,
     kTroppiPezzi},
    {"ProductJustPastThirtyTwoBits", 46341, 46341, 500, 1, 1, 500, 0, 0, 0, 0, 0, Asse::Tutti, true,
     kTroppiPezzi},
    {"CountAlongOneAxisPastThirtyTwoBits", kMax, 750, 500, 0, 300, 200, -1, 0, 0, 0, 0, Asse::A,
     true, kTroppiPezzi},
};

class QuantitaPerAsseRefused : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(QuantitaPerAsseRefused, ThrowsInsteadOfDividingOrWrapping) {
    const RefusedRow& r = GetParam();
    try {
        const std::int32_t n =
            QuantitaPerAsse(r.CA, r.CB, r.CH, r.PA, r.PB, r.PH, r.cA, r.cB, r.cH, r.S, r.M, r.asse);
        FAIL() << "returned " << n;
    } catch (const OverflowError& e) {
        EXPECT_TRUE(r.overflow) << e.what();
        EXPECT_EQ(e.what(), r.message);
    } catch (const Error& e) {
        EXPECT_FALSE(r.overflow) << e.what();
        EXPECT_EQ(e.what(), r.message);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, QuantitaPerAsseRefused, ::testing::ValuesIn(kRefused),
                         [](const auto& info) { return std::string(info.param.fault); });

struct SheetsRow {
    const char* fault;
    bool considerati, fondo, testa;
    std::int32_t expected;
};

const SheetsRow kSheets[] = {
    {"BoxesIgnoredWithoutSeparators", false, true, true, 0},
    {"NeitherBoxTicked", true, false, false, 0},
    {"BottomOnly", true, true, false, 1},
    {"TopOnly", true, false, true, 1},
    {"BothEnds", true, true, true, 2},
};

class FogliAggiuntiviTable : public ::testing::TestWithParam<SheetsRow> {};

TEST_P(FogliAggiuntiviTable, Counts) {
    const SheetsRow& r = GetParam();
    EXPECT_EQ(FogliAggiuntivi(r.considerati, r.fondo, r.testa), r.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FogliAggiuntiviTable, ::testing::ValuesIn(kSheets),
                         [](const auto& info) { return std::string(info.param.fault); });

// Sides W 300, L 400, T 200 with interpenetrations 30, 40, 20: every value tells its side.
const Pezzo kPezzo{300, 400, 200, 30, 40, 20};
const Contenitore kGrande{5000, 6000, 7000};

struct OrientationRow {
    const char* fault;
    std::int32_t id;
    std::int32_t PA, PB, PH, cA, cB, cH;
};

const OrientationRow kOrientations[] = {
    {"Row1LengthWidthHeight", 1, 400, 300, 200, 40, 30, 20},
    {"Row2LengthHeightWidth", 2, 400, 200, 300, 40, 20, 30},
    {"Row3WidthLengthHeight", 3, 300, 400, 200, 30, 40, 20},
    {"Row4WidthHeightLength", 4, 300, 200, 400, 30, 20, 40},
    {"Row5HeightLengthWidth", 5, 200, 400, 300, 20, 40, 30},
    {"Row6HeightWidthLength", 6, 200, 300, 400, 20, 30, 40},
};

class OrientationTable : public ::testing::TestWithParam<OrientationRow> {};

TEST_P(OrientationTable, EachInterpenetrationGoesWithItsSide) {
    const OrientationRow& r = GetParam();
    const RigaSoluzione riga = CalcolaSoluzione(r.id, kGrande, kPezzo, Tramezzi{});
    EXPECT_EQ(riga.ID, r.id);
    EXPECT_EQ(riga.PezzoA, r.PA);
    EXPECT_EQ(riga.PezzoB, r.PB);
    EXPECT_EQ(riga.PezzoH, r.PH);
    EXPECT_EQ(riga.CompenetraA, r.cA);
    EXPECT_EQ(riga.CompenetraB, r.cB);
    EXPECT_EQ(riga.CompenetraH, r.cH);
}

TEST_P(OrientationTable, SeparatorsInhibitHeightInterpenetration) {
    const OrientationRow& r = GetParam();
    const RigaSoluzione riga =
        CalcolaSoluzione(r.id, kGrande, kPezzo, Tramezzi{true, 0, false, false});
    EXPECT_EQ(riga.PezzoH, r.PH);
    EXPECT_EQ(riga.CompenetraA, r.cA);
    EXPECT_EQ(riga.CompenetraB, r.cB);
    EXPECT_EQ(riga.CompenetraH, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, OrientationTable, ::testing::ValuesIn(kOrientations),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(OrientamentoSoluzione, RefusesUnknownSolution) {
    EXPECT_THROW(OrientamentoSoluzione(0), Error);
    EXPECT_THROW(OrientamentoSoluzione(7), Error);
}

// Piece L 400 x W 300 x T 200 in a container of useful length 1150, width 750, height 500.
const Pezzo kEsempio{300, 400, 200, 0, 0, 0};
const Contenitore kEsempioContenitore{750, 1150, 500};

RigaSoluzione Riga(std::int32_t id, std::int32_t PA, std::int32_t PB, std::int32_t PH,
                   std::int32_t cA, std::int32_t cB, std::int32_t cH, std::int32_t qA,
                   std::int32_t qB, std::int32_t qH, std::int32_t CH = 500) {
    return RigaSoluzione{id, 1150, 750, CH, PA, PB, PH, cA, cB, cH, qA, qB, qH, qA * qB * qH};
}

struct SolutionsRow {
    const char* fault;
    Pezzo pezzo;
    Contenitore contenitore;
    Tramezzi tramezzi;
    std::array<RigaSoluzione, kNumeroSoluzioni> expected;
};

const SolutionsRow kSolutions[] = {
    {"AxisAIsTheLengthInEveryRow",
     kEsempio,
     kEsempioContenitore,
     {},
     {Riga(1, 400, 300, 200, 0, 0, 0, 2, 2, 2), Riga(2, 400, 200, 300, 0, 0, 0, 2, 3, 1),
      Riga(3, 300, 400, 200, 0, 0, 0, 3, 1, 2), Riga(4, 300, 200, 400, 0, 0, 0, 3, 3, 1),
      Riga(5, 200, 400, 300, 0, 0, 0, 5, 1, 1), Riga(6, 200, 300, 400, 0, 0, 0, 5, 2, 1)}},
    {"LengthInterpenetrationFollowsTheLength",
     {300, 400, 200, 0, 50, 0},
     kEsempioContenitore,
     {},
     {Riga(1, 400, 300, 200, 50, 0, 0, 3, 2, 2), Riga(2, 400, 200, 300, 50, 0, 0, 3, 3, 1),
      Riga(3, 300, 400, 200, 0, 50, 0, 3, 2, 2), Riga(4, 300, 200, 400, 0, 0, 50, 3, 3, 1),
      Riga(5, 200, 400, 300, 0, 50, 0, 5, 2, 1), Riga(6, 200, 300, 400, 0, 0, 50, 5, 2, 1)}},
    // The height's interpenetration is dropped only where the height side stands upright;
    // laid in plan it still shortens each further piece.
    {"SeparatorsDropOnlyTheUprightInterpenetration",
     {300, 400, 200, 0, 0, 100},
     kEsempioContenitore,
     {true, 5, true, true},
     {Riga(1, 400, 300, 200, 0, 0, 0, 2, 2, 2), Riga(2, 400, 200, 300, 0, 100, 0, 2, 6, 1),
      Riga(3, 300, 400, 200, 0, 0, 0, 3, 1, 2), Riga(4, 300, 200, 400, 0, 100, 0, 3, 6, 1),
      Riga(5, 200, 400, 300, 100, 0, 0, 10, 1, 1), Riga(6, 200, 300, 400, 100, 0, 0, 10, 2, 1)}},
    {"ThicknessIgnoredWithoutSeparators",
     kEsempio,
     kEsempioContenitore,
     {false, 50, true, true},
     {Riga(1, 400, 300, 200, 0, 0, 0, 2, 2, 2), Riga(2, 400, 200, 300, 0, 0, 0, 2, 3, 1),
      Riga(3, 300, 400, 200, 0, 0, 0, 3, 1, 2), Riga(4, 300, 200, 400, 0, 0, 0, 3, 3, 1),
      Riga(5, 200, 400, 300, 0, 0, 0, 5, 1, 1), Riga(6, 200, 300, 400, 0, 0, 0, 5, 2, 1)}},
    {"ThirdLayerFitsAtHeight625",
     kEsempio,
     {750, 1150, 625},
     {true, 5, true, true},
     {Riga(1, 400, 300, 200, 0, 0, 0, 2, 2, 3, 625), Riga(2, 400, 200, 300, 0, 0, 0, 2, 3, 2, 625),
      Riga(3, 300, 400, 200, 0, 0, 0, 3, 1, 3, 625), Riga(4, 300, 200, 400, 0, 0, 0, 3, 3, 1, 625),
      Riga(5, 200, 400, 300, 0, 0, 0, 5, 1, 2, 625),
      Riga(6, 200, 300, 400, 0, 0, 0, 5, 2, 1, 625)}},
};

class SolutionsTable : public ::testing::TestWithParam<SolutionsRow> {};

TEST_P(SolutionsTable, SixRowsInIdOrder) {
    const SolutionsRow& r = GetParam();
    const auto righe = CalcolaSoluzioni(r.contenitore, r.pezzo, r.tramezzi);
    for (std::size_t i = 0; i < righe.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(righe[i], r.expected[i]);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SolutionsTable, ::testing::ValuesIn(kSolutions),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(CalcolaSoluzioni, RefusesANegativeThicknessForAnyRowBeforeReturning) {
    // Only the rows with the 200 side upright lose their layer pitch.
    try {
        CalcolaSoluzioni(kEsempioContenitore, kEsempio, Tramezzi{true, -200, false, false});
        FAIL() << "returned";
    } catch (const OverflowError& e) {
        FAIL() << e.what();
    } catch (const Error& e) {
        EXPECT_EQ(e.what(), SpessoreRifiutato(-200));
    }
}

TEST(CalcolaSoluzioni, IgnoresANegativeThicknessWithoutSeparators) {
    const auto righe =
        CalcolaSoluzioni(kEsempioContenitore, kEsempio, Tramezzi{false, -200, true, true});
    EXPECT_EQ(righe[0].QuantitaH, 2);
}

TEST(CalcolaSoluzioni, ReportsTooManyPiecesInItsOwnWords) {
    try {
        CalcolaSoluzioni(Contenitore{kMax, kMax, kMax}, Pezzo{1, 1, 1, 0, 0, 0}, Tramezzi{});
        FAIL() << "returned";
    } catch (const OverflowError& e) {
        EXPECT_STREQ(e.what(), kTroppiPezzi);
    }
}

} // namespace
} // namespace velcaro::analysis
