#include "platform/qt/QtHost.h"

#include "platform/Error.h"
#include "platform/qt/QtText.h"
#include "platform/ui/Form.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QUrl>

#include <algorithm>

namespace velcaro::qt {

namespace {
QMessageBox::StandardButton StandardOf(ui::DialogButton b) {
    switch (b) {
    case ui::DialogButton::Yes:
        return QMessageBox::Yes;
    case ui::DialogButton::No:
        return QMessageBox::No;
    case ui::DialogButton::OK:
        return QMessageBox::Ok;
    case ui::DialogButton::Cancel:
        return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

const char* ItalianText(ui::DialogButton b) {
    switch (b) {
    case ui::DialogButton::Yes:
        return "Sì";
    case ui::DialogButton::No:
        return "No";
    case ui::DialogButton::OK:
        return "OK";
    case ui::DialogButton::Cancel:
        return "Annulla";
    }
    return "OK";
}

QString TitleOf(ui::DialogKind kind, const std::string& applicationTitle) {
    switch (kind) {
    case ui::DialogKind::Error:
        return QStringLiteral("Errore");
    case ui::DialogKind::Warning:
        return QStringLiteral("Avviso");
    case ui::DialogKind::Information:
        return QStringLiteral("Informazioni");
    case ui::DialogKind::Confirmation:
        return QStringLiteral("Conferma");
    case ui::DialogKind::Message:
        break;
    }
    return ToQt(applicationTitle);
}

QMessageBox::Icon IconOf(ui::DialogKind kind) {
    switch (kind) {
    case ui::DialogKind::Error:
        return QMessageBox::Critical;
    case ui::DialogKind::Warning:
        return QMessageBox::Warning;
    case ui::DialogKind::Information:
        return QMessageBox::Information;
    case ui::DialogKind::Confirmation:
        return QMessageBox::Question;
    case ui::DialogKind::Message:
        break;
    }
    return QMessageBox::NoIcon;
}

QString ResolvedStart(const ui::FileDialogOptions& o) {
    if (o.fileName.empty())
        return ToQt(o.initialDir);
    if (o.initialDir.empty() || QDir::isAbsolutePath(ToQt(o.fileName)))
        return ToQt(o.fileName);
    return QDir(ToQt(o.initialDir)).filePath(ToQt(o.fileName));
}

std::optional<std::string> Chosen(const QString& path) {
    if (path.isEmpty())
        return std::nullopt;
    return FromQt(QDir::toNativeSeparators(path));
}
} // namespace

std::unique_ptr<QMessageBox> MakeMessageBox(ui::DialogKind kind, const std::string& text,
                                            const std::vector<ui::DialogButton>& buttons,
                                            const std::string& applicationTitle, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(IconOf(kind));
    box->setWindowTitle(TitleOf(kind, applicationTitle));
    box->setTextFormat(Qt::PlainText);
    box->setText(Shown(text));
    std::vector<ui::DialogButton> shown = buttons;
    if (shown.empty())
        shown.push_back(ui::DialogButton::OK);
    QMessageBox::StandardButtons standard;
    for (ui::DialogButton b : shown)
        standard |= StandardOf(b);
    box->setStandardButtons(standard);
    for (ui::DialogButton b : shown)
        box->button(StandardOf(b))->setText(QString::fromUtf8(ItalianText(b)));
    box->setDefaultButton(StandardOf(shown.front()));
    // Esc answers with the safest button offered: Cancel, else No, else the only one.
    for (ui::DialogButton safe : {ui::DialogButton::Cancel, ui::DialogButton::No})
        if (std::find(shown.begin(), shown.end(), safe) != shown.end()) {
            box->setEscapeButton(StandardOf(safe));
            break;
        }
    return box;
}

ui::DialogButton ButtonOf(int standardButton) {
    switch (standardButton) {
    case QMessageBox::Yes:
        return ui::DialogButton::Yes;
    case QMessageBox::No:
        return ui::DialogButton::No;
    case QMessageBox::Cancel:
        return ui::DialogButton::Cancel;
    default:
        return ui::DialogButton::OK;
    }
}

void QtHost::Register(const ui::Form& form, QWidget* window) {
    windows_[&form] = window;
}

void QtHost::Unregister(const ui::Form& form) {
    windows_.erase(&form);
}

QWidget* QtHost::WindowOf(const ui::Form& form) const {
    auto it = windows_.find(&form);
    return it == windows_.end() ? nullptr : it->second.data();
}

void QtHost::RunModal(ui::Form& form) {
    QWidget* w = WindowOf(form);
    if (!w)
        throw Error("La finestra '" + form.Name() + "' non ha una vista.");
    const QPointer<QWidget> window(w);
    const Qt::WindowModality before = w->windowModality();
    if (!w->isVisible())
        w->setWindowModality(Qt::ApplicationModal);
    w->show();
    w->raise();
    w->activateWindow();
    auto done = [&form] { return form.ModalResult() != ui::mrNone || !form.Visible(); };
    // The result is set by handlers that run inside events, so each processed event is a
    // chance to see it; the observer only wakes the loop for changes made otherwise.
    const int id = form.Observe([] {
        if (auto* d = QAbstractEventDispatcher::instance())
            d->wakeUp();
    });
    while (!done() && window)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    form.Unobserve(id);
    if (window) {
        window->hide();
        window->setWindowModality(before);
    }
}

void QtHost::ShowModeless(ui::Form& form) {
    if (QWidget* w = WindowOf(form)) {
        w->show();
        w->raise();
        w->activateWindow();
    }
}

void QtHost::HideForm(ui::Form& form) {
    if (QWidget* w = WindowOf(form))
        w->hide();
}

void QtHost::ProcessMessages() {
    QCoreApplication::processEvents();
}

QWidget* QtHost::DialogParent() const {
    if (QWidget* w = QApplication::activeModalWidget())
        return w;
    return QApplication::activeWindow();
}

ui::DialogButton QtHost::MessageDialog(ui::DialogKind kind, const std::string& text,
                                       const std::vector<ui::DialogButton>& buttons) {
    auto box = MakeMessageBox(kind, text, buttons, app_ ? app_->Title() : std::string("Velcaro"),
                              DialogParent());
    if (dialogHook)
        return dialogHook(*box);
    // With standard buttons, exec() answers the button pressed (the escape button for Esc).
    return ButtonOf(box->exec());
}

std::optional<std::string> QtHost::OpenFileDialog(const ui::FileDialogOptions& o) {
    return Chosen(QFileDialog::getOpenFileName(DialogParent(), ToQt(o.title), ResolvedStart(o),
                                               QtFileFilter(o.filter)));
}

std::optional<std::string> QtHost::SaveFileDialog(const ui::FileDialogOptions& o) {
    QFileDialog dialog(DialogParent(), ToQt(o.title), ResolvedStart(o), QtFileFilter(o.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    if (!o.defaultExt.empty()) {
        std::string ext = o.defaultExt;
        if (ext.front() == '.')
            ext.erase(0, 1);
        dialog.setDefaultSuffix(ToQt(ext));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return Chosen(dialog.selectedFiles().front());
}

std::optional<std::string> QtHost::FontDialog(const std::string& current) {
    QFont font;
    if (!font.fromString(ToQt(current)))
        font.setFamily(ToQt(current));
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, DialogParent());
    if (!ok)
        return std::nullopt;
    return FromQt(chosen.toString());
}

void QtHost::OpenUrl(const std::string& url) {
    const QString s = ToQt(url);
    const QUrl parsed(s);
    const bool web = parsed.isValid() && parsed.scheme().size() > 1; // "C:" is not a scheme
    QDesktopServices::openUrl(web ? parsed : QUrl::fromLocalFile(QDir::fromNativeSeparators(s)));
}

} // namespace velcaro::qt
