#pragma once
// Builds small but well-formed Windows PE files with a version resource, so the
// version reader can be tested against real bytes.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace dorvik::testing {

using Bytes = std::vector<std::uint8_t>;

// One node of a VS_VERSIONINFO tree.
struct VersionNode {
    std::u16string Key;
    std::uint16_t Type = 1; // 1 text, 0 binary
    std::u16string Text;    // the value of a text node
    Bytes Binary;           // the value of a binary node
    std::vector<VersionNode> Children;
    bool TextLengthInBytes = false; // the quirk of some resource compilers
};

Bytes Serialize(const VersionNode& node);

// VS_VERSION_INFO with a fixed file info, StringFileInfo\<table>\ with the given
// strings and VarFileInfo\Translation.
VersionNode VersionInfo(const std::u16string& table,
                        const std::vector<std::pair<std::u16string, std::u16string>>& strings);

struct PeOptions {
    bool Pe32Plus = false;
    bool WithResources = true;
    bool WithVersion = true; // a version resource among the resources
    std::uint32_t Language = 0x409;
};

// A PE file whose only section holds the resources; `version` is the VS_VERSIONINFO.
Bytes BuildPe(const Bytes& version, const PeOptions& options = {});

void WriteFile(const std::filesystem::path& file, const Bytes& bytes);

} // namespace dorvik::testing
