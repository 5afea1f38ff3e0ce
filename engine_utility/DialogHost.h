#pragma once
// The seam between the window logic and a toolkit: message dialogs, the error report
// of the event loop, and closing the window.

#include <exception>
#include <string>
#include <vector>

namespace dorvik {

enum class MsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation };
enum class MsgDlgBtn { mbYes, mbNo, mbOK };

class DialogHost {
public:
    virtual ~DialogHost() = default;
    // Shows a message dialog with the given buttons and returns the one pressed.
    // Texts may hold "\r" line breaks.
    virtual MsgDlgBtn MessageDlg(const std::string& text, MsgDlgType type,
                                 const std::vector<MsgDlgBtn>& buttons) = 0;
    // The event loop's report of an error that a handler did not catch.
    virtual void ShowException(const std::string& text) = 0;
    // Closes the main window, which ends the program.
    virtual void CloseWindow() = 0;
};

// Runs one event handler the way the event loop does: an error the handler does not
// catch ends the handler and is reported in an error box; nothing escapes.
template <class Handler> void RunHandler(DialogHost& host, Handler&& handler) noexcept {
    try {
        try {
            handler();
        } catch (const std::exception& e) {
            host.ShowException(e.what());
        } catch (...) {
            host.ShowException("An unexpected error occurred.");
        }
    } catch (...) {
        // The report itself failed (out of memory, a broken display): nothing more
        // can be told, but the program goes on.
    }
}

} // namespace dorvik
