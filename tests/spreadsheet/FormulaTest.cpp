#include "platform/Error.h"
#include "platform/spreadsheet/Spreadsheet.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace velcaro::spreadsheet {
namespace {

// Renders a value so that a failing row shows what came out.
std::string Show(const CellValue& v) {
    if (IsEmpty(v))
        return "<vuoto>";
    if (const double* d = std::get_if<double>(&v))
        return "n:" + std::to_string(*d);
    if (const bool* b = std::get_if<bool>(&v))
        return *b ? "b:TRUE" : "b:FALSE";
    if (const auto* e = std::get_if<ErrorValue>(&v))
        return "e:" + std::string(ErrorText(*e));
    return "s:" + std::get<std::string>(v);
}

bool Same(const CellValue& got, const CellValue& want) {
    if (IsNumber(got) && IsNumber(want))
        return std::fabs(std::get<double>(got) - std::get<double>(want)) <= 1e-12;
    return got == want;
}

class FormulaSheet : public ::testing::Test {
protected:
    void SetUp() override {
        sheet.Range("A1").Value(10);
        sheet.Range("A2").Value(0);
        sheet.Range("A3").Value("abc");
        sheet.Range("A4").Value(2.5);
        sheet.Range("B1").Value(1);
        sheet.Range("B2").Value(2);
        sheet.Range("B3").Value(3);
        sheet.Range("C1").Value("5");
        sheet.Range("C2").Value(true);
    }

    CellValue Eval(const std::string& formula) {
        Range target = sheet.Range("Z100");
        target.Formula(formula);
        sheet.Calculate();
        return target.Value();
    }

    Application app;
    Worksheet sheet = app.Workbooks().Add(xlWBATWorksheet).Worksheets(1);
};

struct EvalRow {
    const char* fault;
    const char* formula;
    CellValue expected;
};

TEST_F(FormulaSheet, EvaluatesLikeASpreadsheet) {
    const EvalRow rows[] = {
        {"SeWithCommaWrongBranch", "=SE(A2=0,1,2)", 1.0},
        {"SeWithSemicolonRejected", "=SE(A2=0;1;2)", 1.0},
        {"SemicolonFormDecimalCommaMisread", "=SE(A1>0;0,5;1)", 0.5},
        {"IfElseBranchIgnored", "=IF(A1=0,1,2)", 2.0},
        {"IfWithoutElseNotFalse", "=IF(A1=0,1)", false},
        {"IfConditionTextNotValueError", "=IF(A3,1,2)", ErrorValue::Value},
        {"SommaOverRangeWrong", "=SOMMA(B1:B3)", 6.0},
        {"SumCountsTextInRange", "=SUM(A1:A4)", 12.5},
        {"SumCountsLogicalInRange", "=SUM(C2:C2,B1)", 1.0},
        {"AbsoluteReferencesMisread", "=SUM($B$1:$B$3)+$A$1", 16.0},
        {"SumOfTextArgumentNotError", "=SUM(B1,\"x\")", ErrorValue::Value},
        {"DivisionByZeroNotError", "=A1/A2", ErrorValue::Div0},
        {"DivisionByEmptyCellNotError", "=A1/Y99", ErrorValue::Div0},
        {"Div0NotPropagatedByArithmetic", "=1+A1/A2", ErrorValue::Div0},
        {"Div0NotPropagatedBySum", "=SOMMA(B1:B3,A1/A2)", ErrorValue::Div0},
        {"Div0NotPropagatedByComparison", "=IF(A1/A2=1,1,0)", ErrorValue::Div0},
        {"GuardedDivisionStillFails", "=SE(A2=0,0,A1/A2)", 0.0},
        {"MultiplicationNotFirst", "=2+3*4", 14.0},
        {"ParenthesesIgnored", "=(2+3)*4", 20.0},
        {"PowerEvaluatedRightToLeft", "=2^3^2", 64.0},
        {"NegationBelowPower", "=-2^2", 4.0},
        {"PercentIgnored", "=50%", 0.5},
        {"SubtractionLeftAssociativeLost", "=10-4-3", 3.0},
        {"ConcatenationOfNumberWrong", "=\"Pezzi: \"&A1", std::string("Pezzi: 10")},
        {"ConcatenationOfDecimalWrong", "=A4&\"\"", std::string("2.5")},
        {"ConcatenationOfEmptyWrong", "=\"x\"&Y99&\"y\"", std::string("xy")},
        {"QuotesInTextLost", "=\"a\"\"b\"", std::string("a\"b")},
        {"GreaterThanWrong", "=A1>A4", true},
        {"LessOrEqualWrong", "=A1<=A4", false},
        {"NotEqualWrong", "=A1<>10", false},
        {"GreaterOrEqualWrong", "=A1>=10", true},
        {"TextComparisonCaseSensitive", "=A3=\"ABC\"", true},
        {"TextNotAboveNumbers", "=A3>A1", true},
        {"EmptyNotZero", "=Y99=0", true},
        {"FloatNoiseBreaksEquality", "=0.1+0.2=0.3", true},
        {"NumericTextNotConverted", "=C1*2", 10.0},
        {"NonNumericTextAccepted", "=A3+1", ErrorValue::Value},
        {"MinWrong", "=MIN(B1:B3)", 1.0},
        {"MaxIgnoresScalars", "=MAX(B1:B3,7)", 7.0},
        {"ArrotondaNotHalfAway", "=ARROTONDA(2.675;2)", 2.68},
        {"RoundNegativeNotAwayFromZero", "=ROUND(-2.5,0)", -3.0},
        {"RoundToTensWrong", "=ROUND(1234,-2)", 1200.0},
        {"TextInsideQuotesSplitOnSemicolon", "=SE(A1>0,\"a;b\",\"c\")", std::string("a;b")},
        {"UnknownFunctionNotNameError", "=FOO(1)", ErrorValue::Name},
        {"ErrorLiteralLost", "=#N/D", ErrorValue::NA},
        {"ResultOfEmptyCellNotZero", "=Y99", 0.0},
        {"OtherSheetReferenceNotRefError", "='Altro foglio'!A1", ErrorValue::Ref},
    };
    for (const auto& r : rows) {
        const CellValue got = Eval(r.formula);
        EXPECT_TRUE(Same(got, r.expected)) << r.fault << ": " << r.formula << " gave " << Show(got)
                                           << ", wanted " << Show(r.expected);
    }
}

TEST_F(FormulaSheet, ZeroPiecesPerContainerShowsTheDivisionErrorUpToTheTotal) {
    // Separators per container but no pieces per container: the separators' cost
    // formula only tests I13, so it divides by zero, and the total shows it too.
    sheet.Range("D14").Value(0);
    sheet.Range("D6").Value(12.5);
    sheet.Range("I13").Value(4);
    sheet.Range("I9").Value(1.2);
    sheet.Range("E8").Value(300);
    sheet.Range("E9").Value(400);
    sheet.Range("D30").Formula("=SE(D14=0,0,D6/D14)");
    sheet.Range("D31").Formula("=SE(I13=0,0,((E8/1000)*(E9/1000)*I9*I13)/D14)");
    sheet.Range("D35").Formula("=SOMMA(D30:D33)");
    sheet.Calculate();
    EXPECT_EQ(sheet.Range("D30").Value(), CellValue(0.0));
    EXPECT_EQ(sheet.Range("D31").Value(), CellValue(ErrorValue::Div0));
    EXPECT_EQ(sheet.Range("D35").Value(), CellValue(ErrorValue::Div0));
}

TEST_F(FormulaSheet, CircularReferencesGiveAnErrorValue) {
    sheet.Range("E1").Formula("=E2+1");
    sheet.Range("E2").Formula("=E1+1");
    sheet.Range("E3").Formula("=E3");
    sheet.Range("E4").Formula("=SUM(E1:E2)*2");
    sheet.Range("E5").Formula("=IF(TRUE,7,E1)");
    sheet.Range("E6").Formula("=SUM(E5:E7)"); // its own cell inside the range
    sheet.Calculate();
    EXPECT_EQ(sheet.Range("E1").Value(), CellValue(ErrorValue::Ref)) << "two-cell cycle";
    EXPECT_EQ(sheet.Range("E2").Value(), CellValue(ErrorValue::Ref)) << "two-cell cycle";
    EXPECT_EQ(sheet.Range("E3").Value(), CellValue(ErrorValue::Ref)) << "self reference";
    EXPECT_EQ(sheet.Range("E4").Value(), CellValue(ErrorValue::Ref)) << "depends on a cycle";
    EXPECT_EQ(sheet.Range("E5").Value(), CellValue(7.0)) << "untaken branch poisoned";
    EXPECT_EQ(sheet.Range("E6").Value(), CellValue(ErrorValue::Ref)) << "range over itself";
}

TEST_F(FormulaSheet, LongChainsDoNotExhaustTheStack) {
    constexpr int kLength = 20000;
    sheet.Cells(1, 8).Value(1);
    for (int r = 2; r <= kLength; ++r)
        sheet.Cells(r, 8).Formula("=H" + std::to_string(r - 1) + "+1");
    sheet.Calculate();
    EXPECT_EQ(sheet.Cells(kLength, 8).Value(), CellValue(static_cast<double>(kLength)));
}

TEST_F(FormulaSheet, RecalculationFollowsChangedInputs) {
    sheet.Range("F1").Formula("=A1*2");
    sheet.Calculate();
    EXPECT_EQ(sheet.Range("F1").Value(), CellValue(20.0));
    sheet.Range("A1").Value(4);
    sheet.Calculate();
    EXPECT_EQ(sheet.Range("F1").Value(), CellValue(8.0));
}

struct BadRow {
    const char* fault;
    const char* formula;
};

TEST_F(FormulaSheet, MalformedFormulasAreRefusedWithAClearError) {
    const BadRow rows[] = {
        {"MissingParenthesisAccepted", "=SE(1,2"},
        {"DanglingOperatorAccepted", "=1+"},
        {"UnterminatedTextAccepted", "=\"abc"},
        {"WrongArgumentCountAccepted", "=SE(1)"},
        {"StrayParenthesisAccepted", "=1)"},
        {"EmptyFormulaAccepted", "="},
        {"DeepNestingCrashes", "=((((((((((((((((((((((((((((((((((((((((((((((((((((((((("
                               "((((((((((((((((((((((((((((((((((((((((((((((((((((((1"},
    };
    sheet.Range("G1").Value(3);
    for (const auto& r : rows) {
        try {
            sheet.Range("G1").Formula(r.formula);
            ADD_FAILURE() << r.fault;
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find("Formula non valida"), std::string::npos)
                << r.fault;
        }
        EXPECT_EQ(sheet.Range("G1").Value(), CellValue(3.0)) << r.fault << ": cell changed";
    }
}

} // namespace
} // namespace velcaro::spreadsheet
