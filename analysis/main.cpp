// Velcaro: the Qt program. The start-up sequence and every window's logic live in the
// toolkit-free Program; this file gives each window its view and runs the event loop.
#include "analysis/Startup.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/View.h"
#include "platform/qt/help/HelpViewer.h"
#include "platform/text/Regional.h"

#include "ui_uMain.h"
#include "ui_uSplash.h"

#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include <filesystem>
#include <memory>

namespace fs = std::filesystem;
using namespace velcaro;

namespace {

void CentreOnScreen(QWidget& w)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = w.frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        w.move(r.topLeft());
    }
}

struct Views {
    std::unique_ptr<qt::View<Ui::MainForm>> main;
    std::unique_ptr<qt::View<Ui::AboutBox, QDialog>> about;
    std::unique_ptr<qt::View<Ui::AboutBox, QDialog>> splash;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Velcaro");
    const fs::path programDir = fs::path(QCoreApplication::applicationDirPath().toStdString());
    QApplication::setWindowIcon(QIcon(QString::fromStdString((programDir / "Images" / "BOX.ICO").string())));
    text::SetRegional(text::RegionalSettings::FromUserLocale());

    qt::QtHost host;
    analysis::Program program(host, programDir.string());
    host.SetApplication(&program.app);
    qt::HelpViewer help(program.app.ResolvePath("..\\Velcaro\\HELP\\AIUTO.HLP"));
    program.app.SetHelp(&help);

    Views views;
    analysis::StartOptions options;
    options.showSplash = [&](analysis::TAboutBox& splash) {
        views.splash = qt::LoadAndBind<Ui::AboutBox, QDialog>(splash, host);
        QDialog& w = *views.splash->window;
        w.setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
        views.splash->ui.Panel1->setLineWidth(splash.PanelBorderWidth());
        CentreOnScreen(w);
        w.show();
        QCoreApplication::processEvents(); // paint it now: the wait that follows runs no loop
    };
    options.closeSplash = [&](analysis::TAboutBox&) { views.splash.reset(); };
    options.formCreated = [&](ui::Form& form) {
        // A window whose layout and logic disagree still opens without its view's bindings
        // is not an option: the error is the program's, shown like any other.
        program.app.Dispatch([&] {
            if (&form == program.MainForm) {
                views.main = qt::LoadAndBind<Ui::MainForm>(form, host);
                QWidget& w = *views.main->window;
                w.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
                CentreOnScreen(w);
            } else if (&form == program.AboutBox) {
                views.about = qt::LoadAndBind<Ui::AboutBox, QDialog>(form, host);
                views.about->window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint |
                                                    Qt::WindowSystemMenuHint |
                                                    Qt::WindowCloseButtonHint);
            }
        });
    };

    program.Start(options);
    // Closing the main window ends the program.
    program.MainForm->Observe([&] {
        if (!program.MainForm->Visible())
            QCoreApplication::quit();
    });
    const int rc = QApplication::exec();
    views.main.reset();
    views.about.reset();
    return rc;
}
