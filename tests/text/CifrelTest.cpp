#include "platform/Cifrel.h"
#include "platform/text/Conversions.h"
#include "platform/text/FormatFloat.h"
#include "platform/text/Regional.h"

#include <gtest/gtest.h>

namespace velcaro {
namespace {

using text::RegionalSettings;
using text::ScopedRegional;

struct PointRow {
    const char* fault;
    const char* text;
    const char* expected;
};

const PointRow kItalian[] = {
    {"ThousandsPointRemoved", "1.234", "1234"},
    {"PlainIntegerUnchanged", "1234", "1234"},
    {"BelowThousandUnchanged", "999", "999"},
    {"EveryPointRemoved", "1.234.567", "1234567"},
    {"DecimalCommaKept", "1.234,5", "1234,5"},
    {"NegativeKeepsSign", "-1.234", "-1234"},
    {"SmallDecimalUnchanged", "0,936", "0,936"},
    {"EmptyReadsAsZero", "", "0"},
    {"BlanksReadAsZero", "   ", "0"},
};

const PointRow kEnglish[] = {
    {"ThousandsCommaRemoved", "1,234", "1234"},
    {"DecimalPointKept", "1,234.5", "1234.5"},
    {"BelowThousandUnchanged", "999", "999"},
    {"EmptyReadsAsZero", "", "0"},
};

TEST(FindPointString, ItalianTable) {
    ScopedRegional it(RegionalSettings::Italian());
    for (const auto& r : kItalian)
        EXPECT_EQ(FindPointString(r.text), r.expected) << r.fault;
}

TEST(FindPointString, EnglishTable) {
    ScopedRegional en(RegionalSettings::English());
    for (const auto& r : kEnglish)
        EXPECT_EQ(FindPointString(r.text), r.expected) << r.fault;
}

TEST(FindPointString, MultibyteSeparatorRemovedWhole) {
    ScopedRegional nnbsp(RegionalSettings{",", "\u202F", ":"});
    EXPECT_EQ(FindPointString("1\u202F234\u202F567"), "1234567");
}

// What the windows rely on: whatever the program showed reads back as the same number.
TEST(FindPointString, FormattedNumbersReadBack) {
    for (const auto& settings : {RegionalSettings::Italian(), RegionalSettings::English()}) {
        ScopedRegional s(settings);
        for (int v : {0, 7, 999, 1000, 1234, 999999, 1234567, -1234, 2147483647}) {
            EXPECT_EQ(text::StrToInt(FindPointString(text::FormatFloat("#,#", v))), v) << v;
            EXPECT_EQ(text::StrToInt(FindPointString(text::IntToStr(v))), v) << v;
        }
        for (double v : {0.936, 12.5, 1234.56, -98765.4})
            EXPECT_NEAR(text::StrToFloat(FindPointString(text::FormatFloat("#,#0.00", v))), v,
                        0.005)
                << v;
    }
}

} // namespace
} // namespace velcaro
