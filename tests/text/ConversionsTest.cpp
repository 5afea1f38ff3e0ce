#include "platform/text/Conversions.h"
#include "platform/Error.h"
#include "platform/text/Regional.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velcaro::text {
namespace {

// ---------------------------------------------------------------- integers

struct IntAccept {
    const char* fault;
    const char* text;
    std::int32_t expected;
};

const IntAccept kIntAccepted[] = {
    {"Zero", "0", 0},
    {"Plain", "123", 123},
    {"LeadingBlanksSkipped", "  42", 42},
    {"PlusSign", "+7", 7},
    {"MinusSign", "-7", -7},
    {"LeadingZeros", "007", 7},
    {"Maximum", "2147483647", 2147483647},
    {"MinimumDoesNotOverflowOnNegation", "-2147483648", std::numeric_limits<std::int32_t>::min()},
    {"DollarHex", "$FF", 255},
    {"ZeroXHex", "0x1A", 26},
    {"UpperZeroXHexMaximum", "0X7fffffff", 2147483647},
    {"NegativeHex", "-$10", -16},
};

class StrToIntAccepts : public ::testing::TestWithParam<IntAccept> {};

TEST_P(StrToIntAccepts, Value) {
    const IntAccept& r = GetParam();
    EXPECT_EQ(StrToInt(r.text), r.expected);
    std::int32_t out = 0;
    EXPECT_TRUE(TryStrToInt(r.text, out));
    EXPECT_EQ(out, r.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, StrToIntAccepts, ::testing::ValuesIn(kIntAccepted),
                         [](const auto& info) { return std::string(info.param.fault); });

struct Reject {
    const char* fault;
    const char* text;
};

const Reject kIntRejected[] = {
    {"Empty", ""},
    {"OnlyBlanks", "   "},
    {"TrailingBlank", "12 "},
    {"GroupedByPoint", "1.234"},
    {"DecimalComma", "1,5"},
    {"AboveMaximum", "2147483648"},
    {"BelowMinimum", "-2147483649"},
    {"FarAboveWouldWrap", "99999999999999999999"},
    {"Letters", "abc"},
    {"SignOnly", "+"},
    {"MinusOnly", "-"},
    {"BlankAfterSign", "- 5"},
    {"DoubleSign", "--5"},
    {"DollarOnly", "$"},
    {"ZeroXOnly", "0x"},
    {"TrailingLetter", "12a"},
    {"BadHexDigit", "$G"},
    {"Exponent", "1e3"},
    {"HexAboveMaximumDoesNotWrap", "$80000000"},
    {"HexAllOnesDoesNotWrap", "$FFFFFFFF"},
};

class StrToIntRejects : public ::testing::TestWithParam<Reject> {};

TEST_P(StrToIntRejects, WithExactText) {
    const Reject& r = GetParam();
    std::int32_t out = 77;
    EXPECT_FALSE(TryStrToInt(r.text, out));
    EXPECT_EQ(out, 77) << "a failed conversion must leave the target alone";
    try {
        StrToInt(r.text);
        FAIL() << "no error for '" << r.text << "'";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "'" + std::string(r.text) + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(Table, StrToIntRejects, ::testing::ValuesIn(kIntRejected),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(StrToInt64, FullRangeAndBeyond) {
    EXPECT_EQ(StrToInt64("3000000000"), 3000000000LL);
    EXPECT_EQ(StrToInt64("9223372036854775807"), std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(StrToInt64("-9223372036854775808"), std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(StrToInt64("9223372036854775808"), ConversionError);
    EXPECT_THROW(StrToInt64("-9223372036854775809"), ConversionError);
    EXPECT_THROW(StrToInt64("1 "), ConversionError);
}

// ---------------------------------------------------------------- floats

struct FloatAccept {
    const char* fault;
    const char* text;
    double expected;
};

const FloatAccept kItalianFloats[] = {
    {"DecimalComma", "1,5", 1.5},
    {"BlanksBothEnds", "  1,5  ", 1.5},
    {"Negative", "-0,25", -0.25},
    {"PlusSign", "+3", 3.0},
    {"NoIntegerDigit", ",5", 0.5},
    {"NoDecimalDigit", "5,", 5.0},
    {"ExponentWithComma", "1,5E3", 1500.0},
    {"LowerExponentNegative", "1e-2", 0.01},
    {"ExponentPlus", "1E+2", 100.0},
    {"Zero", "0", 0.0},
    {"UnderflowIsZero", "1e-400", 0.0},
    {"HugeNegativeExponentIsZero", "1e-99999999999999999999", 0.0},
    {"ZeroWithHugeExponent", "0e99999999999", 0.0},
    {"ManyDigits", "123456789012345678901234567890", 1.2345678901234568e29},
};

const FloatAccept kEnglishFloats[] = {
    {"DecimalPoint", "1.5", 1.5},
    {"ExponentWithPoint", "2.5e-3", 0.0025},
    {"BlanksBothEnds", " -7.25 ", -7.25},
};

struct FloatReject {
    const char* fault;
    const char* text;
};

const FloatReject kItalianRejected[] = {
    {"PointUnderItalian", "1.5"},
    {"Empty", ""},
    {"OnlyBlanks", "   "},
    {"ThousandsSeparator", "1.234,5"},
    {"TwoDecimalSeparators", "1,5,0"},
    {"Letters", "abc"},
    {"ExponentWithoutDigits", "1e"},
    {"ExponentSignWithoutDigits", "1e+"},
    {"InfinityWord", "inf"},
    {"NanWord", "nan"},
    {"TrailingLetter", "1,5x"},
    {"DoubleSign", "--1"},
    {"Overflow", "1e400"},
    {"HugeExponentOverflow", "1e99999999999999999999"},
    {"HexFloat", "0x10"},
    {"SeparatorOnly", ","},
    {"SignOnly", "-"},
    {"InnerBlank", "1 5"},
};

const FloatReject kEnglishRejected[] = {
    {"CommaUnderEnglish", "1,5"},
    {"GroupedUnderEnglish", "1,234.5"},
};

void ExpectAccepted(const FloatAccept& r) {
    EXPECT_DOUBLE_EQ(StrToFloat(r.text), r.expected) << r.text;
    double out = -1.0;
    EXPECT_TRUE(TryStrToFloat(r.text, out)) << r.text;
    EXPECT_DOUBLE_EQ(out, r.expected) << r.text;
}

void ExpectRejected(const FloatReject& r) {
    double out = 77.0;
    EXPECT_FALSE(TryStrToFloat(r.text, out)) << r.text;
    EXPECT_EQ(out, 77.0);
    try {
        StrToFloat(r.text);
        ADD_FAILURE() << "no error for '" << r.text << "'";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "'" + std::string(r.text) + "' is not a valid floating point value");
    }
}

TEST(StrToFloat, ItalianAccepts) {
    ScopedRegional it(RegionalSettings::Italian());
    for (const auto& r : kItalianFloats) {
        SCOPED_TRACE(r.fault);
        ExpectAccepted(r);
    }
}

TEST(StrToFloat, ItalianRejects) {
    ScopedRegional it(RegionalSettings::Italian());
    for (const auto& r : kItalianRejected) {
        SCOPED_TRACE(r.fault);
        ExpectRejected(r);
    }
}

TEST(StrToFloat, EnglishAccepts) {
    ScopedRegional en(RegionalSettings::English());
    for (const auto& r : kEnglishFloats) {
        SCOPED_TRACE(r.fault);
        ExpectAccepted(r);
    }
}

TEST(StrToFloat, EnglishRejects) {
    ScopedRegional en(RegionalSettings::English());
    for (const auto& r : kEnglishRejected) {
        SCOPED_TRACE(r.fault);
        ExpectRejected(r);
    }
}

TEST(StrToFloat, NegativeUnderflowKeepsSign) {
    ScopedRegional it(RegionalSettings::Italian());
    const double v = StrToFloat("-1e-400");
    EXPECT_EQ(v, 0.0);
    EXPECT_TRUE(std::signbit(v));
}

// ---------------------------------------------------------------- general form

struct GeneralRow {
    const char* fault;
    double value;
    const char* italian;
    const char* english;
};

const GeneralRow kGeneral[] = {
    {"WholeNumber", 580.0, "580", "580"},
    {"OneDecimal", 580.5, "580,5", "580.5"},
    {"BelowOne", 0.936, "0,936", "0.936"},
    {"Zero", 0.0, "0", "0"},
    {"NegativeZeroHasNoMinus", -0.0, "0", "0"},
    {"BinaryNoiseRoundedAway", 0.1 + 0.2, "0,3", "0.3"},
    {"NoGrouping", 1234567.0, "1234567", "1234567"},
    {"Negative", -2.5, "-2,5", "-2.5"},
    {"FifteenDigitsFixed", 999999999999999.0, "999999999999999", "999999999999999"},
    {"SixteenDigitsScientific", 1e15, "1E15", "1E15"},
    {"HugeScientific", 1e20, "1E20", "1E20"},
    {"RoundedToFifteenDigits", 123456789012345678.0, "1,23456789012346E17", "1.23456789012346E17"},
    {"ThirdRoundedUp", 2.0 / 3.0, "0,666666666666667", "0.666666666666667"},
    {"ThirdRoundedDown", 1.0 / 3.0, "0,333333333333333", "0.333333333333333"},
    {"SmallFixed", 0.0001, "0,0001", "0.0001"},
    {"SmallFixedTwoDigits", 0.00012, "0,00012", "0.00012"},
    {"TinyScientific", 1e-5, "1E-5", "1E-5"},
    {"TinyScientificDecimals", 1.5e-7, "1,5E-7", "1.5E-7"},
    {"RoundingCarriesIntoExponent", 9999999999999999.0, "1E16", "1E16"},
    {"Largest", std::numeric_limits<double>::max(), "1,79769313486232E308", "1.79769313486232E308"},
};

class FloatToStrTable : public ::testing::TestWithParam<GeneralRow> {};

TEST_P(FloatToStrTable, Italian) {
    ScopedRegional it(RegionalSettings::Italian());
    EXPECT_EQ(FloatToStr(GetParam().value), GetParam().italian);
}

TEST_P(FloatToStrTable, English) {
    ScopedRegional en(RegionalSettings::English());
    EXPECT_EQ(FloatToStr(GetParam().value), GetParam().english);
}

INSTANTIATE_TEST_SUITE_P(Table, FloatToStrTable, ::testing::ValuesIn(kGeneral),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(FloatToStr, ReadsBackThroughStrToFloat) {
    for (const auto& settings : {RegionalSettings::Italian(), RegionalSettings::English()}) {
        ScopedRegional s(settings);
        for (double v : {580.5, 0.936, -1234.25, 1.5e-7, 1e20, 0.1 + 0.2})
            EXPECT_NEAR(StrToFloat(FloatToStr(v)), v, std::fabs(v) * 1e-14) << v;
    }
}

TEST(FloatToStr, NotANumberAndInfinity) {
    EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
    EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST(IntToStr, SixtyFourBitExtremes) {
    EXPECT_EQ(IntToStr(std::numeric_limits<std::int64_t>::min()), "-9223372036854775808");
    EXPECT_EQ(IntToStr(1234567), "1234567");
}

TEST(Trim, ControlCharactersAndBlanksBothEnds) {
    EXPECT_EQ(Trim(" \t 12,5 \r\n"), "12,5");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Trim("a b"), "a b");
}

// ---------------------------------------------------------------- rounding

struct RoundRow {
    const char* fault;
    double value;
    double expected;
};

const RoundRow kRounding[] = {
    {"HalfDownToEven", 12.5, 12.0},
    {"HalfUpToEven", 13.5, 14.0},
    {"NegativeHalfToEven", -2.5, -2.0},
    {"NegativeHalfAwayToEven", -3.5, -4.0},
    {"HalfToZero", 0.5, 0.0},
    {"OneAndHalf", 1.5, 2.0},
    {"JustBelowHalf", 2.4999999, 2.0},
    {"JustAboveHalf", 2.5000001, 3.0},
    {"NegativeBelowHalf", -0.4, 0.0},
    {"LastHalfBelowTwoToThe52", 4503599627370495.5, 4503599627370496.0},
    {"HugeUnchanged", 1e300, 1e300},
};

class RoundHalfEvenTable : public ::testing::TestWithParam<RoundRow> {};

TEST_P(RoundHalfEvenTable, Value) {
    EXPECT_EQ(RoundHalfEven(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RoundHalfEvenTable, ::testing::ValuesIn(kRounding),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(RoundToInt32, InRangeRoundsHalfToEven) {
    EXPECT_EQ(RoundToInt32(12.5), 12);
    EXPECT_EQ(RoundToInt32(13.5), 14);
    EXPECT_EQ(RoundToInt32(2147483647.4), 2147483647);
    EXPECT_EQ(RoundToInt32(-2147483648.5), std::numeric_limits<std::int32_t>::min());
}

TEST(RoundToInt32, OutOfRangeThrowsReadableText) {
    ScopedRegional it(RegionalSettings::Italian());
    try {
        RoundToInt32(3e9);
        FAIL();
    } catch (const OverflowError& e) {
        EXPECT_STREQ(e.what(), "Valore fuori dall'intervallo consentito: 3000000000");
    }
    EXPECT_THROW(RoundToInt32(2147483647.5), OverflowError); // the even neighbour is 2^31
    EXPECT_THROW(RoundToInt32(-2147483649.0), OverflowError);
    EXPECT_THROW(RoundToInt32(std::numeric_limits<double>::quiet_NaN()), OverflowError);
    EXPECT_THROW(RoundToInt32(std::numeric_limits<double>::infinity()), OverflowError);
}

} // namespace
} // namespace velcaro::text
