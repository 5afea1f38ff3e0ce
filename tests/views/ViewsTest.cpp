// Every window's layout holds a widget of the right kind for each of its controls, and the
// about window shows the right things in each of its two modes.
#include "analysis/Startup.h"
#include "analysis/Views.h"
#include "platform/qt/Binder.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/View.h"

#include "ui_uCalcoli.h"
#include "ui_Progform.h"
#include "ui_uCostoTrasporto.h"
#include "ui_uMain.h"
#include "ui_uUltimoStrato.h"
#include "ui_uSplash.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace velcaro::analysis {
namespace {

struct Views : ::testing::Test {
    qt::QtHost host;
    Program program{host, VELCARO_PROGRAM_DIR_DEFAULT};
};

std::string Joined(const std::vector<std::string>& v)
{
    std::string s;
    for (const auto& p : v)
        s += p + "\n";
    return s;
}

TEST_F(Views, MainWindowLayoutHasAWidgetOfTheRightKindForEveryControl)
{
    TMainForm form(program.app, *program.dmModuloDati, program.state);
    QWidget window;
    Ui::MainForm ui;
    ui.setupUi(&window);
    EXPECT_EQ(Joined(qt::Binder::Problems(form, &window)), "");
    EXPECT_EQ(window.size(), QSize(794, 611));
}

TEST_F(Views, AboutWindowLayoutHasAWidgetOfTheRightKindForEveryControl)
{
    TAboutBox form(program.app);
    QDialog window;
    Ui::AboutBox ui;
    ui.setupUi(&window);
    EXPECT_EQ(Joined(qt::Binder::Problems(form, &window)), "");
    EXPECT_EQ(window.size(), QSize(368, 467));
}

TEST_F(Views, AboutWindowShowsLoadingOnlyInSplashMode)
{
    TAboutBox about(program.app);
    TAboutBox splash(program.app, "Splash");
    splash.SetSplashMode();
    auto aboutView = qt::LoadAndBind<Ui::AboutBox, QDialog>(about, host);
    auto splashView = qt::LoadAndBind<Ui::AboutBox, QDialog>(splash, host);
    aboutView->window->show();
    splashView->window->show();
    QApplication::processEvents();
    EXPECT_FALSE(aboutView->ui.lbLoading->isVisible());
    EXPECT_TRUE(aboutView->ui.bbOK->isVisible());
    EXPECT_TRUE(splashView->ui.lbLoading->isVisible());
    EXPECT_EQ(splashView->ui.lbLoading->text(), "Caricamento in corso...");
    EXPECT_FALSE(splashView->ui.bbOK->isVisible());
    EXPECT_EQ(splash.PanelBorderWidth(), 3);
}

TEST_F(Views, StartUpBuildsTheViewsAndShowsTheMainWindowOnItsLogo)
{
    host.dialogHook = [](QMessageBox&) {
        ADD_FAILURE() << "no dialog expected at start-up";
        return ui::DialogButton::OK;
    };
    ProgramViews views(program, host);
    StartOptions options;
    options.splashDelay = false;
    views.Install(options);
    program.Start(options);
    EXPECT_TRUE(program.MainForm->Visible());
    ASSERT_NE(views.MainWindow(), nullptr);
    EXPECT_TRUE(views.MainWindow()->isVisible());
    EXPECT_EQ(views.MainWindow()->windowTitle(), "Velcaro");
    EXPECT_EQ(program.MainForm->iImage.Picture(), "Images\\LOGO.jpg");
    EXPECT_EQ(program.dmModuloDati->tbContenitori.RecordCount(), 28);
}

TEST_F(Views, QuantityWindowsLayoutsHaveAWidgetOfTheRightKindForEveryControl)
{
    TMainForm main(program.app, *program.dmModuloDati, program.state);
    quantities::TfCalcoli calcoli(program.app, *program.dmModuloDati, program.state, main);
    QDialog calcoliWindow;
    Ui::fCalcoli calcoliUi;
    calcoliUi.setupUi(&calcoliWindow);
    EXPECT_EQ(Joined(qt::Binder::Problems(calcoli, &calcoliWindow)), "");
    EXPECT_EQ(calcoliWindow.size(), QSize(860, 552));

    quantities::TfUltimoStrato ultimo(program.app);
    QDialog ultimoWindow;
    Ui::fUltimoStrato ultimoUi;
    ultimoUi.setupUi(&ultimoWindow);
    EXPECT_EQ(Joined(qt::Binder::Problems(ultimo, &ultimoWindow)), "");
    EXPECT_EQ(ultimoWindow.size(), QSize(420, 332));
}

TEST_F(Views, QuantityWindowGridShowsTheSolutionColumnsWithTheirTitles)
{
    ProgramViews views(program, host);
    StartOptions options;
    options.splashDelay = false;
    views.Install(options);
    program.Start(options);
    QWidget* window = host.WindowOf(*program.fCalcoli);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "SCELTA delle QUANTITA'");
    auto* grid = window->findChild<QTableView*>("DBGrid1");
    ASSERT_NE(grid, nullptr);
    QStringList titles;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    EXPECT_EQ(titles.join("|").toStdString(),
              "ID|Cont. [A]|Cont. [B]|Cont. [H]|Pz. [A]|Pz. [B]|Pz. [H]|Q.tà/Cont.|Q.tà 100%|"
              "Q.tà [A]|Q.tà [B]|N° Strati|Kg/m²|Kg/m²");
    ASSERT_NE(host.WindowOf(*program.fUltimoStrato), nullptr);
    EXPECT_EQ(host.WindowOf(*program.fUltimoStrato)->windowTitle(),
              "SUPERATA la PORTATA MAX (Saturazione in H)");
}

TEST_F(Views, ExportWindowsLayoutsHaveAWidgetOfTheRightKindForEveryControl)
{
    report::TProgress progress(program.app);
    QDialog progressWindow;
    Ui::Progress progressUi;
    progressUi.setupUi(&progressWindow);
    EXPECT_EQ(Joined(qt::Binder::Problems(progress, &progressWindow)), "");
    EXPECT_EQ(progressWindow.size(), QSize(400, 352));

    stowage::TfCostoTrasporto costo(program.app, program.state);
    QDialog costoWindow;
    Ui::fCostoTrasporto costoUi;
    costoUi.setupUi(&costoWindow);
    EXPECT_EQ(Joined(qt::Binder::Problems(costo, &costoWindow)), "");
    EXPECT_EQ(costoWindow.size(), QSize(420, 196));
}

TEST_F(Views, ProgressWindowTicksItsStepsAndDisablesTheMainWindowWhileShown)
{
    ProgramViews views(program, host);
    StartOptions options;
    options.splashDelay = false;
    views.Install(options);
    program.Start(options);
    QWidget* window = host.WindowOf(*program.Progress);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Visualizza progressione cicli...");
    auto* list = window->findChild<QTreeWidget*>("lvAvanzamento");
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->topLevelItemCount(), 8);
    EXPECT_EQ(list->topLevelItem(6)->text(0), "VALORI");

    program.Progress->Avvia("CREAZIONE REPORT in EXCEL", 8);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(views.MainWindow()->isEnabled());
    program.Progress->lvAvanzamento.SetChecked(0, true);
    EXPECT_EQ(list->topLevelItem(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(list->topLevelItem(1)->checkState(0), Qt::Unchecked);
    program.Progress->Chiudi();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(views.MainWindow()->isEnabled());
    ASSERT_NE(host.WindowOf(*program.fCostoTrasporto), nullptr);
    EXPECT_EQ(host.WindowOf(*program.fCostoTrasporto)->windowTitle(), "COSTO TRASPORTO");
}

} // namespace
} // namespace velcaro::analysis
