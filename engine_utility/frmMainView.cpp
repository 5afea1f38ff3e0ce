#include "frmMainView.h"

#include "QtHost.h"
#include "ui_fmain.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace dorvik {

namespace {

// Read-only boxes and a disabled dialect choice wear the button face, as the
// program's other windows do.
void PaintBackground(QWidget& widget, TColor color) {
    QPalette palette = widget.palette();
    const QPalette standard = QPalette();
    palette.setColor(QPalette::Base, color == TColor::clBtnFace ? standard.color(QPalette::Button)
                                                                : standard.color(QPalette::Base));
    widget.setPalette(palette);
}

} // namespace

frmMainView::frmMainView(TfrmMain& form, DialogHost& host, QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmMain>()), form_(form), host_(host) {
    ui_->setupUi(this);
    for (QLineEdit* edit : {ui_->edtBDEPath, ui_->edtBDEConfig, ui_->edtBDEVersion})
        PaintBackground(*edit, TColor::clBtnFace);

    connect(ui_->btnTestBDE, &QPushButton::clicked, this,
            [this] { Run([this] { form_.btnTestBDEClick(); }); });
    connect(ui_->btnClose, &QPushButton::clicked, this,
            [this] { Run([this] { form_.btnCloseClick(); }); });
    // A pick from the list, and typing: only the user's own changes come through these.
    connect(ui_->cmbIBDialect, &QComboBox::activated, this,
            [this](int index) { Run([this, index] { form_.cmbIBDialect.UserSelects(index); }); });
    connect(ui_->cmbIBDialect->lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) {
                Run([this, text] { form_.cmbIBDialect.UserEdits(text.toStdString()); });
            });

    UpdateView();
    ui_->btnClose->setFocus();
}

frmMainView::~frmMainView() = default;

template <class Handler> void frmMainView::Run(Handler&& handler) {
    RunHandler(host_, std::forward<Handler>(handler));
    UpdateView();
}

void frmMainView::UpdateView() {
    setWindowTitle(QString::fromStdString(form_.Caption));
    ui_->edtBDEPath->setText(QString::fromStdString(form_.edtBDEPath.Text));
    ui_->edtBDEConfig->setText(QString::fromStdString(form_.edtBDEConfig.Text));
    ui_->edtBDEVersion->setText(QString::fromStdString(form_.edtBDEVersion.Text));
    for (QLineEdit* edit : {ui_->edtBDEPath, ui_->edtBDEConfig, ui_->edtBDEVersion})
        edit->setCursorPosition(0);

    const TComboBox& combo = form_.cmbIBDialect;
    QComboBox& widget = *ui_->cmbIBDialect;
    const QSignalBlocker block(widget);
    const QSignalBlocker blockEdit(widget.lineEdit());
    const QString text = QString::fromStdString(combo.Text());
    if (widget.currentIndex() != combo.ItemIndex())
        widget.setCurrentIndex(combo.ItemIndex());
    // Keep what the user is typing (and the caret) when the model agrees with it.
    if (widget.currentText() != text)
        widget.setEditText(text);
    widget.setEnabled(combo.Enabled);
    PaintBackground(widget, combo.Color);
    widget.setToolTip(combo.ShowHint ? DisplayText(combo.Hint) : QString());
}

void frmMainView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The refresh belongs to the first showing only: closing a message box gives the
    // focus back without refreshing, so a choice made before the test stays.
    if (!activated_) {
        activated_ = true;
        Run([this] { form_.FormActivate(); });
    }
}

void frmMainView::keyPressEvent(QKeyEvent* event) {
    // The window has no Cancel button: Escape does not close it.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace dorvik
