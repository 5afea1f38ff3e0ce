#pragma once
// The host of the scenario runner and of the tests: no display. Dialogs are recorded
// and answered from a queue; a modal window hands control to a driver (the runner
// executes the script's next lines inside it) or, without one, closes at once.
#include "platform/ui/Host.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velcaro::ui {

class ScriptedHost : public Host {
public:
    struct Dialog {
        DialogKind kind;
        std::string text;
        std::vector<DialogButton> buttons;
        DialogButton answer;
        bool unanswered = false; // more than one button and nothing queued
        bool checked = false;
    };

    void RunModal(Form& form) override;
    void ShowModeless(Form& form) override;
    void HideForm(Form& form) override;
    void ProcessMessages() override;
    DialogButton MessageDialog(DialogKind kind, const std::string& text,
                               const std::vector<DialogButton>& buttons) override;
    std::optional<std::string> OpenFileDialog(const FileDialogOptions& o) override;
    std::optional<std::string> SaveFileDialog(const FileDialogOptions& o) override;
    std::optional<std::string> FontDialog(const std::string& current) override;
    void OpenUrl(const std::string& url) override;

    // Script side.
    void QueueAnswer(DialogButton b) { answers_.push_back(b); }
    void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }
    std::vector<Dialog>& Dialogs() { return dialogs_; }
    Dialog* OldestUnchecked();
    const std::vector<std::string>& OpenedUrls() const { return urls_; }
    const std::vector<FileDialogOptions>& FileDialogs() const { return fileDialogs_; }

    // The runner's modal loop: called with the form; returns when the form has closed.
    std::function<void(Form&)> modalDriver;
    // A click on the progress window's STOP button seen after step K, and the answer to
    // its question (the export's progress window reads it).
    struct StopAt {
        int step;
        DialogButton answer;
    };
    std::optional<StopAt> stopAt;
    // Called from ProcessMessages (the runner simulates clicks seen between steps).
    std::function<void()> onProcessMessages;

private:
    std::optional<std::string> NextFile(const FileDialogOptions& o);
    std::vector<Dialog> dialogs_;
    std::deque<DialogButton> answers_;
    std::deque<std::optional<std::string>> files_;
    std::vector<std::string> urls_;
    std::vector<FileDialogOptions> fileDialogs_;
};

} // namespace velcaro::ui
