#pragma once
// A private copy of the built program folder for one benchmark run (the calculation
// rewrites the result tables; the build's own folder stays as it is).
#include <cstdlib>
#include <filesystem>
#include <string>

inline std::string BenchProgramDir()
{
    static const std::string dir = [] {
        std::string pattern = (std::filesystem::temp_directory_path() / "velcaro-bench-XXXXXX").string();
        const std::string d = mkdtemp(pattern.data());
        std::filesystem::copy(VELCARO_PROGRAM_DIR_DEFAULT, d, std::filesystem::copy_options::recursive);
        return d;
    }();
    return dir;
}
