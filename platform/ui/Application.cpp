#include "platform/ui/Application.h"

#include "platform/ui/Form.h"

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace velcaro::ui {

const char* DialogKindName(DialogKind k)
{
    switch (k) {
    case DialogKind::Error: return "error";
    case DialogKind::Warning: return "warning";
    case DialogKind::Information: return "information";
    case DialogKind::Confirmation: return "confirmation";
    case DialogKind::Message: return "message";
    }
    return "?";
}

const char* DialogButtonName(DialogButton b)
{
    switch (b) {
    case DialogButton::Yes: return "Yes";
    case DialogButton::No: return "No";
    case DialogButton::OK: return "OK";
    case DialogButton::Cancel: return "Cancel";
    }
    return "?";
}

Application::Application(Host& host, std::string programDir)
    : host_(&host), programDir_(std::move(programDir))
{
}

Application::~Application()
{
    // Windows go in the reverse order of their creation, the data module (created
    // first by the start-up) last.
    while (!forms_.empty())
        forms_.pop_back();
}

namespace {
// One path component matched without regard to case inside dir; the name as given when
// nothing matches (so the error names the file the program asked for).
fs::path MatchComponent(const fs::path& dir, const std::string& name)
{
    std::error_code ec;
    if (fs::exists(dir / name, ec))
        return dir / name;
    auto lower = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return s;
    };
    const std::string wanted = lower(name);
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        if (lower(it->path().filename().string()) == wanted)
            return it->path();
    return dir / name;
}
} // namespace

std::string Application::ResolvePath(const std::string& programPath) const
{
    std::string p = programPath;
    std::replace(p.begin(), p.end(), '\\', '/');
    fs::path path(p);
    if (path.is_absolute())
        return path.string();
    // "..\Velcaro\HELP\AIUTO.HLP" names the program folder from inside it: the folder is
    // itself called Velcaro, so the prefix leads back to where we are.
    fs::path base(programDir_);
    std::vector<std::string> parts;
    for (const auto& part : path)
        parts.push_back(part.string());
    size_t i = 0;
    if (parts.size() >= 2 && parts[0] == ".." && parts[1] == base.filename().string())
        i = 2;
    fs::path out = base;
    for (; i < parts.size(); ++i) {
        if (parts[i] == "." || parts[i].empty())
            continue;
        if (parts[i] == "..") {
            out = out.parent_path();
            continue;
        }
        out = MatchComponent(out, parts[i]);
    }
    return out.string();
}

bool Application::Dispatch(const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const std::exception& e) {
        // Only the program's own failures become an error box; anything else (the
        // scenario runner's abort of a script, say) goes on to whoever runs the loop.
        host_->MessageDialog(DialogKind::Error, e.what(), {DialogButton::OK});
    }
    return false;
}

DialogButton Application::MessageDlg(DialogKind kind, const std::string& text,
                                     const std::vector<DialogButton>& buttons)
{
    return host_->MessageDialog(kind, text, buttons);
}

void Application::ShowMessage(const std::string& text)
{
    host_->MessageDialog(DialogKind::Message, text, {DialogButton::OK});
}

void Application::Adopt(std::unique_ptr<Form> form) { forms_.push_back(std::move(form)); }

Form* Application::FindForm(const std::string& name) const
{
    for (const auto& f : forms_)
        if (f->Name() == name)
            return f.get();
    return nullptr;
}

Form* Application::ActiveForm() const
{
    if (!modalStack_.empty())
        return modalStack_.back();
    return mainForm_;
}

void Application::PushModal(Form* f) { modalStack_.push_back(f); }
void Application::PopModal(Form* f)
{
    auto it = std::find(modalStack_.rbegin(), modalStack_.rend(), f);
    if (it != modalStack_.rend())
        modalStack_.erase(std::next(it).base());
}

} // namespace velcaro::ui
