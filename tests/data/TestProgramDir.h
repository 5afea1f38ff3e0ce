#pragma once
// A program folder in a temporary directory with Dati/Velcaro.db made by the install step.
#include "tools/InstallDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace velcaro::testing {

class TestProgramDir {
public:
    explicit TestProgramDir(bool withSample = true)
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "velcaro-test-XXXXXX").string();
        dir_ = mkdtemp(pattern.data());
        if (withSample)
            tools::InstallDatabase(DbPath(), std::string(VELCARO_SOURCE_DIR) +
                                                 "/resources/catalogo/catalogo.sql");
        else
            tools::CreateEmptyDatabase(DbPath());
    }
    ~TestProgramDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    TestProgramDir(const TestProgramDir&) = delete;
    TestProgramDir& operator=(const TestProgramDir&) = delete;

    std::string Dir() const { return dir_.string(); }
    std::string DbPath() const { return (dir_ / "Dati" / "Velcaro.db").string(); }

private:
    std::filesystem::path dir_;
};

} // namespace velcaro::testing
