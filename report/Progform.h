#pragma once
// The progress window of the summary export: shows each of its eight steps as it is done,
// the cycles run, the time gone and the time left, and lets the user stop the process with
// the STOP button or any key. It is modeless: the export runs on in the handler that
// started it and calls Avvia, Avanza after each step, and Chiudi.
//
// While a process runs, the window that was active (the main window) is remembered as
// disabled; the view disables its widget, so no second export can start.
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "platform/ui/Host.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace velcaro::report {

// The captions of the eight steps of the report, in the order they run.
inline constexpr std::array<const char*, 8> kStepCaptions = {
    "INTESTAZIONI", "FONT", "COLORI", "COLONNE", "BORDI", "FORMATI", "VALORI", "FORMULE"};

// The list of steps with a tick box on each line. "checked" (scenario property) gives the
// ticked captions joined with "|", "items" all of them.
class StepList : public ui::ListView {
public:
    StepList(ui::Form& f, std::string name);
    bool Checked(int line) const;
    void SetChecked(int line, bool on);
    void UncheckAll();
    std::optional<std::string> Property(const std::string& name) const override;

private:
    std::array<bool, kStepCaptions.size()> checked_{};
};

// A time as the window shows it: two-digit hours, minutes and seconds joined by the
// regional time separator; a span of a day or more shows its time of day, as a clock would.
std::string FormatHms(double seconds);
// The time left after `position` of `maximum` equal steps in `elapsed` seconds, or
// "??:??:??" while the estimate means nothing (at most a tenth done, or past the end).
std::string RemainingText(int position, int maximum, double elapsedSeconds);

class TProgress : public ui::Form {
public:
    explicit TProgress(ui::Application& app);

    // Operations of the process.
    void Avvia(const std::string& titolo, int massimo);
    void Aggiorna(int posizione);
    void Avanza(int passo);
    void Chiudi();

    // Events.
    void FormCreate();
    void FormActivate();
    void cmStopClick();
    void AnyKey(std::string& key);

    // The window disabled while the process runs; nullptr outside one.
    ui::Form* DisabledWindow() const { return disabled_; }

    // Set when the user confirms a stop; cleared each time the window becomes active.
    bool ProcessoInterrotto = false;
    // A stop asked for and not yet confirmed.
    bool StopRichiesto = false;

    // Seconds on a steady clock; tests replace it.
    std::function<double()> Now;

    ui::Label Panel2;
    StepList lvAvanzamento;
    ui::Button cmStop;
    ui::Label fdVal, fdMax;
    ui::Gauge Gauge;
    ui::Label fdElapsed, fdRest;

private:
    void ProcessEvents(int position);
    ui::DialogButton AskStop();

    double start_ = 0;
    ui::Form* disabled_ = nullptr;
    // The answer a scenario script gave with its STOP click, for the question that follows.
    std::optional<ui::DialogButton> scriptedAnswer_;
};

} // namespace velcaro::report
