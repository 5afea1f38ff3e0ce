// velcaro-screenshot OUT_DIR [PROGRAM_DIR]: starts the program's real windows, works through
// a packing calculation as a user would, and saves pictures of what the user sees:
// main.png (after "Calcola"), about.png, splash.png. Run it under a display (xvfb-run) or
// offscreen; QT_SCALE_FACTOR=1.5 shows the windows at 150 %.
#include "analysis/Startup.h"
#include "analysis/Views.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/View.h"
#include "platform/text/Regional.h"

#include "ui_uSplash.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPixmap>
#include <QWidget>

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;
using namespace velcaro;

namespace {

bool Save(QWidget* w, const fs::path& file)
{
    if (!w)
        return false;
    w->show();
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const bool ok = w->grab().save(QString::fromStdString(file.string()));
    std::cout << (ok ? "salvato " : "NON salvato ") << file.string() << "\n";
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    if (argc < 2) {
        std::cerr << "uso: velcaro-screenshot CARTELLA_USCITA [CARTELLA_PROGRAMMA]\n";
        return 2;
    }
    const fs::path out = argv[1];
    const fs::path programDir = argc > 2 ? fs::path(argv[2]) : fs::path(VELCARO_PROGRAM_DIR_DEFAULT);
    fs::create_directories(out);
    text::SetRegional(text::RegionalSettings::Italian());

    qt::QtHost host;
    // Every question is answered Yes, every message acknowledged, and all are listed.
    host.dialogHook = [](QMessageBox& box) {
        std::cout << "dialogo: " << box.text().toStdString() << "\n";
        return box.standardButtons().testFlag(QMessageBox::Yes) ? ui::DialogButton::Yes
                                                                : ui::DialogButton::OK;
    };
    analysis::Program program(host, programDir.string());
    host.SetApplication(&program.app);
    bool ok = true;
    {
        analysis::ProgramViews views(program, host);
        analysis::StartOptions options;
        options.splashDelay = false;
        views.Install(options);
        options.showSplash = [&](analysis::TAboutBox& splash) {
            auto view = qt::LoadAndBind<Ui::AboutBox, QDialog>(splash, host);
            view->window->setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
            view->ui.Panel1->setLineWidth(splash.PanelBorderWidth());
            ok = Save(view->window.get(), out / "splash.png") && ok;
        };
        program.Start(options);

        analysis::TMainForm& m = *program.MainForm;
        program.app.Dispatch([&] {
            m.cbCategorieContenitori.UserChoose(1); // CASSA di LEGNO
            m.cbNormalizzato.UserChoose("Cassa legno 1200x800 H 600");
            m.mePesoManufatto.UserType("850");
            m.meLarghezzaManufatto.UserType("180");
            m.meLunghezzaManufatto.UserType("260");
            m.meAltezzaManufatto.UserType("120");
            m.meAltezzaCompenetra.UserType("15");
            m.cbMezzo.UserChoose("Semirimorchio telonato 13,6 m");
            m.bbCalcoli.UserClick();
        });
        ok = Save(views.MainWindow(), out / "main.png") && ok;
        program.AboutBox->Show();
        ok = Save(views.AboutWindow(), out / "about.png") && ok;
        program.AboutBox->Hide();
    }
    return ok ? 0 : 1;
}
