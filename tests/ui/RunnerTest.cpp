// The runner's own contract: counts, messages and exit conditions.
#include "tools/scenario/Runner.h"

#include <gtest/gtest.h>

#include <sstream>

namespace velcaro::scenario {
namespace {

struct ScriptRun {
    Totals totals;
    std::string output;
};

ScriptRun RunScript(const std::string& text)
{
    std::ostringstream out;
    Runner runner(DefaultProgramDir(), out);
    ScriptRun r;
    r.totals = runner.RunText("t.scn", text);
    r.output = out.str();
    return r;
}

TEST(Runner, CountsChecksAndReportsFailuresWithTheirLine)
{
    const ScriptRun r = RunScript("start\n"
                            "expect MainForm.eTotalePezzi = \"0\"\n"
                            "# comment\n"
                            "\n"
                            "expect MainForm.eTotalePezzi = \"1\"\n"
                            "expect nodialog\n");
    EXPECT_EQ(r.totals.passed, 2);
    EXPECT_EQ(r.totals.failed, 1);
    EXPECT_FALSE(r.totals.error);
    EXPECT_NE(r.output.find("t.scn:5: expected \"1\", got \"0\""), std::string::npos) << r.output;
}

struct ErrorCase {
    const char* name;
    const char* script;
    const char* message;
};

class RunnerErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(RunnerErrors, StopTheScriptNamingTheLine)
{
    const ScriptRun r = RunScript(GetParam().script);
    EXPECT_TRUE(r.totals.error);
    EXPECT_NE(r.output.find(GetParam().message), std::string::npos) << r.output;
}

INSTANTIATE_TEST_SUITE_P(
    Script, RunnerErrors,
    ::testing::Values(
        ErrorCase{"unknown_command", "start\nfrobnicate MainForm.bbHelp\n", "t.scn:2: errore"},
        ErrorCase{"unknown_form", "start\nclick fNessuna.bbOK\n", "fNessuna"},
        ErrorCase{"unknown_control", "start\nclick MainForm.bbNessuno\n", "bbNessuno"},
        ErrorCase{"disabled_control", "start\nclick MainForm.sbMezzo\n", "disattivato"},
        ErrorCase{"ends_inside_a_modal_form", "start\nclick MainForm.bbSplash\n", "AboutBox"},
        ErrorCase{"unterminated_quote", "start\nexpect MainForm.eTara = \"abc\n", "t.scn:2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Runner, AMultiButtonDialogWithoutAQueuedAnswerIsAFailure)
{
    // The about box is modal; closing it with the queue empty is fine, but a question
    // with no answer queued is a fault of the script.
    const ScriptRun r = RunScript("start\nclick MainForm.bbSplash\nclick AboutBox.bbOK\nexpect nodialog\n");
    EXPECT_EQ(r.totals.failed, 0);
    EXPECT_FALSE(r.totals.error);
}

} // namespace
} // namespace velcaro::scenario
