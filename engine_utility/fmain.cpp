#include "fmain.h"

#include <charconv>

namespace dorvik {

namespace {

constexpr const char* kDialectHint =
    "Sets the registry key for the SQL Dialect for the InterBase driver.\r"
    "This is disabled if BDE version 5.2 or later is not installed.";
constexpr const char* kNotFound = "BDE registry entries not found.";
constexpr const char* kLibraryName = "\\IDAPI32.DLL";
constexpr const char* kAskContinue = "This will attempt to create a temporary Paradox table\r"
                                     "and open it to see if the BDE is properly installed.\r"
                                     "If successful, the temporary table will be deleted.\r"
                                     "Continue?";
constexpr const char* kAskDeleteLeftover = "Temporary Paradox table already exists.\r"
                                           "Delete it so you can run the text again?";
constexpr const char* kCannotCreate = "Unable to create temporary Paradox table.";
constexpr const char* kCannotRemove = "Unable to remove temporary Paradox table.\r";
constexpr const char* kWorking = "The BDE is installed and working properly.";

// The first engine version that knows the InterBase dialect setting.
constexpr double kDialectVersion = 5.2;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(const std::string& s, std::size_t i) {
    while (i < s.size() && IsDigit(s[i]))
        ++i;
    return i;
}

std::vector<FieldDef> TempTableFields() {
    return {FieldDef{kTempFieldName, FieldType::SmallInt, true}};
}

} // namespace

std::string VersionPrefix(const std::string& version) {
    const auto point = version.find('.');
    if (point == std::string::npos)
        return version.substr(0, 1);
    return version.substr(0, point + 2);
}

std::optional<double> TextToFloat(const std::string& text, char decimalSeparator) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const auto last = text.find_last_not_of(' ');
    const std::string s = text.substr(first, last - first + 1);

    // Check the shape here and hand a plain C-locale text to from_chars, so the
    // result never depends on the process locale.
    std::string plain;
    std::size_t i = 0;
    if (s[i] == '+' || s[i] == '-') {
        if (s[i] == '-')
            plain += '-';
        ++i;
    }
    std::size_t end = SkipDigits(s, i);
    bool digits = end > i;
    plain += s.substr(i, end - i);
    i = end;
    if (i < s.size() && s[i] == decimalSeparator) {
        plain += '.';
        end = SkipDigits(s, i + 1);
        digits = digits || end > i + 1;
        plain += s.substr(i + 1, end - i - 1);
        i = end;
    }
    if (!digits)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            plain += s[i++];
        end = SkipDigits(s, i);
        if (end == i)
            return std::nullopt;
        plain += s.substr(i, end - i);
        i = end;
    }
    if (i != s.size())
        return std::nullopt;

    double value = 0;
    const auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (result.ec != std::errc() || result.ptr != plain.data() + plain.size())
        return std::nullopt;
    return value;
}

bool DialectSettingAvailable(const std::string& version) {
    // A version resource always writes its numbers with a point, whatever the user's
    // regional settings say; reading it with a comma separator would take every engine
    // for one older than 5.2 on machines set up for a comma.
    const double number = TextToFloat(VersionPrefix(version), '.').value_or(0.0);
    return !(number < kDialectVersion);
}

std::string WithoutTrailingBackslash(const std::string& path) {
    if (!path.empty() && path.back() == '\\')
        return path.substr(0, path.size() - 1);
    return path;
}

TfrmMain::TfrmMain(EnginePlatform& platform, DialogHost& host)
    : cmbIBDialect({"1", "3"}, "1"), platform_(platform), host_(host) {
    cmbIBDialect.OnChange = [this] { cmbIBDialectChange(); };
    platform_.tblTemp().SetTableName(kTempTableName);
}

void TfrmMain::FormActivate() {
    cmbIBDialect.Hint = kDialectHint;
    DialectChanged = false;

    if (!ReadBDESettings()) {
        edtBDEPath.Text = kNotFound;
        edtBDEConfig.Text = kNotFound;
        edtBDEVersion.Text = kNotFound;
        return;
    }

    const std::string version = ReadFileVersion(edtBDEPath.Text + kLibraryName);
    if (version.empty()) {
        edtBDEVersion.Text = edtBDEPath.Text + kLibraryName + " not found.";
        DisableDialectChoice();
        return;
    }
    edtBDEVersion.Text = version;
    if (!DialectSettingAvailable(version))
        DisableDialectChoice();
}

void TfrmMain::cmbIBDialectChange() {
    DialectChanged = true;
}

void TfrmMain::btnTestBDEClick() {
    const std::vector<MsgDlgBtn> yesNo{MsgDlgBtn::mbYes, MsgDlgBtn::mbNo};
    if (host_.MessageDlg(kAskContinue, MsgDlgType::mtConfirmation, yesNo) != MsgDlgBtn::mbYes)
        return;

    EngineTable& table = platform_.tblTemp();
    table.Close();
    table.SetDatabaseName(platform_.GetEnvironmentVariable("TEMP"));

    if (table.Exists()) {
        // A leftover from an earlier run: offer to remove it, and let the user test again.
        if (host_.MessageDlg(kAskDeleteLeftover, MsgDlgType::mtConfirmation, yesNo) ==
            MsgDlgBtn::mbYes) {
            try {
                table.DeleteTable();
            } catch (const std::exception&) {
                ShowRemoveFailure(table);
            }
        }
        return;
    }

    try {
        table.CreateTable(TempTableFields());
    } catch (const std::exception&) {
        host_.MessageDlg(kCannotCreate, MsgDlgType::mtError, {MsgDlgBtn::mbOK});
    }

    bool success = false;
    if (table.Exists()) {
        success = true;
        table.Open();
        table.Close();
        try {
            table.DeleteTable();
        } catch (const std::exception&) {
            ShowRemoveFailure(table);
        }
    }
    if (success)
        host_.MessageDlg(kWorking, MsgDlgType::mtInformation, {MsgDlgBtn::mbOK});
}

void TfrmMain::btnCloseClick() {
    if (DialectChanged) {
        if (auto key = platform_.OpenLocalMachineKey(kDbOpenKey, true))
            key->WriteString("SQLDIALECT", cmbIBDialect.ItemIndex() == 0 ? "1" : "3");
    }
    host_.CloseWindow();
}

bool TfrmMain::ReadBDESettings() {
    auto engine = platform_.OpenLocalMachineKey(kEngineKey, false);
    if (!engine) {
        DisableDialectChoice();
        return false;
    }
    const std::string path = engine->ReadString("DLLPATH");
    if (!path.empty())
        edtBDEPath.Text = WithoutTrailingBackslash(path);
    const std::string config = engine->ReadString("CONFIGFILE01");
    if (!config.empty())
        edtBDEConfig.Text = config;
    engine.reset();

    if (auto dbOpen = platform_.OpenLocalMachineKey(kDbOpenKey, false))
        cmbIBDialect.SetItemIndex(dbOpen->ReadString("SQLDIALECT") == "3" ? 1 : 0);
    return true;
}

std::string TfrmMain::ReadFileVersion(const std::string& fileName) {
    const std::uint32_t size = platform_.GetFileVersionInfoSize(fileName);
    if (size == 0)
        return {};
    std::vector<std::uint8_t> data(size);
    if (!platform_.GetFileVersionInfo(fileName, data))
        return {};
    return platform_.VerQueryValue(data, std::string(kVersionEntry) + "FileVersion")
        .value_or(std::string());
}

void TfrmMain::DisableDialectChoice() {
    cmbIBDialect.SetItemIndex(0);
    cmbIBDialect.Enabled = false;
    cmbIBDialect.Color = TColor::clBtnFace;
}

void TfrmMain::ShowRemoveFailure(EngineTable& table) {
    host_.MessageDlg(kCannotRemove + table.DatabaseName() + "\\" + table.TableName(),
                     MsgDlgType::mtError, {MsgDlgBtn::mbOK});
}

} // namespace dorvik
