#include "platform/spreadsheet/Address.h"
#include "platform/spreadsheet/Palette.h"

#include <gtest/gtest.h>

namespace velcaro::spreadsheet {
namespace {

struct AddressRow {
    const char* fault;
    const char* text;
    std::optional<Rect> expected;
};

TEST(Address, ParsesWhatTheExportWrites) {
    const AddressRow rows[] = {
        {"SingleCellMisread", "D30", Rect{30, 4, 30, 4}},
        {"LowercaseRejected", "b4:b6", Rect{4, 2, 6, 2}},
        {"AnchorsNotSkipped", "$A$1:$C$3", Rect{1, 1, 3, 3}},
        {"ReversedCornersNotNormalised", "D30:B2", Rect{2, 2, 30, 4}},
        {"TwoLetterColumnMiscounted", "AB12", Rect{12, 28, 12, 28}},
        {"WholeColumnsRejected", "A:C", Rect{1, 1, kMaxRows, 3}},
        {"WholeRowsRejected", "2:3", Rect{2, 1, 3, kMaxColumns}},
        {"RowZeroAccepted", "A0", std::nullopt},
        {"ColumnPastLastAccepted", "XFE1", std::nullopt},
        {"RowPastLastAccepted", "A1048577", std::nullopt},
        {"ThreePartRangeAccepted", "A1:B2:C3", std::nullopt},
        {"EmptyAccepted", "", std::nullopt},
        {"LeadingZeroRowAccepted", "A01", std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ParseRange(r.text), r.expected) << r.fault;
}

TEST(Address, FormatsLikeTheAddressMember) {
    EXPECT_EQ(FormatAddress(Rect{4, 2, 6, 2}), "$B$4:$B$6");
    EXPECT_EQ(FormatAddress(Rect{30, 4, 30, 4}), "$D$30");
    EXPECT_EQ(ColumnName(19), "S");
    EXPECT_EQ(ColumnName(28), "AB");
    EXPECT_EQ(ColumnName(kMaxColumns), "XFD");
}

struct PaletteRow {
    const char* fault;
    int index;
    std::optional<std::uint32_t> rgb;
};

TEST(Palette, DefaultColoursByIndex) {
    const PaletteRow rows[] = {
        {"TitleFillNotBlack", 1, 0x000000}, {"WhiteWrong", 2, 0xFFFFFF},
        {"PieceTitleNotBlue", 5, 0x0000FF}, {"CostTitleNotDarkRed", 9, 0x800000},
        {"KeyValueNotGreen", 10, 0x008000}, {"LabelFillNotLightGrey", 15, 0xC0C0C0},
        {"LastIndexWrong", 56, 0x333333},   {"OffByOneAtIndex40", 40, 0xFFCC99},
        {"ZeroAccepted", 0, std::nullopt},  {"PastLastAccepted", 57, std::nullopt},
    };
    for (const auto& r : rows)
        EXPECT_EQ(PaletteRgb(r.index), r.rgb) << r.fault;
}

TEST(Palette, AutomationColoursAreRedInTheLowByte) {
    EXPECT_EQ(AutomationToRgb(255), 0xFF0000u) << "red read as blue";
    EXPECT_EQ(AutomationToRgb(16777215), 0xFFFFFFu);
    EXPECT_EQ(AutomationToRgb(0), 0x000000u);
    EXPECT_EQ(Rgb(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(AutomationToRgb(Rgb(0x12, 0x34, 0x56)), 0x123456u);
    EXPECT_EQ(RgbToAutomation(0x123456), Rgb(0x12, 0x34, 0x56));
    EXPECT_EQ(NearestPaletteIndex(0xC0C0C0), 15);
    EXPECT_EQ(NearestPaletteIndex(0xC1C0BF), 15) << "near colour not matched";
}

} // namespace
} // namespace velcaro::spreadsheet
