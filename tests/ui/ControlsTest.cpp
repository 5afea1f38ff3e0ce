#include "platform/Error.h"
#include "platform/ui/Application.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/ScriptedHost.h"

#include <gtest/gtest.h>

namespace velcaro::ui {
namespace {

struct Fixture : ::testing::Test {
    ScriptedHost host;
    Application app{host, "/tmp"};
    Form form{app, "fProva", "Prova"};
};

struct MaskCase {
    const char* name;
    const char* mask;
    const char* typed;
    const char* text;
};

class MaskTable : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTable, TypedTextFillsThePositions)
{
    EXPECT_EQ(ApplyMask(GetParam().mask, GetParam().typed), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    PieceMask, MaskTable,
    ::testing::Values(MaskCase{"short_entry_padded_with_blanks", "!99999;1;_", "12", "12   "},
                      MaskCase{"blank_char_reads_back_as_blank", "!99999;1;_", "0____", "0    "},
                      MaskCase{"letters_are_refused", "!99999;1;_", "1a2", "12   "},
                      MaskCase{"excess_digits_dropped", "!99999;1;_", "1234567", "12345"},
                      MaskCase{"blank_between_digits_kept", "!99999;1;_", "1 2", "1 2  "},
                      MaskCase{"cleared_entry_is_all_blanks", "!99999;1;_", "", "     "},
                      MaskCase{"literal_kept", "99-99;1;_", "1234", "12-34"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Fixture, SpinBoundsApplyOnlyWhenTheyDifferAndNeverMoveTheValue)
{
    SpinEdit se(form, "seProva");
    int changes = 0;
    se.OnChange = [&] { ++changes; };
    se.SetValue(250); // bounds 0..0: free
    EXPECT_EQ(se.Value(), 250);
    se.SetMinValue(1);
    se.SetMaxValue(10); // a bound does not move the value
    EXPECT_EQ(se.Value(), 250);
    se.SetValue(12);
    EXPECT_EQ(se.Value(), 10);
    se.UserSpinUp();
    EXPECT_EQ(se.Value(), 10);
    se.UserSpinDown();
    EXPECT_EQ(se.Value(), 9);
    EXPECT_EQ(changes, 3); // 250, 10, 9: every change of value, and only those
}

TEST_F(Fixture, ExitHandlerRunsOnEveryFocusMoveAndMayKeepTheFocus)
{
    Edit a(form, "eA"), b(form, "eB");
    Button ok(form, "bbOK", "OK");
    std::vector<std::string> log;
    a.OnExit = [&] {
        log.push_back("exit A");
        if (a.Text() == "bad")
            a.SetFocus();
    };
    ok.OnClick = [&] { log.push_back("click"); };
    a.UserType("good");
    ok.UserClick();
    EXPECT_EQ(log, (std::vector<std::string>{"exit A", "click"}));
    a.UserType("bad");
    log.clear();
    ok.UserClick(); // the refused entry keeps the focus and the click never lands
    EXPECT_EQ(log, (std::vector<std::string>{"exit A"}));
    EXPECT_EQ(form.ActiveControl(), &a);
    form.FocusControl(&b); // from the program too
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(Fixture, DispatcherShowsTheErrorAndKeepsWhatTheHandlerDid)
{
    Edit e(form, "eA");
    const bool ok = app.Dispatch([&] {
        e.SetText("scritto");
        throw ConversionError("'abc' is not a valid integer value");
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(e.Text(), "scritto");
    ASSERT_EQ(host.Dialogs().size(), 1u);
    EXPECT_EQ(host.Dialogs()[0].kind, DialogKind::Error);
    EXPECT_EQ(host.Dialogs()[0].text, "'abc' is not a valid integer value");
}

TEST_F(Fixture, ModalFormActivatesOncePerShowingAndHidesOnClose)
{
    int activations = 0;
    form.OnActivate = [&] { ++activations; };
    Button ok(form, "bbOK", "OK");
    ok.SetModalResult(mrOK);
    host.modalDriver = [&](Form& f) { EXPECT_TRUE(f.Visible()); ok.UserClick(); };
    EXPECT_EQ(form.ShowModal(), mrOK);
    EXPECT_FALSE(form.Visible());
    host.modalDriver = [&](Form& f) { f.Close(); };
    EXPECT_EQ(form.ShowModal(), mrCancel);
    EXPECT_EQ(activations, 2);
}

TEST_F(Fixture, ComboRaisesDropDownChangeCloseUpInOrder)
{
    ComboBox cb(form, "cbProva");
    cb.SetItems({"A", "B"});
    std::string log;
    cb.OnDropDown = [&] { log += "d"; };
    cb.OnChange = [&] { log += "c"; };
    cb.OnCloseUp = [&] { log += "u"; };
    cb.UserChoose(1);
    cb.UserChoose(1); // same item: no change
    EXPECT_EQ(log, "dcudu");
    EXPECT_EQ(cb.Text(), "B");
}

TEST_F(Fixture, ProgramPathsResolveAgainstTheProgramFolderWithoutRegardToCase)
{
    Application here(host, "/opt/Velcaro");
    EXPECT_EQ(here.ResolvePath("..\\Velcaro\\HELP\\AIUTO.HLP"), "/opt/Velcaro/HELP/AIUTO.HLP");
    EXPECT_EQ(here.ResolvePath("Images\\LOGO.jpg"), "/opt/Velcaro/Images/LOGO.jpg");
}

TEST_F(Fixture, MissingPictureIsAClearFileErrorAndThePictureStays)
{
    Image img(form, "iImage");
    img.SetPicture("Images\\LOGO.jpg");
    try {
        img.LoadFromFile("Images\\NESSUNA.JPG");
        FAIL();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("Images\\NESSUNA.JPG"), std::string::npos);
    }
    EXPECT_EQ(img.Picture(), "Images\\LOGO.jpg");
}

} // namespace
} // namespace velcaro::ui
