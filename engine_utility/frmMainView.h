#pragma once
// The Qt window of Dorvik: lays out fmain.ui and binds it to the TfrmMain logic. The
// logic is the source of truth: after every handler the widgets are refreshed from it
// with their signals blocked, and what the user does is forwarded to it.

#include "DialogHost.h"
#include "fmain.h"

#include <QDialog>
#include <memory>

namespace Ui {
class frmMain;
}

namespace dorvik {

class frmMainView : public QDialog {
public:
    frmMainView(TfrmMain& form, DialogHost& host, QWidget* parent = nullptr);
    ~frmMainView() override;

    // Shows the logic's state in the widgets.
    void UpdateView();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    template <class Handler> void Run(Handler&& handler);

    std::unique_ptr<Ui::frmMain> ui_;
    TfrmMain& form_;
    DialogHost& host_;
    bool activated_ = false;
};

} // namespace dorvik
