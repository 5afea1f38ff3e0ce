#include "platform/text/FormatFloat.h"
#include "platform/text/Regional.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velcaro::text {
namespace {

struct FormatRow {
    const char* fault;
    const char* pattern;
    double value;
    const char* italian;
    const char* english;
};

const FormatRow kRows[] = {
    // "#,#": whole numbers, grouped, nothing for zero
    {"ZeroShowsNothing", "#,#", 0.0, "", ""},
    {"NegativeZeroShowsNothing", "#,#", -0.0, "", ""},
    {"RoundsToZeroShowsNothing", "#,#", 0.4, "", ""},
    {"NegativeRoundingToZeroHasNoMinus", "#,#", -0.4, "", ""},
    {"HalfRoundsAwayFromZero", "#,#", 0.5, "1", "1"},
    {"HalfRoundsAwayNotToEven", "#,#", 2.5, "3", "3"},
    {"NegativeHalfRoundsAway", "#,#", -2.5, "-3", "-3"},
    {"BelowThousandUngrouped", "#,#", 999.0, "999", "999"},
    {"ThousandGrouped", "#,#", 1000.0, "1.000", "1,000"},
    {"RoundingCarriesIntoNewGroup", "#,#", 999.5, "1.000", "1,000"},
    {"MillionsGroupedTwice", "#,#", 1234567.0, "1.234.567", "1,234,567"},
    {"SixDigitsOneSeparator", "#,#", 100000.0, "100.000", "100,000"},
    {"NegativeGrouped", "#,#", -1234.5, "-1.235", "-1,235"},
    {"LargeBelowLimitStaysFixed", "#,#", 1e17, "100.000.000.000.000.000",
     "100,000,000,000,000,000"},
    // "#,#0.0"
    {"OneDecimal", "#,#0.0", 12.5, "12,5", "12.5"},
    {"ZeroShowsRequiredDigits", "#,#0.0", 0.0, "0,0", "0.0"},
    {"OneDecimalRoundsAndGroups", "#,#0.0", 1234.56, "1.234,6", "1,234.6"},
    {"ShortestDigitsRoundHalfUp", "#,#0.0", 0.05, "0,1", "0.1"},
    {"TinyNegativeHasNoMinus", "#,#0.0", -0.04, "0,0", "0.0"},
    {"NegativeOneDecimal", "#,#0.0", -12.25, "-12,3", "-12.3"},
    {"MillionsOneDecimal", "#,#0.0", 1234567.89, "1.234.567,9", "1,234,567.9"},
    // "#,#0.00"
    {"TwoDecimalsGrouped", "#,#0.00", 1234.56, "1.234,56", "1,234.56"},
    {"TwoDecimalsZero", "#,#0.00", 0.0, "0,00", "0.00"},
    {"TrailingZeroKept", "#,#0.00", -1234.5, "-1.234,50", "-1,234.50"},
    {"BinaryBelowHalfStillRoundsUp", "#,#0.00", 1.005, "1,01", "1.01"},
    {"CarryThroughAllDigits", "#,#0.00", 999999.999, "1.000.000,00", "1,000,000.00"},
    // "0.0#,#": one to three decimals, grouped
    {"VolumeThreeDecimals", "0.0#,#", 0.936, "0,936", "0.936"},
    {"OptionalDecimalsDropped", "0.0#,#", 1.0, "1,0", "1.0"},
    {"ZeroKeepsIntegerDigit", "0.0#,#", 0.0, "0,0", "0.0"},
    {"CommaAfterPointStillGroups", "0.0#,#", 1234.5, "1.234,5", "1,234.5"},
    {"MoreDecimalsRounded", "0.0#,#", 0.12345, "0,123", "0.123"},
    {"RoundedTrailingZerosDropped", "0.0#,#", 0.9995, "1,0", "1.0"},
    {"SmallestThirdDecimal", "0.0#,#", 0.0005, "0,001", "0.001"},
    {"TinyNegativeNoMinus", "0.0#,#", -0.0004, "0,0", "0.0"},
    {"GroupedWithThreeDecimals", "0.0#,#", 1234567.125, "1.234.567,125", "1,234,567.125"},
    // "#,##0.0"
    {"LeadingZeroRequired", "#,##0.0", 0.5, "0,5", "0.5"},
    {"WholeNumberGetsDecimal", "#,##0.0", 1234.0, "1.234,0", "1,234.0"},
    {"EightDigits", "#,##0.0", 12345678.04, "12.345.678,0", "12,345,678.0"},
    // "#,#.0": no required integer digit
    {"NoIntegerDigitBelowOne", "#,#.0", 0.5, ",5", ".5"},
    {"ZeroShowsOnlyDecimal", "#,#.0", 0.0, ",0", ".0"},
    {"NegativeBelowOne", "#,#.0", -0.5, "-,5", "-.5"},
    {"IntegerDigitsStillShown", "#,#.0", 1234.56, "1.234,6", "1,234.6"},
    // "0.00": no grouping
    {"NoGroupingWithoutComma", "0.00", 1234.5, "1234,50", "1234.50"},
    {"HalfUpOnShortestDigits", "0.00", 12.345, "12,35", "12.35"},
    {"ClassicBinaryTrap", "0.00", 2.675, "2,68", "2.68"},
    {"ExactHalf", "0.00", 0.125, "0,13", "0.13"},
    {"NegativeToZeroNoMinus", "0.00", -0.001, "0,00", "0.00"},
    {"OneDecimalPointFifteen", "0.0", 0.15, "0,2", "0.2"},
    // other layouts
    {"LeadingZerosPadded", "000", 5.0, "005", "005"},
    {"IntegerDigitsBeforeBarePoint", ".00", 12.5, "12,50", "12.50"},
    {"HashOnlyZero", "#", 0.0, "", ""},
    {"LiteralPrefix", "€ #,##0.00", 1234.5, "€ 1.234,50", "€ 1,234.50"},
    {"LiteralSuffixMinusFirst", "#,##0.00 kg", -3.0, "-3,00 kg", "-3.00 kg"},
    {"QuotedTextCopied", "0 'pz.'", 7.0, "7 pz.", "7 pz."},
    {"NegativeSection", "0.0;(0.0)", -1.25, "(1,3)", "(1.3)"},
    {"PositiveUsesFirstSection", "0.0;(0.0)", 1.25, "1,3", "1.3"},
    {"ZeroSection", "0.0;(0.0);'zero'", 0.01, "zero", "zero"},
    {"EmptyNegativeSectionUsesFirst", "0.0;;'zero'", -1.0, "-1,0", "-1.0"},
    // out of the fixed range
    {"HugeValueGeneralForm", "#,#", 1e20, "1E20", "1E20"},
    {"HugeNegativeGeneralForm", "#,#0.00", -1.5e18, "-1,5E18", "-1.5E18"},
    {"EmptyPatternGeneralForm", "", 580.5, "580,5", "580.5"},
};

class FormatFloatTable : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatFloatTable, Italian) {
    ScopedRegional it(RegionalSettings::Italian());
    const FormatRow& r = GetParam();
    EXPECT_EQ(FormatFloat(r.pattern, r.value), r.italian) << r.pattern << " " << r.value;
}

TEST_P(FormatFloatTable, English) {
    ScopedRegional en(RegionalSettings::English());
    const FormatRow& r = GetParam();
    EXPECT_EQ(FormatFloat(r.pattern, r.value), r.english) << r.pattern << " " << r.value;
}

INSTANTIATE_TEST_SUITE_P(Patterns, FormatFloatTable, ::testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(FormatFloat, NotANumberAndInfinityDoNotCrash) {
    ScopedRegional it(RegionalSettings::Italian());
    EXPECT_EQ(FormatFloat("#,#", std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FormatFloat("#,#0.0", std::numeric_limits<double>::infinity()), "INF");
    EXPECT_EQ(FormatFloat("0.00", -std::numeric_limits<double>::infinity()), "-INF");
    EXPECT_EQ(FormatFloat("#,#", std::numeric_limits<double>::max()), "1,79769313486232E308");
}

TEST(FormatFloat, MultibyteThousandsSeparatorIsCopiedWhole) {
    ScopedRegional nnbsp(RegionalSettings{",", "\u202F", ":"});
    EXPECT_EQ(FormatFloat("#,#", 1234567.0), "1\u202F234\u202F567");
    EXPECT_EQ(FormatFloat("#,#0.00", 1234.5), "1\u202F234,50");
}

TEST(FormatFloat, EmptyThousandsSeparatorTurnsGroupingOff) {
    ScopedRegional none(RegionalSettings{".", "", ":"});
    EXPECT_EQ(FormatFloat("#,#", 1234567.0), "1234567");
}

} // namespace
} // namespace velcaro::text
