#pragma once
// Message dialogs and the error report of Dorvik, shown with Qt message boxes.

#include "DialogHost.h"

#include <QString>

class QWidget;

namespace dorvik {

class QtHost : public DialogHost {
public:
    // The window that owns the dialogs and that CloseWindow closes; set once it exists.
    void SetWindow(QWidget* window) { window_ = window; }

    MsgDlgBtn MessageDlg(const std::string& text, MsgDlgType type,
                         const std::vector<MsgDlgBtn>& buttons) override;
    void ShowException(const std::string& text) override;
    void CloseWindow() override;

private:
    QWidget* window_ = nullptr;
};

// "\r" separates the lines of the program's texts; Qt wants "\n".
QString DisplayText(const std::string& text);

} // namespace dorvik
