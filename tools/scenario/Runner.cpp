#include "tools/scenario/Runner.h"

#include "analysis/Startup.h"
#include "platform/Error.h"
#include "platform/store/Database.h"
#include "platform/text/Codepage.h"
#include "platform/text/Conversions.h"
#include "platform/text/Regional.h"
#include "platform/ui/DataControls.h"
#include "platform/ui/ScriptedHost.h"
#include "tools/InstallDatabase.h"

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace velcaro::scenario {

using ui::Control;
using ui::ControlKind;
using ui::Form;

namespace {

// Not a std::exception: it must pass through the event dispatcher, which turns the
// program's own errors into error boxes, and stop the script.
struct ScriptError {
    std::string message;
};

[[noreturn]] void Stop(const std::string& message) { throw ScriptError{message}; }

// The help viewer as the runner sees it: the last request.
class RecordingHelp : public ui::HelpRequests {
public:
    void ShowContext(int context) override
    {
        lastContext = context;
        lastTopic.reset();
    }
    void ShowTopic(const std::string& name) override
    {
        lastTopic = name;
        lastContext.reset();
    }
    void Close() override { closed = true; }
    std::optional<int> lastContext;
    std::optional<std::string> lastTopic;
    bool closed = false;
};

std::string Lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    std::string cur;
    for (char c : s) {
        if (c == sep) {
            parts.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    parts.push_back(cur);
    return parts;
}

std::string Join(const std::vector<std::string>& parts, size_t from, size_t to, char sep)
{
    std::string s;
    for (size_t i = from; i < to; ++i) {
        if (i > from)
            s += sep;
        s += parts[i];
    }
    return s;
}

std::string Quote(const std::string& s)
{
    std::string q = "\"";
    for (char c : s) {
        if (c == '\r')
            q += "\\r";
        else if (c == '\n')
            q += "\\n";
        else if (c == '"')
            q += "\\\"";
        else
            q += c;
    }
    return q + "\"";
}

const std::vector<std::string> kProperties = {
    "enabled", "visible", "checked", "readonly", "itemindex", "items", "value", "min", "max",
    "increment", "position", "caption", "hint", "color", "picture", "tag", "state"};

bool IsProperty(const std::string& p)
{
    return std::find(kProperties.begin(), kProperties.end(), p) != kProperties.end();
}

const char* StateName(store::DataSetState s)
{
    switch (s) {
    case store::DataSetState::Inactive: return "inactive";
    case store::DataSetState::Browse: return "browse";
    case store::DataSetState::Edit: return "edit";
    case store::DataSetState::Insert: return "insert";
    case store::DataSetState::SetKey: return "setkey";
    case store::DataSetState::CalcFields: return "calcfields";
    }
    return "?";
}

std::optional<ui::DialogButton> ButtonByName(const std::string& n)
{
    const std::string l = Lower(n);
    if (l == "yes") return ui::DialogButton::Yes;
    if (l == "no") return ui::DialogButton::No;
    if (l == "ok") return ui::DialogButton::OK;
    if (l == "cancel") return ui::DialogButton::Cancel;
    return std::nullopt;
}

int ToInt(const std::string& s)
{
    std::int32_t v = 0;
    if (!text::TryStrToInt(s, v))
        Stop("numero non valido: " + s);
    return v;
}

fs::path MakeTempDir()
{
    std::string pattern = (fs::temp_directory_path() / "velcaro-scn-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw Error("Impossibile creare una cartella temporanea.");
    return pattern;
}

} // namespace

struct Runner::State {
    std::string file;
    std::vector<Line> lines;
    size_t next = 0;
    fs::path dir;
    Totals totals;
    size_t dialogsSeen = 0;
    RecordingHelp help;
    std::unique_ptr<ui::ScriptedHost> host;
    std::unique_ptr<analysis::Program> program;
    bool started = false;
};

fs::path DefaultProgramDir()
{
    if (const char* env = std::getenv("VELCARO_PROGRAM_DIR"); env && *env)
        return env;
#ifdef VELCARO_PROGRAM_DIR_DEFAULT
    return VELCARO_PROGRAM_DIR_DEFAULT;
#else
    return fs::current_path() / "Velcaro";
#endif
}

Runner::Runner(fs::path templateDir, std::ostream& out) : templateDir_(std::move(templateDir)), out_(out)
{
}

Runner::~Runner() = default;

Totals Runner::RunFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out_ << path << ": impossibile leggere lo script\n";
        Totals t;
        t.error = true;
        return t;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return RunText(path, text.str());
}

Totals Runner::RunText(const std::string& name, const std::string& text)
{
    s_ = std::make_unique<State>();
    s_->file = name;
    const text::RegionalSettings savedRegional = text::Regional();
    text::SetRegional(text::RegionalSettings::Italian());
    int currentLine = 0;
    try {
        s_->lines = ParseScript(text);
        s_->dir = MakeTempDir();
        fs::copy(templateDir_, s_->dir, fs::copy_options::recursive);
        while (s_->next < s_->lines.size()) {
            const Line& line = s_->lines[s_->next++];
            currentLine = line.number;
            Execute(line);
        }
        if (s_->program && !s_->program->app.ModalStack().empty())
            Stop("lo script finisce con la finestra " + s_->program->app.ModalStack().back()->Name() +
                 " aperta");
    } catch (const ScriptSyntaxError& e) {
        out_ << name << ":" << e.LineNumber() << ": errore: " << e.what() << "\n";
        s_->totals.error = true;
    } catch (const ScriptError& e) {
        if (s_->next > 0 && s_->next <= s_->lines.size())
            currentLine = s_->lines[s_->next - 1].number;
        out_ << name << ":" << currentLine << ": errore: " << e.message << "\n";
        s_->totals.error = true;
    } catch (const std::exception& e) {
        out_ << name << ":" << currentLine << ": errore: " << e.what() << "\n";
        s_->totals.error = true;
    }
    Totals totals = s_->totals;
    s_->program.reset();
    s_->host.reset();
    std::error_code ec;
    if (!s_->dir.empty())
        fs::remove_all(s_->dir, ec);
    s_.reset();
    text::SetRegional(savedRegional);
    return totals;
}

fs::path Runner::ProgramPath(const std::string& rel) const
{
    fs::path p(rel);
    if (p.is_absolute())
        return p;
    std::string r = rel;
    std::replace(r.begin(), r.end(), '\\', '/');
    return s_->dir / r;
}

void Runner::Pass() { ++s_->totals.passed; }

void Runner::Fail(int line, const std::string& expected, const std::string& got)
{
    ++s_->totals.failed;
    out_ << s_->file << ":" << line << ": expected " << expected << ", got " << got << "\n";
}

void Runner::ReportUnansweredDialogs(int line)
{
    if (!s_->host)
        return;
    auto& dialogs = s_->host->Dialogs();
    for (; s_->dialogsSeen < dialogs.size(); ++s_->dialogsSeen) {
        const auto& d = dialogs[s_->dialogsSeen];
        if (d.unanswered)
            Fail(line, "an answer queued for the dialog " + Quote(d.text),
                 std::string("none (answered ") + ui::DialogButtonName(d.answer) + ")");
    }
}

void Runner::RunUntilClosed(Form& form)
{
    while (form.Visible() && form.ModalResult() == ui::mrNone) {
        if (s_->next >= s_->lines.size())
            Stop("lo script finisce con la finestra " + form.Name() + " aperta");
        const Line& line = s_->lines[s_->next++];
        Execute(line);
    }
}

void Runner::Execute(const Line& line)
{
    const std::string& cmd = line.words[0].text;
    if (cmd == "locale" || cmd == "database" || cmd == "sql" || cmd == "file" || cmd == "remove" ||
        cmd == "start")
        Setup(line);
    else if (cmd == "expect")
        Check(line);
    else
        Action(line);
    ReportUnansweredDialogs(line.number);
}

// ---- set-up ----------------------------------------------------------------------------

void Runner::Setup(const Line& line)
{
    const auto& w = line.words;
    const std::string& cmd = w[0].text;
    auto arg = [&](size_t i) -> const std::string& {
        if (i >= w.size())
            Stop("argomento mancante per '" + cmd + "'");
        return w[i].text;
    };
    const fs::path db = s_->dir / "Dati" / "Velcaro.db";
    if (cmd == "locale") {
        if (arg(1) == "it")
            text::SetRegional(text::RegionalSettings::Italian());
        else if (arg(1) == "en")
            text::SetRegional(text::RegionalSettings::English());
        else
            Stop("locale sconosciuto: " + arg(1));
    } else if (cmd == "database") {
        if (s_->started)
            Stop("'database' va dato prima di 'start'");
        if (arg(1) == "sample") {
            fs::copy_file(templateDir_ / "Dati" / "Velcaro.db", db, fs::copy_options::overwrite_existing);
        } else if (arg(1) == "empty") {
            tools::CreateEmptyDatabase(db.string());
        } else if (arg(1) == "none") {
            fs::remove(db);
        } else {
            Stop("database sconosciuto: " + arg(1));
        }
    } else if (cmd == "sql") {
        auto database = store::Database::Open(db.string());
        database->Exec(arg(1));
    } else if (cmd == "file") {
        const fs::path p = ProgramPath(arg(1));
        fs::create_directories(p.parent_path());
        std::ofstream out(p, std::ios::binary | std::ios::trunc);
        out << text::Utf8ToCp1252(arg(2));
        if (!out)
            Stop("impossibile scrivere " + p.string());
    } else if (cmd == "remove") {
        fs::remove(ProgramPath(arg(1)));
    } else if (cmd == "start") {
        if (s_->started)
            Stop("'start' ripetuto");
        s_->started = true;
        s_->host = std::make_unique<ui::ScriptedHost>();
        s_->host->modalDriver = [this](Form& f) { RunUntilClosed(f); };
        s_->program = std::make_unique<analysis::Program>(*s_->host, s_->dir.string());
        s_->program->app.SetHelp(&s_->help);
        analysis::StartOptions options;
        options.splashDelay = false;
        s_->program->Start(options);
    }
}

// ---- look-ups --------------------------------------------------------------------------

Form* Runner::FindForm(const std::string& name) const
{
    if (!s_->program)
        Stop("il programma non è avviato ('start')");
    Form* f = s_->program->app.FindForm(name);
    if (!f)
        Stop("finestra sconosciuta: " + name);
    return f;
}

Control* Runner::FindControl(const std::string& spec) const
{
    if (!s_->program)
        Stop("il programma non è avviato ('start')");
    const auto dot = spec.find('.');
    Form* form = nullptr;
    std::string name = spec;
    if (dot != std::string::npos) {
        form = FindForm(spec.substr(0, dot));
        name = spec.substr(dot + 1);
    } else {
        form = s_->program->app.ActiveForm();
        if (!form)
            Stop("nessuna finestra aperta per " + spec);
    }
    Control* c = form->FindControl(name);
    if (!c)
        Stop("controllo sconosciuto: " + form->Name() + "." + name);
    return c;
}

Control* Runner::FindEnabledControl(const std::string& spec) const
{
    Control* c = FindControl(spec);
    if (!c->Enabled())
        Stop("il controllo " + c->Owner().Name() + "." + c->Name() + " è disattivato");
    if (!c->Visible())
        Stop("il controllo " + c->Owner().Name() + "." + c->Name() + " è nascosto");
    return c;
}

store::Table* Runner::FindCursor(const std::string& spec) const
{
    if (!s_->program)
        Stop("il programma non è avviato ('start')");
    std::string name = spec;
    if (name.rfind("dmModuloDati.", 0) == 0)
        name = name.substr(13);
    store::Table* t = s_->program->dmModuloDati->FindCursor(name);
    if (!t)
        Stop("cursore sconosciuto: " + spec);
    return t;
}

store::DataSource* Runner::FindDataSource(const std::string& spec) const
{
    if (!s_->program)
        Stop("il programma non è avviato ('start')");
    std::string name = spec;
    if (name.rfind("dmModuloDati.", 0) == 0)
        name = name.substr(13);
    return s_->program->dmModuloDati->FindDataSource(name);
}

// ---- actions ---------------------------------------------------------------------------

void Runner::Action(const Line& line)
{
    const auto& w = line.words;
    const std::string& cmd = w[0].text;
    auto arg = [&](size_t i) -> const std::string& {
        if (i >= w.size())
            Stop("argomento mancante per '" + cmd + "'");
        return w[i].text;
    };
    auto dispatch = [&](const std::function<void()>& f) { s_->program->app.Dispatch(f); };

    if (cmd == "answer") {
        if (w.size() < 2)
            Stop("'answer' senza pulsanti");
        if (!s_->host)
            Stop("il programma non è avviato ('start')");
        for (size_t i = 1; i < w.size(); ++i) {
            auto b = ButtonByName(w[i].text);
            if (!b)
                Stop("pulsante sconosciuto: " + w[i].text);
            s_->host->QueueAnswer(*b);
        }
        return;
    }
    if (cmd == "savefile" || cmd == "openfile") {
        if (!s_->host)
            Stop("il programma non è avviato ('start')");
        s_->host->QueueFile(ProgramPath(arg(1)).string());
        return;
    }
    if (cmd == "cancelfile") {
        if (!s_->host)
            Stop("il programma non è avviato ('start')");
        s_->host->QueueFile(std::nullopt);
        return;
    }
    if (cmd == "stop-at") {
        if (!s_->host)
            Stop("il programma non è avviato ('start')");
        auto b = ButtonByName(arg(2));
        if (!b || (*b != ui::DialogButton::Yes && *b != ui::DialogButton::No))
            Stop("'stop-at' vuole Yes o No");
        s_->host->stopAt = ui::ScriptedHost::StopAt{ToInt(arg(1)), *b};
        return;
    }
    if (cmd == "key") {
        Form* f = FindForm(arg(1));
        const std::string key = arg(2);
        dispatch([&] { f->UserKey(key); });
        return;
    }
    if (cmd == "close") {
        Form* f = FindForm(arg(1));
        dispatch([&] { f->Close(); });
        return;
    }
    if (cmd == "find" || cmd == "replace") {
        if (!s_->program)
            Stop("il programma non è avviato ('start')");
        ui::FindOptions o;
        o.text = arg(1);
        size_t i = 2;
        if (cmd == "replace") {
            o.replaceWith = arg(2);
            const std::string& how = arg(3);
            if (how != "once" && how != "all")
                Stop("'replace' vuole once o all");
            o.replaceAll = how == "all";
            i = 4;
        }
        for (; i < w.size(); ++i) {
            if (w[i].text == "up")
                o.down = false;
            else if (w[i].text == "case")
                o.matchCase = true;
            else if (w[i].text == "word")
                o.wholeWord = true;
            else
                Stop("opzione sconosciuta: " + w[i].text);
        }
        auto* target = dynamic_cast<ui::FindReplaceTarget*>(s_->program->app.ActiveForm());
        if (!target)
            Stop("nessuna finestra risponde alla ricerca");
        dispatch([&] {
            if (cmd == "find")
                target->FindNext(o);
            else
                target->Replace(o);
        });
        return;
    }

    // Commands on one control.
    Control* c = FindEnabledControl(arg(1));
    if (cmd == "type") {
        const std::string t = arg(2);
        if (auto* e = dynamic_cast<ui::Edit*>(c))
            dispatch([&] { e->UserType(t); });
        else if (auto* m = dynamic_cast<ui::Memo*>(c))
            dispatch([&] { m->UserType(t); });
        else if (auto* d = dynamic_cast<ui::DBEdit*>(c))
            dispatch([&] { d->UserType(t); });
        else if (auto* dm = dynamic_cast<ui::DBMemo*>(c))
            dispatch([&] { dm->UserType(t); });
        else if (auto* cb = dynamic_cast<ui::ComboBox*>(c))
            dispatch([&] { cb->UserType(t); });
        else if (auto* se = dynamic_cast<ui::SpinEdit*>(c))
            dispatch([&] { se->UserSetValue(ToInt(t)); });
        else
            Stop("non si può scrivere in " + c->Name());
    } else if (cmd == "focus") {
        dispatch([&] { c->Owner().FocusControl(c); });
    } else if (cmd == "leave") {
        dispatch([&] {
            c->Owner().FocusControl(c);
            if (c->Owner().ActiveControl() == c)
                c->Owner().FocusControl(nullptr);
        });
    } else if (cmd == "click") {
        dispatch([&] { c->UserClick(); });
    } else if (cmd == "tick" || cmd == "untick") {
        auto* cb = dynamic_cast<ui::CheckBox*>(c);
        if (!cb)
            Stop(c->Name() + " non è una casella di spunta");
        const bool v = cmd == "tick";
        dispatch([&] { cb->UserSetChecked(v); });
    } else if (cmd == "choose") {
        if (w.size() < 3)
            Stop("'choose' senza elemento");
        const Word& item = w[2];
        const bool byIndex = !item.quoted && !item.text.empty() && item.text[0] == '#';
        auto indexIn = [&](const std::vector<std::string>& items) {
            if (byIndex)
                return ToInt(item.text.substr(1));
            auto it = std::find(items.begin(), items.end(), item.text);
            if (it == items.end())
                Stop(c->Name() + " non ha l'elemento " + Quote(item.text));
            return static_cast<int>(it - items.begin());
        };
        if (auto* cb = dynamic_cast<ui::ComboBox*>(c)) {
            // The list may be filled as it opens: the item is looked up then.
            bool found = true;
            if (byIndex)
                dispatch([&] { found = cb->UserChoose(ToInt(item.text.substr(1))); });
            else
                dispatch([&] { found = cb->UserChoose(item.text); });
            if (!found)
                Stop(c->Name() + " non ha l'elemento " + Quote(item.text));
        } else if (auto* rg = dynamic_cast<ui::RadioGroup*>(c)) {
            const int i = indexIn(rg->Items());
            if (i < 0 || i >= static_cast<int>(rg->Items().size()))
                Stop(c->Name() + " non ha l'elemento " + item.text);
            dispatch([&] { rg->UserChoose(i); });
        } else if (auto* lk = dynamic_cast<ui::DBLookupComboBox*>(c)) {
            const int i = indexIn(lk->Items());
            dispatch([&] { lk->UserChoose(i); });
        } else if (auto* dcb = dynamic_cast<ui::DBComboBox*>(c)) {
            const int i = indexIn(dcb->Items());
            dispatch([&] { dcb->UserChoose(i); });
        } else if (auto* drg = dynamic_cast<ui::DBRadioGroup*>(c)) {
            const int i = indexIn(drg->Items());
            dispatch([&] { drg->UserChoose(i); });
        } else if (auto* lv = dynamic_cast<ui::ListView*>(c)) {
            std::vector<std::string> captions;
            for (const auto& r : lv->Rows())
                captions.push_back(r.empty() ? std::string() : r[0]);
            const int i = indexIn(captions);
            dispatch([&] { lv->UserSelect(i); });
        } else {
            Stop(c->Name() + " non è una lista");
        }
    } else if (cmd == "dropdown") {
        if (auto* cb = dynamic_cast<ui::ComboBox*>(c))
            dispatch([&] { cb->UserDropDown(); });
        else if (auto* lk = dynamic_cast<ui::DBLookupComboBox*>(c))
            dispatch([&] { lk->UserDropDown(); });
        else
            Stop(c->Name() + " non è una lista a discesa");
    } else if (cmd == "spin") {
        auto* se = dynamic_cast<ui::SpinEdit*>(c);
        if (!se)
            Stop(c->Name() + " non è una casella numerica");
        const std::string how = arg(2);
        if (how == "up")
            dispatch([&] { se->UserSpinUp(); });
        else if (how == "down")
            dispatch([&] { se->UserSpinDown(); });
        else {
            const int v = ToInt(how);
            dispatch([&] { se->UserSetValue(v); });
        }
    } else if (cmd == "nav") {
        auto* nav = dynamic_cast<ui::DBNavigator*>(c);
        if (!nav)
            Stop(c->Name() + " non è un navigatore");
        const std::string b = arg(2);
        static const std::pair<const char*, ui::NavButton> buttons[] = {
            {"first", ui::NavButton::First},   {"prior", ui::NavButton::Prior},
            {"next", ui::NavButton::Next},     {"last", ui::NavButton::Last},
            {"insert", ui::NavButton::Insert}, {"delete", ui::NavButton::Delete},
            {"edit", ui::NavButton::Edit},     {"post", ui::NavButton::Post},
            {"cancel", ui::NavButton::Cancel}, {"refresh", ui::NavButton::Refresh}};
        for (const auto& [n, nb] : buttons)
            if (b == n) {
                if (!nav->ButtonEnabled(nb))
                    Stop("il pulsante " + b + " di " + c->Name() + " è disattivato");
                dispatch([&] { nav->UserPress(nb); });
                return;
            }
        Stop("pulsante del navigatore sconosciuto: " + b);
    } else if (cmd == "row") {
        auto* grid = dynamic_cast<ui::DBGrid*>(c);
        if (!grid)
            Stop(c->Name() + " non è una griglia");
        const int row = ToInt(arg(2));
        dispatch([&] { grid->UserClickRow(row); });
    } else {
        Stop("comando sconosciuto: " + cmd);
    }
}

// ---- checks ----------------------------------------------------------------------------

void Runner::Check(const Line& line)
{
    const auto& w = line.words;
    const int n = line.number;
    auto arg = [&](size_t i) -> const Word& {
        if (i >= w.size())
            Stop("'expect' incompleto");
        return w[i];
    };
    auto compare = [&](const std::string& expected, const std::string& got) {
        if (expected == got)
            Pass();
        else
            Fail(n, Quote(expected), Quote(got));
    };
    const std::string& what = arg(1).text;

    if (what == "focus") {
        Control* c = FindControl(arg(2).text);
        Control* active = c->Owner().ActiveControl();
        if (active == c)
            Pass();
        else
            Fail(n, "focus on " + c->Name(), active ? active->Name() : std::string("none"));
        return;
    }
    if (what == "shown" || what == "hidden") {
        Form* f = FindForm(arg(2).text);
        if (f->Visible() == (what == "shown"))
            Pass();
        else
            Fail(n, f->Name() + " " + what, f->Visible() ? "shown" : "hidden");
        return;
    }
    if (what == "nodialog") {
        if (!s_->host)
            Stop("il programma non è avviato ('start')");
        if (auto* d = s_->host->OldestUnchecked()) {
            Fail(n, "no dialog", std::string(ui::DialogKindName(d->kind)) + " " + Quote(d->text));
            for (auto& dd : s_->host->Dialogs())
                dd.checked = true;
        } else {
            Pass();
        }
        return;
    }
    if (what == "dialog") {
        if (!s_->host)
            Stop("il programma non è avviato ('start')");
        const std::string kind = arg(2).text;
        bool contains = false;
        size_t ti = 3;
        if (!arg(3).quoted && arg(3).text == "~") {
            contains = true;
            ti = 4;
        }
        const std::string textWanted = arg(ti).text;
        static const std::vector<std::string> kinds = {"error", "warning", "information",
                                                       "confirmation", "message"};
        if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end())
            Stop("tipo di dialogo sconosciuto: " + kind);
        auto* d = s_->host->OldestUnchecked();
        const std::string expected = kind + (contains ? " ~ " : " ") + Quote(textWanted);
        if (!d) {
            Fail(n, expected, "no dialog");
            return;
        }
        d->checked = true;
        const bool kindOk = kind == ui::DialogKindName(d->kind);
        const bool textOk = contains ? d->text.find(textWanted) != std::string::npos : d->text == textWanted;
        if (kindOk && textOk)
            Pass();
        else
            Fail(n, expected, std::string(ui::DialogKindName(d->kind)) + " " + Quote(d->text));
        return;
    }
    if (what == "field") {
        const auto parts = Split(arg(2).text, '.');
        if (parts.size() < 2)
            Stop("'expect field' vuole cursore.CAMPO");
        store::Table* t = FindCursor(Join(parts, 0, parts.size() - 1, '.'));
        if (arg(3).text != "=")
            Stop("'expect field' vuole '='");
        store::Field* f = t->FindField(parts.back());
        if (!f)
            Stop("campo sconosciuto: " + parts.back());
        compare(arg(4).text, t->Active() ? f->AsString() : std::string());
        return;
    }
    if (what == "count") {
        store::Table* t = FindCursor(arg(2).text);
        const int expected = ToInt(arg(4).text);
        const int got = t->Active() ? t->RecordCount() : 0;
        if (expected == got)
            Pass();
        else
            Fail(n, std::to_string(expected) + " records", std::to_string(got) + (t->Active() ? "" : " (closed)"));
        return;
    }
    if (what == "rows") {
        const std::string table = arg(2).text;
        const int expected = ToInt(arg(4).text);
        auto db = store::Database::Open((s_->dir / "Dati" / "Velcaro.db").string());
        const std::string actual = db->FindTable(store::TableNameWithoutExtension(table));
        if (actual.empty()) {
            Fail(n, std::to_string(expected) + " rows in " + table, "no such table");
            return;
        }
        sqlite3_stmt* st = nullptr;
        std::string quoted = "\"";
        for (char ch : actual)
            quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
        quoted += "\"";
        const std::string sql = "SELECT count(*) FROM " + quoted;
        int got = -1;
        if (sqlite3_prepare_v2(db->Handle(), sql.c_str(), -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            got = sqlite3_column_int(st, 0);
        sqlite3_finalize(st);
        if (got == expected)
            Pass();
        else
            Fail(n, std::to_string(expected) + " rows", std::to_string(got));
        return;
    }
    if (what == "query") {
        // An extension: the rows of a query on the database file, columns joined with ";",
        // rows with "|", an empty value for NULL.
        auto db = store::Database::Open((s_->dir / "Dati" / "Velcaro.db").string());
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db->Handle(), arg(2).text.c_str(), -1, &st, nullptr) != SQLITE_OK) {
            const std::string message = sqlite3_errmsg(db->Handle());
            sqlite3_finalize(st);
            Stop("query non valida: " + message);
        }
        std::string got;
        bool firstRow = true;
        while (sqlite3_step(st) == SQLITE_ROW) {
            if (!firstRow)
                got += '|';
            firstRow = false;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                if (c)
                    got += ';';
                if (const unsigned char* t = sqlite3_column_text(st, c))
                    got += reinterpret_cast<const char*>(t);
            }
        }
        sqlite3_finalize(st);
        if (arg(3).text != "=")
            Stop("'expect query' vuole '='");
        compare(arg(4).text, got);
        return;
    }
    if (what == "record") {
        if (!s_->program)
            Stop("il programma non è avviato ('start')");
        const auto parts = Split(arg(2).text, '.');
        if (parts.size() != 2)
            Stop("'expect record' vuole RECORD.CAMPO");
        auto v = data::ReadRecordField(s_->program->state, parts[0], parts[1]);
        if (!v)
            Stop("campo di record sconosciuto: " + arg(2).text);
        const Word& want = arg(4);
        if (auto* str = std::get_if<std::string>(&*v)) {
            compare(want.text, *str);
            return;
        }
        const double got = std::holds_alternative<std::int32_t>(*v)
                               ? static_cast<double>(std::get<std::int32_t>(*v))
                               : std::get<double>(*v);
        char* end = nullptr;
        const double expected = std::strtod(want.text.c_str(), &end);
        if (end == want.text.c_str() || *end != '\0')
            Stop("numero non valido: " + want.text);
        const double tol = 1e-9 * std::max(std::fabs(expected), std::fabs(got));
        std::ostringstream g;
        g.precision(17);
        g << got;
        if (std::fabs(expected - got) <= tol)
            Pass();
        else
            Fail(n, want.text, g.str());
        return;
    }
    if (what == "flag") {
        if (!s_->program)
            Stop("il programma non è avviato ('start')");
        auto v = s_->program->Flag(arg(2).text);
        if (!v)
            Stop("flag sconosciuto: " + arg(2).text);
        compare(arg(4).text, *v ? "true" : "false");
        return;
    }
    if (what == "help") {
        if (arg(2).text == "context") {
            const std::string got =
                s_->help.lastContext ? std::to_string(*s_->help.lastContext) : std::string("none");
            compare(arg(3).text, got);
        } else if (arg(2).text == "topic") {
            compare(arg(3).text, s_->help.lastTopic.value_or("none"));
        } else {
            Stop("'expect help' vuole context o topic");
        }
        return;
    }
    if (what == "file") {
        if (arg(3).text != "exists")
            Stop("'expect file' vuole exists");
        const fs::path p = ProgramPath(arg(2).text);
        if (fs::exists(p))
            Pass();
        else
            Fail(n, arg(2).text + " exists", "missing");
        return;
    }

    // expect <control> = "TEXT" | ~ "TEXT" | <control>.PROP = VALUE
    const std::string& target = what;
    const std::string& op = arg(2).text;
    if (op != "=" && op != "~")
        Stop("operatore sconosciuto: " + op);
    const std::string& wanted = arg(3).text;
    const auto parts = Split(target, '.');
    if (parts.size() >= 2 && IsProperty(parts.back())) {
        const std::string prop = parts.back();
        const std::string owner = Join(parts, 0, parts.size() - 1, '.');
        std::optional<std::string> got;
        if (store::DataSource* ds = (prop == "state") ? FindDataSource(owner) : nullptr) {
            got = StateName(ds->State());
        } else if (parts.size() == 2 && s_->program && s_->program->app.FindForm(owner) &&
                   !s_->program->app.ActiveForm()->FindControl(owner)) {
            Form* f = FindForm(owner);
            if (prop == "tag")
                got = std::to_string(f->Tag());
            else if (prop == "visible")
                got = f->Visible() ? "true" : "false";
            else if (prop == "caption")
                got = f->Caption();
        } else {
            Control* c = FindControl(owner);
            got = c->Property(prop);
        }
        if (!got)
            Stop(owner + " non ha la proprietà " + prop);
        if (prop == "color") {
            // A named colour may also be written as #RRGGBB and the other way round.
            Control* c = FindControl(owner);
            const ui::Color color = c->GetColor();
            char hex[16];
            std::snprintf(hex, sizeof hex, "#%02X%02X%02X", static_cast<unsigned>((color >> 16) & 0xFF),
                          static_cast<unsigned>((color >> 8) & 0xFF), static_cast<unsigned>(color & 0xFF));
            if (Lower(wanted) == Lower(*got) || (color >= 0 && Lower(wanted) == Lower(hex)))
                Pass();
            else
                Fail(n, wanted, *got);
            return;
        }
        compare(wanted, *got);
        return;
    }
    Control* c = FindControl(target);
    if (op == "=")
        compare(wanted, c->Text());
    else
        compare(text::Trim(wanted), text::Trim(c->Text()));
}

} // namespace velcaro::scenario
