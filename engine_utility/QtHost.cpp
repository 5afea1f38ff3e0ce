#include "QtHost.h"

#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace dorvik {

QString DisplayText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

namespace {

QString Title(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::mtWarning:
        return QStringLiteral("Warning");
    case MsgDlgType::mtError:
        return QStringLiteral("Error");
    case MsgDlgType::mtInformation:
        return QStringLiteral("Information");
    case MsgDlgType::mtConfirmation:
        return QStringLiteral("Confirm");
    }
    return {};
}

QMessageBox::Icon Icon(MsgDlgType type) {
    switch (type) {
    case MsgDlgType::mtWarning:
        return QMessageBox::Warning;
    case MsgDlgType::mtError:
        return QMessageBox::Critical;
    case MsgDlgType::mtInformation:
        return QMessageBox::Information;
    case MsgDlgType::mtConfirmation:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton Standard(MsgDlgBtn button) {
    switch (button) {
    case MsgDlgBtn::mbYes:
        return QMessageBox::Yes;
    case MsgDlgBtn::mbNo:
        return QMessageBox::No;
    case MsgDlgBtn::mbOK:
        return QMessageBox::Ok;
    }
    return QMessageBox::Ok;
}

} // namespace

MsgDlgBtn QtHost::MessageDlg(const std::string& text, MsgDlgType type,
                             const std::vector<MsgDlgBtn>& buttons) {
    QMessageBox box(Icon(type), Title(type), DisplayText(text), QMessageBox::NoButton, window_);
    for (MsgDlgBtn button : buttons)
        box.addButton(Standard(button));
    if (!buttons.empty())
        box.setDefaultButton(Standard(buttons.front()));
    const int pressed = box.exec();
    for (MsgDlgBtn button : buttons)
        if (pressed == Standard(button))
            return button;
    // Closed without a button (Escape, the close box): the safe answer.
    for (MsgDlgBtn button : buttons)
        if (button == MsgDlgBtn::mbNo)
            return button;
    return MsgDlgBtn::mbOK;
}

void QtHost::ShowException(const std::string& text) {
    QString shown = DisplayText(text);
    // The event loop's error report ends each message with a full stop.
    if (!shown.isEmpty() && !shown.endsWith(QLatin1Char('.')))
        shown += QLatin1Char('.');
    QMessageBox::critical(window_, QStringLiteral("Dorvik"), shown);
}

void QtHost::CloseWindow() {
    if (window_)
        window_->close();
}

} // namespace dorvik
