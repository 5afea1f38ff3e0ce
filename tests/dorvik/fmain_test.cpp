// The engine information window's logic, driven through a scripted platform and host.

#include "Fakes.h"
#include "fmain.h"

#include "RowPrinter.h"

#include <gtest/gtest.h>

#include <locale>

namespace dorvik {
namespace {

using testing::Box;
using testing::FakeHost;
using testing::FakePlatform;

const std::string kNotFound = "BDE registry entries not found.";
const std::string kHint = "Sets the registry key for the SQL Dialect for the InterBase driver.\r"
                          "This is disabled if BDE version 5.2 or later is not installed.";
const std::string kAskContinue = "This will attempt to create a temporary Paradox table\r"
                                 "and open it to see if the BDE is properly installed.\r"
                                 "If successful, the temporary table will be deleted.\r"
                                 "Continue?";
const std::string kAskLeftover = "Temporary Paradox table already exists.\r"
                                 "Delete it so you can run the text again?";
const std::string kCannotCreate = "Unable to create temporary Paradox table.";
const std::string kWorking = "The BDE is installed and working properly.";
const std::vector<MsgDlgBtn> kYesNo{MsgDlgBtn::mbYes, MsgDlgBtn::mbNo};
const std::vector<MsgDlgBtn> kOk{MsgDlgBtn::mbOK};

const Box kContinueBox{MsgDlgType::mtConfirmation, kAskContinue, kYesNo};
const Box kLeftoverBox{MsgDlgType::mtConfirmation, kAskLeftover, kYesNo};
const Box kCreateBox{MsgDlgType::mtError, kCannotCreate, kOk};
const Box kWorkingBox{MsgDlgType::mtInformation, kWorking, kOk};

Box RemoveBox(const std::string& temp) {
    return Box{MsgDlgType::mtError,
               "Unable to remove temporary Paradox table.\r" + temp + "\\DorvikTemporaryTestTable",
               kOk};
}

struct Window {
    FakePlatform platform;
    FakeHost host;
    TfrmMain form{platform, host};

    // A working engine 5.2 installed in C:\BDE.
    Window() {
        platform.Registry.Keys[kEngineKey] = {{"DLLPATH", "C:\\BDE\\"},
                                              {"CONFIGFILE01", "C:\\BDE\\IDAPI.CFG"}};
        platform.Versions["C:\\BDE\\IDAPI32.DLL"] = "5.2.0.2";
        platform.Environment["TEMP"] = "C:\\TEMP";
    }
    void Activate() {
        RunHandler(host, [&] { form.FormActivate(); });
    }
    void TestEngine() {
        RunHandler(host, [&] { form.btnTestBDEClick(); });
    }
    void Close() {
        RunHandler(host, [&] { form.btnCloseClick(); });
    }
    void SetVersion(const std::optional<std::string>& version) {
        platform.Versions["C:\\BDE\\IDAPI32.DLL"] = version;
    }
    std::optional<std::string> WrittenDialect() {
        const auto key = platform.Registry.Keys.find(kDbOpenKey);
        if (key == platform.Registry.Keys.end())
            return std::nullopt;
        const auto found = key->second.find("SQLDIALECT");
        if (found == key->second.end())
            return std::nullopt;
        return found->second;
    }
};

void ExpectDialectDisabledAtFirstItem(const TfrmMain& form) {
    EXPECT_EQ(form.cmbIBDialect.ItemIndex(), 0);
    EXPECT_EQ(form.cmbIBDialect.Text(), "1");
    EXPECT_FALSE(form.cmbIBDialect.Enabled);
    EXPECT_EQ(form.cmbIBDialect.Color, TColor::clBtnFace);
}

// --- Refresh ---------------------------------------------------------------------------

TEST(DorvikRefresh, WorkingEngineShowsPathConfigAndVersionAndKeepsTheDialectChoice) {
    Window w;
    w.Activate();
    EXPECT_EQ(w.form.edtBDEPath.Text, "C:\\BDE");
    EXPECT_EQ(w.form.edtBDEConfig.Text, "C:\\BDE\\IDAPI.CFG");
    EXPECT_EQ(w.form.edtBDEVersion.Text, "5.2.0.2");
    EXPECT_TRUE(w.form.cmbIBDialect.Enabled);
    EXPECT_EQ(w.form.cmbIBDialect.Color, TColor::clWindow);
    EXPECT_EQ(w.form.cmbIBDialect.Hint, kHint);
    EXPECT_EQ(w.platform.Queries,
              std::vector<std::string>{"StringFileInfo\\040904E4\\FileVersion"});
    EXPECT_TRUE(w.host.Errors.empty());
}

TEST(DorvikRefresh, MissingMainKeyFillsAllThreeEditsAndDisablesTheDialect) {
    Window w;
    w.platform.Registry.Keys.clear();
    w.form.cmbIBDialect.SetItemIndex(1);
    w.Activate();
    EXPECT_EQ(w.form.edtBDEPath.Text, kNotFound);
    EXPECT_EQ(w.form.edtBDEConfig.Text, kNotFound);
    EXPECT_EQ(w.form.edtBDEVersion.Text, kNotFound);
    ExpectDialectDisabledAtFirstItem(w.form);
    EXPECT_TRUE(w.platform.VersionLookups.empty()) << "no version is looked for";
    EXPECT_EQ(w.form.cmbIBDialect.Hint, kHint);
}

TEST(DorvikRefresh, MissingMainKeyWhileOnlyTheDialectKeyExistsStillCountsAsMissing) {
    Window w;
    w.platform.Registry.Keys.erase(kEngineKey);
    w.platform.Registry.Keys[kDbOpenKey] = {{"SQLDIALECT", "3"}};
    w.Activate();
    EXPECT_EQ(w.form.edtBDEVersion.Text, kNotFound);
    ExpectDialectDisabledAtFirstItem(w.form);
}

struct LibraryRow {
    const char* fault;
    std::optional<std::string> version; // nullopt: no FileVersion in 040904E4
    bool fileExists;
};

class DorvikLibraryNotFound : public ::testing::TestWithParam<LibraryRow> {};

TEST_P(DorvikLibraryNotFound, NamesTheLibraryAndDisablesTheDialect) {
    Window w;
    if (GetParam().fileExists)
        w.SetVersion(GetParam().version);
    else
        w.platform.Versions.clear();
    w.Activate();
    EXPECT_EQ(w.form.edtBDEPath.Text, "C:\\BDE");
    EXPECT_EQ(w.form.edtBDEVersion.Text, "C:\\BDE\\IDAPI32.DLL not found.");
    ExpectDialectDisabledAtFirstItem(w.form);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DorvikLibraryNotFound,
    ::testing::Values(LibraryRow{"LibraryMissing", std::nullopt, false},
                      LibraryRow{"ResourceWithoutTheUsEnglishBlock", std::nullopt, true},
                      LibraryRow{"EmptyFileVersionEntry", std::string(), true}),
    [](const auto& info) { return std::string(info.param.fault); });

struct PathRow {
    const char* fault;
    const char* dllPath;
    const char* shown;
    const char* lookedUp;
};

class DorvikDllPath : public ::testing::TestWithParam<PathRow> {};

TEST_P(DorvikDllPath, OneTrailingBackslashIsDroppedBeforeTheLibraryName) {
    Window w;
    w.platform.Registry.Keys[kEngineKey]["DLLPATH"] = GetParam().dllPath;
    w.Activate();
    EXPECT_EQ(w.form.edtBDEPath.Text, GetParam().shown);
    ASSERT_EQ(w.platform.VersionLookups.size(), 1u);
    EXPECT_EQ(w.platform.VersionLookups[0], GetParam().lookedUp);
}

INSTANTIATE_TEST_SUITE_P(Rows, DorvikDllPath,
                         ::testing::Values(PathRow{"TrailingBackslashKeptDoublesTheSeparator",
                                                   "C:\\X\\", "C:\\X", "C:\\X\\IDAPI32.DLL"},
                                           PathRow{"PathWithoutBackslashLosesACharacter", "C:\\X",
                                                   "C:\\X", "C:\\X\\IDAPI32.DLL"},
                                           PathRow{"MoreThanOneBackslashRemoved", "C:\\X\\\\",
                                                   "C:\\X\\", "C:\\X\\\\IDAPI32.DLL"},
                                           PathRow{"SlashMistakenForBackslash", "/opt/bde/",
                                                   "/opt/bde/", "/opt/bde/\\IDAPI32.DLL"}),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(DorvikRefresh, EmptyValuesLeaveTheirEditsAsTheyWere) {
    Window w;
    w.platform.Registry.Keys[kEngineKey] = {{"DLLPATH", ""}};
    w.form.edtBDEPath.Text = "earlier path";
    w.form.edtBDEConfig.Text = "earlier config";
    w.platform.Versions["earlier path\\IDAPI32.DLL"] = "5.2.0.2";
    w.Activate();
    EXPECT_EQ(w.form.edtBDEPath.Text, "earlier path");
    EXPECT_EQ(w.form.edtBDEConfig.Text, "earlier config");
    EXPECT_EQ(w.form.edtBDEVersion.Text, "5.2.0.2");
}

struct DialectRow {
    const char* fault;
    std::optional<std::string> value; // nullopt: no Db Open key at all
    int startIndex;
    int expectedIndex;
};

class DorvikDialectRead : public ::testing::TestWithParam<DialectRow> {};

TEST_P(DorvikDialectRead, OnlyExactly3SelectsTheSecondItem) {
    Window w;
    if (GetParam().value)
        w.platform.Registry.Keys[kDbOpenKey] = {{"SQLDIALECT", *GetParam().value}};
    w.form.cmbIBDialect.SetItemIndex(GetParam().startIndex);
    w.Activate();
    EXPECT_EQ(w.form.cmbIBDialect.ItemIndex(), GetParam().expectedIndex);
    EXPECT_TRUE(w.form.cmbIBDialect.Enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DorvikDialectRead,
    ::testing::Values(DialectRow{"Exact3", std::string("3"), 0, 1},
                      DialectRow{"ThreeWithTrailingBlankReadAs3", std::string("3 "), 1, 0},
                      DialectRow{"ThreeWithLeadingBlankReadAs3", std::string(" 3"), 1, 0},
                      DialectRow{"EmptyValueKeepsOldChoice", std::string(""), 1, 0},
                      DialectRow{"One", std::string("1"), 1, 0},
                      DialectRow{"ZeroPaddedReadAs3", std::string("03"), 1, 0},
                      DialectRow{"MissingKeyResetsChoiceTo1", std::nullopt, 1, 1},
                      DialectRow{"MissingKeySelects3", std::nullopt, 0, 0}),
    [](const auto& info) { return std::string(info.param.fault); });

struct VersionRow {
    const char* fault;
    const char* version;
    bool dialectAvailable;
};

class DorvikVersionRule : public ::testing::TestWithParam<VersionRow> {};

TEST_P(DorvikVersionRule, DialectChoiceFollowsTheEngineVersion) {
    Window w;
    w.SetVersion(std::string(GetParam().version));
    w.Activate();
    EXPECT_EQ(w.form.edtBDEVersion.Text, GetParam().version) << "the version is always shown";
    EXPECT_EQ(w.form.cmbIBDialect.Enabled, GetParam().dialectAvailable);
    if (!GetParam().dialectAvailable)
        ExpectDialectDisabledAtFirstItem(w.form);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DorvikVersionRule,
    ::testing::Values(VersionRow{"Version5202BelowItself", "5.2.0.2", true},
                      VersionRow{"Version52Exactly", "5.2", true},
                      VersionRow{"Version5111Allowed", "5.1.1.1", false},
                      VersionRow{"Version5011Allowed", "5.0.1.1", false},
                      VersionRow{"LaterMinorRejected", "5.9.0.0", true},
                      VersionRow{"TwoDigitMajorCutShort", "10.0.0.1", true},
                      VersionRow{"NoPointTakesFirstCharacterOnly", "6", true},
                      VersionRow{"NoPointFiveIsBelow52", "5", false},
                      VersionRow{"PointAtTheEnd", "5.", false},
                      VersionRow{"NoPointReadsOnlyTheFirstDigit", "5, 2, 0, 2", false},
                      VersionRow{"TextStartCountsAsZero", "V5.2", false},
                      VersionRow{"BlankAfterPointIsNotANumber", "5. 2", false}),
    [](const auto& info) { return std::string(info.param.fault); });

// A comma as the user's decimal separator must not change how a version is read.
struct CommaDecimals : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
};

TEST(DorvikRefresh, CommaDecimalSeparatorDoesNotChangeTheVersionVerdict) {
    const std::locale previous =
        std::locale::global(std::locale(std::locale::classic(), new CommaDecimals));
    Window w52;
    w52.Activate();
    Window w51;
    w51.SetVersion(std::string("5.1.1.1"));
    w51.Activate();
    std::locale::global(previous);
    EXPECT_TRUE(w52.form.cmbIBDialect.Enabled);
    EXPECT_FALSE(w51.form.cmbIBDialect.Enabled);
}

TEST(DorvikRefresh, RefreshNeverEnablesTheDialectAgainAndClearsTheChangeFlag) {
    Window w;
    w.SetVersion(std::string("5.1.1.1"));
    w.Activate();
    ASSERT_FALSE(w.form.cmbIBDialect.Enabled);
    w.form.DialectChanged = true;
    w.SetVersion(std::string("5.2.0.2"));
    w.Activate();
    EXPECT_FALSE(w.form.cmbIBDialect.Enabled);
    EXPECT_FALSE(w.form.DialectChanged);
}

TEST(DorvikRefresh, ReadFileVersionGivesEmptyTextWithoutAResource) {
    Window w;
    EXPECT_EQ(w.form.ReadFileVersion("C:\\BDE\\IDAPI32.DLL"), "5.2.0.2");
    EXPECT_EQ(w.form.ReadFileVersion("C:\\NOWHERE\\IDAPI32.DLL"), "");
    EXPECT_EQ(w.platform.Queries.size(), 1u) << "no query without a resource";
}

// --- Close -----------------------------------------------------------------------------

enum class UserDoes { Nothing, Picks1, Picks3, Types1, Types2, Types3, Picks3ThenPicks1 };

struct CloseRow {
    const char* fault;
    UserDoes action;
    bool dbOpenKeyExists;
    std::optional<std::string> written;
};

class DorvikClose : public ::testing::TestWithParam<CloseRow> {};

TEST_P(DorvikClose, WritesTheDialectOnlyWhenTheUserChangedIt) {
    Window w;
    if (GetParam().dbOpenKeyExists)
        w.platform.Registry.Keys[kDbOpenKey] = {};
    w.Activate();
    auto& combo = w.form.cmbIBDialect;
    switch (GetParam().action) {
    case UserDoes::Nothing:
        break;
    case UserDoes::Picks1:
        combo.UserSelects(0);
        break;
    case UserDoes::Picks3:
        combo.UserSelects(1);
        break;
    case UserDoes::Types1:
        combo.UserEdits("1");
        break;
    case UserDoes::Types2:
        combo.UserEdits("2");
        break;
    case UserDoes::Types3:
        combo.UserEdits("3");
        break;
    case UserDoes::Picks3ThenPicks1:
        combo.UserSelects(1);
        combo.UserSelects(0);
        break;
    }
    w.Close();
    EXPECT_EQ(w.WrittenDialect(), GetParam().written);
    EXPECT_EQ(w.host.Closed, 1);
    EXPECT_TRUE(w.host.Errors.empty());
    if (GetParam().action == UserDoes::Nothing) {
        EXPECT_EQ(w.platform.Registry.Keys.count(kDbOpenKey), GetParam().dbOpenKeyExists ? 1u : 0u)
            << "an unchanged choice must not even create the key";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DorvikClose,
    ::testing::Values(CloseRow{"UnchangedWritesNothingWithoutValue", UserDoes::Nothing, true,
                               std::nullopt},
                      CloseRow{"UnchangedCreatesNoKey", UserDoes::Nothing, false, std::nullopt},
                      CloseRow{"Choosing3Writes3", UserDoes::Picks3, true, "3"},
                      CloseRow{"Choosing3CreatesTheMissingKey", UserDoes::Picks3, false, "3"},
                      CloseRow{"Choosing1Writes1", UserDoes::Picks1, true, "1"},
                      CloseRow{"ChangedBackStillWrites", UserDoes::Picks3ThenPicks1, true, "1"},
                      CloseRow{"Typed2Writes3", UserDoes::Types2, true, "3"},
                      CloseRow{"Typed3Writes3", UserDoes::Types3, true, "3"},
                      CloseRow{"TypedItem1Writes1", UserDoes::Types1, true, "1"}),
    [](const auto& info) { return std::string(info.param.fault); });

TEST(DorvikClose, ProgramSelectionIsNotAUserChange) {
    Window w;
    w.platform.Registry.Keys[kDbOpenKey] = {{"SQLDIALECT", "3"}};
    w.Activate();
    ASSERT_EQ(w.form.cmbIBDialect.ItemIndex(), 1);
    EXPECT_FALSE(w.form.DialectChanged);
    w.Close();
    EXPECT_EQ(w.WrittenDialect(), "3");
    EXPECT_EQ(w.platform.Registry.Opened.size(), 2u) << "Close opened no key";
}

TEST(DorvikClose, KeyThatCannotBeCreatedWritesNothingAndSaysNothing) {
    Window w;
    w.platform.Registry.CreateFails = true;
    w.Activate();
    w.form.cmbIBDialect.UserSelects(1);
    w.Close();
    EXPECT_EQ(w.platform.Registry.Keys.count(kDbOpenKey), 0u);
    EXPECT_TRUE(w.host.Boxes.empty());
    EXPECT_TRUE(w.host.Errors.empty());
    EXPECT_EQ(w.host.Closed, 1);
}

TEST(DorvikClose, FailedWriteIsReportedAndTheWindowStaysOpen) {
    Window w;
    w.platform.Registry.Keys[kDbOpenKey] = {};
    w.platform.Registry.WriteFails = true;
    w.Activate();
    w.form.cmbIBDialect.UserSelects(1);
    w.Close();
    EXPECT_EQ(w.host.Errors, std::vector<std::string>{"Failed to set data for 'SQLDIALECT'"});
    EXPECT_EQ(w.host.Closed, 0);
}

TEST(DorvikClose, ChoiceMadeBeforeTheEngineTestIsWrittenAfterIt) {
    Window w;
    w.Activate();
    w.form.cmbIBDialect.UserSelects(1);
    w.TestEngine();
    ASSERT_EQ(w.host.Boxes.back(), kWorkingBox);
    EXPECT_TRUE(w.form.DialectChanged);
    EXPECT_EQ(w.form.cmbIBDialect.ItemIndex(), 1);
    w.Close();
    EXPECT_EQ(w.WrittenDialect(), "3");
}

// --- Engine test -----------------------------------------------------------------------

struct EngineRow {
    const char* fault;
    bool leftover;
    std::vector<MsgDlgBtn> answers;
    void (*arrange)(testing::FakeTable&);
    std::vector<Box> boxes;
    std::vector<std::string> errors;
    std::vector<std::string> operations;
    bool tableLeft;
};

class DorvikEngineTest : public ::testing::TestWithParam<EngineRow> {};

const std::string kSetTemp = "SetDatabaseName(C:\\TEMP)";

TEST_P(DorvikEngineTest, DialogsAndTableOperations) {
    const EngineRow& row = GetParam();
    Window w;
    w.Activate();
    w.platform.Table.Present = row.leftover;
    if (row.arrange)
        row.arrange(w.platform.Table);
    w.host.Answers.assign(row.answers.begin(), row.answers.end());
    w.TestEngine();
    EXPECT_EQ(w.host.Boxes, row.boxes);
    EXPECT_EQ(w.host.Errors, row.errors);
    EXPECT_EQ(w.platform.Table.Log, row.operations);
    EXPECT_EQ(w.platform.Table.Present, row.tableLeft);
    EXPECT_EQ(w.platform.Table.TableName(), "DorvikTemporaryTestTable");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DorvikEngineTest,
    ::testing::Values(
        EngineRow{"NoStopsBeforeTouchingTheEngine",
                  false,
                  {MsgDlgBtn::mbNo},
                  nullptr,
                  {kContinueBox},
                  {},
                  {},
                  false},
        EngineRow{"WorkingEngineGivesTheVerdict",
                  false,
                  {MsgDlgBtn::mbYes},
                  nullptr,
                  {kContinueBox, kWorkingBox},
                  {},
                  {"Close", kSetTemp, "Exists", "Create", "Exists", "Open", "Close", "Delete"},
                  false},
        EngineRow{"LeftoverDeletedWithoutVerdict",
                  true,
                  {MsgDlgBtn::mbYes, MsgDlgBtn::mbYes},
                  nullptr,
                  {kContinueBox, kLeftoverBox},
                  {},
                  {"Close", kSetTemp, "Exists", "Delete"},
                  false},
        EngineRow{"LeftoverKeptOnNo",
                  true,
                  {MsgDlgBtn::mbYes, MsgDlgBtn::mbNo},
                  nullptr,
                  {kContinueBox, kLeftoverBox},
                  {},
                  {"Close", kSetTemp, "Exists"},
                  true},
        EngineRow{"LeftoverThatCannotBeRemoved",
                  true,
                  {MsgDlgBtn::mbYes, MsgDlgBtn::mbYes},
                  [](testing::FakeTable& t) { t.DeleteFails = true; },
                  {kContinueBox, kLeftoverBox, RemoveBox("C:\\TEMP")},
                  {},
                  {"Close", kSetTemp, "Exists", "Delete"},
                  true},
        EngineRow{"CreationFailsNoVerdict",
                  false,
                  {MsgDlgBtn::mbYes},
                  [](testing::FakeTable& t) { t.CreateFails = true; },
                  {kContinueBox, kCreateBox},
                  {},
                  {"Close", kSetTemp, "Exists", "Create", "Exists"},
                  false},
        EngineRow{"CreationFailsButTableExistsGoesOn",
                  false,
                  {MsgDlgBtn::mbYes},
                  [](testing::FakeTable& t) { t.CreateFailsLeavingTable = true; },
                  {kContinueBox, kCreateBox, kWorkingBox},
                  {},
                  {"Close", kSetTemp, "Exists", "Create", "Exists", "Open", "Close", "Delete"},
                  false},
        EngineRow{"RemovalFailsAfterWorkingTest",
                  false,
                  {MsgDlgBtn::mbYes},
                  [](testing::FakeTable& t) { t.DeleteFails = true; },
                  {kContinueBox, RemoveBox("C:\\TEMP"), kWorkingBox},
                  {},
                  {"Close", kSetTemp, "Exists", "Create", "Exists", "Open", "Close", "Delete"},
                  true},
        EngineRow{"OpenFailureReachesTheErrorReport",
                  false,
                  {MsgDlgBtn::mbYes},
                  [](testing::FakeTable& t) { t.OpenFails = true; },
                  {kContinueBox},
                  {"Corrupt table/index header."},
                  {"Close", kSetTemp, "Exists", "Create", "Exists", "Open"},
                  true},
        EngineRow{"EngineThatCannotStartReachesTheErrorReport",
                  false,
                  {MsgDlgBtn::mbYes},
                  [](testing::FakeTable& t) { t.CloseFails = true; },
                  {kContinueBox},
                  {"An error occurred while attempting to initialize the engine."},
                  {"Close"},
                  false}),
    [](const auto& info) { return std::string(info.param.fault); });

TEST(DorvikEngineTest, TableIsCreatedWithOneRequiredSmallIntField) {
    Window w;
    w.TestEngine();
    ASSERT_EQ(w.platform.Table.CreatedWith.size(), 1u);
    EXPECT_EQ(w.platform.Table.CreatedWith[0].Name, "tblTempField1");
    EXPECT_EQ(w.platform.Table.CreatedWith[0].Type, FieldType::SmallInt);
    EXPECT_TRUE(w.platform.Table.CreatedWith[0].Required);
}

TEST(DorvikEngineTest, LeftoverFromEarlierRunThenSecondTestSucceeds) {
    Window w;
    w.platform.Table.Present = true;
    w.TestEngine();
    EXPECT_EQ(w.host.Boxes, (std::vector<Box>{kContinueBox, kLeftoverBox}));
    w.host.Boxes.clear();
    w.TestEngine();
    EXPECT_EQ(w.host.Boxes, (std::vector<Box>{kContinueBox, kWorkingBox}));
}

TEST(DorvikEngineTest, UnsetTempGivesTheEngineAnEmptyDatabaseName) {
    Window w;
    w.platform.Environment.clear();
    w.platform.Table.DeleteFails = true;
    w.TestEngine();
    EXPECT_EQ(w.platform.Table.Log[1], "SetDatabaseName()");
    EXPECT_EQ(w.host.Boxes[1], RemoveBox(""));
}

// --- Pure helpers ----------------------------------------------------------------------

struct PrefixRow {
    const char* fault;
    const char* version;
    const char* prefix;
};

class DorvikVersionPrefix : public ::testing::TestWithParam<PrefixRow> {};

TEST_P(DorvikVersionPrefix, UpToTheCharacterAfterTheFirstPoint) {
    EXPECT_EQ(VersionPrefix(GetParam().version), GetParam().prefix);
}

INSTANTIATE_TEST_SUITE_P(Rows, DorvikVersionPrefix,
                         ::testing::Values(PrefixRow{"FourParts", "5.2.0.2", "5.2"},
                                           PrefixRow{"TwoDigitMajor", "10.3.1", "10.3"},
                                           PrefixRow{"NoPoint", "52", "5"},
                                           PrefixRow{"PointLast", "5.", "5."},
                                           PrefixRow{"PointFirst", ".5.1", ".5"},
                                           PrefixRow{"Empty", "", ""}),
                         [](const auto& info) { return std::string(info.param.fault); });

struct FloatRow {
    const char* fault;
    const char* text;
    char separator;
    std::optional<double> value;
};

class DorvikTextToFloat : public ::testing::TestWithParam<FloatRow> {};

TEST_P(DorvikTextToFloat, ReadsLikeThePlatformConversion) {
    const auto value = TextToFloat(GetParam().text, GetParam().separator);
    ASSERT_EQ(value.has_value(), GetParam().value.has_value());
    if (value) {
        EXPECT_DOUBLE_EQ(*value, *GetParam().value);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DorvikTextToFloat,
    ::testing::Values(
        FloatRow{"PointDecimal", "5.2", '.', 5.2}, FloatRow{"CommaDecimal", "5,2", ',', 5.2},
        FloatRow{"PointUnderCommaSeparator", "5.2", ',', std::nullopt},
        FloatRow{"CommaUnderPointSeparator", "5,2", '.', std::nullopt},
        FloatRow{"BlanksAround", "  5.2 ", '.', 5.2}, FloatRow{"Signs", "-5.2", '.', -5.2},
        FloatRow{"PlusSign", "+5", '.', 5.0}, FloatRow{"NoFraction", "5.", '.', 5.0},
        FloatRow{"NoWholePart", ".5", '.', 0.5}, FloatRow{"Exponent", "1e3", '.', 1000.0},
        FloatRow{"LoneSeparator", ".", '.', std::nullopt},
        FloatRow{"LoneSign", "-", '.', std::nullopt}, FloatRow{"Empty", "", '.', std::nullopt},
        FloatRow{"OnlyBlanks", "   ", '.', std::nullopt},
        FloatRow{"ExponentWithoutDigits", "5e", '.', std::nullopt},
        FloatRow{"OutOfRange", "1e999", '.', std::nullopt},
        FloatRow{"TwoSeparators", "5.2.0", '.', std::nullopt},
        FloatRow{"Letters", "x", '.', std::nullopt},
        FloatRow{"InfinityWord", "inf", '.', std::nullopt},
        FloatRow{"BlankInside", "5 .2", '.', std::nullopt}),
    [](const auto& info) { return std::string(info.param.fault); });

TEST(DorvikRunHandler, AnyErrorEndsInTheErrorReportAndNothingEscapes) {
    FakeHost host;
    RunHandler(host, [] { throw EngineError("engine says no"); });
    RunHandler(host, [] { throw 42; });
    EXPECT_EQ(host.Errors,
              (std::vector<std::string>{"engine says no", "An unexpected error occurred."}));
}

} // namespace
} // namespace dorvik
