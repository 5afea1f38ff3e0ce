// The file that stands in for HKEY_LOCAL_MACHINE.

#include "RegistryFile.h"
#include "TempDir.h"

#include "RowPrinter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace dorvik {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

const std::string kEngine = "SOFTWARE\\Borland\\Database Engine";
const std::string kDbOpen =
    "SOFTWARE\\Borland\\Database Engine\\Settings\\Drivers\\Intrbase\\Db Open";

void Write(const std::filesystem::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::string Read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(DorvikRegistryFile, ValuesSurviveARoundTripThroughTheFile) {
    TempDir dir;
    const auto file = dir / "sub" / "HKEY_LOCAL_MACHINE.reg";
    {
        RegistryFile registry(file);
        auto key = registry.OpenKey(kDbOpen, true);
        ASSERT_NE(key, nullptr);
        key->WriteString("SQLDIALECT", "3 ");
        key->WriteString("Other", "a=b;c \\ d");
        auto engine = registry.OpenKey(kEngine, true);
        ASSERT_NE(engine, nullptr);
        engine->WriteString("DLLPATH", "C:\\Program Files\\BDE\\");
    }
    RegistryFile again(file);
    auto key = again.OpenKey(kDbOpen, false);
    ASSERT_NE(key, nullptr);
    EXPECT_EQ(key->ReadString("SQLDIALECT"), "3 ") << "a trailing blank is part of the value";
    EXPECT_EQ(key->ReadString("Other"), "a=b;c \\ d");
    EXPECT_EQ(again.OpenKey(kEngine, false)->ReadString("DLLPATH"), "C:\\Program Files\\BDE\\");
}

TEST(DorvikRegistryFile, MissingFileOrKeyFailsToOpenAndCreatesNothing) {
    TempDir dir;
    RegistryFile registry(dir / "HKEY_LOCAL_MACHINE.reg");
    EXPECT_EQ(registry.OpenKey(kEngine, false), nullptr);
    EXPECT_FALSE(std::filesystem::exists(registry.Path()));
    Write(registry.Path(), "[SOFTWARE\\Other]\nX=1\n");
    EXPECT_EQ(registry.OpenKey(kEngine, false), nullptr);
    EXPECT_EQ(Read(registry.Path()), "[SOFTWARE\\Other]\nX=1\n");
}

TEST(DorvikRegistryFile, HandWrittenFileIsReadAsTheRegistryWould) {
    TempDir dir;
    RegistryFile registry(dir / "HKEY_LOCAL_MACHINE.reg");
    Write(registry.Path(),
          "; settings of the engine\r\n"
          "# written by hand\r\n"
          "\r\n"
          "[\\Software\\borland\\DATABASE ENGINE\\]\r\n"
          "  DLLPATH = /opt/bde\\\r\n"
          "CONFIGFILE01=/opt/bde/IDAPI.CFG\r\n"
          "this line means nothing\r\n"
          "[SOFTWARE\\Borland\\Database Engine\\Settings\\Drivers\\Intrbase\\Db Open]\r\n"
          "SQLDIALECT=1\r\n"
          "sqldialect=3\r\n");
    auto engine = registry.OpenKey(kEngine, false);
    ASSERT_NE(engine, nullptr) << "key paths match without regard to case and edge backslashes";
    EXPECT_EQ(engine->ReadString("dllpath"), " /opt/bde\\") << "the value is kept as written";
    EXPECT_EQ(engine->ReadString("CONFIGFILE01"), "/opt/bde/IDAPI.CFG");
    EXPECT_EQ(engine->ReadString("CONFIGFILE02"), "") << "a missing value reads empty";
    EXPECT_EQ(registry.OpenKey(kDbOpen, false)->ReadString("SQLDIALECT"), "3")
        << "the last of two spellings wins";
}

TEST(DorvikRegistryFile, ParentOfAnExistingKeyExists) {
    TempDir dir;
    RegistryFile registry(dir / "HKEY_LOCAL_MACHINE.reg");
    Write(registry.Path(), "[" + kDbOpen + "]\nSQLDIALECT=3\n");
    EXPECT_NE(registry.OpenKey(kEngine, false), nullptr);
    EXPECT_EQ(registry.OpenKey("SOFTWARE\\Borland\\Database", false), nullptr)
        << "a name prefix is no parent";
}

TEST(DorvikRegistryFile, WritingKeepsOtherKeysAndReplacesTheValue) {
    TempDir dir;
    RegistryFile registry(dir / "HKEY_LOCAL_MACHINE.reg");
    Write(registry.Path(),
          "[" + kEngine + "]\nDLLPATH=C:\\BDE\n[" + kDbOpen + "]\nSQLDIALECT=1\nOTHER=x\n");
    registry.OpenKey(kDbOpen, true)->WriteString("sqldialect", "3");
    const std::string saved = Read(registry.Path());
    EXPECT_NE(saved.find("DLLPATH=C:\\BDE\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("SQLDIALECT=3\n"), std::string::npos) << saved;
    EXPECT_EQ(saved.find("SQLDIALECT=1"), std::string::npos) << saved;
    EXPECT_NE(saved.find("OTHER=x\n"), std::string::npos) << saved;
    EXPECT_FALSE(std::filesystem::exists(dir / "HKEY_LOCAL_MACHINE.reg.new"));
}

TEST(DorvikRegistryFile, KeyThatCannotBeCreatedFailsToOpen) {
    TempDir dir;
    Write(dir / "plainfile", "x");
    RegistryFile registry(dir / "plainfile" / "HKEY_LOCAL_MACHINE.reg");
    EXPECT_EQ(registry.OpenKey(kDbOpen, true), nullptr);
}

TEST(DorvikRegistryFile, UnreadableRegistryIsNeverOverwritten) {
    TempDir dir;
    std::filesystem::create_directory(dir / "HKEY_LOCAL_MACHINE.reg");
    RegistryFile registry(dir / "HKEY_LOCAL_MACHINE.reg");
    EXPECT_EQ(registry.OpenKey(kDbOpen, false), nullptr);
    EXPECT_EQ(registry.OpenKey(kDbOpen, true), nullptr);
    EXPECT_TRUE(std::filesystem::is_directory(registry.Path()));
}

struct BadWriteRow {
    const char* fault;
    std::string name;
    std::string value;
};

class DorvikRegistryBadWrite : public ::testing::TestWithParam<BadWriteRow> {};

TEST_P(DorvikRegistryBadWrite, ValueTheFileCannotHoldIsRefusedLoudly) {
    TempDir dir;
    RegistryFile registry(dir / "HKEY_LOCAL_MACHINE.reg");
    auto key = registry.OpenKey(kDbOpen, true);
    ASSERT_NE(key, nullptr);
    EXPECT_THROW(key->WriteString(GetParam().name, GetParam().value), std::runtime_error);
    EXPECT_EQ(key->ReadString("SQLDIALECT"), "");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DorvikRegistryBadWrite,
    ::testing::Values(BadWriteRow{"LineBreakInValueStartsANewEntry", "SQLDIALECT", "1\nX=2"},
                      BadWriteRow{"CarriageReturnInValue", "SQLDIALECT", "1\r"},
                      BadWriteRow{"EqualsInNameSplitsIt", "SQL=DIALECT", "1"},
                      BadWriteRow{"EmptyName", "", "1"}),
    [](const auto& info) { return std::string(info.param.fault); });

TEST(DorvikRegistryFile, WriteAfterTheFolderWentAwayIsReported) {
    TempDir dir;
    RegistryFile registry(dir / "reg" / "HKEY_LOCAL_MACHINE.reg");
    auto key = registry.OpenKey(kDbOpen, true);
    ASSERT_NE(key, nullptr);
    std::filesystem::remove_all(dir / "reg");
    Write(dir / "reg", "now a file");
    EXPECT_THROW(key->WriteString("SQLDIALECT", "3"), std::runtime_error);
}

TEST(DorvikRegistryFile, DefaultPathIsInTheUsersConfigurationFolder) {
    {
        ScopedEnv config("XDG_CONFIG_HOME", std::string("/cfg"));
        EXPECT_EQ(RegistryFile::DefaultPath(), "/cfg/Dorvik/HKEY_LOCAL_MACHINE.reg");
    }
    ScopedEnv config("XDG_CONFIG_HOME", std::nullopt);
    ScopedEnv home("HOME", std::string("/home/user"));
    EXPECT_EQ(RegistryFile::DefaultPath(), "/home/user/.config/Dorvik/HKEY_LOCAL_MACHINE.reg");
}

} // namespace
} // namespace dorvik
