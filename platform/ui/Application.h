#pragma once
// The application object: title, program folder, host, the help service, the windows in
// their order of creation, and the dispatcher that turns an exception escaping a handler
// into an error box, as the event loop of a desktop program does.
//
// Ownership: the Application owns the windows added with Adopt (destroyed in reverse order
// of creation); it does not own the Host or the help service.
#include "platform/ui/Host.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velcaro::ui {

class Form;

// Help requests; implemented by the help viewer, recorded for the scenario runner.
class HelpRequests {
public:
    virtual ~HelpRequests() = default;
    virtual void ShowContext(int context) = 0;
    virtual void ShowTopic(const std::string& name) = 0;
    virtual void Close() = 0;
};

class Application {
public:
    Application(Host& host, std::string programDir);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    Host& GetHost() const { return *host_; }
    const std::string& ProgramDir() const { return programDir_; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string t) { title_ = std::move(t); }
    const std::string& HelpFile() const { return helpFile_; }
    void SetHelpFile(std::string f) { helpFile_ = std::move(f); }
    HelpRequests* Help() const { return help_; }
    void SetHelp(HelpRequests* h) { help_ = h; }

    // A path as the program names it ("Images\LOGO.jpg", "..\Velcaro\HELP\AIUTO.HLP")
    // resolved against the program folder; file names match without regard to case.
    std::string ResolvePath(const std::string& programPath) const;

    // Runs a handler as the event loop would: an exception ends it and its text is shown
    // in an error box; what the handler did before stays. Returns false when it threw.
    bool Dispatch(const std::function<void()>& handler);

    // Messages with the program's buttons.
    DialogButton MessageDlg(DialogKind kind, const std::string& text,
                            const std::vector<DialogButton>& buttons);
    void ShowMessage(const std::string& text); // plain message, OK

    template <class F, class... Args> F& Create(Args&&... args)
    {
        auto form = std::make_unique<F>(*this, std::forward<Args>(args)...);
        F& ref = *form;
        forms_.push_back(std::move(form));
        return ref;
    }
    void Adopt(std::unique_ptr<Form> form);
    Form* FindForm(const std::string& name) const;
    const std::vector<std::unique_ptr<Form>>& Forms() const { return forms_; }
    // The window that has the user's attention: the topmost modal one, else the main window.
    Form* ActiveForm() const;
    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* f) { mainForm_ = f; }

    // Called by forms as they are shown modally and closed.
    void PushModal(Form* f);
    void PopModal(Form* f);
    const std::vector<Form*>& ModalStack() const { return modalStack_; }

private:
    Host* host_;
    std::string programDir_;
    std::string title_ = "Velcaro";
    std::string helpFile_;
    HelpRequests* help_ = nullptr;
    std::vector<std::unique_ptr<Form>> forms_;
    Form* mainForm_ = nullptr;
    std::vector<Form*> modalStack_;
};

} // namespace velcaro::ui
