// The window logic on the real platform: a registry file, an engine library with a
// real version resource, and the SQLite scratch table in a temporary "TEMP".

#include "Fakes.h"
#include "PeBuilder.h"
#include "RealPlatform.h"
#include "TempDir.h"
#include "fmain.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace dorvik {
namespace {

using testing::Box;
using testing::FakeHost;
using testing::ScopedEnv;
using testing::TempDir;

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteEngineLibrary(const std::filesystem::path& file, const std::u16string& version) {
    std::filesystem::create_directories(file.parent_path());
    testing::WriteFile(file, testing::BuildPe(testing::Serialize(
                                 testing::VersionInfo(u"040904E4", {{u"FileVersion", version}}))));
}

struct Installation {
    TempDir dir;
    std::filesystem::path registry = dir / "config" / "HKEY_LOCAL_MACHINE.reg";

    void WriteRegistry(const std::string& text) {
        std::filesystem::create_directories(registry.parent_path());
        std::ofstream(registry, std::ios::binary) << text;
    }
};

struct RealWindow {
    RealPlatform platform;
    FakeHost host;
    TfrmMain form{platform, host};
    explicit RealWindow(const std::filesystem::path& registry) : platform(registry) {}
    void Activate() {
        RunHandler(host, [&] { form.FormActivate(); });
    }
    void TestEngine() {
        RunHandler(host, [&] { form.btnTestBDEClick(); });
    }
    void Close() {
        RunHandler(host, [&] { form.btnCloseClick(); });
    }
};

TEST(DorvikRealPlatform, EngineFolderWithARealLibraryShowsItsVersion) {
    Installation in;
    // The library's name in another letter case, the path with a trailing backslash.
    WriteEngineLibrary(in.dir / "bde" / "idapi32.dll", u"5.2.0.2");
    in.WriteRegistry("[SOFTWARE\\Borland\\Database Engine]\nDLLPATH=" + (in.dir / "bde").string() +
                     "\\\nCONFIGFILE01=" + (in.dir / "bde" / "IDAPI.CFG").string() + "\n");
    RealWindow run(in.registry);
    run.Activate();
    EXPECT_EQ(run.form.edtBDEPath.Text, (in.dir / "bde").string());
    EXPECT_EQ(run.form.edtBDEConfig.Text, (in.dir / "bde" / "IDAPI.CFG").string());
    EXPECT_EQ(run.form.edtBDEVersion.Text, "5.2.0.2");
    EXPECT_TRUE(run.form.cmbIBDialect.Enabled);

    run.form.cmbIBDialect.UserSelects(1);
    run.Close();
    EXPECT_EQ(run.host.Closed, 1);
    EXPECT_NE(ReadText(in.registry)
                  .find("[SOFTWARE\\Borland\\Database Engine\\Settings\\"
                        "Drivers\\Intrbase\\Db Open]\nSQLDIALECT=3\n"),
              std::string::npos)
        << ReadText(in.registry);

    RealWindow next(in.registry);
    next.Activate();
    EXPECT_EQ(next.form.cmbIBDialect.ItemIndex(), 1) << "the written dialect is read back";
}

TEST(DorvikRealPlatform, WindowsStylePathIsFoundWithoutRegardToCase) {
    Installation in;
    WriteEngineLibrary(in.dir / "Borland" / "bde" / "IDAPI32.DLL", u"5.1.1.1");
    std::string dllPath = in.dir.path().string() + "\\BORLAND\\BDE";
    in.WriteRegistry("[SOFTWARE\\Borland\\Database Engine]\nDLLPATH=" + dllPath + "\n");
    RealWindow run(in.registry);
    run.Activate();
    EXPECT_EQ(run.form.edtBDEVersion.Text, "5.1.1.1");
    EXPECT_FALSE(run.form.cmbIBDialect.Enabled);
}

TEST(DorvikRealPlatform, NoRegistryFileMeansNoEngine) {
    Installation in;
    RealWindow run(in.registry);
    run.Activate();
    EXPECT_EQ(run.form.edtBDEVersion.Text, "BDE registry entries not found.");
    run.Close();
    EXPECT_FALSE(std::filesystem::exists(in.registry)) << "nothing chosen, nothing written";
}

TEST(DorvikRealPlatform, LibraryWithoutVersionIsNotFound) {
    Installation in;
    std::filesystem::create_directories(in.dir / "bde");
    std::ofstream(in.dir / "bde" / "IDAPI32.DLL") << "not a library";
    in.WriteRegistry("[SOFTWARE\\Borland\\Database Engine]\nDLLPATH=" + (in.dir / "bde").string() +
                     "\n");
    RealWindow run(in.registry);
    run.Activate();
    EXPECT_EQ(run.form.edtBDEVersion.Text, (in.dir / "bde").string() + "\\IDAPI32.DLL not found.");
}

TEST(DorvikRealPlatform, EngineTestInTempThenLeftoverThenAgain) {
    Installation in;
    std::filesystem::create_directories(in.dir / "temp");
    ScopedEnv temp("TEMP", (in.dir / "temp").string());
    RealWindow run(in.registry);
    const Box working{
        MsgDlgType::mtInformation, "The BDE is installed and working properly.", {MsgDlgBtn::mbOK}};

    run.TestEngine();
    EXPECT_EQ(run.host.Boxes.back(), working);
    EXPECT_TRUE(std::filesystem::is_empty(in.dir / "temp")) << "the scratch table is gone";

    // A table left by a run that was killed half-way.
    std::ofstream(in.dir / "temp" / "DorvikTemporaryTestTable.db") << "half written";
    run.host.Boxes.clear();
    run.TestEngine();
    ASSERT_EQ(run.host.Boxes.size(), 2u);
    EXPECT_EQ(run.host.Boxes[1].Text,
              "Temporary Paradox table already exists.\rDelete it so you can run the text again?");
    EXPECT_FALSE(std::filesystem::exists(in.dir / "temp" / "DorvikTemporaryTestTable.db"));

    run.host.Boxes.clear();
    run.TestEngine();
    EXPECT_EQ(run.host.Boxes.back(), working);
    EXPECT_TRUE(run.host.Errors.empty());
}

TEST(DorvikRealPlatform, TempThatIsNoFolderGivesTheCreationError) {
    Installation in;
    ScopedEnv temp("TEMP", (in.dir / "no such folder").string());
    RealWindow run(in.registry);
    run.TestEngine();
    ASSERT_EQ(run.host.Boxes.size(), 2u);
    EXPECT_EQ(run.host.Boxes[1].Text, "Unable to create temporary Paradox table.");
    EXPECT_TRUE(run.host.Errors.empty());
}

TEST(DorvikRealPlatform, DiskPathTurnsBackslashesIntoFolders) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Engine" / "Bin");
    std::ofstream(dir / "Engine" / "Bin" / "IdApi32.Dll") << "x";
    EXPECT_EQ(DiskPath(dir.path().string() + "\\engine\\BIN\\IDAPI32.DLL"),
              dir / "Engine" / "Bin" / "IdApi32.Dll");
    EXPECT_EQ(DiskPath(dir.path().string() + "\\engine\\missing\\IDAPI32.DLL"),
              dir / "Engine" / "missing" / "IDAPI32.DLL");
}

} // namespace
} // namespace dorvik
