#include "RegistryFile.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>
#include <utility>
#include <vector>

namespace dorvik {

namespace {

namespace fs = std::filesystem;

struct Value {
    std::string Name;
    std::string Data;
};

struct Section {
    std::string Path;
    std::vector<Value> Values;
};

using Hive = std::vector<Section>;

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// "\A\\B\" -> "A\B": the form in which key paths are compared and stored.
std::string NormalKeyPath(const std::string& path) {
    std::string result;
    std::string part;
    auto flush = [&] {
        if (part.empty())
            return;
        if (!result.empty())
            result += '\\';
        result += part;
        part.clear();
    };
    for (char c : path) {
        if (c == '\\')
            flush();
        else
            part += c;
    }
    flush();
    return result;
}

bool HasLineBreak(const std::string& s) {
    return s.find_first_of("\r\n") != std::string::npos;
}

std::optional<Hive> Load(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    Hive hive;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#')
            continue;
        if (trimmed.front() == '[' && trimmed.back() == ']') {
            hive.push_back(Section{NormalKeyPath(trimmed.substr(1, trimmed.size() - 2)), {}});
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos || hive.empty())
            continue;
        hive.back().Values.push_back(Value{Trim(line.substr(0, equals)), line.substr(equals + 1)});
    }
    if (in.bad())
        return std::nullopt;
    return hive;
}

bool Save(const fs::path& file, const Hive& hive) {
    std::error_code ec;
    if (file.has_parent_path())
        fs::create_directories(file.parent_path(), ec);
    fs::path temporary = file;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        for (const Section& section : hive) {
            out << '[' << section.Path << "]\n";
            for (const Value& value : section.Values)
                out << value.Name << '=' << value.Data << '\n';
            out << '\n';
        }
        out.flush();
        if (!out)
            return false;
    }
    // Replacing the file in one step keeps the old settings if anything goes wrong.
    fs::rename(temporary, file, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return false;
    }
    return true;
}

bool KeyExists(const Hive& hive, const std::string& path) {
    for (const Section& section : hive) {
        if (SameName(section.Path, path))
            return true;
        if (section.Path.size() > path.size() && section.Path[path.size()] == '\\' &&
            SameName(section.Path.substr(0, path.size()), path))
            return true;
    }
    return false;
}

// Values of one key may be spread over several sections of a hand-edited file; the
// last one written wins, as the file reads top to bottom.
const Value* FindValue(const Hive& hive, const std::string& path, const std::string& name) {
    const Value* found = nullptr;
    for (const Section& section : hive)
        if (SameName(section.Path, path))
            for (const Value& value : section.Values)
                if (SameName(value.Name, name))
                    found = &value;
    return found;
}

Section& SectionFor(Hive& hive, const std::string& path) {
    for (Section& section : hive)
        if (SameName(section.Path, path))
            return section;
    hive.push_back(Section{path, {}});
    return hive.back();
}

class FileKey : public RegistryKey {
public:
    FileKey(fs::path file, std::string path) : file_(std::move(file)), path_(std::move(path)) {}

    std::string ReadString(const std::string& name) override {
        const auto hive = Load(file_);
        if (!hive)
            return {};
        const Value* value = FindValue(*hive, path_, name);
        return value ? value->Data : std::string();
    }

    void WriteString(const std::string& name, const std::string& data) override {
        const std::string trimmedName = Trim(name);
        if (HasLineBreak(data) || HasLineBreak(name) || name.find('=') != std::string::npos ||
            trimmedName.empty())
            throw std::runtime_error("Failed to set data for '" + name + "'");
        auto loaded = Load(file_);
        std::error_code ec;
        if (!loaded && fs::exists(file_, ec))
            throw std::runtime_error("Failed to set data for '" + name + "': cannot read " +
                                     file_.string());
        Hive hive = loaded.value_or(Hive{});
        Section& section = SectionFor(hive, path_);
        Value* target = nullptr;
        for (Value& value : section.Values)
            if (SameName(value.Name, trimmedName))
                target = &value;
        if (target)
            target->Data = data;
        else
            section.Values.push_back(Value{trimmedName, data});
        if (!Save(file_, hive))
            throw std::runtime_error("Failed to set data for '" + name + "' in " + file_.string());
    }

private:
    fs::path file_;
    std::string path_;
};

} // namespace

RegistryFile::RegistryFile(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path RegistryFile::DefaultPath() {
    fs::path base;
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
        base = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = fs::path(home) / ".config";
    return base / "Dorvik" / "HKEY_LOCAL_MACHINE.reg";
}

std::unique_ptr<RegistryKey> RegistryFile::OpenKey(const std::string& path, bool canCreate) {
    const std::string key = NormalKeyPath(path);
    if (key.empty() || HasLineBreak(key) || key.find(']') != std::string::npos)
        return nullptr;
    auto hive = Load(file_);
    if (hive && KeyExists(*hive, key))
        return std::make_unique<FileKey>(file_, key);
    if (!canCreate)
        return nullptr;
    std::error_code ec;
    if (!hive && fs::exists(file_, ec))
        return nullptr; // there, but unreadable: never overwrite it
    Hive created = hive.value_or(Hive{});
    created.push_back(Section{key, {}});
    if (!Save(file_, created))
        return nullptr;
    return std::make_unique<FileKey>(file_, key);
}

} // namespace dorvik
