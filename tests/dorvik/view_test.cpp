// The Qt window: the layout from fmain.ui, and the binding to the window logic.

#include "Fakes.h"
#include "QtHost.h"
#include "fmain.h"
#include "frmMainView.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace dorvik {
namespace {

using testing::FakeHost;
using testing::FakePlatform;

// The application lives in main(), so it ends before Qt's own globals do.
QApplication& App() {
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

struct Window {
    QApplication& app = App(); // before any widget
    FakePlatform platform;
    FakeHost host;
    TfrmMain form{platform, host};
    frmMainView view{form, host};

    Window() {
        platform.Registry.Keys[kEngineKey] = {{"DLLPATH", "C:\\BDE\\"},
                                              {"CONFIGFILE01", "C:\\BDE\\IDAPI.CFG"}};
        platform.Versions["C:\\BDE\\IDAPI32.DLL"] = "5.2.0.2";
    }
    template <class W> W& Find(const char* name) {
        W* widget = view.findChild<W*>(name);
        if (!widget)
            throw std::runtime_error(std::string("no widget ") + name);
        return *widget;
    }
    void Type(QWidget& target, const QString& text) {
        for (QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&target, &press);
        }
    }
};

TEST(DorvikView, LayoutHasEveryControlWithItsKindAndText) {
    Window w;
    EXPECT_EQ(w.view.windowTitle(), "Dorvik");
    const std::pair<const char*, const char*> labels[] = {
        {"lblBDEPath", "Current BDE DLL path:"},
        {"lblBDEConfig", "Current BDE Config file:"},
        {"lblBDEVersion", "Current BDE (IDAPI32.DLL) version:"},
        {"lblIBDialect", "&InterBase Dialect:"}};
    for (const auto& [name, text] : labels)
        EXPECT_EQ(w.Find<QLabel>(name).text(), text) << name;
    EXPECT_EQ(w.Find<QLabel>("lblIBDialect").buddy(), &w.Find<QComboBox>("cmbIBDialect"));

    for (const char* name : {"edtBDEPath", "edtBDEConfig", "edtBDEVersion"}) {
        const QLineEdit& edit = w.Find<QLineEdit>(name);
        EXPECT_TRUE(edit.isReadOnly()) << name;
        EXPECT_TRUE(edit.font().bold()) << name;
        EXPECT_EQ(edit.palette().color(QPalette::Base), QPalette().color(QPalette::Button)) << name;
    }

    const QComboBox& combo = w.Find<QComboBox>("cmbIBDialect");
    EXPECT_TRUE(combo.isEditable());
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "1");
    EXPECT_EQ(combo.itemText(1), "3");
    EXPECT_EQ(combo.currentText(), "1");

    EXPECT_EQ(w.Find<QPushButton>("btnTestBDE").text(), "&Test BDE");
    EXPECT_EQ(w.Find<QPushButton>("btnClose").text(), "&Close");
    EXPECT_TRUE(w.Find<QPushButton>("btnClose").isDefault());
    EXPECT_FALSE(w.Find<QPushButton>("btnTestBDE").isDefault());
}

TEST(DorvikView, TabOrderStartsAtCloseThenDialectThenTestThenTheEdits) {
    Window w;
    const std::vector<QString> expected{"btnClose",   "cmbIBDialect", "btnTestBDE",
                                        "edtBDEPath", "edtBDEConfig", "edtBDEVersion"};
    std::vector<QString> order;
    QWidget* widget = &w.Find<QPushButton>("btnClose");
    for (int steps = 0; steps < 50 && order.size() < expected.size(); ++steps) {
        const QString name = widget->objectName();
        if (std::find(expected.begin(), expected.end(), name) != expected.end() &&
            std::find(order.begin(), order.end(), name) == order.end())
            order.push_back(name);
        widget = widget->nextInFocusChain();
    }
    EXPECT_EQ(order, expected);
}

TEST(DorvikView, FirstShowingRefreshesOnceAndShowsTheLogicsState) {
    Window w;
    w.view.show();
    EXPECT_EQ(w.Find<QLineEdit>("edtBDEPath").text(), "C:\\BDE");
    EXPECT_EQ(w.Find<QLineEdit>("edtBDEConfig").text(), "C:\\BDE\\IDAPI.CFG");
    EXPECT_EQ(w.Find<QLineEdit>("edtBDEVersion").text(), "5.2.0.2");
    EXPECT_EQ(w.Find<QComboBox>("cmbIBDialect").toolTip(),
              "Sets the registry key for the SQL Dialect for the InterBase driver.\n"
              "This is disabled if BDE version 5.2 or later is not installed.");
    const auto opened = w.platform.Registry.Opened.size();
    w.view.hide();
    w.view.show();
    EXPECT_EQ(w.platform.Registry.Opened.size(), opened) << "no second refresh";
}

TEST(DorvikView, OldEngineDisablesTheCombo) {
    Window w;
    w.platform.Versions["C:\\BDE\\IDAPI32.DLL"] = "5.1.1.1";
    w.view.show();
    const QComboBox& combo = w.Find<QComboBox>("cmbIBDialect");
    EXPECT_FALSE(combo.isEnabled());
    EXPECT_EQ(combo.currentText(), "1");
    EXPECT_EQ(combo.palette().color(QPalette::Base), QPalette().color(QPalette::Button));
}

TEST(DorvikView, PickingAnItemAndClosingWritesIt) {
    Window w;
    w.platform.Registry.Keys[kDbOpenKey] = {};
    w.view.show();
    QComboBox& combo = w.Find<QComboBox>("cmbIBDialect");
    combo.setCurrentIndex(1);
    emit combo.activated(1); // what the popup does when the user picks "3"
    EXPECT_TRUE(w.form.DialectChanged);
    w.Find<QPushButton>("btnClose").click();
    EXPECT_EQ(w.platform.Registry.Keys[kDbOpenKey]["SQLDIALECT"], "3");
    EXPECT_EQ(w.host.Closed, 1);
}

TEST(DorvikView, TypingIntoTheComboReachesTheLogic) {
    Window w;
    w.view.show();
    QLineEdit& edit = *w.Find<QComboBox>("cmbIBDialect").lineEdit();
    edit.selectAll();
    w.Type(edit, "2");
    EXPECT_TRUE(w.form.DialectChanged);
    EXPECT_EQ(w.form.cmbIBDialect.Text(), "2");
    EXPECT_EQ(w.form.cmbIBDialect.ItemIndex(), -1);
    EXPECT_EQ(edit.text(), "2");
    w.Find<QPushButton>("btnClose").click();
    EXPECT_EQ(w.platform.Registry.Keys[kDbOpenKey]["SQLDIALECT"], "3");
}

TEST(DorvikView, EngineTestButtonRunsTheTestAndErrorsReachTheReport) {
    Window w;
    w.view.show();
    w.platform.Table.OpenFails = true;
    w.Find<QPushButton>("btnTestBDE").click();
    ASSERT_FALSE(w.host.Boxes.empty());
    EXPECT_EQ(w.host.Errors, std::vector<std::string>{"Corrupt table/index header."});
    EXPECT_TRUE(w.view.isVisible());
}

TEST(DorvikView, EscapeDoesNotCloseTheWindow) {
    Window w;
    w.view.show();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&w.view, &escape);
    EXPECT_TRUE(w.view.isVisible());
    EXPECT_EQ(w.host.Closed, 0);
}

// The real message boxes: answered by a click queued before the box runs.
TEST(DorvikQtHost, ConfirmationShowsLineBreaksAndReportsTheButtonPressed) {
    App();
    QtHost host;
    QString shownText;
    QString shownTitle;
    auto answer = [&](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [&shownText, &shownTitle, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shownText = box->text();
            shownTitle = box->windowTitle();
            box->button(button)->click();
        });
    };
    const std::vector<MsgDlgBtn> yesNo{MsgDlgBtn::mbYes, MsgDlgBtn::mbNo};
    answer(QMessageBox::No);
    EXPECT_EQ(host.MessageDlg("first\rsecond", MsgDlgType::mtConfirmation, yesNo), MsgDlgBtn::mbNo);
    EXPECT_EQ(shownText, "first\nsecond");
    EXPECT_EQ(shownTitle, "Confirm");
    answer(QMessageBox::Yes);
    EXPECT_EQ(host.MessageDlg("again", MsgDlgType::mtConfirmation, yesNo), MsgDlgBtn::mbYes);
    answer(QMessageBox::Ok);
    host.ShowException("Table is busy");
    EXPECT_EQ(shownText, "Table is busy.");
    EXPECT_EQ(shownTitle, "Dorvik");
}

} // namespace
} // namespace dorvik

int main(int argc, char* argv[]) {
    // Test discovery runs this program outside CTest's environment, without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
