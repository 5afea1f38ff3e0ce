#include "platform/Error.h"
#include "platform/spreadsheet/Formula.h"
#include "platform/spreadsheet/NumberFormat.h"

#include <gtest/gtest.h>

namespace velcaro::spreadsheet {
namespace {

struct Row {
    const char* fault;
    const char* given;
    const char* expected;
};

TEST(NumberFormatTranslation, SwapsGroupingAndDecimalSymbols) {
    const Row rows[] = {
        {"CurrencyOneDecimalKeptItalian", "€ #.##0,0", "€ #,##0.0"},
        {"CurrencyThreeDecimalsKeptItalian", "€ #.##0,000", "€ #,##0.000"},
        {"DecimalCommaKept", "0,00", "0.00"},
        {"GroupingPointKept", "#.##0", "#,##0"},
        {"GroupingWithoutZeroKept", "#.###", "#,###"},
        {"CurrencyGroupingKept", "€ #.###", "€ #,###"},
        {"PercentChanged", "0%", "0%"},
        {"QuotedLiteralSwapped", "#.##0,00 \"kg.\"", "#,##0.00 \"kg.\""},
        {"EscapedCharacterSwapped", "0,0\\.", "0.0\\."},
        {"BracketSectionSwapped", "[$€-410] #.##0,00", "[$€-410] #,##0.00"},
        {"StandardNotGeneral", "Standard", "General"},
        {"SectionsBroken", "#.##0,0;-#.##0,0", "#,##0.0;-#,##0.0"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ToInvariantNumberFormat(r.given), r.expected) << r.fault;
}

TEST(FormulaTranslation, GivesTheFileInvariantForm) {
    const Row rows[] = {
        {"SeNotTranslated", "=SE(D14=0,0,D6/D14)", "=IF(D14=0,0,D6/D14)"},
        {"SommaNotTranslated", "=SOMMA(D30:D33)", "=SUM(D30:D33)"},
        {"NestedCallsNotTranslated", "=SE(I13=0,0,((E8/1000)*(E9/1000)*I9*I13)/D14)",
         "=IF(I13=0,0,((E8/1000)*(E9/1000)*I9*I13)/D14)"},
        {"PlainArithmeticChanged", "=(R13/1000*D14*M17)+(D12*M17)+M12",
         "=(R13/1000*D14*M17)+(D12*M17)+M12"},
        {"SemicolonSeparatorKept", "=SE(A1>0;1;2)", "=IF(A1>0,1,2)"},
        {"DecimalCommaOfSemicolonFormKept", "=SE(A1>0;0,5;1,25)", "=IF(A1>0,0.5,1.25)"},
        {"QuotedTextTranslated", "=SE(A1=\"SE(x;y),SOMMA\";1;2)", "=IF(A1=\"SE(x;y),SOMMA\",1,2)"},
        {"DoubledQuoteEndsText", "=SE(A1=\"a\"\"SE(\";1;0)", "=IF(A1=\"a\"\"SE(\",1,0)"},
        {"LowercaseNameMissed", "=se(a1,1,2)", "=IF(a1,1,2)"},
        {"RoundNotTranslated", "=ARROTONDA(A1;2)", "=ROUND(A1,2)"},
        {"DottedNameNotTranslated", "=SOMMA.SE(A1:A3;\">0\")", "=SUMIF(A1:A3,\">0\")"},
        {"TruthWordsNotTranslated", "=SE(VERO;1;FALSO)", "=IF(TRUE,1,FALSE)"},
        {"ErrorWordNotTranslated", "=SE(A1=#VALORE!;1;0)", "=IF(A1=#VALUE!,1,0)"},
        {"CellNamedLikeFunctionTranslated", "=SE1+1", "=SE1+1"},
        {"UnknownFunctionLost", "=CERCA.VERT(A1;B1:C3;2)", "=CERCA.VERT(A1,B1:C3,2)"},
        {"NonFormulaChanged", "SE(1,2)", "SE(1,2)"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ToInvariantFormula(r.given), r.expected) << r.fault;
}

TEST(FormulaTranslation, UnterminatedQuoteIsAClearError) {
    try {
        ToInvariantFormula("=SE(A1=\"abc;1;2)");
        FAIL() << "no error";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Formula non valida"), std::string::npos);
    }
}

struct ShiftRow {
    const char* fault;
    const char* given;
    int dRows;
    int dCols;
    const char* expected;
};

TEST(FormulaShift, RelativePartsMoveAnchoredStay) {
    const ShiftRow rows[] = {
        {"AnchorsIgnored", "=A1+$B$1+$C2+D$3", 1, 1, "=B2+$B$1+$C3+E$3"},
        {"RangeNotMoved", "=SUM(A1:A3)", 0, 1, "=SUM(B1:B3)"},
        {"QuotedTextMoved", "=\"A1\"&A1", 2, 0, "=\"A1\"&A3"},
        {"FunctionNameMoved", "=LOG10(A1)", 1, 0, "=LOG10(A2)"},
        {"OffSheetNotError", "=A1", -1, 0, "=#REF!"},
        {"NoMoveChanged", "=SE(A1;1;2)", 0, 0, "=SE(A1;1;2)"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(ShiftFormula(r.given, r.dRows, r.dCols), r.expected) << r.fault;
}

} // namespace
} // namespace velcaro::spreadsheet
