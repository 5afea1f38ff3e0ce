#pragma once
// A window of the program as the logic sees it: its controls by name, caption, Tag,
// ModalResult, HelpContext, the active control, and showing/hiding through the host.
//
// Ownership: each window class derives from Form and is owned by the Application for
// the whole run (created once at start-up, hidden, never destroyed, when closed).
#include "platform/ui/Controls.h"

#include <functional>
#include <string>
#include <vector>

namespace velcaro::ui {

class Application;

enum class CloseAction { None, Hide, Free, Minimize };

class Form {
public:
    Form(Application& app, std::string name, std::string caption);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Application& App() const { return *app_; }
    const std::string& Name() const { return name_; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string c);
    int Tag() const { return tag_; }
    void SetTag(int t) { tag_ = t; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    int HelpContext() const { return helpContext_; }
    void SetHelpContext(int c) { helpContext_ = c; }
    bool Visible() const { return visible_; }
    bool Modal() const { return modal_; }

    Control* ActiveControl() const { return active_; }
    // Moves the focus; the exit handler of the control losing it runs first. A handler
    // that moves the focus itself (back to the control it was leaving, say) wins.
    void FocusControl(Control* target);

    void Show();      // modeless
    int ShowModal();  // runs the activation, then the host's modal loop; returns ModalResult
    void Close();     // OnClose decides; by default the window is hidden
    void Hide();

    // Key presses: Enter clicks the default button, Esc the cancel button (the focus stays
    // where it is), F1 asks help
    // for HelpContext (nothing when it is 0), any other key goes to OnKeyPress.
    void UserKey(const std::string& key);

    Control* FindControl(const std::string& name) const;
    const std::vector<Control*>& Controls() const { return controls_; }

    NotifyEvent OnActivate;
    NotifyEvent OnShow;
    NotifyEvent OnHide;
    std::function<void(CloseAction&)> OnClose;
    std::function<void(std::string& key)> OnKeyPress;

    int Observe(std::function<void()> cb);
    void Unobserve(int id);

private:
    friend class Control;
    void Register(Control* c);
    void Unregister(Control* c);
    void RequestFocus(Control* c);
    void Changed();
    Control* FirstFocusable() const;

    Application* app_;
    std::string name_;
    std::string caption_;
    int tag_ = 0;
    int modalResult_ = 0;
    int helpContext_ = 0;
    bool visible_ = false;
    bool modal_ = false;
    Control* active_ = nullptr;
    bool inExit_ = false;
    Control* focusDuringExit_ = nullptr;
    bool focusRequestedDuringExit_ = false;
    std::vector<Control*> controls_;
    Observers observers_;
};

} // namespace velcaro::ui
