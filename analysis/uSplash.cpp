#include "analysis/uSplash.h"

#include "platform/ui/Application.h"

namespace velcaro::analysis {

TAboutBox::TAboutBox(ui::Application& app, std::string name)
    : Form(app, std::move(name), "ABOUT VELCARO"), iImage(*this, "iImage"),
      Label1(*this, "Label1", "VELCARO"), Label3(*this, "Label3", kWebAddress),
      lbLoading(*this, "lbLoading", "Caricamento in corso..."), bbOK(*this, "bbOK", "OK")
{
    // Their maroon, green and navy are the texts' own colours, set by the layout.
    lbLoading.SetVisible(false);
    bbOK.SetModalResult(ui::mrOK);
    bbOK.SetDefault(true);
    bbOK.SetCancel(true);
    Label3.OnClick = [this] { Label3Click(); };
}

// The logo is part of the window itself: the about box shows it even when the Images
// folder is damaged, so the splash never greets the user with a file error.
void TAboutBox::FormCreate() { iImage.SetPicture("Images\\LOGO.jpg"); }

void TAboutBox::SetSplashMode()
{
    splash_ = true;
    bbOK.SetVisible(false);
    lbLoading.SetVisible(true);
    panelBorderWidth_ = 3;
}

void TAboutBox::Label3Click() { App().GetHost().OpenUrl(std::string("http://") + kWebAddress + "/"); }

} // namespace velcaro::analysis
