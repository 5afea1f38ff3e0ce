#pragma once
// The Qt views of the program's windows, made as the start-up creates each window. Shared
// by the program and by the screenshot tool.
//
// Ownership: ProgramViews owns every view (window widget + binder); it must be destroyed
// before the Program whose forms it shows.
#include "analysis/Startup.h"
#include "platform/qt/QtHost.h"

#include <memory>

class QWidget;

namespace velcaro::analysis {

class ProgramViews {
public:
    ProgramViews(Program& program, qt::QtHost& host);
    ~ProgramViews();
    ProgramViews(const ProgramViews&) = delete;
    ProgramViews& operator=(const ProgramViews&) = delete;

    // Hooks for Program::Start: the splash painted at once, each window's view made.
    void Install(StartOptions& options);

    QWidget* MainWindow() const;
    QWidget* AboutWindow() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace velcaro::analysis
