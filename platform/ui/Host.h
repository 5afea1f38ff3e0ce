#pragma once
// The one seam between the window logic and a toolkit: modal loops, modeless windows,
// pending events, message dialogs and the standard dialogs. The Qt host shows real
// windows; the scripted host answers from a scenario script.
#include <optional>
#include <string>
#include <vector>

namespace velcaro::ui {

class Form;

enum class DialogKind { Error, Warning, Information, Confirmation, Message };
enum class DialogButton { Yes, No, OK, Cancel };

const char* DialogKindName(DialogKind k); // "error", "warning", …, "message"
const char* DialogButtonName(DialogButton b);

struct FileDialogOptions {
    std::string title;
    std::string initialDir;   // as the program names it; resolved by the host
    std::string fileName;
    std::string filter;       // "Fogli di lavoro (*.xls)|*.xls" style
    std::string defaultExt;
};

struct FindOptions {
    std::string text;
    std::string replaceWith;
    bool down = true;
    bool matchCase = false;
    bool wholeWord = false;
    bool replaceAll = false;
};

// A window that answers the standard find and replace dialogs (the text editor).
class FindReplaceTarget {
public:
    virtual ~FindReplaceTarget() = default;
    virtual void FindNext(const FindOptions& o) = 0;   // "find next" pressed
    virtual void Replace(const FindOptions& o) = 0;    // "replace" or "replace all" pressed
};

class Host {
public:
    virtual ~Host() = default;

    // Runs until the form's ModalResult is set or the form is hidden.
    virtual void RunModal(Form& form) = 0;
    virtual void ShowModeless(Form& form) = 0;
    virtual void HideForm(Form& form) = 0;
    virtual void ProcessMessages() = 0;

    // A message dialog of a kind with its buttons; returns the button pressed.
    // A plain message (DialogKind::Message) carries the application title and OK.
    virtual DialogButton MessageDialog(DialogKind kind, const std::string& text,
                                       const std::vector<DialogButton>& buttons) = 0;

    virtual std::optional<std::string> OpenFileDialog(const FileDialogOptions& o) = 0;
    virtual std::optional<std::string> SaveFileDialog(const FileDialogOptions& o) = 0;
    virtual std::optional<std::string> FontDialog(const std::string& current) = 0;

    // The shell's "open" action for a web address or a document.
    virtual void OpenUrl(const std::string& url) = 0;
};

} // namespace velcaro::ui
