#include "catalogues/FamilyList.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace velcaro::catalogues {
namespace {

struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> names;
};

class FamilyListParse : public ::testing::TestWithParam<Case> {};

TEST_P(FamilyListParse, SplitsIntoNames) { EXPECT_EQ(ParseFamilyList(GetParam().bytes), GetParam().names); }

const std::vector<std::string> kPallets = {"LEGNO", "PLASTICA", "ALLUMINIO", "CARTONE"};

INSTANTIATE_TEST_SUITE_P(
    Format, FamilyListParse,
    ::testing::Values(
        Case{"crlf_after_each", "LEGNO\r\nPLASTICA\r\nALLUMINIO\r\nCARTONE\r\n", kPallets},
        Case{"no_final_break", "LEGNO\r\nPLASTICA\r\nALLUMINIO\r\nCARTONE", kPallets},
        Case{"lf_only_reads_the_same", "LEGNO\nPLASTICA\nALLUMINIO\nCARTONE\n", kPallets},
        Case{"cr_only_reads_the_same", "LEGNO\rPLASTICA\rALLUMINIO\rCARTONE\r", kPallets},
        Case{"empty_line_is_an_empty_name", "LEGNO\r\n\r\nPLASTICA\r\nALLUMINIO\r\nCARTONE\r\n",
             {"LEGNO", "", "PLASTICA", "ALLUMINIO", "CARTONE"}},
        Case{"blanks_kept", "  CASSA di LEGNO \r\n", {"  CASSA di LEGNO "}},
        Case{"nul_ends_the_text", std::string("LEGNO\r\nPLA\0STICA\r\n", 18), {"LEGNO", "PLA"}},
        Case{"windows_1252_accents", "CASSONE \xC0 PARETI\r\n\x80 PLUS\r\n",
             {"CASSONE \xC3\x80 PARETI", "\xE2\x82\xAC PLUS"}},
        Case{"valid_utf8_taken_as_it_is", "CASSONE \xC3\x80 PARETI\n", {"CASSONE \xC3\x80 PARETI"}},
        Case{"empty_file", "", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FamilyListRead, AFileThatCannotBeOpenedNamesItAndItsReason)
{
    try {
        ReadFamilyList("/nonexistent/folder/Famiglie Pallet.txt", "Testo\\Famiglie Pallet.txt");
        FAIL();
    } catch (const Error& e) {
        EXPECT_STREQ(e.what(), "Impossibile aprire il file \"Testo\\Famiglie Pallet.txt\": il file non esiste.");
    }
    EXPECT_THROW(ReadFamilyList(std::filesystem::temp_directory_path().string(), "Testo"), Error);
}

} // namespace
} // namespace velcaro::catalogues
