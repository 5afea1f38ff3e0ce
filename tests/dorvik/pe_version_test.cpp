// The version resource reader against PE files built byte by byte.

#include "PeBuilder.h"
#include "PeVersion.h"
#include "TempDir.h"

#include "RowPrinter.h"

#include <gtest/gtest.h>

#include <random>

namespace dorvik {
namespace {

using testing::BuildPe;
using testing::Bytes;
using testing::PeOptions;
using testing::Serialize;
using testing::TempDir;
using testing::VersionInfo;
using testing::WriteFile;

const std::string kFileVersion = "StringFileInfo\\040904E4\\FileVersion";

Bytes EngineVersionBlock(const std::u16string& version = u"5.2.0.2") {
    return Serialize(VersionInfo(u"040904E4", {{u"CompanyName", u"Engine Maker"},
                                               {u"FileDescription", u"Engine core"},
                                               {u"FileVersion", version},
                                               {u"ProductName", u"Database Engine"}}));
}

std::optional<std::string> FileVersionOf(const std::filesystem::path& file) {
    const auto block = pe::ReadVersionResource(file);
    if (!block)
        return std::nullopt;
    return pe::QueryString(*block, kFileVersion);
}

struct PeRow {
    const char* fault;
    PeOptions options;
    std::optional<std::string> version; // what FileVersion reads as
};

class DorvikPeFiles : public ::testing::TestWithParam<PeRow> {};

TEST_P(DorvikPeFiles, FileVersionFromTheResource) {
    TempDir dir;
    WriteFile(dir / "IDAPI32.DLL", BuildPe(EngineVersionBlock(), GetParam().options));
    EXPECT_EQ(FileVersionOf(dir / "IDAPI32.DLL"), GetParam().version);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DorvikPeFiles,
    ::testing::Values(
        PeRow{"Pe32", PeOptions{}, "5.2.0.2"},
        PeRow{"Pe32PlusDirectoryOffsets", PeOptions{true, true, true, 0x409}, "5.2.0.2"},
        PeRow{"NeutralLanguageOnly", PeOptions{false, true, true, 0}, "5.2.0.2"},
        PeRow{"NoResourceDirectory", PeOptions{false, false, true, 0x409}, std::nullopt},
        PeRow{"ResourcesWithoutVersion", PeOptions{false, true, false, 0x409}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.fault); });

TEST(DorvikPeVersion, EntriesAreFoundByPathWithoutRegardToCase) {
    const Bytes block = EngineVersionBlock();
    EXPECT_EQ(pe::QueryString(block, "StringFileInfo\\040904E4\\ProductName"), "Database Engine");
    EXPECT_EQ(pe::QueryString(block, "\\stringfileinfo\\040904e4\\fileversion"), "5.2.0.2");
    EXPECT_EQ(pe::QueryString(block, "StringFileInfo\\040904E4\\Comments"), std::nullopt);
    EXPECT_EQ(pe::QueryString(block, "StringFileInfo\\040904B0\\FileVersion"), std::nullopt);
    EXPECT_EQ(pe::QueryString(block, "VarFileInfo\\Translation"), std::nullopt)
        << "binary values are no text";
    EXPECT_EQ(pe::QueryString(block, "\\"), std::nullopt);
}

TEST(DorvikPeVersion, OtherStringTableGivesNoFileVersion) {
    const Bytes block = Serialize(VersionInfo(u"040904B0", {{u"FileVersion", u"5.2.0.2"}}));
    EXPECT_EQ(pe::QueryString(block, kFileVersion), std::nullopt);
}

TEST(DorvikPeVersion, TextLengthCountedInBytesStillReadsTheWholeText) {
    auto info = VersionInfo(u"040904E4", {{u"FileVersion", u"5.2.0.2"}, {u"Next", u"x"}});
    for (auto& entry : info.Children[0].Children[0].Children)
        entry.TextLengthInBytes = true;
    EXPECT_EQ(pe::QueryString(Serialize(info), kFileVersion), "5.2.0.2");
    EXPECT_EQ(pe::QueryString(Serialize(info), "StringFileInfo\\040904E4\\Next"), "x");
}

TEST(DorvikPeVersion, NonAsciiTextComesBackAsUtf8) {
    const Bytes block = EngineVersionBlock(u"5.2 \u00E9t\u00E9 \U0001F600");
    EXPECT_EQ(pe::QueryString(block, kFileVersion), "5.2 \u00E9t\u00E9 \U0001F600");
}

TEST(DorvikPeVersion, FilesThatAreNoVersionedPeHaveNoResource) {
    TempDir dir;
    WriteFile(dir / "text.dll", Bytes{'h', 'e', 'l', 'l', 'o'});
    WriteFile(dir / "empty.dll", Bytes{});
    Bytes mz(64, 0);
    mz[0] = 'M';
    mz[1] = 'Z';
    mz[0x3C] = 0xFF; // PE header beyond the end
    WriteFile(dir / "dos.exe", mz);
    for (const char* name : {"missing.dll", "text.dll", "empty.dll", "dos.exe", ""})
        EXPECT_EQ(pe::ReadVersionResource(dir / name), std::nullopt) << name;
    EXPECT_EQ(pe::ReadVersionResource(dir.path()), std::nullopt) << "a folder";
}

// Damaged files: every cut and many flipped bytes must read as "no version" or as a
// version, never as a crash (the sanitizer build watches every read).
TEST(DorvikPeVersion, TruncatedFilesNeverReadOutOfBounds) {
    TempDir dir;
    const Bytes pe = BuildPe(EngineVersionBlock());
    std::size_t readable = 0;
    for (std::size_t length = 0; length <= pe.size(); ++length) {
        WriteFile(dir / "cut.dll", Bytes(pe.begin(), pe.begin() + static_cast<long>(length)));
        const auto version = FileVersionOf(dir / "cut.dll");
        if (version) {
            EXPECT_EQ(*version, "5.2.0.2");
            ++readable;
        }
    }
    EXPECT_GE(readable, 1u);
}

TEST(DorvikPeVersion, CorruptedBytesNeverReadOutOfBounds) {
    const Bytes pe = BuildPe(EngineVersionBlock());
    std::mt19937 random(20240607);
    std::uniform_int_distribution<std::size_t> position(0, pe.size() - 1);
    std::uniform_int_distribution<int> value(0, 255);
    TempDir dir;
    for (int round = 0; round < 400; ++round) {
        Bytes damaged = pe;
        for (int flips = 0; flips < 1 + round % 8; ++flips)
            damaged[position(random)] = static_cast<std::uint8_t>(value(random));
        WriteFile(dir / "damaged.dll", damaged);
        const auto block = pe::ReadVersionResource(dir / "damaged.dll");
        if (block)
            (void)pe::QueryString(*block, kFileVersion);
    }
    // And blocks damaged directly, where the node lengths lie.
    const Bytes block = EngineVersionBlock();
    for (int round = 0; round < 2000; ++round) {
        Bytes damaged = block;
        std::uniform_int_distribution<std::size_t> at(0, block.size() - 1);
        for (int flips = 0; flips < 1 + round % 4; ++flips)
            damaged[at(random)] = static_cast<std::uint8_t>(value(random));
        (void)pe::QueryString(damaged, kFileVersion);
    }
}

} // namespace
} // namespace dorvik
