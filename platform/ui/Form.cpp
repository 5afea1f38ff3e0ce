#include "platform/ui/Form.h"

#include "platform/ui/Application.h"

#include <algorithm>

namespace velcaro::ui {

Form::Form(Application& app, std::string name, std::string caption)
    : app_(&app), name_(std::move(name)), caption_(std::move(caption))
{
}

Form::~Form() = default;

void Form::SetCaption(std::string c)
{
    caption_ = std::move(c);
    Changed();
}

void Form::Register(Control* c) { controls_.push_back(c); }

void Form::Unregister(Control* c)
{
    std::erase(controls_, c);
    if (active_ == c)
        active_ = nullptr;
    if (focusDuringExit_ == c)
        focusDuringExit_ = nullptr;
}

Control* Form::FindControl(const std::string& name) const
{
    for (Control* c : controls_)
        if (c->Name() == name)
            return c;
    return nullptr;
}

void Form::RequestFocus(Control* c)
{
    if (inExit_) {
        // An exit handler that moves the focus decides where it goes.
        focusDuringExit_ = c;
        focusRequestedDuringExit_ = true;
        return;
    }
    FocusControl(c);
}

void Form::FocusControl(Control* target)
{
    if (active_ == target)
        return;
    Control* leaving = active_;
    if (leaving && leaving->OnExit) {
        inExit_ = true;
        focusRequestedDuringExit_ = false;
        focusDuringExit_ = nullptr;
        struct Reset {
            bool& flag;
            ~Reset() { flag = false; }
        } reset{inExit_};
        // An exception in the exit handler keeps the focus where it was.
        leaving->OnExit();
    }
    if (focusRequestedDuringExit_) {
        focusRequestedDuringExit_ = false;
        Control* chosen = focusDuringExit_;
        focusDuringExit_ = nullptr;
        active_ = chosen;
        Changed();
        if (chosen && chosen != leaving && chosen->OnEnter)
            chosen->OnEnter();
        return;
    }
    active_ = target;
    Changed();
    if (target && target->OnEnter)
        target->OnEnter();
}

Control* Form::FirstFocusable() const
{
    for (Control* c : controls_)
        if (c->CanFocus() && c->Enabled() && c->Visible())
            return c;
    return nullptr;
}

void Form::Show()
{
    const bool wasVisible = visible_;
    visible_ = true;
    if (!wasVisible) {
        if (OnShow)
            OnShow();
        app_->GetHost().ShowModeless(*this);
        if (OnActivate)
            OnActivate();
    }
    Changed();
}

int Form::ShowModal()
{
    modalResult_ = mrNone;
    visible_ = true;
    modal_ = true;
    if (!active_)
        active_ = FirstFocusable();
    app_->PushModal(this);
    struct PopOnExit {
        Form* f;
        ~PopOnExit()
        {
            f->modal_ = false;
            f->visible_ = false;
            f->app_->PopModal(f);
            f->Changed();
        }
    } pop{this};
    Changed();
    if (OnShow)
        OnShow();
    // The activation belongs to this showing; an error in it is the user's to read, and
    // the window stays open, as a desktop program's window does.
    if (OnActivate)
        app_->Dispatch(OnActivate);
    if (modalResult_ == mrNone && visible_)
        app_->GetHost().RunModal(*this);
    if (OnHide)
        OnHide();
    return modalResult_;
}

void Form::Close()
{
    CloseAction action = CloseAction::Hide;
    if (OnClose)
        OnClose(action);
    if (action == CloseAction::None)
        return;
    if (modal_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        return; // the modal loop sees the result and ShowModal hides the window
    }
    Hide();
}

void Form::Hide()
{
    if (!visible_)
        return;
    if (modal_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        return;
    }
    visible_ = false;
    app_->GetHost().HideForm(*this);
    if (OnHide)
        OnHide();
    Changed();
}

void Form::UserKey(const std::string& key)
{
    if (key == "F1") {
        if (helpContext_ != 0 && app_->Help())
            app_->Help()->ShowContext(helpContext_);
        return;
    }
    if (key == "Enter" || key == "Esc") {
        const bool enter = key == "Enter";
        for (Control* c : controls_) {
            auto* b = dynamic_cast<Button*>(c);
            if (b && b->Enabled() && b->Visible() && (enter ? b->Default() : b->Cancel())) {
                // A dialog key presses the button where the focus is: the edit being typed
                // in is not left, so its exit handler does not run.
                b->Click();
                return;
            }
        }
        if (!enter && modal_)
            Close();
        return;
    }
    std::string k = key;
    if (OnKeyPress)
        OnKeyPress(k);
}

int Form::Observe(std::function<void()> cb) { return observers_.Add(std::move(cb)); }
void Form::Unobserve(int id) { observers_.Remove(id); }
void Form::Changed() { observers_.Notify(); }

} // namespace velcaro::ui
