#include "platform/ui/ScriptedHost.h"

#include "platform/ui/Form.h"

namespace velcaro::ui {

void ScriptedHost::RunModal(Form& form)
{
    if (modalDriver) {
        modalDriver(form);
        return;
    }
    // Nobody to act inside the window: it closes as if its close box were pressed.
    form.Close();
}

void ScriptedHost::ShowModeless(Form&) {}
void ScriptedHost::HideForm(Form&) {}

void ScriptedHost::ProcessMessages()
{
    if (onProcessMessages)
        onProcessMessages();
}

DialogButton ScriptedHost::MessageDialog(DialogKind kind, const std::string& text,
                                         const std::vector<DialogButton>& buttons)
{
    Dialog d{kind, text, buttons, buttons.empty() ? DialogButton::OK : buttons.front(), false, false};
    if (buttons.size() > 1) {
        if (!answers_.empty()) {
            d.answer = answers_.front();
            answers_.pop_front();
        } else {
            // Nothing queued: the safest button (the last: No or Cancel), and the runner
            // reports the script as wrong.
            d.answer = buttons.back();
            d.unanswered = true;
        }
    }
    dialogs_.push_back(d);
    return d.answer;
}

ScriptedHost::Dialog* ScriptedHost::OldestUnchecked()
{
    for (Dialog& d : dialogs_)
        if (!d.checked)
            return &d;
    return nullptr;
}

std::optional<std::string> ScriptedHost::NextFile(const FileDialogOptions& o)
{
    fileDialogs_.push_back(o);
    if (files_.empty())
        return std::nullopt; // as if the user cancelled
    auto r = files_.front();
    files_.pop_front();
    return r;
}

std::optional<std::string> ScriptedHost::OpenFileDialog(const FileDialogOptions& o) { return NextFile(o); }
std::optional<std::string> ScriptedHost::SaveFileDialog(const FileDialogOptions& o) { return NextFile(o); }
std::optional<std::string> ScriptedHost::FontDialog(const std::string&) { return std::nullopt; }
void ScriptedHost::OpenUrl(const std::string& url) { urls_.push_back(url); }

} // namespace velcaro::ui
