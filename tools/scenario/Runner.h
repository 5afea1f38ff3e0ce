#pragma once
// velcaro-scenario: runs scenario scripts against the real program logic through the
// scripted host, each on a fresh copy of the program folder.
#include "tools/scenario/Script.h"

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace velcaro::analysis {
class Program;
}
namespace velcaro::ui {
class Control;
class Form;
class ScriptedHost;
} // namespace velcaro::ui
namespace velcaro::store {
class Table;
class DataSource;
} // namespace velcaro::store

namespace velcaro::scenario {

struct Totals {
    int passed = 0;
    int failed = 0;
    bool error = false; // a script stopped on an error of its own (exit status 2)
};

class Runner {
public:
    // templateDir: the built program folder copied for every script.
    Runner(std::filesystem::path templateDir, std::ostream& out);
    ~Runner();
    Runner(const Runner&) = delete;
    Runner& operator=(const Runner&) = delete;

    Totals RunFile(const std::string& path);
    Totals RunText(const std::string& name, const std::string& text);

private:
    struct State;
    void Execute(const Line& line);
    void RunUntilClosed(ui::Form& form);
    void Setup(const Line& line);
    void Action(const Line& line);
    void Check(const Line& line);

    ui::Form* FindForm(const std::string& name) const;
    ui::Control* FindControl(const std::string& spec) const;
    ui::Control* FindEnabledControl(const std::string& spec) const;
    store::Table* FindCursor(const std::string& spec) const;
    store::DataSource* FindDataSource(const std::string& spec) const;

    void Pass();
    void Fail(int line, const std::string& expected, const std::string& got);
    void ReportUnansweredDialogs(int line);
    std::filesystem::path ProgramPath(const std::string& rel) const;

    std::filesystem::path templateDir_;
    std::ostream& out_;
    std::unique_ptr<State> s_;
};

// The program folder the build made; VELCARO_PROGRAM_DIR in the environment overrides it.
std::filesystem::path DefaultProgramDir();

} // namespace velcaro::scenario
