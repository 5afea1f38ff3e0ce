#pragma once
// Reads the version resource (VS_VERSIONINFO) of a Windows PE file (32 or 64 bit) and
// looks up its string entries, the way the Windows version functions do. Every offset
// in the file is checked before it is used: a damaged file reads as one without a
// version resource.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace dorvik::pe {

// The raw VS_VERSIONINFO block of the file; nothing when the file is missing, is not a
// PE file, or has no (readable) version resource.
std::optional<std::vector<std::uint8_t>> ReadVersionResource(const std::filesystem::path& file);

// One entry of a VS_VERSIONINFO block by its path below the root, parts separated by
// backslashes and matched without regard to letter case, e.g.
// "StringFileInfo\040904E4\FileVersion". Text values come back as UTF-8; nothing when
// the entry does not exist or holds no text.
std::optional<std::string> QueryString(const std::vector<std::uint8_t>& block,
                                       const std::string& subBlock);

} // namespace dorvik::pe
