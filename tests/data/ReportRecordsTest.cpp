#include "data/ReportRecords.h"

#include <gtest/gtest.h>

namespace velcaro::data {
namespace {

TEST(ReportRecords, StartEmptyAndAreReadByName)
{
    AnalysisState s;
    const auto all = RecordFields(s);
    EXPECT_EQ(all.size(), 14u + 9u + 23u + 6u + 23u);
    for (const RecordField& f : all) {
        if (auto* str = std::get_if<std::string>(&f.value))
            EXPECT_TRUE(str->empty()) << f.record << "." << f.field;
        else if (auto* i = std::get_if<std::int32_t>(&f.value))
            EXPECT_EQ(*i, 0) << f.record << "." << f.field;
        else
            EXPECT_EQ(std::get<double>(f.value), 0.0) << f.record << "." << f.field;
    }
    s.ExcelPallet.PezziPallet = 480;
    s.ExcelComponente.PesoNetto = 20.38;
    s.ExcelTramezzi.Tipo = "Onda B";
    EXPECT_EQ(std::get<std::int32_t>(*ReadRecordField(s, "TExcelPallet", "PezziPallet")), 480);
    EXPECT_DOUBLE_EQ(std::get<double>(*ReadRecordField(s, "TExcelComponente", "PesoNetto")), 20.38);
    EXPECT_EQ(std::get<std::string>(*ReadRecordField(s, "TExcelTramezzi", "Tipo")), "Onda B");
    EXPECT_FALSE(ReadRecordField(s, "TExcelPallet", "Nessuno"));
    EXPECT_FALSE(ReadRecordField(s, "TExcelNessuno", "Costo"));
}

} // namespace
} // namespace velcaro::data
