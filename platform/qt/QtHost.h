#pragma once
// The host of the real program: windows are Qt widgets, modal loops are Qt event loops,
// messages are QMessageBox with the Italian button texts.
//
// Ownership: the host does not own the widgets it shows; the views register the top-level
// widget of each form (kept as a QPointer, so a widget that goes away is simply forgotten).
// The host must outlive the Application that uses it.
#include "platform/ui/Application.h"
#include "platform/ui/Host.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

class QMessageBox;

namespace velcaro::qt {

// Builds the message box of a kind: icon, window title, Italian buttons, "\r" as line breaks.
// A plain message carries the application title.
std::unique_ptr<QMessageBox> MakeMessageBox(ui::DialogKind kind, const std::string& text,
                                            const std::vector<ui::DialogButton>& buttons,
                                            const std::string& applicationTitle,
                                            QWidget* parent = nullptr);
// The program's button behind a standard button of such a box.
ui::DialogButton ButtonOf(int standardButton);

class QtHost : public ui::Host {
public:
    // The application gives plain messages their title; set once it exists.
    void SetApplication(const ui::Application* app) { app_ = app; }

    void Register(const ui::Form& form, QWidget* window);
    void Unregister(const ui::Form& form);
    QWidget* WindowOf(const ui::Form& form) const;

    void RunModal(ui::Form& form) override;
    void ShowModeless(ui::Form& form) override;
    void HideForm(ui::Form& form) override;
    void ProcessMessages() override;
    ui::DialogButton MessageDialog(ui::DialogKind kind, const std::string& text,
                                   const std::vector<ui::DialogButton>& buttons) override;
    std::optional<std::string> OpenFileDialog(const ui::FileDialogOptions& o) override;
    std::optional<std::string> SaveFileDialog(const ui::FileDialogOptions& o) override;
    // The font as QFont::toString() writes it; `current` may also be a bare family name.
    std::optional<std::string> FontDialog(const std::string& current) override;
    // A web address, or a document opened with the desktop's application for it.
    void OpenUrl(const std::string& url) override;

    // Tests answer the message boxes here instead of showing them: the hook gets the box
    // as it would have been shown and returns the button pressed.
    std::function<ui::DialogButton(QMessageBox&)> dialogHook;

private:
    QWidget* DialogParent() const;
    const ui::Application* app_ = nullptr;
    std::map<const ui::Form*, QPointer<QWidget>> windows_;
};

} // namespace velcaro::qt
