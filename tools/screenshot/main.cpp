// velcaro-screenshot OUT_DIR [PROGRAM_DIR]: starts the program's real windows, works through
// a packing calculation as a user would, and saves pictures of what the user sees:
// calcoli.png (the quantity window that "Calcola" opens), ultimostrato.png (the last-layer
// window, top layers added), calcoli_strati.png (the quantity window with them), main.png
// (after the import and the calculation), costo.png, progress.png, about.png, splash.png.
// Run it under a display (xvfb-run) or
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
#include <QTimer>
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

// Inside the quantity window's modal loop: its picture with the first solution shown, then
// one layer less written and top layers of a lower orientation added (the last-layer window
// is pictured inside its own loop), the import, and the close.
void WorkQuantityWindow(analysis::Program& program, qt::QtHost& host, const fs::path& out, bool& ok)
{
    quantities::TfCalcoli& c = *program.fCalcoli;
    quantities::TfUltimoStrato& u = *program.fUltimoStrato;
    program.app.Dispatch([&] {
        // Arriving on the first row again shows its void-filling proposal.
        c.dbnCalcoli.UserPress(ui::NavButton::Next);
        c.dbnCalcoli.UserPress(ui::NavButton::Prior);
    });
    ok = Save(host.WindowOf(c), out / "calcoli.png") && ok;
    program.app.Dispatch([&] {
        // One layer less, written, leaves room for layers of a lower orientation on top.
        for (int i = 0; i < 6; ++i) {
            if (c.seModificaStrati.Value() > 1) {
                c.seModificaStrati.UserSpinDown();
                c.bbScriviStrati.UserClick();
            }
            c.cbUltimoStrato.UserDropDown();
            if (!c.cbUltimoStrato.Items().empty())
                return;
            c.dbnCalcoli.UserPress(ui::NavButton::Next);
        }
    });
    if (c.cbUltimoStrato.Items().empty()) {
        std::cout << "nessun orientamento per gli ultimi strati\n";
    } else {
        QTimer::singleShot(300, [&] {
            ok = Save(host.WindowOf(u), out / "ultimostrato.png") && ok;
            program.app.Dispatch([&] { u.bbOK.UserClick(); });
        });
        program.app.Dispatch([&] {
            c.cbUltimoStrato.UserChoose(static_cast<int>(c.cbUltimoStrato.Items().size()) - 1);
            c.cbAggiungereStrato.UserSetChecked(true);
        });
        ok = Save(host.WindowOf(c), out / "calcoli_strati.png") && ok;
    }
    program.app.Dispatch([&] {
        c.tbCalcolatrice.UserClick();
        c.bbClose.UserClick();
    });
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
        });
        // "Calcola" shows the quantity window modally: the pictures are taken from inside its
        // loop, and the window is then worked as a user would and closed.
        QTimer::singleShot(300, [&] { WorkQuantityWindow(program, host, out, ok); });
        program.app.Dispatch([&] {
            m.bbCalcoli.UserClick();
        });
        ok = Save(views.MainWindow(), out / "main.png") && ok;
        program.AboutBox->Show();
        // The transport cost and progress windows as they first appear.
        program.fCostoTrasporto->Show();
        ok = Save(host.WindowOf(*program.fCostoTrasporto), out / "costo.png") && ok;
        program.fCostoTrasporto->Hide();
        program.Progress->Show();
        ok = Save(host.WindowOf(*program.Progress), out / "progress.png") && ok;
        program.Progress->Hide();
        ok = Save(views.AboutWindow(), out / "about.png") && ok;
        program.AboutBox->Hide();
    }
    return ok ? 0 : 1;
}
