// The progress window: the times it shows, and what STOP or a key does between steps.
#include "ExportFixture.h"
#include "ReadBack.h"

#include "platform/text/Regional.h"

#include <gtest/gtest.h>

namespace velcaro::report::testing {
namespace {

TEST(ProgressTimes, ElapsedAndRemaining)
{
    text::ScopedRegional italian(text::RegionalSettings::Italian());
    struct Row {
        const char* fault;
        int position, maximum;
        double elapsed;
        const char* remaining;
    };
    const Row rows[] = {
        {"first of eight steps already gives an estimate", 1, 8, 10, "00:01:10"},
        {"half way the rest takes as long again", 4, 8, 65, "00:01:05"},
        {"the last step leaves nothing", 8, 8, 30, "00:00:00"},
        {"a tenth done is too early to guess", 10, 100, 5, "??:??:??"},
        {"nothing done is too early to guess", 0, 8, 0, "??:??:??"},
        {"past the end means nothing", 9, 8, 5, "??:??:??"},
        {"hours count", 1, 2, 3725, "01:02:05"},
    };
    for (const Row& r : rows)
        EXPECT_EQ(RemainingText(r.position, r.maximum, r.elapsed), r.remaining) << r.fault;

    EXPECT_EQ(FormatHms(0), "00:00:00");
    EXPECT_EQ(FormatHms(59.99), "00:00:59");
    EXPECT_EQ(FormatHms(3661), "01:01:01");
    EXPECT_EQ(FormatHms(25 * 3600 + 1), "01:00:01"); // a time of day, as the clock shows it
    EXPECT_EQ(FormatHms(-3), "00:00:00");
    text::RegionalSettings dotted = text::RegionalSettings::Italian();
    dotted.timeSeparator = ".";
    text::ScopedRegional withDots(dotted);
    EXPECT_EQ(FormatHms(3661), "01.01.01");
    EXPECT_EQ(RemainingText(0, 8, 0), "??.??.??");
}

struct ProgressWindow : ::testing::Test, ExportFixture {
    double now = 100;
    ProgressWindow() { progress.Now = [this] { return now; }; }
};

TEST_F(ProgressWindow, StartShowsTitleMaximumAndDisablesTheMainWindow)
{
    progress.Avvia("", 8);
    EXPECT_TRUE(progress.Visible());
    EXPECT_EQ(progress.DisabledWindow(), &main);
    EXPECT_EQ(progress.Panel2.Caption(), "Elaborazione in corso...");
    EXPECT_EQ(progress.fdMax.Caption(), "/ 8");
    EXPECT_EQ(progress.Gauge.MaxValue(), 8);
    now += 20;
    progress.Avanza(1);
    progress.Avanza(1);
    EXPECT_EQ(progress.fdVal.Caption(), "2");
    EXPECT_EQ(progress.Gauge.Progress(), 2);
    EXPECT_EQ(progress.fdElapsed.Caption(), "00:00:20");
    EXPECT_EQ(progress.fdRest.Caption(), "00:01:00");
    progress.Chiudi();
    EXPECT_FALSE(progress.Visible());
    EXPECT_EQ(progress.DisabledWindow(), nullptr);
}

TEST_F(ProgressWindow, AKeyOrStopAsksAndNoGoesOn)
{
    progress.Avvia("CREAZIONE REPORT in EXCEL", 8);
    std::string key = "x";
    progress.UserKey(key);
    EXPECT_TRUE(progress.StopRichiesto);
    host.QueueAnswer(ui::DialogButton::No);
    progress.Avanza(1);
    EXPECT_FALSE(progress.StopRichiesto);
    EXPECT_FALSE(progress.ProcessoInterrotto);
    EXPECT_TRUE(progress.Visible());
    ASSERT_EQ(host.Dialogs().size(), 1u);
    EXPECT_EQ(host.Dialogs()[0].kind, ui::DialogKind::Confirmation);
    EXPECT_EQ(host.Dialogs()[0].text, "Interrompere il processo?");

    progress.cmStop.UserClick();
    host.QueueAnswer(ui::DialogButton::Yes);
    progress.Avanza(1);
    EXPECT_TRUE(progress.ProcessoInterrotto);
    EXPECT_FALSE(progress.Visible());
    EXPECT_EQ(progress.DisabledWindow(), nullptr);

    // Shown again, the window forgets the stop and unticks its lines.
    progress.lvAvanzamento.SetChecked(0, true);
    progress.Avvia("CREAZIONE REPORT in EXCEL", 8);
    EXPECT_FALSE(progress.ProcessoInterrotto);
    EXPECT_EQ(progress.lvAvanzamento.Property("checked"), "");
}

TEST_F(ProgressWindow, AStopNotConfirmedLetsEveryStepRun)
{
    host.stopAt = ui::ScriptedHost::StopAt{4, ui::DialogButton::No};
    host.QueueAnswer(ui::DialogButton::No); // the closing question
    TempFolder folder;
    exporter.EsportaExcel((folder.path() / "r.xlsx").string());
    EXPECT_FALSE(progress.ProcessoInterrotto);
    EXPECT_EQ(progress.lvAvanzamento.Property("checked"),
              "INTESTAZIONI|FONT|COLORI|COLONNE|BORDI|FORMATI|VALORI|FORMULE");
    ASSERT_EQ(host.Dialogs().size(), 2u);
    EXPECT_EQ(host.Dialogs()[0].text, "Interrompere il processo?");
    EXPECT_EQ(host.Dialogs()[0].answer, ui::DialogButton::No);
    EXPECT_EQ(host.Dialogs()[1].answer, ui::DialogButton::No);
}

} // namespace
} // namespace velcaro::report::testing
