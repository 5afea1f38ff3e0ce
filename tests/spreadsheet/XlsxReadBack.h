#pragma once
// Reads a saved workbook back with an independent reader (openpyxl, through Debian's own
// Python): one fact per key, as tests/spreadsheet/read_xlsx.py prints them. Shared by the
// workbook layer's tests and the export's.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>

namespace velcaro::xlsxcheck {

namespace fs = std::filesystem;

inline bool ReaderAvailable()
{
    return std::system("/usr/bin/python3 -c \"import openpyxl\" > /dev/null 2>&1") == 0;
}

using Facts = std::map<std::string, std::string>;

inline Facts ReadBack(const fs::path& file)
{
    const std::string cmd = std::string("/usr/bin/python3 ") + VELCARO_XLSX_READER + " '" +
                            file.string() + "'";
    Facts facts;
    FILE* pipe = ::popen(cmd.c_str(), "r");
    if (!pipe)
        return facts;
    std::string out;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0)
        out.append(buf, n);
    EXPECT_EQ(::pclose(pipe), 0) << "reader failed:\n" << out;
    std::size_t pos = 0;
    while (pos < out.size()) {
        const auto end = out.find('\n', pos);
        const std::string line = out.substr(pos, end == std::string::npos ? end : end - pos);
        const auto tab = line.find('\t');
        if (tab != std::string::npos)
            facts[line.substr(0, tab)] = line.substr(tab + 1);
        if (end == std::string::npos)
            break;
        pos = end + 1;
    }
    return facts;
}

// The fact for key, or "(none)".
inline std::string Fact(const Facts& f, const std::string& key)
{
    auto it = f.find(key);
    return it == f.end() ? "(none)" : it->second;
}

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "velcaro-xlsx-test-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

} // namespace velcaro::xlsxcheck
