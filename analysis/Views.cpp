#include "analysis/Views.h"

#include "platform/qt/View.h"

#include "ui_Progform.h"
#include "ui_uCostoTrasporto.h"
#include "ui_uCalcoli.h"
#include "ui_uMain.h"
#include "ui_uUltimoStrato.h"
#include "ui_uSplash.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolButton>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTreeWidget>

#include <functional>
#include <vector>

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
// Every key typed anywhere in the progress window asks for a stop, as the window's own key
// handler says; Enter still presses STOP, its default button.
class AnyKeyFilter : public QObject {
public:
    AnyKeyFilter(ui::Form& form, QObject* parent) : QObject(parent), form_(form) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->text().isEmpty())
            return false;
        const std::string typed = key->text().toStdString();
        form_.App().Dispatch([this, &typed] { form_.UserKey(typed); });
        return true;
    }

private:
    ui::Form& form_;
};

// An observer left on a form or control, taken off when the view goes.
struct Observation {
    Observation(std::function<void(int)> off, int observerId) : unobserve(std::move(off)), id(observerId) {}
    Observation(const Observation&) = delete;
    Observation& operator=(const Observation&) = delete;
    std::function<void(int)> unobserve;
    int id = 0;
    ~Observation()
    {
        if (unobserve)
            unobserve(id);
    }
};
// The grid columns that show a figure after void filling are yellow, like every other box of
// the quantity window that does.
class YellowColumn : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        option->backgroundBrush = QColor(255, 255, 0);
    }
};

// A figure on dark green is written in white; the box may turn back to the window colour,
// and its text with it.
void WhiteOnGreen(ui::Edit& model, QLineEdit* widget)
{
    const QPointer<QLineEdit> w(widget);
    auto follow = [w, &model] {
        if (!w)
            return; // the view has gone; the model lives on
        QPalette pal = w->palette();
        pal.setColor(QPalette::Text, model.GetColor() == ui::clGreen
                                         ? QColor(Qt::white)
                                         : QApplication::palette(w).color(QPalette::Text));
        if (pal != w->palette())
            w->setPalette(pal);
    };
    follow();
    model.Observe(follow);
}

void DressQuantityWindow(quantities::TfCalcoli& form, Ui::fCalcoli& ui, QDialog& w)
{
    WhiteOnGreen(form.eTotaleFull, ui.eTotaleFull);
    WhiteOnGreen(form.eQtaContenitore, ui.eQtaContenitore);
    w.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowCloseButtonHint);
    const std::pair<QToolButton*, QStyle::StandardPixmap> tools[] = {
        {ui.tbCalcolatrice, QStyle::SP_DialogApplyButton},
        {ui.tbStop, QStyle::SP_DialogCancelButton},
        {ui.ToolButton4, QStyle::SP_DialogHelpButton}};
    for (const auto& [button, icon] : tools) {
        button->setIcon(w.style()->standardIcon(icon));
        button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
    ui.DBGrid1->verticalHeader()->hide();
    ui.DBGrid1->verticalHeader()->setDefaultSectionSize(22);
    ui.DBGrid1->horizontalHeader()->setHighlightSections(false);
    auto* yellow = new YellowColumn(ui.DBGrid1);
    ui.DBGrid1->setItemDelegateForColumn(8, yellow);  // QuantitaSatura
    ui.DBGrid1->setItemDelegateForColumn(13, yellow); // CaricoSaturo
    // The layer counts change with the arrows only.
    for (QSpinBox* spin : {ui.seModificaStrati, ui.seUltimoStrato})
        if (auto* text = spin->findChild<QLineEdit*>())
            text->setReadOnly(true);
    // The second panel of the status bar sits on the right.
    const auto panels = ui.sbCalcoli->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
    if (!panels.isEmpty())
        panels.back()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CentreOnScreen(w);
}
} // namespace

struct ProgramViews::Impl {
    Program& program;
    qt::QtHost& host;
    std::unique_ptr<qt::View<Ui::MainForm>> main;
    std::unique_ptr<qt::View<Ui::AboutBox, QDialog>> about;
    std::unique_ptr<qt::View<Ui::AboutBox, QDialog>> splash;
    std::unique_ptr<qt::View<Ui::Progress, QDialog>> progress;
    std::unique_ptr<qt::View<Ui::fCostoTrasporto, QDialog>> costoTrasporto;
    QPointer<QWidget> disabledByProgress;
    std::vector<std::unique_ptr<Observation>> observations;

    std::unique_ptr<qt::View<Ui::fCalcoli, QDialog>> calcoli{};
    std::unique_ptr<qt::View<Ui::fUltimoStrato, QDialog>> ultimoStrato{};

    void MakeProgressView(report::TProgress& form);
};

void ProgramViews::Impl::MakeProgressView(report::TProgress& form)
{
    progress = qt::LoadAndBind<Ui::Progress, QDialog>(form, host);
    QDialog& w = *progress->window;
    // No caption buttons: only STOP or a key ends the process early.
    w.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    for (QWidget* child : w.findChildren<QWidget*>())
        child->installEventFilter(new AnyKeyFilter(form, child));
    w.installEventFilter(new AnyKeyFilter(form, &w));

    // The eight lines with their icons and their ticks.
    QTreeWidget* list = progress->ui.lvAvanzamento;
    const QStyle::StandardPixmap icons[] = {
        QStyle::SP_FileDialogInfoView,  QStyle::SP_DialogApplyButton, QStyle::SP_DesktopIcon,
        QStyle::SP_FileDialogListView,  QStyle::SP_TitleBarNormalButton,
        QStyle::SP_FileDialogDetailedView, QStyle::SP_FileIcon, QStyle::SP_ComputerIcon};
    auto showTicks = [list, &form, icons] {
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = list->topLevelItem(i);
            item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
            item->setCheckState(0, form.lvAvanzamento.Checked(i) ? Qt::Checked : Qt::Unchecked);
            if (i < static_cast<int>(std::size(icons)))
                item->setIcon(0, list->style()->standardIcon(icons[i]));
        }
    };
    showTicks();
    observations.push_back(std::make_unique<Observation>(
        [&form](int id) { form.lvAvanzamento.Unobserve(id); }, form.lvAvanzamento.Observe(showTicks)));

    // The window the process disabled is disabled on screen too.
    auto followDisabled = [this, &form] {
        const ui::Form* d = form.DisabledWindow();
        QWidget* wanted = d ? host.WindowOf(*d) : nullptr;
        if (wanted == disabledByProgress)
            return;
        if (disabledByProgress)
            disabledByProgress->setEnabled(true);
        if (wanted)
            wanted->setEnabled(false);
        disabledByProgress = wanted;
    };
    observations.push_back(std::make_unique<Observation>(
        [&form](int id) { form.Unobserve(id); }, form.Observe(followDisabled)));
}

ProgramViews::ProgramViews(Program& program, qt::QtHost& host)
    : impl_(std::make_unique<Impl>(Impl{program, host, {}, {}, {}, {}, {}, {}, {}}))
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
            } else if (&form == v.program.Progress) {
                v.MakeProgressView(*v.program.Progress);
            } else if (&form == v.program.fCostoTrasporto) {
                v.costoTrasporto = qt::LoadAndBind<Ui::fCostoTrasporto, QDialog>(form, v.host);
                v.costoTrasporto->window->setWindowFlags(
                    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                    Qt::WindowCloseButtonHint);
                CentreOnScreen(*v.costoTrasporto->window);
            } else if (&form == v.program.fCalcoli) {
                v.calcoli = qt::LoadAndBind<Ui::fCalcoli, QDialog>(form, v.host);
                DressQuantityWindow(*v.program.fCalcoli, v.calcoli->ui, *v.calcoli->window);
            } else if (&form == v.program.fUltimoStrato) {
                v.ultimoStrato = qt::LoadAndBind<Ui::fUltimoStrato, QDialog>(form, v.host);
                v.ultimoStrato->window->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint |
                                                       Qt::WindowSystemMenuHint |
                                                       Qt::WindowCloseButtonHint);
                WhiteOnGreen(v.program.fUltimoStrato->lePortata, v.ultimoStrato->ui.lePortata);
                CentreOnScreen(*v.ultimoStrato->window);
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
