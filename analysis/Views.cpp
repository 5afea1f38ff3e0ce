#include "analysis/Views.h"

#include "platform/qt/View.h"

#include "ui_uMain.h"
#include "ui_uSplash.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QScreen>

namespace velcaro::analysis {

namespace {
void CentreOnScreen(QWidget& w)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect r = w.frameGeometry();
        r.moveCenter(screen->availableGeometry().center());
        w.move(r.topLeft());
    }
}
} // namespace

struct ProgramViews::Impl {
    Program& program;
    qt::QtHost& host;
    std::unique_ptr<qt::View<Ui::MainForm>> main;
    std::unique_ptr<qt::View<Ui::AboutBox, QDialog>> about;
    std::unique_ptr<qt::View<Ui::AboutBox, QDialog>> splash;
};

ProgramViews::ProgramViews(Program& program, qt::QtHost& host)
    : impl_(std::make_unique<Impl>(Impl{program, host, {}, {}, {}}))
{
}

ProgramViews::~ProgramViews() = default;

void ProgramViews::Install(StartOptions& options)
{
    Impl& v = *impl_;
    options.showSplash = [&v](TAboutBox& splash) {
        v.splash = qt::LoadAndBind<Ui::AboutBox, QDialog>(splash, v.host);
        QDialog& w = *v.splash->window;
        w.setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
        v.splash->ui.Panel1->setLineWidth(splash.PanelBorderWidth());
        CentreOnScreen(w);
        w.show();
        QCoreApplication::processEvents(); // paint it now: the wait that follows runs no loop
    };
    options.closeSplash = [&v](TAboutBox&) { v.splash.reset(); };
    options.formCreated = [&v](ui::Form& form) {
        // A layout that disagrees with its window's logic is reported like any other error.
        v.program.app.Dispatch([&] {
            if (&form == v.program.MainForm) {
                v.main = qt::LoadAndBind<Ui::MainForm>(form, v.host);
                QWidget& w = *v.main->window;
                w.setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
                CentreOnScreen(w);
            } else if (&form == v.program.AboutBox) {
                v.about = qt::LoadAndBind<Ui::AboutBox, QDialog>(form, v.host);
                v.about->window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint |
                                                Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
            }
        });
    };
}

QWidget* ProgramViews::MainWindow() const { return impl_->main ? impl_->main->window.get() : nullptr; }
QWidget* ProgramViews::AboutWindow() const
{
    return impl_->about ? impl_->about->window.get() : nullptr;
}

} // namespace velcaro::analysis
