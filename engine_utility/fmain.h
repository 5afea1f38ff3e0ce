#pragma once
// The logic of Dorvik's only window: the engine's settings, its version, the InterBase
// dialect and the engine test. It knows no toolkit; a view binds to its controls.
//
// Ownership: the window keeps references to the platform and the host, which outlive it.

#include "Controls.h"
#include "DialogHost.h"
#include "EnginePlatform.h"

#include <optional>
#include <string>

namespace dorvik {

inline constexpr const char* kEngineKey = "SOFTWARE\\Borland\\Database Engine";
inline constexpr const char* kDbOpenKey =
    "SOFTWARE\\Borland\\Database Engine\\Settings\\Drivers\\Intrbase\\Db Open";
inline constexpr const char* kTempTableName = "DorvikTemporaryTestTable";
inline constexpr const char* kTempFieldName = "tblTempField1";
inline constexpr const char* kVersionEntry = "StringFileInfo\\040904E4\\";

// The start of a version text that is read as a number: everything up to and including
// the character after the first point ("5.2.0.2" gives "5.2"), or the first character
// when there is no point.
std::string VersionPrefix(const std::string& version);

// Reads a decimal number the way the platform's float conversion does: blanks around
// it, an optional sign, digits with at most one decimal separator, an optional
// exponent. Nothing when the text is not such a number.
std::optional<double> TextToFloat(const std::string& text, char decimalSeparator);

// Whether the engine with this version text has the InterBase dialect setting (5.2 on).
bool DialectSettingAvailable(const std::string& version);

// "C:\X\" -> "C:\X": one trailing backslash is dropped.
std::string WithoutTrailingBackslash(const std::string& path);

class TfrmMain {
public:
    TfrmMain(EnginePlatform& platform, DialogHost& host);
    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    std::string Caption = "Dorvik";
    TEdit edtBDEPath;
    TEdit edtBDEConfig;
    TEdit edtBDEVersion;
    TComboBox cmbIBDialect;
    bool DialectChanged = false;

    void FormActivate();
    void cmbIBDialectChange();
    void btnTestBDEClick();
    void btnCloseClick();

    bool ReadBDESettings();
    std::string ReadFileVersion(const std::string& fileName);

private:
    void DisableDialectChoice();
    void ShowRemoveFailure(EngineTable& table);

    EnginePlatform& platform_;
    DialogHost& host_;
};

} // namespace dorvik
