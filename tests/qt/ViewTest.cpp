#include "QtTestSupport.h"

#include "platform/qt/View.h"
#include "platform/ui/Form.h"
#include "ui_fPiccola.h"

#include <QDialog>
#include <QTimer>
#include <gtest/gtest.h>

namespace velcaro::qt {
namespace {

class PiccolaForm : public ui::Form {
public:
    explicit PiccolaForm(ui::Application& app) : Form(app, "fPiccola", "Piccola") {
        bbOK.SetModalResult(ui::mrOK);
    }
    ui::Edit eValore{*this, "eValore", "12"};
    ui::Button bbOK{*this, "bbOK", "OK"};
};

TEST(ViewTest, DesignerLayoutIsBoundAndShownModally) {
    testing::RecordingHost host;
    ui::Application app(host, testing::FreshDir());
    auto& form = app.Create<PiccolaForm>();
    auto view = LoadAndBind<Ui::fPiccola, QDialog>(form, host);
    EXPECT_EQ(host.WindowOf(form), view->window.get());
    EXPECT_EQ(view->ui.eValore->text(), QStringLiteral("12"));
    EXPECT_EQ(view->window->windowTitle(), QStringLiteral("Piccola"));
    QTimer::singleShot(0, view->window.get(), [&] { view->ui.bbOK->click(); });
    EXPECT_EQ(form.ShowModal(), ui::mrOK);
    EXPECT_FALSE(view->window->isVisible());
}

} // namespace
} // namespace velcaro::qt
