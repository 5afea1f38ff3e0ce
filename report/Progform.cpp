#include "report/Progform.h"

#include "platform/text/Regional.h"
#include "platform/ui/Application.h"
#include "platform/ui/ScriptedHost.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace velcaro::report {

// ---- the list of steps --------------------------------------------------------------------

StepList::StepList(ui::Form& f, std::string name) : ListView(f, std::move(name))
{
    std::vector<std::vector<std::string>> rows;
    for (const char* caption : kStepCaptions)
        rows.push_back({caption});
    SetRows(std::move(rows));
}

bool StepList::Checked(int line) const
{
    return line >= 0 && line < static_cast<int>(checked_.size()) &&
           checked_[static_cast<size_t>(line)];
}

void StepList::SetChecked(int line, bool on)
{
    if (line < 0 || line >= static_cast<int>(checked_.size()))
        return;
    checked_[static_cast<size_t>(line)] = on;
    Changed();
}

void StepList::UncheckAll()
{
    checked_.fill(false);
    Changed();
}

std::optional<std::string> StepList::Property(const std::string& name) const
{
    if (name != "checked" && name != "items")
        return ListView::Property(name);
    std::string joined;
    for (size_t i = 0; i < Rows().size(); ++i) {
        if (name == "checked" && !Checked(static_cast<int>(i)))
            continue;
        if (!joined.empty())
            joined += "|";
        joined += Rows()[i].empty() ? std::string() : Rows()[i][0];
    }
    return joined;
}

// ---- times --------------------------------------------------------------------------------

std::string FormatHms(double seconds)
{
    long long whole = std::isfinite(seconds) && seconds > 0 ? static_cast<long long>(seconds) : 0;
    whole %= 24LL * 60 * 60;
    const std::string& sep = text::Regional().timeSeparator;
    char part[3][4];
    std::snprintf(part[0], sizeof part[0], "%02lld", whole / 3600);
    std::snprintf(part[1], sizeof part[1], "%02lld", whole / 60 % 60);
    std::snprintf(part[2], sizeof part[2], "%02lld", whole % 60);
    return std::string(part[0]) + sep + part[1] + sep + part[2];
}

std::string RemainingText(int position, int maximum, double elapsedSeconds)
{
    if (position <= maximum / 10 || position > maximum) {
        const std::string& sep = text::Regional().timeSeparator;
        return "??" + sep + "??" + sep + "??";
    }
    // Every step is taken to last as long as the average so far.
    const double total = static_cast<double>(maximum) * elapsedSeconds / position;
    return FormatHms(total - elapsedSeconds);
}

// ---- the window ---------------------------------------------------------------------------

TProgress::TProgress(ui::Application& app)
    : Form(app, "Progress", "Visualizza progressione cicli..."),
      Now([] {
          using namespace std::chrono;
          return duration<double>(steady_clock::now().time_since_epoch()).count();
      }),
      Panel2(*this, "Panel2", "CREAZIONE REPORT in EXCEL"), lvAvanzamento(*this, "lvAvanzamento"),
      cmStop(*this, "cmStop", "STOP"), fdVal(*this, "fdVal", "0"), fdMax(*this, "fdMax", "/ 100"),
      Gauge(*this, "Gauge"), fdElapsed(*this, "fdElapsed", "00:00:00"),
      fdRest(*this, "fdRest", "00:00:00")
{
    cmStop.SetDefault(true);
    OnActivate = [this] { FormActivate(); };
    cmStop.OnClick = [this] { cmStopClick(); };
    OnKeyPress = [this](std::string& key) { AnyKey(key); };
}

void TProgress::FormCreate() { StopRichiesto = false; }

void TProgress::FormActivate()
{
    ProcessoInterrotto = false;
    lvAvanzamento.UncheckAll();
}

void TProgress::cmStopClick() { StopRichiesto = true; }

// Any key typed in the window asks for a stop; the key goes no further.
void TProgress::AnyKey(std::string& key)
{
    key.clear();
    StopRichiesto = true;
}

void TProgress::Avvia(const std::string& titolo, int massimo)
{
    disabled_ = App().ActiveForm();
    Panel2.SetCaption(titolo.empty() ? "Elaborazione in corso..." : titolo);
    Gauge.SetMinValue(0);
    Gauge.SetMaxValue(massimo);
    Gauge.SetProgress(0);
    fdMax.SetCaption("/ " + std::to_string(massimo));
    start_ = Now();
    Show();
}

void TProgress::Aggiorna(int posizione)
{
    ProcessEvents(posizione);
    if (StopRichiesto) {
        StopRichiesto = false;
        if (AskStop() == ui::DialogButton::Yes) {
            disabled_ = nullptr;
            ProcessoInterrotto = true;
            Hide();
        }
    }
    Gauge.SetProgress(posizione);
    fdVal.SetCaption(std::to_string(posizione));
    const double elapsed = Now() - start_;
    fdElapsed.SetCaption(FormatHms(elapsed));
    fdRest.SetCaption(RemainingText(posizione, Gauge.MaxValue(), elapsed));
    ProcessEvents(posizione);
}

void TProgress::Avanza(int passo) { Aggiorna(Gauge.Progress() + passo); }

void TProgress::Chiudi()
{
    disabled_ = nullptr;
    Hide();
}

void TProgress::ProcessEvents(int position)
{
    ui::Host& host = App().GetHost();
    host.ProcessMessages();
    // A scenario script clicks STOP through the scripted host: the click is seen the
    // first time the window processes events after the step the script named.
    if (auto* scripted = dynamic_cast<ui::ScriptedHost*>(&host);
        scripted && scripted->stopAt && scripted->stopAt->step == position && !scriptedAnswer_) {
        scriptedAnswer_ = scripted->stopAt->answer;
        scripted->stopAt.reset();
        cmStopClick();
    }
}

ui::DialogButton TProgress::AskStop()
{
    static const char* const kQuestion = "Interrompere il processo?";
    const std::vector<ui::DialogButton> buttons{ui::DialogButton::Yes, ui::DialogButton::No};
    if (scriptedAnswer_) {
        // The script answered this question when it clicked, ahead of any answers it
        // queued for later dialogs: record the dialog as shown and answered.
        const ui::DialogButton answer = *scriptedAnswer_;
        scriptedAnswer_.reset();
        auto& scripted = static_cast<ui::ScriptedHost&>(App().GetHost());
        scripted.Dialogs().push_back({ui::DialogKind::Confirmation, kQuestion, buttons, answer});
        return answer;
    }
    return App().MessageDlg(ui::DialogKind::Confirmation, kQuestion, buttons);
}

} // namespace velcaro::report
