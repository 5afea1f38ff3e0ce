#pragma once
// The platform of a real run: the registry file, version resources of PE files on disk,
// the process environment and the SQLite scratch table.

#include "EnginePlatform.h"
#include "RegistryFile.h"
#include "SqliteTable.h"

#include <filesystem>

namespace dorvik {

// A file name as the registry writes it ("C:\BDE\IDAPI32.DLL" style, "\" between
// parts) turned into a path on this disk: backslashes become slashes, and each part
// that does not exist as spelt is matched without regard to letter case.
std::filesystem::path DiskPath(const std::string& fileName);

class RealPlatform : public EnginePlatform {
public:
    explicit RealPlatform(std::filesystem::path registryFile);

    std::unique_ptr<RegistryKey> OpenLocalMachineKey(const std::string& path,
                                                     bool canCreate) override;
    std::uint32_t GetFileVersionInfoSize(const std::string& fileName) override;
    bool GetFileVersionInfo(const std::string& fileName, std::vector<std::uint8_t>& data) override;
    std::optional<std::string> VerQueryValue(const std::vector<std::uint8_t>& data,
                                             const std::string& subBlock) override;
    std::string GetEnvironmentVariable(const std::string& name) override;
    EngineTable& tblTemp() override { return table_; }

private:
    RegistryFile registry_;
    SqliteTable table_;
};

} // namespace dorvik
