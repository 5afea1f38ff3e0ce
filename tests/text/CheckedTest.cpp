#include "platform/text/Checked.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace velcaro::text {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

const char* const kAbove =
    "Il risultato del calcolo supera il limite dei numeri interi (2.147.483.647).";
const char* const kBelow =
    "Il risultato del calcolo supera il limite dei numeri interi (-2.147.483.648).";

using Op = std::function<std::int32_t()>;

struct OverflowRow {
    const char* fault;
    Op op;
    const char* message;
};

const OverflowRow kOverflows[] = {
    {"AddPastMaximum", [] { return CheckedAdd(kMax, 1); }, kAbove},
    {"AddPastMinimum", [] { return CheckedAdd(kMin, -1); }, kBelow},
    {"SubPastMinimum", [] { return CheckedSub(kMin, 1); }, kBelow},
    {"SubtractingMinimumFromZero", [] { return CheckedSub(0, kMin); }, kAbove},
    {"MinimumTimesMinusOne", [] { return CheckedMul(kMin, -1); }, kAbove},
    {"ProductJustPastMaximum", [] { return CheckedMul(46341, 46341); }, kAbove},
    {"NegativeProductPastMinimum", [] { return CheckedMul(-65536, 32769); }, kBelow},
    {"MinimumDividedByMinusOne", [] { return CheckedDiv(kMin, -1); }, kAbove},
    {"NarrowPastMaximum", [] { return CheckedNarrow(2147483648LL); }, kAbove},
    {"NarrowPastMinimum", [] { return CheckedNarrow(-2147483649LL); }, kBelow},
};

class CheckedOverflow : public ::testing::TestWithParam<OverflowRow> {};

TEST_P(CheckedOverflow, ThrowsInsteadOfWrapping) {
    try {
        const std::int32_t wrapped = GetParam().op();
        FAIL() << "returned " << wrapped;
    } catch (const OverflowError& e) {
        EXPECT_STREQ(e.what(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CheckedOverflow, ::testing::ValuesIn(kOverflows),
                         [](const auto& info) { return std::string(info.param.fault); });

struct ResultRow {
    const char* fault;
    Op op;
    std::int32_t expected;
};

const ResultRow kResults[] = {
    {"AddReachesMaximum", [] { return CheckedAdd(kMax - 1, 1); }, kMax},
    {"SubReachesMinimum", [] { return CheckedSub(-1, kMax); }, kMin},
    {"LargestSquare", [] { return CheckedMul(46340, 46340); }, 2147395600},
    {"ProductReachesMinimum", [] { return CheckedMul(-65536, 32768); }, kMin},
    {"DivTruncatesTowardZeroNegativeDivisor", [] { return CheckedDiv(7, -2); }, -3},
    {"DivTruncatesTowardZeroNegativeDividend", [] { return CheckedDiv(-7, 2); }, -3},
    {"ModKeepsDividendSign", [] { return CheckedMod(-7, 2); }, -1},
    {"MinimumModMinusOneIsZero", [] { return CheckedMod(kMin, -1); }, 0},
    {"NarrowMinimum", [] { return CheckedNarrow(kMin); }, kMin},
};

class CheckedResult : public ::testing::TestWithParam<ResultRow> {};

TEST_P(CheckedResult, Value) {
    EXPECT_EQ(GetParam().op(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, CheckedResult, ::testing::ValuesIn(kResults),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(CheckedDivision, ByZeroIsAnErrorNotAnOverflow) {
    for (const Op& op : {Op([] { return CheckedDiv(5, 0); }), Op([] { return CheckedMod(5, 0); }),
                         Op([] { return CheckedDiv(kMin, 0); })}) {
        try {
            op();
            ADD_FAILURE() << "no error";
        } catch (const OverflowError&) {
            ADD_FAILURE() << "division by zero reported as overflow";
        } catch (const Error& e) {
            EXPECT_STREQ(e.what(), "Divisione per zero.");
        }
    }
}

} // namespace
} // namespace velcaro::text
