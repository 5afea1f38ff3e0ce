// Velcaro: the Qt program. The start-up sequence and every window's logic live in the
// toolkit-free Program; the views give each window its widgets; Qt runs the event loop.
#include "analysis/Startup.h"
#include "analysis/Views.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/help/HelpViewer.h"
#include "platform/text/Regional.h"

#include <QApplication>
#include <QIcon>

#include <filesystem>

namespace fs = std::filesystem;
using namespace velcaro;

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Velcaro");
    const fs::path programDir = QCoreApplication::applicationDirPath().toStdString();
    QApplication::setWindowIcon(QIcon(QString::fromStdString((programDir / "Images" / "BOX.ICO").string())));
    text::SetRegional(text::RegionalSettings::FromUserLocale());

    qt::QtHost host;
    analysis::Program program(host, programDir.string());
    host.SetApplication(&program.app);
    qt::HelpViewer help(program.app.ResolvePath(program.app.HelpFile().empty()
                                                    ? "..\\Velcaro\\HELP\\AIUTO.HLP"
                                                    : program.app.HelpFile()));
    program.app.SetHelp(&help);

    int rc = 0;
    {
        analysis::ProgramViews views(program, host);
        analysis::StartOptions options;
        views.Install(options);
        program.Start(options);
        // Closing the main window ends the program.
        program.MainForm->Observe([&] {
            if (!program.MainForm->Visible())
                QCoreApplication::quit();
        });
        rc = QApplication::exec();
    }
    return rc;
}
