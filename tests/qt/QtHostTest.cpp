#include "QtTestSupport.h"

#include "platform/Error.h"
#include "platform/qt/QtText.h"
#include "platform/ui/Form.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace velcaro::qt {
namespace {

using ui::DialogButton;
using ui::DialogKind;

struct BoxCase {
    const char* fault;
    DialogKind kind;
    QMessageBox::Icon icon;
    const char* title;
};

TEST(MessageBoxTest, EachKindHasItsIconAndTitle) {
    const BoxCase cases[] = {
        {"error shown without the critical icon", DialogKind::Error, QMessageBox::Critical,
         "Errore"},
        {"warning shown as something else", DialogKind::Warning, QMessageBox::Warning, "Avviso"},
        {"information icon lost", DialogKind::Information, QMessageBox::Information,
         "Informazioni"},
        {"confirmation without the question mark", DialogKind::Confirmation, QMessageBox::Question,
         "Conferma"},
        {"plain message not titled with the application", DialogKind::Message, QMessageBox::NoIcon,
         "Velcaro Prova"},
    };
    for (const auto& c : cases) {
        auto box = MakeMessageBox(c.kind, "x", {DialogButton::OK}, "Velcaro Prova");
        EXPECT_EQ(box->icon(), c.icon) << c.fault;
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8(c.title)) << c.fault;
    }
}

TEST(MessageBoxTest, ButtonsCarryTheItalianTextsAndAnswerTheirButton) {
    auto box = MakeMessageBox(
        DialogKind::Confirmation, "q",
        {DialogButton::Yes, DialogButton::No, DialogButton::OK, DialogButton::Cancel}, "T");
    const struct {
        DialogButton b;
        QMessageBox::StandardButton standard;
        const char* text;
    } rows[] = {{DialogButton::Yes, QMessageBox::Yes, "Sì"},
                {DialogButton::No, QMessageBox::No, "No"},
                {DialogButton::OK, QMessageBox::Ok, "OK"},
                {DialogButton::Cancel, QMessageBox::Cancel, "Annulla"}};
    for (const auto& r : rows) {
        QAbstractButton* button = box->button(r.standard);
        ASSERT_NE(button, nullptr) << ui::DialogButtonName(r.b);
        EXPECT_EQ(button->text(), QString::fromUtf8(r.text));
        EXPECT_EQ(ButtonOf(r.standard), r.b);
    }
    EXPECT_EQ(box->buttons().size(), 4);
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Yes)) << "first button is the default";
    EXPECT_EQ(box->escapeButton(), box->button(QMessageBox::Cancel))
        << "Esc must be the safe answer";
}

TEST(MessageBoxTest, CarriageReturnsBreakTheLines) {
    auto box = MakeMessageBox(DialogKind::Error, "Manca la compilazione,\roppure\r\nqualcosa",
                              {DialogButton::OK}, "T");
    EXPECT_EQ(box->text(), QStringLiteral("Manca la compilazione,\noppure\nqualcosa"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText) << "texts with '<' must not turn into markup";
}

TEST(QtTextTest, FileFilterInQtForm) {
    const struct {
        const char* program;
        const char* qt;
    } rows[] = {
        {"Fogli di lavoro (*.xls)|*.xls", "Fogli di lavoro (*.xls)"},
        {"Fogli di lavoro (*.xls)|*.xls|Tutti i file (*.*)|*.*",
         "Fogli di lavoro (*.xls);;Tutti i file (*.*)"},
        {"Testi|*.txt;*.lst", "Testi (*.txt *.lst)"}, // pattern list without a description of it
        {"", ""},
    };
    for (const auto& r : rows)
        EXPECT_EQ(QtFileFilter(r.program), QString::fromUtf8(r.qt)) << r.program;
}

TEST(QtTextTest, LineBreaksBothWays) {
    EXPECT_EQ(Shown("a\rb\r\nc\nd"), QStringLiteral("a\nb\nc\nd"));
    EXPECT_EQ(Typed(QStringLiteral("a\nb")), "a\r\nb") << "memo lines are kept as CR LF";
    EXPECT_EQ(Shown("Quantità"), QString::fromUtf8("Quantità")) << "UTF-8 lost";
}

TEST(QtTextTest, SystemColoursComeFromThePalette) {
    QPalette pal;
    pal.setColor(QPalette::Base, QColor(1, 2, 3));
    pal.setColor(QPalette::Window, QColor(4, 5, 6));
    EXPECT_EQ(ResolveColor(ui::clWindow, pal), QColor(1, 2, 3));
    EXPECT_EQ(ResolveColor(ui::clBtnFace, pal), QColor(4, 5, 6));
    EXPECT_EQ(ResolveColor(ui::clSkyBlue, pal), QColor(0xA6, 0xCA, 0xF0)) << "RGB order swapped";
}

class ModalForm : public ui::Form {
public:
    explicit ModalForm(ui::Application& app) : Form(app, "fModale", "Modale") {
        bbOK.SetModalResult(ui::mrOK);
    }
    ui::Button bbOK{*this, "bbOK", "OK"};
};

TEST(QtHostTest, ModalLoopEndsWithTheResultAndHidesTheWindow) {
    testing::RecordingHost host;
    ui::Application app(host, testing::FreshDir());
    auto& form = app.Create<ModalForm>();
    QWidget window;
    host.Register(form, &window);
    bool shownDuringLoop = false;
    QTimer::singleShot(0, &window, [&] {
        shownDuringLoop = window.isVisible() && window.isModal();
        form.bbOK.UserClick();
    });
    EXPECT_EQ(form.ShowModal(), ui::mrOK);
    EXPECT_TRUE(shownDuringLoop);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.isModal()) << "modality must not stick to the window";
}

TEST(QtHostTest, ModalFormWithoutAViewIsAnError) {
    testing::RecordingHost host;
    ui::Application app(host, testing::FreshDir());
    auto& form = app.Create<ModalForm>();
    EXPECT_THROW(form.ShowModal(), Error);
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(app.ModalStack().empty());
}

TEST(QtHostTest, ModelessShowAndHideFollowTheForm) {
    testing::RecordingHost host;
    ui::Application app(host, testing::FreshDir());
    auto& form = app.Create<ModalForm>();
    {
        QWidget window;
        host.Register(form, &window);
        form.Show();
        EXPECT_TRUE(window.isVisible());
        form.Hide();
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_EQ(host.WindowOf(form), nullptr) << "a destroyed window must be forgotten";
    form.Show(); // nothing to show, nothing to crash
}

TEST(QtHostTest, ErrorInAHandlerBecomesAnErrorBox) {
    testing::RecordingHost host;
    ui::Application app(host, testing::FreshDir());
    host.SetApplication(&app);
    EXPECT_FALSE(app.Dispatch([] { throw Error("'x' is not a valid integer value"); }));
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(host.boxes[0].text, QStringLiteral("'x' is not a valid integer value"));
    app.ShowMessage("Ciao");
    ASSERT_EQ(host.boxes.size(), 2u);
    EXPECT_EQ(host.boxes[1].title, QStringLiteral("Velcaro"));
    EXPECT_EQ(host.boxes[1].buttons, QStringList{QStringLiteral("OK")});
}

} // namespace
} // namespace velcaro::qt
