#include "QtTestSupport.h"

#include "platform/Error.h"
#include "platform/qt/Binder.h"
#include "platform/qt/QtText.h"
#include "platform/ui/Form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <climits>

namespace velcaro::qt {
namespace {

// One control of every plain kind, with a log of the events the widgets raise.
class ProvaForm : public ui::Form {
public:
    explicit ProvaForm(ui::Application& app) : Form(app, "fProva", "Prova finestra") {
        bbOK.OnClick = [this] { log.push_back("bbOK.OnClick"); };
        bbAnnulla.SetCancel(true);
        bbAnnulla.OnClick = [this] { log.push_back("bbAnnulla.OnClick"); };
        bbCalcola.SetDefault(true);
        bbCalcola.OnClick = [this] { log.push_back("bbCalcola.OnClick"); };
        eNome.OnExit = [this] { log.push_back("eNome.OnExit"); };
        eNome.OnChange = [this] { log.push_back("eNome.OnChange"); };
        seStrati.OnChange = [this] { log.push_back("seStrati.OnChange"); };
        cbFamiglia.SetItems({"LEGNO", "PLASTICA", "ALLUMINIO"});
        cbFamiglia.OnChange = [this] { log.push_back("cbFamiglia.OnChange"); };
        cbSeparatori.OnClick = [this] { log.push_back("cbSeparatori.OnClick"); };
        rgTramezzi.OnClick = [this] { log.push_back("rgTramezzi.OnClick"); };
        lvRighe.OnChange = [this] { log.push_back("lvRighe.OnChange"); };
        mNote.OnChange = [this] { log.push_back("mNote.OnChange"); };
    }
    std::vector<std::string> log;

    ui::Label lbTitolo{*this, "lbTitolo", "Prima riga\rSeconda riga"};
    ui::Button bbOK{*this, "bbOK", "&OK"};
    ui::Button bbAnnulla{*this, "bbAnnulla", "Annulla"};
    ui::Button bbCalcola{*this, "bbCalcola", "Calcola"};
    ui::Button sbTabella{*this, "sbTabella", "...", false};
    ui::Edit eNome{*this, "eNome"};
    ui::Edit eTotale{*this, "eTotale", "0", true};
    ui::MaskEdit meCodice{*this, "meCodice", "!99999;1;_"};
    ui::SpinEdit seStrati{*this, "seStrati"};
    ui::ComboBox cbFamiglia{*this, "cbFamiglia"};
    ui::CheckBox cbSeparatori{*this, "cbSeparatori", "Separatori"};
    ui::RadioGroup rgTramezzi{
        *this, "rgTramezzi", "Tramezzi", {"Nessuno", "Verticali", "Orizzontali"}, 2};
    ui::GroupBox gbDati{*this, "gbDati", "Dati del pezzo"};
    ui::Gauge gProgresso{*this, "gProgresso"};
    ui::Image iLogo{*this, "iLogo"};
    ui::StatusBar sbStato{*this, "sbStato", 2};
    ui::ListView lvRighe{*this, "lvRighe"};
    ui::Memo mNote{*this, "mNote"};
};

template <class W> W* Add(QWidget* parent, const char* name) {
    auto* w = new W(parent);
    w->setObjectName(QString::fromLatin1(name));
    parent->layout()->addWidget(w);
    return w;
}

// The window as its .ui file would lay it out.
std::unique_ptr<QWidget> ProvaWindow() {
    auto root = std::make_unique<QWidget>();
    root->setObjectName("fProva");
    new QVBoxLayout(root.get());
    Add<QLabel>(root.get(), "lbTitolo");
    Add<QPushButton>(root.get(), "bbOK");
    Add<QPushButton>(root.get(), "bbAnnulla");
    Add<QPushButton>(root.get(), "bbCalcola");
    Add<QToolButton>(root.get(), "sbTabella");
    auto* group = Add<QGroupBox>(root.get(), "gbDati"); // controls may sit inside containers
    new QVBoxLayout(group);
    Add<QLineEdit>(group, "eNome");
    Add<QLineEdit>(group, "eTotale");
    Add<QLineEdit>(group, "meCodice")->setInputMask("99999;_");
    Add<QSpinBox>(group, "seStrati");
    Add<QComboBox>(root.get(), "cbFamiglia");
    Add<QCheckBox>(root.get(), "cbSeparatori");
    Add<QGroupBox>(root.get(), "rgTramezzi");
    Add<QProgressBar>(root.get(), "gProgresso");
    Add<QLabel>(root.get(), "iLogo");
    Add<QStatusBar>(root.get(), "sbStato");
    Add<QTreeWidget>(root.get(), "lvRighe");
    Add<QPlainTextEdit>(root.get(), "mNote");
    return root;
}

class BinderTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.SetApplication(&app);
        binder = Bind(form, window.get());
        host.Register(form, window.get());
    }
    template <class W> W* Widget(const ui::Control& c) {
        auto* w = qobject_cast<W*>(binder->WidgetOf(c));
        EXPECT_NE(w, nullptr) << c.Name();
        return w;
    }
    void ShowActive() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    testing::RecordingHost host;
    std::string dir = testing::FreshDir();
    ui::Application app{host, dir};
    ProvaForm& form = app.Create<ProvaForm>();
    std::unique_ptr<QWidget> window = ProvaWindow();
    std::unique_ptr<Binder> binder;
};

// ---- what binds --------------------------------------------------------------------------

TEST_F(BinderTest, EveryControlFindsItsWidget) {
    EXPECT_TRUE(Binder::Problems(form, window.get()).empty());
    for (const ui::Control* c : form.Controls()) {
        ASSERT_NE(binder->WidgetOf(*c), nullptr) << c->Name();
        EXPECT_EQ(binder->WidgetOf(*c)->objectName().toStdString(), c->Name());
    }
}

TEST_F(BinderTest, LayoutThatDisagreesIsReported) {
    const struct {
        const char* fault;
        const char* widget;
        std::function<void(QWidget*)> spoil;
        const char* expected; // part of the problem's text
    } rows[] = {
        {"missing widget", "eNome", [](QWidget* w) { delete w; }, "manca il widget QLineEdit"},
        {"spin box laid out as a line edit", "seStrati",
         [](QWidget* w) {
             w->setObjectName("altro");
             (new QLineEdit(w->parentWidget()))->setObjectName("seStrati");
         },
         "il widget è un QLineEdit, serve QSpinBox"},
        {"edit laid out as a label", "eNome",
         [](QWidget* w) {
             w->setObjectName("altro");
             (new QLabel(w->parentWidget()))->setObjectName("eNome");
         },
         "il widget è un QLabel, serve QLineEdit"},
        {"button laid out as a check box", "bbOK",
         [](QWidget* w) {
             w->setObjectName("altro");
             (new QCheckBox(w->parentWidget()))->setObjectName("bbOK");
         },
         "serve QPushButton o QToolButton"},
        {"two widgets with one name", "mNote",
         [](QWidget* w) { (new QPlainTextEdit(w->parentWidget()))->setObjectName("mNote"); },
         "2 widget con questo nome"},
    };
    for (const auto& r : rows) {
        auto tree = ProvaWindow();
        r.spoil(tree->findChild<QWidget*>(QString::fromLatin1(r.widget)));
        const auto problems = Binder::Problems(form, tree.get());
        ASSERT_EQ(problems.size(), 1u) << r.fault;
        EXPECT_NE(problems[0].find(std::string("'") + r.widget + "'"), std::string::npos)
            << r.fault;
        EXPECT_NE(problems[0].find(r.expected), std::string::npos)
            << r.fault << ": " << problems[0];
        EXPECT_THROW(Binder(form, tree.get()), Error) << r.fault;
    }
}

// ---- model -> widget ------------------------------------------------------------------------

TEST_F(BinderTest, TextsAsTheProgramWritesThem) {
    EXPECT_EQ(Widget<QLabel>(form.lbTitolo)->text(), QStringLiteral("Prima riga\nSeconda riga"));
    EXPECT_EQ(Widget<QPushButton>(form.bbOK)->text(), QStringLiteral("&OK")) << "accelerator lost";
    EXPECT_EQ(Widget<QGroupBox>(form.gbDati)->title(), QStringLiteral("Dati del pezzo"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Prova finestra"));

    form.SetCaption("Altro titolo");
    form.lbTitolo.SetCaption("Una\rDue\rTre");
    form.sbTabella.SetHint("Tabella Pallets|Apre la tabella dei pallet");
    form.eNome.SetText("Scatola");
    form.eTotale.SetText("1.234");
    form.cbSeparatori.SetCaption("Con separatori");
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Altro titolo"));
    EXPECT_EQ(Widget<QLabel>(form.lbTitolo)->text(), QStringLiteral("Una\nDue\nTre"));
    EXPECT_EQ(Widget<QToolButton>(form.sbTabella)->toolTip(), QStringLiteral("Tabella Pallets"));
    EXPECT_EQ(Widget<QLineEdit>(form.eNome)->text(), QStringLiteral("Scatola"));
    EXPECT_TRUE(Widget<QLineEdit>(form.eTotale)->isReadOnly());
    EXPECT_EQ(Widget<QCheckBox>(form.cbSeparatori)->text(), QStringLiteral("Con separatori"));
}

TEST_F(BinderTest, EnabledAndVisibleFollowTheModel) {
    QWidget* w = binder->WidgetOf(form.bbOK);
    form.bbOK.SetEnabled(false);
    EXPECT_FALSE(w->isEnabled());
    form.bbOK.SetVisible(false);
    EXPECT_TRUE(w->isHidden());
    form.bbOK.SetVisible(true);
    form.bbOK.SetEnabled(true);
    EXPECT_FALSE(w->isHidden());
    EXPECT_TRUE(w->isEnabled());
}

TEST_F(BinderTest, ColoursResolveSystemColoursAndRgb) {
    const QPalette app = QApplication::palette();
    const struct {
        const char* fault;
        ui::Control* control;
        ui::Color color;
        QPalette::ColorRole role;
        QColor expected;
    } rows[] = {
        {"edit background not painted", &form.eNome, ui::clYellow, QPalette::Base,
         QColor(255, 255, 0)},
        {"edit back to the window colour", &form.eNome, ui::clWindow, QPalette::Base,
         app.color(QPalette::Base)},
        {"read-only box in the button face", &form.eTotale, ui::clBtnFace, QPalette::Base,
         app.color(QPalette::Window)},
        {"label colour lost", &form.lbTitolo, ui::clSkyBlue, QPalette::Window,
         QColor(0xA6, 0xCA, 0xF0)},
        {"spin box red", &form.seStrati, ui::clRed, QPalette::Base, QColor(255, 0, 0)},
    };
    for (const auto& r : rows) {
        r.control->SetColor(r.color);
        EXPECT_EQ(binder->WidgetOf(*r.control)->palette().color(r.role), r.expected) << r.fault;
    }
    EXPECT_TRUE(binder->WidgetOf(form.lbTitolo)->autoFillBackground());
    form.lbTitolo.SetColor(ui::clBtnFace);
    EXPECT_FALSE(binder->WidgetOf(form.lbTitolo)->autoFillBackground())
        << "a label of the window's colour is transparent";
}

TEST_F(BinderTest, SpinBoxShowsTheModelValueWhateverItsBounds) {
    struct Row {
        const char* fault;
        int min, max, value;
        int laterMin, laterMax; // bounds moved after the value was set
        int shown;
    };
    const Row rows[] = {
        {"equal bounds clamp the value", 0, 0, 250, 0, 0, 250},
        {"equal non-zero bounds clamp", 5, 5, -3, 5, 5, -3},
        {"value inside distinct bounds", 1, 10, 7, 1, 10, 7},
        {"value outside bounds set by the model", 1, 10, 50, 1, 10, 10},
        {"moved bound moves the value", 0, 100, 50, 1, 10, 50},
    };
    auto* sb = Widget<QSpinBox>(form.seStrati);
    for (const auto& r : rows) {
        form.seStrati.SetMinValue(r.min);
        form.seStrati.SetMaxValue(r.max);
        form.seStrati.SetValue(r.value);
        form.seStrati.SetMinValue(r.laterMin);
        form.seStrati.SetMaxValue(r.laterMax);
        EXPECT_EQ(form.seStrati.Value(), r.shown) << r.fault << " (model)";
        EXPECT_EQ(sb->value(), r.shown) << r.fault;
    }
    form.seStrati.SetMinValue(0);
    form.seStrati.SetMaxValue(0);
    EXPECT_EQ(sb->minimum(), INT_MIN);
    EXPECT_EQ(sb->maximum(), INT_MAX);
    form.seStrati.SetIncrement(5);
    EXPECT_EQ(sb->singleStep(), 5);
}

TEST_F(BinderTest, RadioButtonsMadeFromTheItemsInColumns) {
    auto* box = Widget<QGroupBox>(form.rgTramezzi);
    EXPECT_EQ(box->title(), QStringLiteral("Tramezzi"));
    auto radios = binder->PartsOf(form.rgTramezzi);
    ASSERT_EQ(radios.size(), 3u);
    auto* grid = qobject_cast<QGridLayout*>(box->layout());
    ASSERT_NE(grid, nullptr);
    const struct {
        int row, column;
    } cells[] = {{0, 0}, {1, 0}, {0, 1}}; // columns fill top to bottom
    for (size_t i = 0; i < radios.size(); ++i) {
        EXPECT_EQ(radios[i]->text().toStdString(), form.rgTramezzi.Items()[i]);
        int row = -1, column = -1, rs = 0, cs = 0;
        grid->getItemPosition(grid->indexOf(radios[i]), &row, &column, &rs, &cs);
        EXPECT_EQ(row, cells[i].row) << i;
        EXPECT_EQ(column, cells[i].column) << i;
        EXPECT_FALSE(radios[i]->isChecked());
    }
    form.rgTramezzi.SetItemIndex(1);
    EXPECT_TRUE(radios[1]->isChecked());
    EXPECT_FALSE(radios[0]->isChecked());
    form.rgTramezzi.SetItemIndex(-1);
    for (auto* r : radios)
        EXPECT_FALSE(r->isChecked()) << "no choice must show no checked button";

    form.rgTramezzi.SetItems({"Sì", "No"});
    radios = binder->PartsOf(form.rgTramezzi);
    ASSERT_EQ(radios.size(), 2u);
    EXPECT_EQ(radios[0]->text(), QString::fromUtf8("Sì"));
}

TEST_F(BinderTest, ListsGaugeStatusBarMemo) {
    form.cbFamiglia.SetItemIndex(2);
    auto* cb = Widget<QComboBox>(form.cbFamiglia);
    EXPECT_EQ(cb->count(), 3);
    EXPECT_EQ(cb->currentText(), QStringLiteral("ALLUMINIO"));
    form.cbFamiglia.SetItems({"A", "B"});
    EXPECT_EQ(cb->count(), 2);
    EXPECT_EQ(cb->currentIndex(), -1);

    form.gProgresso.SetMaxValue(10);
    form.gProgresso.SetProgress(4);
    auto* pb = Widget<QProgressBar>(form.gProgresso);
    EXPECT_EQ(pb->maximum(), 10);
    EXPECT_EQ(pb->value(), 4);

    form.sbStato.SetPanelText(0, "Pronto");
    form.sbStato.SetPanelText(1, "Riga 1");
    const auto panels = Widget<QStatusBar>(form.sbStato)->findChildren<QLabel*>();
    QStringList texts;
    for (auto* l : panels)
        texts << l->text();
    EXPECT_EQ(texts, (QStringList{"Pronto", "Riga 1"}));

    form.lvRighe.SetRows({{"Contenitore", "12"}, {"Pallet", "3"}});
    form.lvRighe.SetSelected(1);
    auto* tw = Widget<QTreeWidget>(form.lvRighe);
    ASSERT_EQ(tw->topLevelItemCount(), 2);
    EXPECT_EQ(tw->topLevelItem(0)->text(1), QStringLiteral("12"));
    EXPECT_TRUE(tw->topLevelItem(1)->isSelected());

    form.mNote.SetText("riga uno\r\nriga due");
    EXPECT_EQ(Widget<QPlainTextEdit>(form.mNote)->toPlainText(),
              QStringLiteral("riga uno\nriga due"));
    EXPECT_EQ(form.mNote.Text(), "riga uno\r\nriga due") << "showing the text rewrote the model";
}

TEST_F(BinderTest, ImageLoadsThePictureFromTheProgramFolder) {
    ASSERT_TRUE(QDir(QString::fromStdString(dir)).mkpath("Images"));
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir + "/Images/logo.png")));
    auto* label = Widget<QLabel>(form.iLogo);
    label->resize(20, 20);
    label->setProperty("proportional", true);
    form.iLogo.LoadFromFile("Images\\LOGO.png"); // the program's name, another case
    EXPECT_FALSE(label->pixmap().isNull());
    EXPECT_EQ(label->pixmap().size(), QSize(20, 10)) << "aspect ratio lost";
    form.iLogo.Clear();
    EXPECT_TRUE(label->pixmap().isNull());
}

// ---- widget -> model ------------------------------------------------------------------------

TEST_F(BinderTest, UserActionsReachTheModel) {
    window->show();
    QTest::mouseClick(Widget<QPushButton>(form.bbOK), Qt::LeftButton);
    QTest::keyClicks(Widget<QLineEdit>(form.eNome), "abc");
    EXPECT_EQ(form.eNome.Text(), "abc");

    Widget<QSpinBox>(form.seStrati)->setValue(7);
    EXPECT_EQ(form.seStrati.Value(), 7);

    emit Widget<QComboBox>(form.cbFamiglia)->activated(1);
    EXPECT_EQ(form.cbFamiglia.ItemIndex(), 1);

    auto* check = Widget<QCheckBox>(form.cbSeparatori);
    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    EXPECT_TRUE(form.cbSeparatori.Checked());

    QTest::mouseClick(binder->PartsOf(form.rgTramezzi)[2], Qt::LeftButton);
    EXPECT_EQ(form.rgTramezzi.ItemIndex(), 2);

    form.lvRighe.SetRows({{"a"}, {"b"}});
    auto* tw = Widget<QTreeWidget>(form.lvRighe);
    tw->setCurrentItem(tw->topLevelItem(1));
    EXPECT_EQ(form.lvRighe.Selected(), 1);

    QTest::keyClicks(Widget<QPlainTextEdit>(form.mNote), "x");
    EXPECT_EQ(form.mNote.Text(), "x");
    EXPECT_TRUE(form.mNote.Modified());

    // eNome's exit runs when the spin box takes the focus from it (the typing focused it).
    EXPECT_EQ(form.log, (std::vector<std::string>{
                            "bbOK.OnClick", "eNome.OnChange", "eNome.OnChange", "eNome.OnChange",
                            "eNome.OnExit", "seStrati.OnChange", "cbFamiglia.OnChange",
                            "cbSeparatori.OnClick", "rgTramezzi.OnClick", "lvRighe.OnChange",
                            "mNote.OnChange"}));
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(BinderTest, TheModelBoundsWhatTheUserSpins) {
    form.seStrati.SetMinValue(1);
    form.seStrati.SetMaxValue(10);
    auto* sb = Widget<QSpinBox>(form.seStrati);
    sb->setValue(10);
    sb->stepUp(); // past the model's bound: the widget's range is wider
    EXPECT_EQ(form.seStrati.Value(), 10);
    EXPECT_EQ(sb->value(), 10) << "widget left showing a value the model refused";
}

TEST_F(BinderTest, MaskedEditKeepsThePositionsOfTheMask) {
    auto* le = Widget<QLineEdit>(form.meCodice);
    le->setFocus();
    le->home(false);
    QTest::keyClicks(le, "12");
    EXPECT_EQ(form.meCodice.Text(), "12   ");
    form.meCodice.SetText("345");
    EXPECT_EQ(le->text(), QStringLiteral("345"));
    EXPECT_EQ(form.meCodice.Text(), "345  ");
}

TEST_F(BinderTest, ReadOnlyEditRefusesTyping) {
    QTest::keyClicks(Widget<QLineEdit>(form.eTotale), "9");
    EXPECT_EQ(form.eTotale.Text(), "0");
    EXPECT_EQ(Widget<QLineEdit>(form.eTotale)->text(), QStringLiteral("0"));
}

TEST_F(BinderTest, HandlerErrorBecomesAnErrorBoxAndWhatItDidStays) {
    form.bbOK.OnClick = [this] {
        form.eNome.SetText("fatto");
        throw Error("'abc' is not a valid integer value");
    };
    QTest::mouseClick(Widget<QPushButton>(form.bbOK), Qt::LeftButton);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(host.boxes[0].text, QStringLiteral("'abc' is not a valid integer value"));
    EXPECT_EQ(Widget<QLineEdit>(form.eNome)->text(), QStringLiteral("fatto"));
}

// ---- focus, keys, closing -------------------------------------------------------------------

TEST_F(BinderTest, LeavingAnEditForAButtonRunsItsExitBeforeTheClick) {
    ShowActive();
    auto* edit = Widget<QLineEdit>(form.eNome);
    edit->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(form.ActiveControl(), &form.eNome);
    QTest::mouseClick(Widget<QPushButton>(form.bbOK), Qt::LeftButton);
    EXPECT_EQ(form.log, (std::vector<std::string>{"eNome.OnExit", "bbOK.OnClick"}));
    EXPECT_EQ(form.ActiveControl(), &form.bbOK);
}

TEST_F(BinderTest, ExitThatKeepsTheFocusSwallowsTheClick) {
    ShowActive();
    form.eNome.OnExit = [this] {
        form.log.push_back("eNome.OnExit");
        form.eNome.SetFocus(); // the entry is refused: back to the box
    };
    auto* edit = Widget<QLineEdit>(form.eNome);
    edit->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(Widget<QPushButton>(form.bbOK), Qt::LeftButton);
    EXPECT_EQ(form.log, std::vector<std::string>{"eNome.OnExit"});
    EXPECT_EQ(form.ActiveControl(), &form.eNome);
    EXPECT_EQ(QApplication::focusWidget(), edit) << "Qt focus left on the button";
}

TEST_F(BinderTest, ExitThatThrowsShowsTheErrorAndKeepsTheFocus) {
    ShowActive();
    form.eNome.OnExit = [] { throw Error("'' is not a valid integer value"); };
    auto* edit = Widget<QLineEdit>(form.eNome);
    edit->setFocus(Qt::MouseFocusReason);
    QTest::mouseClick(Widget<QPushButton>(form.bbOK), Qt::LeftButton);
    EXPECT_EQ(host.boxes.size(), 1u) << "the exit handler ran more than once";
    EXPECT_TRUE(form.log.empty());
    EXPECT_EQ(form.ActiveControl(), &form.eNome);
}

TEST_F(BinderTest, ProgramFocusMovesTheQtFocus) {
    ShowActive();
    form.seStrati.SetFocus();
    EXPECT_EQ(QApplication::focusWidget(), binder->WidgetOf(form.seStrati));
    EXPECT_TRUE(form.log.empty());
}

TEST_F(BinderTest, SpeedButtonTakesNoFocus) {
    ShowActive();
    Widget<QLineEdit>(form.eNome)->setFocus(Qt::MouseFocusReason);
    form.sbTabella.OnClick = [this] { form.log.push_back("sbTabella.OnClick"); };
    QTest::mouseClick(Widget<QToolButton>(form.sbTabella), Qt::LeftButton);
    EXPECT_EQ(form.log, std::vector<std::string>{"sbTabella.OnClick"});
    EXPECT_EQ(form.ActiveControl(), &form.eNome);
}

TEST_F(BinderTest, KeysGoToTheForm) {
    ShowActive();
    auto* edit = Widget<QLineEdit>(form.eNome);
    edit->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Escape);
    // Enter presses the default button without leaving the edit (no exit handler).
    EXPECT_EQ(form.log, (std::vector<std::string>{"bbCalcola.OnClick", "bbAnnulla.OnClick"}));
    EXPECT_TRUE(window->isVisible()) << "Esc closed the window behind the form's back";
}

TEST_F(BinderTest, MemoKeepsEnterForItsLines) {
    auto* memo = Widget<QPlainTextEdit>(form.mNote);
    QTest::keyClicks(memo, "a");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "b");
    EXPECT_EQ(form.mNote.Text(), "a\r\nb");
    EXPECT_EQ(std::count(form.log.begin(), form.log.end(), "bbCalcola.OnClick"), 0);
}

TEST_F(BinderTest, ClosingTheWindowAsksTheForm) {
    ShowActive();
    form.Show();
    bool keep = true;
    form.OnClose = [&keep](ui::CloseAction& action) {
        if (keep)
            action = ui::CloseAction::None;
    };
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(form.Visible());
    keep = false;
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(form.Visible());
}

} // namespace
} // namespace velcaro::qt
