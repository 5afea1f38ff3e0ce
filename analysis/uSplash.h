#pragma once
// The about window; a second instance of it, in splash mode, stays on screen while the
// program creates its windows.
#include "platform/ui/Form.h"

namespace velcaro::analysis {

inline constexpr const char* kWebAddress = "www.velcaro.it";

class TAboutBox : public ui::Form {
public:
    TAboutBox(ui::Application& app, std::string name = "AboutBox");

    // Splash mode: no border or caption bar, no OK button, the loading text shown.
    void SetSplashMode();
    bool SplashMode() const { return splash_; }
    int PanelBorderWidth() const { return panelBorderWidth_; }

    void FormCreate();
    void Label3Click();

    ui::Image iImage;
    ui::Label Label1;
    ui::Label Label3;
    ui::Label lbLoading;
    ui::Button bbOK;

private:
    bool splash_ = false;
    int panelBorderWidth_ = 0;
};

} // namespace velcaro::analysis
