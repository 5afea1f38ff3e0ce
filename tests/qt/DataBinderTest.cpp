#include "QtTestSupport.h"

#include "platform/qt/Binder.h"
#include "platform/store/Database.h"
#include "platform/ui/DataControls.h"
#include "platform/ui/Form.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace velcaro::qt {
namespace {

store::TableDef PalletDef() {
    store::TableDef t;
    t.name = "Pallet";
    t.fields = {{"ID", store::FieldType::AutoInc, 0, false},
                {"Codice", store::FieldType::String, 8, true},
                {"Descrizione", store::FieldType::String, 30, false},
                {"Famiglia", store::FieldType::String, 20, false},
                {"Portata", store::FieldType::Integer, 0, false},
                {"NeedPallet", store::FieldType::String, 2, false},
                {"NOTE", store::FieldType::Memo, 0, false}};
    t.primary = store::IndexDef{"", {{"ID", false}}, false, true};
    return t;
}

struct Cursor {
    explicit Cursor(const std::string& dir) {
        const std::string path = dir + "/prova.db";
        {
            auto created = store::Database::Create(path);
            for (const auto& sql : store::CreateTableSql(PalletDef()))
                created->Exec(sql);
        }
        db = store::Database::Open(path);
        table = std::make_unique<store::Table>(db, "Pallet.DB", PalletDef());
        table->Open();
        const struct {
            const char* codice;
            const char* descrizione;
            const char* famiglia;
            int portata;
        } rows[] = {{"EUR", "Europallet", "LEGNO", 1500},
                    {"IND", "Industriale", "LEGNO", 1200},
                    {"PL1", "Plastica leggero", "PLASTICA", 800}};
        for (const auto& r : rows) {
            table->Append();
            table->FieldByName("Codice").SetAsString(r.codice);
            table->FieldByName("Descrizione").SetAsString(r.descrizione);
            table->FieldByName("Famiglia").SetAsString(r.famiglia);
            table->FieldByName("Portata").SetAsInteger(r.portata);
            table->FieldByName("NeedPallet").SetAsString("S");
            table->Post();
        }
        table->First();
    }
    std::shared_ptr<store::Database> db;
    std::unique_ptr<store::Table> table;
};

class DataForm : public ui::Form {
public:
    DataForm(ui::Application& app, store::DataSource* ds)
        : Form(app, "fTabellaPallet", "Tabella Pallet"),
          dbePortata(*this, "dbePortata", ds, "Portata"),
          dbgPallet(*this, "dbgPallet", ds,
                    {{"Codice", "Codice", 50}, {"Descrizione", "Descrizione", 120}}),
          dbnPallet(*this, "dbnPallet", ds),
          dblcbPallet(*this, "dblcbPallet", ds, "Codice", "Descrizione", {"Codice", "Descrizione"}),
          dbcbFamiglia(*this, "dbcbFamiglia", ds, "Famiglia"),
          dbrgNeedPallet(*this, "dbrgNeedPallet", "Stivaggio su Pallet", ds, "NeedPallet",
                         {"Sì", "No"}, {"S", "N"}),
          dbmNote(*this, "dbmNote", ds, "NOTE") {
        dbcbFamiglia.SetItems({"LEGNO", "PLASTICA"});
    }
    ui::DBEdit dbePortata;
    ui::DBGrid dbgPallet;
    ui::DBNavigator dbnPallet;
    ui::DBLookupComboBox dblcbPallet;
    ui::DBComboBox dbcbFamiglia;
    ui::DBRadioGroup dbrgNeedPallet;
    ui::DBMemo dbmNote;
};

class DataBinderTest : public ::testing::Test {
protected:
    void SetUp() override {
        host.SetApplication(&app);
        auto* layout = new QVBoxLayout(window.get());
        auto add = [&](QWidget* w, const char* name) {
            w->setObjectName(QString::fromLatin1(name));
            layout->addWidget(w);
        };
        add(new QLineEdit, "dbePortata");
        add(new QTableView, "dbgPallet");
        add(new QWidget, "dbnPallet");
        add(new QComboBox, "dblcbPallet");
        add(new QComboBox, "dbcbFamiglia");
        add(new QGroupBox, "dbrgNeedPallet");
        add(new QPlainTextEdit, "dbmNote");
        binder = Bind(form, window.get());
    }
    store::Table& T() { return *cursor.table; }
    template <class W> W* Widget(const ui::Control& c) {
        return qobject_cast<W*>(binder->WidgetOf(c));
    }
    void ShowActive() {
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    QToolButton* NavButton(const char* name) {
        return window->findChild<QToolButton*>(QString::fromLatin1("dbnPallet_") + name);
    }

    // The cursor and its source outlive the application, whose forms link to them.
    testing::RecordingHost host;
    std::string dir = testing::FreshDir();
    Cursor cursor{dir};
    store::DataSource ds{cursor.table.get()};
    ui::Application app{host, dir};
    DataForm& form = app.Create<DataForm>(&ds);
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    std::unique_ptr<Binder> binder;
};

TEST_F(DataBinderTest, GridShowsTheRowsAndTheCurrentRecord) {
    auto* grid = Widget<QTableView>(form.dbgPallet);
    ASSERT_NE(grid, nullptr);
    QAbstractItemModel* m = grid->model();
    ASSERT_EQ(m->rowCount(), 3);
    ASSERT_EQ(m->columnCount(), 2);
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Descrizione"));
    EXPECT_EQ(m->index(2, 1).data().toString(), QStringLiteral("Plastica leggero"));
    EXPECT_EQ(grid->columnWidth(1), 120);
    EXPECT_EQ(grid->currentIndex().row(), 0);

    T().Last();
    EXPECT_EQ(grid->currentIndex().row(), 2) << "the grid did not follow the cursor";
    EXPECT_TRUE(grid->selectionModel()->isRowSelected(2, {}));
}

TEST_F(DataBinderTest, ClickingAGridRowMovesTheCursor) {
    int scrolls = 0;
    T().AfterScroll = [&scrolls](store::Table&) { ++scrolls; };
    auto* grid = Widget<QTableView>(form.dbgPallet);
    grid->setCurrentIndex(grid->model()->index(1, 0));
    EXPECT_EQ(T().RecNo(), 2);
    EXPECT_EQ(scrolls, 1) << "a click is one move of the cursor";
    EXPECT_EQ(Widget<QLineEdit>(form.dbePortata)->text().toStdString(),
              T().FieldByName("Portata").DisplayText());
}

TEST_F(DataBinderTest, NavigatorButtonsFollowTheCursor) {
    form.dbnPallet.SetVisibleButtons({ui::NavButton::First, ui::NavButton::Prior,
                                      ui::NavButton::Next, ui::NavButton::Last,
                                      ui::NavButton::Refresh});
    form.dbnPallet.SetHints({"Vai al primo", "Vai al precedente", "Vai al successivo",
                             "Vai all'ultimo", "Aggiorna Q.tà/Contenitore"});
    EXPECT_EQ(binder->PartsOf(form.dbnPallet).size(), 5u);
    ASSERT_NE(NavButton("next"), nullptr);
    EXPECT_EQ(NavButton("insert"), nullptr);
    EXPECT_FALSE(NavButton("first")->isEnabled()) << "at the first record";
    EXPECT_TRUE(NavButton("next")->isEnabled());
    EXPECT_EQ(NavButton("refresh")->toolTip(), QString::fromUtf8("Aggiorna Q.tà/Contenitore"));

    QTest::mouseClick(NavButton("last"), Qt::LeftButton);
    EXPECT_EQ(T().RecNo(), 3);
    EXPECT_TRUE(NavButton("first")->isEnabled());
    EXPECT_FALSE(NavButton("next")->isEnabled());
}

TEST_F(DataBinderTest, NavigatorWithAllButtonsUsesTheDefaultHints) {
    EXPECT_EQ(binder->PartsOf(form.dbnPallet).size(), 10u);
    EXPECT_EQ(NavButton("post")->toolTip(), QStringLiteral("Registra modifiche"));
    EXPECT_FALSE(NavButton("post")->isEnabled()) << "nothing is being edited";
}

TEST_F(DataBinderTest, DataEditWritesTheFieldAsTyped) {
    ShowActive();
    auto* edit = Widget<QLineEdit>(form.dbePortata);
    EXPECT_EQ(edit->text().toStdString(), T().FieldByName("Portata").DisplayText());
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, "99");
    EXPECT_EQ(T().FieldByName("Portata").AsInteger(), 99);
    EXPECT_EQ(T().State(), store::DataSetState::Edit);
    EXPECT_TRUE(NavButton("post")->isEnabled()) << "typing did not start editing";
    EXPECT_EQ(edit->text(), QStringLiteral("99"));
    QTest::mouseClick(NavButton("post"), Qt::LeftButton);
    EXPECT_EQ(T().State(), store::DataSetState::Browse);
    EXPECT_TRUE(host.boxes.empty());
}

TEST_F(DataBinderTest, HalfTypedNumberIsReportedWhenTheBoxIsLeft) {
    ShowActive();
    auto* edit = Widget<QLineEdit>(form.dbePortata);
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, "-");
    EXPECT_TRUE(host.boxes.empty()) << "an error box for every key of a number being typed";
    EXPECT_EQ(edit->text(), QStringLiteral("-"));
    Widget<QComboBox>(form.dbcbFamiglia)->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_EQ(host.boxes[0].icon, QMessageBox::Critical);
    EXPECT_EQ(T().FieldByName("Portata").AsInteger(), 1500);
}

TEST_F(DataBinderTest, PostTakesWhatIsTypedInTheFocusedBox) {
    ShowActive();
    auto* edit = Widget<QLineEdit>(form.dbePortata);
    edit->setFocus(Qt::MouseFocusReason);
    edit->selectAll();
    QTest::keyClicks(edit, "77");
    QTest::mouseClick(NavButton("post"), Qt::LeftButton);
    EXPECT_EQ(T().FieldByName("Portata").AsInteger(), 77);
    EXPECT_EQ(T().State(), store::DataSetState::Browse);
}

TEST_F(DataBinderTest, ListsAndRadiosFollowTheRecord) {
    auto* lookup = Widget<QComboBox>(form.dblcbPallet);
    EXPECT_EQ(lookup->count(), 3);
    EXPECT_EQ(lookup->itemText(1), QStringLiteral("Industriale"))
        << "closed text is the list field";
    EXPECT_EQ(lookup->model()->index(1, 0).data().toString(), QStringLiteral("IND"));
    auto* list = qobject_cast<QTreeView*>(lookup->view());
    ASSERT_NE(list, nullptr) << "the open list shows no columns";
    EXPECT_TRUE(list->isColumnHidden(0));
    EXPECT_FALSE(list->isColumnHidden(1)) << "Codice not shown";
    EXPECT_FALSE(list->isColumnHidden(2)) << "Descrizione not shown";
    emit lookup->activated(2);
    EXPECT_EQ(T().RecNo(), 3);
    EXPECT_EQ(form.dblcbPallet.KeyValue(), "PL1");
    EXPECT_EQ(lookup->currentText(), QStringLiteral("Plastica leggero"));

    auto* family = Widget<QComboBox>(form.dbcbFamiglia);
    EXPECT_EQ(family->currentText(), QStringLiteral("PLASTICA"));
    T().First();
    EXPECT_EQ(family->currentText(), QStringLiteral("LEGNO"));

    const auto radios = binder->PartsOf(form.dbrgNeedPallet);
    ASSERT_EQ(radios.size(), 2u);
    EXPECT_TRUE(radios[0]->isChecked());
    QTest::mouseClick(radios[1], Qt::LeftButton, {}, QPoint(5, radios[1]->height() / 2));
    EXPECT_EQ(T().FieldByName("NeedPallet").AsString(), "N");
    EXPECT_TRUE(radios[1]->isChecked());
    EXPECT_FALSE(radios[0]->isChecked());

    QTest::keyClicks(Widget<QPlainTextEdit>(form.dbmNote), "ok");
    EXPECT_EQ(T().FieldByName("NOTE").AsString(), "ok");
}

TEST_F(DataBinderTest, ClosedCursorShowsNothing) {
    T().Close();
    EXPECT_EQ(Widget<QTableView>(form.dbgPallet)->model()->rowCount(), 0);
    EXPECT_EQ(Widget<QComboBox>(form.dblcbPallet)->count(), 0);
    EXPECT_FALSE(NavButton("next")->isEnabled());
    QTest::mouseClick(NavButton("next"), Qt::LeftButton); // disabled: no error box either
    EXPECT_TRUE(host.boxes.empty());
}

} // namespace
} // namespace velcaro::qt
