#pragma once
// The platform operations the Dorvik window needs: the registry, version resources,
// the environment and the database engine's scratch table. The window logic reaches
// the outside world only through these interfaces, so tests can drive it with fakes.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dorvik {

// An error raised by the database engine; what() is the engine's own message.
class EngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An open registry key. Destroying it closes the key.
class RegistryKey {
public:
    virtual ~RegistryKey() = default;
    // A value that is missing reads as an empty string.
    virtual std::string ReadString(const std::string& name) = 0;
    // Throws std::runtime_error when the value cannot be stored.
    virtual void WriteString(const std::string& name, const std::string& value) = 0;
};

enum class FieldType { SmallInt };

struct FieldDef {
    std::string Name;
    FieldType Type = FieldType::SmallInt;
    bool Required = false;
};

// A table of the database engine, named by a database (a folder) and a table name.
// Every operation either succeeds or throws EngineError with the engine's message.
class EngineTable {
public:
    virtual ~EngineTable() = default;
    virtual void SetTableName(const std::string& name) = 0;
    virtual std::string TableName() const = 0;
    virtual void SetDatabaseName(const std::string& folder) = 0;
    virtual std::string DatabaseName() const = 0;
    virtual bool Exists() = 0;
    virtual void CreateTable(const std::vector<FieldDef>& fields) = 0;
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual void DeleteTable() = 0;
};

class EnginePlatform {
public:
    virtual ~EnginePlatform() = default;

    // Opens a key under HKEY_LOCAL_MACHINE; nullptr when it cannot be opened (or created).
    virtual std::unique_ptr<RegistryKey> OpenLocalMachineKey(const std::string& path,
                                                             bool canCreate) = 0;

    // 0 means the file has no version resource, or cannot be read at all.
    virtual std::uint32_t GetFileVersionInfoSize(const std::string& fileName) = 0;
    // Fills data with the version resource; false when it cannot be read.
    virtual bool GetFileVersionInfo(const std::string& fileName,
                                    std::vector<std::uint8_t>& data) = 0;
    // One string entry of a version resource, e.g. "StringFileInfo\040904E4\FileVersion";
    // nothing when the entry does not exist.
    virtual std::optional<std::string> VerQueryValue(const std::vector<std::uint8_t>& data,
                                                     const std::string& subBlock) = 0;

    // An unset variable gives an empty string.
    virtual std::string GetEnvironmentVariable(const std::string& name) = 0;

    // The window's table component; it lives as long as the platform.
    virtual EngineTable& tblTemp() = 0;
};

} // namespace dorvik
