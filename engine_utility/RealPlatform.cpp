#include "RealPlatform.h"

#include "PeVersion.h"

#include <algorithm>
#include <cstdlib>
#include <system_error>

namespace dorvik {

namespace {

namespace fs = std::filesystem;

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

// The entry of `folder` named `part` in any letter case; `part` itself when none is.
fs::path MatchInFolder(const fs::path& folder, const std::string& part) {
    std::error_code ec;
    const fs::path exact = folder / part;
    if (fs::exists(exact, ec))
        return exact;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end;
         !ec && it != end; it.increment(ec)) {
        if (SameName(it->path().filename().string(), part))
            return folder / it->path().filename();
    }
    return exact;
}

} // namespace

fs::path DiskPath(const std::string& fileName) {
    std::string slashed = fileName;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    const fs::path given(slashed);
    std::error_code ec;
    if (fs::exists(given, ec))
        return given;
    fs::path result = given.root_path();
    for (const fs::path& part : given.relative_path()) {
        const std::string name = part.string();
        if (name.empty() || name == "." || name == "..")
            result /= part;
        else
            result = MatchInFolder(result, name);
    }
    return result;
}

RealPlatform::RealPlatform(fs::path registryFile) : registry_(std::move(registryFile)) {}

std::unique_ptr<RegistryKey> RealPlatform::OpenLocalMachineKey(const std::string& path,
                                                               bool canCreate) {
    return registry_.OpenKey(path, canCreate);
}

std::uint32_t RealPlatform::GetFileVersionInfoSize(const std::string& fileName) {
    const auto resource = pe::ReadVersionResource(DiskPath(fileName));
    return resource ? static_cast<std::uint32_t>(resource->size()) : 0;
}

bool RealPlatform::GetFileVersionInfo(const std::string& fileName,
                                      std::vector<std::uint8_t>& data) {
    const auto resource = pe::ReadVersionResource(DiskPath(fileName));
    if (!resource)
        return false;
    // The caller sized the buffer from GetFileVersionInfoSize; the file may have changed
    // since, so copy what fits.
    std::fill(data.begin(), data.end(), std::uint8_t{0});
    std::copy_n(resource->begin(), std::min(resource->size(), data.size()), data.begin());
    return true;
}

std::optional<std::string> RealPlatform::VerQueryValue(const std::vector<std::uint8_t>& data,
                                                       const std::string& subBlock) {
    return pe::QueryString(data, subBlock);
}

std::string RealPlatform::GetEnvironmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

} // namespace dorvik
