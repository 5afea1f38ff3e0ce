#pragma once
// A scripted platform and host for the Dorvik window logic: an in-memory registry, a
// table of file versions, an environment, a table whose every operation can be made
// to fail, and a host that answers confirmations from a queue and records every box.

#include "DialogHost.h"
#include "EnginePlatform.h"

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace dorvik::testing {

struct FakeRegistry {
    std::map<std::string, std::map<std::string, std::string>> Keys;
    bool CreateFails = false;
    bool WriteFails = false;
    std::vector<std::string> Opened; // "path" or "path (create)"
};

class FakeKey : public RegistryKey {
public:
    FakeKey(FakeRegistry& registry, std::string path) : registry_(registry), path_(path) {}
    std::string ReadString(const std::string& name) override {
        const auto& values = registry_.Keys[path_];
        const auto found = values.find(name);
        return found == values.end() ? std::string() : found->second;
    }
    void WriteString(const std::string& name, const std::string& value) override {
        if (registry_.WriteFails)
            throw std::runtime_error("Failed to set data for '" + name + "'");
        registry_.Keys[path_][name] = value;
    }

private:
    FakeRegistry& registry_;
    std::string path_;
};

// Every call is logged as one word ("Close", "Exists", "Create", ...).
class FakeTable : public EngineTable {
public:
    bool Present = false;
    bool CreateFails = false;
    bool CreateFailsLeavingTable = false;
    bool OpenFails = false;
    bool DeleteFails = false;
    bool CloseFails = false;
    std::vector<std::string> Log;
    std::vector<FieldDef> CreatedWith;

    void SetTableName(const std::string& name) override { name_ = name; }
    std::string TableName() const override { return name_; }
    void SetDatabaseName(const std::string& folder) override {
        Log.push_back("SetDatabaseName(" + folder + ")");
        database_ = folder;
    }
    std::string DatabaseName() const override { return database_; }
    bool Exists() override {
        Log.push_back("Exists");
        return Present;
    }
    void CreateTable(const std::vector<FieldDef>& fields) override {
        Log.push_back("Create");
        CreatedWith = fields;
        if (CreateFailsLeavingTable) {
            Present = true;
            throw EngineError("Create: disk full");
        }
        if (CreateFails)
            throw EngineError("Create: access denied");
        Present = true;
    }
    void Open() override {
        Log.push_back("Open");
        if (OpenFails)
            throw EngineError("Corrupt table/index header.");
    }
    void Close() override {
        Log.push_back("Close");
        if (CloseFails)
            throw EngineError("An error occurred while attempting to initialize the engine.");
    }
    void DeleteTable() override {
        Log.push_back("Delete");
        if (DeleteFails)
            throw EngineError("Table is busy.");
        Present = false;
    }

private:
    std::string name_;
    std::string database_;
};

class FakePlatform : public EnginePlatform {
public:
    FakeRegistry Registry;
    // File name -> its FileVersion entry; nullopt for a resource without that entry.
    std::map<std::string, std::optional<std::string>> Versions;
    std::vector<std::string> VersionLookups;
    std::vector<std::string> Queries;
    std::map<std::string, std::string> Environment;
    FakeTable Table;

    std::unique_ptr<RegistryKey> OpenLocalMachineKey(const std::string& path,
                                                     bool canCreate) override {
        Registry.Opened.push_back(canCreate ? path + " (create)" : path);
        if (Registry.Keys.count(path) == 0) {
            if (!canCreate || Registry.CreateFails)
                return nullptr;
            Registry.Keys[path];
        }
        return std::make_unique<FakeKey>(Registry, path);
    }
    std::uint32_t GetFileVersionInfoSize(const std::string& fileName) override {
        VersionLookups.push_back(fileName);
        return Versions.count(fileName) ? 64 : 0;
    }
    bool GetFileVersionInfo(const std::string& fileName, std::vector<std::uint8_t>& data) override {
        const auto found = Versions.find(fileName);
        if (found == Versions.end() || data.size() != 64)
            return false;
        // The block carries the file name so a query can find its entry again.
        data.assign(fileName.begin(), fileName.end());
        return true;
    }
    std::optional<std::string> VerQueryValue(const std::vector<std::uint8_t>& data,
                                             const std::string& subBlock) override {
        Queries.push_back(subBlock);
        const auto found = Versions.find(std::string(data.begin(), data.end()));
        if (found == Versions.end() || subBlock != "StringFileInfo\\040904E4\\FileVersion")
            return std::nullopt;
        return found->second;
    }
    std::string GetEnvironmentVariable(const std::string& name) override {
        const auto found = Environment.find(name);
        return found == Environment.end() ? std::string() : found->second;
    }
    EngineTable& tblTemp() override { return Table; }
};

struct Box {
    MsgDlgType Type;
    std::string Text;
    std::vector<MsgDlgBtn> Buttons;
    bool operator==(const Box&) const = default;
};

class FakeHost : public DialogHost {
public:
    std::deque<MsgDlgBtn> Answers; // for confirmations; Yes when the queue is empty
    std::vector<Box> Boxes;
    std::vector<std::string> Errors; // the event loop's error reports
    int Closed = 0;

    MsgDlgBtn MessageDlg(const std::string& text, MsgDlgType type,
                         const std::vector<MsgDlgBtn>& buttons) override {
        Boxes.push_back(Box{type, text, buttons});
        if (type != MsgDlgType::mtConfirmation)
            return MsgDlgBtn::mbOK;
        if (Answers.empty())
            return MsgDlgBtn::mbYes;
        const MsgDlgBtn answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void ShowException(const std::string& text) override { Errors.push_back(text); }
    void CloseWindow() override { ++Closed; }
};

} // namespace dorvik::testing
