#include "platform/qt/Binder.h"

#include "platform/Error.h"
#include "platform/qt/GridModel.h"
#include "platform/qt/QtText.h"
#include "platform/ui/Application.h"
#include "platform/ui/DataControls.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QStatusBar>
#include <QTableView>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <climits>

namespace velcaro::qt {

using ui::ControlKind;

namespace {

// ---- kinds and widget classes -----------------------------------------------------------

std::vector<const char*> ClassesFor(ControlKind k) {
    switch (k) {
    case ControlKind::Edit:
    case ControlKind::MaskEdit:
    case ControlKind::DBEdit:
        return {"QLineEdit"};
    case ControlKind::SpinEdit:
        return {"QSpinBox"};
    case ControlKind::ComboBox:
    case ControlKind::DBComboBox:
    case ControlKind::DBLookupComboBox:
        return {"QComboBox"};
    case ControlKind::CheckBox:
        return {"QCheckBox"};
    case ControlKind::RadioGroup:
    case ControlKind::DBRadioGroup:
    case ControlKind::GroupBox:
        return {"QGroupBox"};
    case ControlKind::Button:
        return {"QPushButton", "QToolButton"};
    case ControlKind::Label:
    case ControlKind::Image:
        return {"QLabel"};
    case ControlKind::Gauge:
        return {"QProgressBar"};
    case ControlKind::StatusBar:
        return {"QStatusBar"};
    case ControlKind::ListView:
        return {"QTreeWidget"};
    case ControlKind::Memo:
    case ControlKind::DBMemo:
        return {"QPlainTextEdit"};
    case ControlKind::DBGrid:
        return {"QTableView"};
    case ControlKind::DBNavigator:
        return {"QWidget", "QFrame"};
    }
    return {};
}

bool Fits(ControlKind k, const QWidget* w) {
    if (k == ControlKind::DBNavigator) {
        // The binder fills a plain container with its own buttons; any other widget would
        // already be something else.
        const QByteArray cls = w->metaObject()->className();
        return cls == "QWidget" || cls == "QFrame";
    }
    if (k == ControlKind::DBGrid && w->inherits("QTableWidget"))
        return false; // its model is its own
    for (const char* cls : ClassesFor(k))
        if (w->inherits(cls))
            return true;
    return false;
}

std::string Expected(ControlKind k) {
    std::string s;
    for (const char* cls : ClassesFor(k))
        s += (s.empty() ? "" : " o ") + std::string(cls);
    return s;
}

bool IsInput(ControlKind k) {
    switch (k) {
    case ControlKind::Edit:
    case ControlKind::MaskEdit:
    case ControlKind::DBEdit:
    case ControlKind::SpinEdit:
    case ControlKind::ComboBox:
    case ControlKind::DBComboBox:
    case ControlKind::DBLookupComboBox:
    case ControlKind::Memo:
    case ControlKind::DBMemo:
    case ControlKind::ListView:
    case ControlKind::DBGrid:
        return true;
    default:
        return false;
    }
}

// ---- texts ------------------------------------------------------------------------------

// A hint "short|long" shows its short part as the tool tip.
QString ToolTipOf(const std::string& hint) {
    return Shown(hint.substr(0, hint.find('|')));
}

// A label without a buddy shows "&" literally in Qt; the program's labels show the
// accelerator as a mark, so the text loses its "&" ("&&" stays one "&").
QString LabelText(const std::string& caption) {
    const QString s = Shown(caption);
    QString out;
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == QLatin1Char('&') && i + 1 < s.size())
            ++i;
        else if (s[i] == QLatin1Char('&'))
            continue;
        out += s[i];
    }
    return out;
}

QStringList ToQtList(const std::vector<std::string>& items) {
    QStringList l;
    l.reserve(static_cast<qsizetype>(items.size()));
    for (const auto& s : items)
        l << ToQt(s);
    return l;
}

QStringList ComboItems(const QComboBox* cb) {
    QStringList l;
    for (int i = 0; i < cb->count(); ++i)
        l << cb->itemText(i);
    return l;
}

void SetComboItems(QComboBox* cb, const QStringList& items) {
    if (ComboItems(cb) == items)
        return;
    cb->clear();
    cb->addItems(items);
}

int IndexIn(const std::vector<std::string>& items, const std::string& s) {
    auto it = std::find(items.begin(), items.end(), s);
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// The blank character of a QLineEdit's input mask ("00000;_" -> '_').
QChar QtMaskBlank(const QLineEdit* e) {
    const QString mask = e->inputMask();
    const qsizetype semi = mask.lastIndexOf(QLatin1Char(';'));
    return semi >= 0 && semi + 1 < mask.size() ? mask[semi + 1] : QLatin1Char(' ');
}

// What the user has in a masked line edit, written with the model mask's blank character so
// the model places every character where the user sees it.
std::string MaskedTyped(const QLineEdit* e, const ui::MaskEdit& m) {
    if (e->inputMask().isEmpty())
        return FromQt(e->text());
    QString shown = e->displayText();
    shown.replace(QtMaskBlank(e), QLatin1Char(ui::MaskBlank(m.EditMask())));
    return FromQt(shown);
}

void SetLineText(QLineEdit* e, const QString& text) {
    if (e->text() == text)
        return;
    const int cursor = e->cursorPosition();
    e->setText(text);
    if (e->hasFocus())
        e->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
}

void ApplyColor(QWidget* w, ui::Color c, ControlKind kind) {
    const QColor color = ResolveColor(c, QApplication::palette(w));
    if (!color.isValid())
        return;
    QPalette pal = w->palette();
    if (IsInput(kind)) {
        pal.setColor(QPalette::Base, color);
        if (kind == ControlKind::ComboBox || kind == ControlKind::DBComboBox ||
            kind == ControlKind::DBLookupComboBox)
            pal.setColor(QPalette::Button, color);
    } else {
        pal.setColor(QPalette::Window, color);
        if (kind == ControlKind::Button)
            pal.setColor(QPalette::Button, color);
    }
    if (pal != w->palette())
        w->setPalette(pal);
    // A control of the window's own colour lets its parent show through, as the toolkit's
    // transparent labels do.
    if (!IsInput(kind))
        w->setAutoFillBackground(c != ui::clBtnFace);
}

const char* NavSymbol(ui::NavButton b) {
    switch (b) {
    case ui::NavButton::First:
        return "|◀";
    case ui::NavButton::Prior:
        return "◀";
    case ui::NavButton::Next:
        return "▶";
    case ui::NavButton::Last:
        return "▶|";
    case ui::NavButton::Insert:
        return "+";
    case ui::NavButton::Delete:
        return "−";
    case ui::NavButton::Edit:
        return "▲";
    case ui::NavButton::Post:
        return "✓";
    case ui::NavButton::Cancel:
        return "✗";
    case ui::NavButton::Refresh:
        return "↻";
    }
    return "?";
}

// A button made by the binder that is no longer wanted. It leaves the window at once but is
// deleted later: it may be the very button whose click asked for the change.
void Discard(QAbstractButton* b) {
    if (!b)
        return;
    b->hide();
    b->setParent(nullptr);
    b->deleteLater();
}

constexpr ui::NavButton kAllNavButtons[] = {
    ui::NavButton::First,  ui::NavButton::Prior,  ui::NavButton::Next, ui::NavButton::Last,
    ui::NavButton::Insert, ui::NavButton::Delete, ui::NavButton::Edit, ui::NavButton::Post,
    ui::NavButton::Cancel, ui::NavButton::Refresh};
constexpr size_t kNavButtonCount = std::size(kAllNavButtons);

} // namespace

// ---- binding ----------------------------------------------------------------------------

std::vector<std::string> Binder::Problems(const ui::Form& form, const QWidget* root) {
    std::vector<std::string> problems;
    if (!root)
        return {"nessun widget per la finestra '" + form.Name() + "'"};
    for (const ui::Control* c : form.Controls()) {
        const QString name = ToQt(c->Name());
        const auto found = root->findChildren<QWidget*>(name);
        const std::string what = "'" + c->Name() + "' (" + ui::KindName(c->Kind()) + ")";
        if (found.isEmpty())
            problems.push_back(what + ": manca il widget " + Expected(c->Kind()));
        else if (found.size() > 1)
            problems.push_back(what + ": " + std::to_string(found.size()) +
                               " widget con questo nome");
        else if (!Fits(c->Kind(), found.front()))
            problems.push_back(what + ": il widget è un " +
                               found.front()->metaObject()->className() + ", serve " +
                               Expected(c->Kind()));
    }
    return problems;
}

Binder::Binder(ui::Form& form, QWidget* root) : form_(&form), root_(root) {
    const auto problems = Problems(form, root);
    if (!problems.empty()) {
        std::string text = "La vista della finestra '" + form.Name() + "' non corrisponde:";
        for (const auto& p : problems)
            text += "\r" + p;
        throw Error(text);
    }
    for (ui::Control* c : form.Controls()) {
        auto e = std::make_unique<Entry>();
        e->control = c;
        e->widget = root->findChild<QWidget*>(ToQt(c->Name()));
        entries_.push_back(std::move(e));
    }
    root->installEventFilter(this);
    const std::weak_ptr<int> alive = alive_;
    for (auto& ptr : entries_) {
        Entry& e = *ptr;
        Connect(e);
        InstallFilter(e, e.widget);
        e.control->Observe([this, alive, &e] {
            if (!alive.expired())
                Sync(e);
        });
        Sync(e);
    }
    form.Observe([this, alive] {
        if (!alive.expired())
            SyncForm();
    });
    SyncForm();
}

Binder::~Binder() = default;

std::unique_ptr<Binder> Bind(ui::Form& form, QWidget* root) {
    return std::make_unique<Binder>(form, root);
}

Binder::Entry* Binder::EntryOf(const ui::Control* c) const {
    for (const auto& e : entries_)
        if (e->control == c)
            return e.get();
    return nullptr;
}

QWidget* Binder::WidgetOf(const ui::Control& control) const {
    const Entry* e = EntryOf(&control);
    return e ? e->widget.data() : nullptr;
}

std::vector<QAbstractButton*> Binder::PartsOf(const ui::Control& control) const {
    std::vector<QAbstractButton*> out;
    if (const Entry* e = EntryOf(&control))
        for (const auto& p : e->parts)
            out.push_back(p.data());
    return out;
}

void Binder::InstallFilter(Entry& e, QObject* object) {
    if (!object)
        return;
    object->installEventFilter(this);
    byObject_[object] = &e;
}

void Binder::Forward(const std::function<void()>& action) {
    // The dispatcher turns the program's errors into an error box; anything else stops here
    // too, since nothing may unwind through Qt's event loop.
    try {
        form_->App().Dispatch(action);
    } catch (const std::exception& ex) {
        qWarning("velcaro: %s", ex.what());
    } catch (...) {
        qWarning("velcaro: unexpected exception in an event handler");
    }
}

void Binder::Connect(Entry& e) {
    QWidget* w = e.widget;
    ui::Control* c = e.control;
    switch (c->Kind()) {
    case ControlKind::Button: {
        auto* b = static_cast<QAbstractButton*>(w);
        if (!c->CanFocus())
            b->setFocusPolicy(Qt::NoFocus);
        if (auto* pb = qobject_cast<QPushButton*>(b)) {
            // Enter and Esc belong to the form (its default and cancel buttons).
            pb->setAutoDefault(false);
            pb->setDefault(false);
        }
        connect(b, &QAbstractButton::clicked, this, [this, &e] {
            if (syncing_)
                return;
            // A mouse press gave this button the focus first; when the control being left
            // kept the focus, the click never reaches the button.
            const bool refused = e.refusedFocus && e.widget && !e.widget->hasFocus();
            e.refusedFocus = false;
            if (refused)
                return;
            CommitPending();
            Forward([&e] { e.control->UserClick(); });
        });
        break;
    }
    case ControlKind::Edit:
    case ControlKind::MaskEdit: {
        auto* le = static_cast<QLineEdit*>(w);
        connect(le, &QLineEdit::textEdited, this, [this, &e, le](const QString& text) {
            if (syncing_)
                return;
            auto* edit = static_cast<ui::Edit*>(e.control);
            const std::string typed = e.control->Kind() == ControlKind::MaskEdit
                                          ? MaskedTyped(le, static_cast<ui::MaskEdit&>(*edit))
                                          : FromQt(text);
            Typing(e, [edit, &typed] { edit->UserType(typed); });
            Sync(e); // the model may have refused or reshaped what was typed
        });
        break;
    }
    case ControlKind::DBEdit: {
        auto* le = static_cast<QLineEdit*>(w);
        connect(le, &QLineEdit::textEdited, this, [this, &e](const QString& text) {
            if (syncing_)
                return;
            auto* dbe = static_cast<ui::DBEdit*>(e.control);
            const std::string typed = FromQt(text);
            // A number half typed ("-") is no error yet: it is reported if the box is left so.
            e.pendingError = false;
            Typing(e, [&e, dbe, &typed] {
                try {
                    dbe->UserType(typed);
                } catch (const ConversionError&) {
                    e.pendingError = true;
                }
            });
        });
        break;
    }
    case ControlKind::SpinEdit: {
        auto* sb = static_cast<QSpinBox*>(w);
        sb->setKeyboardTracking(false);
        connect(sb, &QSpinBox::valueChanged, this, [this, &e](int v) {
            if (syncing_)
                return;
            Forward([&e, v] { static_cast<ui::SpinEdit*>(e.control)->UserSetValue(v); });
            Sync(e);
        });
        break;
    }
    case ControlKind::ComboBox:
    case ControlKind::DBComboBox:
    case ControlKind::DBLookupComboBox: {
        auto* cb = static_cast<QComboBox*>(w);
        connect(cb, &QComboBox::activated, this, [this, &e](int index) {
            if (syncing_)
                return;
            Forward([&e, index] {
                switch (e.control->Kind()) {
                case ControlKind::ComboBox:
                    static_cast<ui::ComboBox*>(e.control)->UserChoose(index);
                    break;
                case ControlKind::DBComboBox:
                    static_cast<ui::DBComboBox*>(e.control)->UserChoose(index);
                    break;
                default:
                    static_cast<ui::DBLookupComboBox*>(e.control)->UserChoose(index);
                    break;
                }
            });
            Sync(e);
        });
        if (c->Kind() == ControlKind::ComboBox && cb->lineEdit()) {
            connect(cb->lineEdit(), &QLineEdit::textEdited, this, [this, &e](const QString& t) {
                if (syncing_)
                    return;
                Forward([&e, &t] { static_cast<ui::ComboBox*>(e.control)->UserType(FromQt(t)); });
            });
        }
        break;
    }
    case ControlKind::CheckBox:
        connect(static_cast<QCheckBox*>(w), &QCheckBox::clicked, this, [this, &e](bool checked) {
            if (syncing_)
                return;
            Forward(
                [&e, checked] { static_cast<ui::CheckBox*>(e.control)->UserSetChecked(checked); });
            Sync(e);
        });
        break;
    case ControlKind::ListView: {
        auto* tw = static_cast<QTreeWidget*>(w);
        tw->setSelectionMode(QAbstractItemView::SingleSelection);
        tw->setRootIsDecorated(false);
        connect(tw, &QTreeWidget::itemSelectionChanged, this, [this, &e, tw] {
            if (syncing_)
                return;
            const auto selected = tw->selectedItems();
            const int row = selected.isEmpty() ? -1 : tw->indexOfTopLevelItem(selected.front());
            auto* lv = static_cast<ui::ListView*>(e.control);
            if (row != lv->Selected())
                Forward([lv, row] { lv->UserSelect(row); });
            Sync(e);
        });
        break;
    }
    case ControlKind::Memo:
    case ControlKind::DBMemo: {
        auto* pe = static_cast<QPlainTextEdit*>(w);
        connect(pe, &QPlainTextEdit::textChanged, this, [this, &e, pe] {
            if (syncing_)
                return;
            const std::string text = Typed(pe->toPlainText());
            if (e.control->Kind() == ControlKind::Memo)
                Typing(e, [&e, &text] { static_cast<ui::Memo*>(e.control)->UserType(text); });
            else
                Typing(e, [&e, &text] { static_cast<ui::DBMemo*>(e.control)->UserType(text); });
        });
        break;
    }
    case ControlKind::DBGrid: {
        auto* tv = static_cast<QTableView*>(w);
        e.grid = new GridModel(tv);
        tv->setModel(e.grid);
        tv->setSelectionBehavior(QAbstractItemView::SelectRows);
        tv->setSelectionMode(QAbstractItemView::SingleSelection);
        tv->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(tv->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                [this, &e](const QModelIndex& current) {
                    if (syncing_ || !current.isValid())
                        return;
                    auto* grid = static_cast<ui::DBGrid*>(e.control);
                    const int row = current.row() + 1;
                    Forward([grid, row] { grid->UserClickRow(row); });
                    Sync(e);
                });
        break;
    }
    default:
        break; // radio and navigator buttons are connected as they are made
    }
}

bool Binder::eventFilter(QObject* watched, QEvent* event) {
    if (syncing_)
        return false;
    if (watched == root_ && event->type() == QEvent::Close) {
        // The form decides: its close handler may keep the window open.
        Forward([this] { form_->Close(); });
        const bool closing =
            !form_->Visible() || (form_->Modal() && form_->ModalResult() != ui::mrNone);
        event->setAccepted(closing);
        return true;
    }
    auto it = byObject_.find(watched);
    Entry* e = it == byObject_.end() ? nullptr : it->second;
    switch (event->type()) {
    case QEvent::KeyPress:
        return HandleKey(e, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn: {
        if (!e || !e->control->CanFocus())
            return false;
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if ((reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) &&
            form_->ActiveControl()) {
            // The window came back (a dialog closed, the list popped down): the focus is
            // where the program last put it.
            SyncFocus(true);
            return false;
        }
        Forward([this, e] { form_->FocusControl(e->control); });
        e->refusedFocus = form_->ActiveControl() != e->control;
        if (e->refusedFocus)
            SyncFocus(true);
        return false;
    }
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (e && e->control->Kind() == ControlKind::DBEdit &&
            reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            CommitDataEdit(*e);
        return false;
    }
    case QEvent::Resize:
        if (e && e->control->Kind() == ControlKind::Image && watched == e->widget)
            SyncImage(*e);
        return false;
    default:
        return false;
    }
}

bool Binder::HandleKey(Entry* e, QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))
        return false;
    switch (key->key()) {
    case Qt::Key_F1:
        Forward([this] { form_->UserKey("F1"); });
        return true;
    case Qt::Key_Escape:
        Forward([this] { form_->UserKey("Esc"); });
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (e) {
            switch (e->control->Kind()) {
            case ControlKind::Memo:
            case ControlKind::DBMemo:
                return false; // a new line
            case ControlKind::Button:
                // Enter on a focused button presses that button.
                Forward([e] { e->control->UserClick(); });
                return true;
            case ControlKind::SpinEdit:
                if (e->widget)
                    static_cast<QSpinBox*>(e->widget.data())->interpretText();
                break;
            case ControlKind::DBEdit:
                CommitDataEdit(*e);
                break;
            default:
                break;
            }
        }
        Forward([this] { form_->UserKey("Enter"); });
        return true;
    default:
        return false;
    }
}

void Binder::Typing(Entry& e, const std::function<void()>& action) {
    // What the model tells while it takes the keys (the cursor going into editing, say)
    // must not rewrite the text under the user's cursor.
    e.typing = true;
    Forward(action);
    e.typing = false;
}

void Binder::CommitDataEdit(Entry& e) {
    auto* le = qobject_cast<QLineEdit*>(e.widget.data());
    if (!le || !le->isModified())
        return;
    le->setModified(false);
    if (e.pendingError) {
        // Written again, now with its error shown.
        e.pendingError = false;
        const std::string text = FromQt(le->text());
        auto* dbe = static_cast<ui::DBEdit*>(e.control);
        Forward([dbe, &text] { dbe->UserType(text); });
    }
    Sync(e); // the field's display text replaces what was typed
}

void Binder::CommitPending() {
    // A button that takes no focus leaves the data box being typed in focused.
    auto it = byObject_.find(QApplication::focusWidget());
    if (it != byObject_.end() && it->second->control->Kind() == ControlKind::DBEdit)
        CommitDataEdit(*it->second);
}

// ---- model -> widget ----------------------------------------------------------------------

void Binder::Sync(Entry& e) {
    if (!e.widget)
        return;
    ++syncing_;
    {
        const QSignalBlocker block(e.widget);
        try {
            SyncCommon(e);
            SyncKind(e);
        } catch (const std::exception& ex) {
            // A model that cannot say what it shows (a store error) leaves the widget as it was;
            // the error itself reaches the user through the action that caused it.
            qWarning("velcaro: '%s' not shown: %s", e.control->Name().c_str(), ex.what());
        }
    }
    --syncing_;
}

void Binder::SyncCommon(Entry& e) {
    QWidget* w = e.widget;
    const ui::Control& c = *e.control;
    if (w->testAttribute(Qt::WA_Disabled) == c.Enabled())
        w->setEnabled(c.Enabled());
    if (w->isHidden() == c.Visible())
        w->setVisible(c.Visible());
    const QString tip = ToolTipOf(c.Hint());
    if (w->toolTip() != tip)
        w->setToolTip(tip);
    ApplyColor(w, c.GetColor(), c.Kind());
}

void Binder::SyncKind(Entry& e) {
    QWidget* w = e.widget;
    ui::Control* c = e.control;
    switch (c->Kind()) {
    case ControlKind::Label: {
        auto* l = static_cast<QLabel*>(w);
        l->setTextFormat(Qt::PlainText);
        const QString text = l->buddy() ? Shown(c->Caption()) : LabelText(c->Caption());
        if (l->text() != text)
            l->setText(text);
        break;
    }
    case ControlKind::Button: {
        auto* b = static_cast<QAbstractButton*>(w);
        const auto& model = static_cast<const ui::Button&>(*c);
        b->setText(Shown(model.Caption()));
        if (model.Glyph() != e.glyph) {
            e.glyph = model.Glyph();
            b->setIcon(e.glyph.empty() ? QIcon()
                                       : QIcon(QPixmap(ToQt(form_->App().ResolvePath(e.glyph)))));
        }
        if (model.Down() || b->isCheckable()) {
            b->setCheckable(true);
            b->setChecked(model.Down());
        }
        break;
    }
    case ControlKind::Edit:
    case ControlKind::MaskEdit: {
        auto* le = static_cast<QLineEdit*>(w);
        const auto& model = static_cast<const ui::Edit&>(*c);
        le->setReadOnly(model.ReadOnly());
        if (model.MaxLength() > 0)
            le->setMaxLength(model.MaxLength());
        if (e.typing) {
            // the widget already shows what the user typed
        } else if (c->Kind() == ControlKind::MaskEdit && !le->inputMask().isEmpty()) {
            const auto& masked = static_cast<const ui::MaskEdit&>(model);
            // Rewritten only when it shows something else: the cursor stays where it is.
            if (ui::ApplyMask(masked.EditMask(), MaskedTyped(le, masked)) != model.Text()) {
                QString text = ToQt(model.Text());
                text.replace(QLatin1Char(' '), QtMaskBlank(le));
                const int cursor = le->cursorPosition();
                le->setText(text);
                le->setCursorPosition(cursor);
            }
        } else {
            SetLineText(le, ToQt(model.Text()));
        }
        break;
    }
    case ControlKind::DBEdit: {
        auto* le = static_cast<QLineEdit*>(w);
        le->setReadOnly(static_cast<const ui::DBEdit&>(*c).ReadOnly());
        // What the user is typing stays until the box is left; then the display text shows.
        if (!e.typing && !le->isModified())
            SetLineText(le, ToQt(c->Text()));
        break;
    }
    case ControlKind::SpinEdit: {
        auto* sb = static_cast<QSpinBox*>(w);
        const auto& model = static_cast<const ui::SpinEdit&>(*c);
        // The model bounds the value only when its bounds differ, and a bound moved by the
        // program leaves the value where it was; QSpinBox always clamps, so its range is
        // opened wide enough to show the model's value as it is. The user's steps go to the
        // model, which applies its own bounds.
        int lo = INT_MIN;
        int hi = INT_MAX;
        if (model.MinValue() != model.MaxValue()) {
            lo = std::min({model.MinValue(), model.MaxValue(), model.Value()});
            hi = std::max({model.MinValue(), model.MaxValue(), model.Value()});
        }
        sb->setRange(lo, hi);
        sb->setSingleStep(model.Increment());
        if (sb->value() != model.Value())
            sb->setValue(model.Value());
        break;
    }
    case ControlKind::ComboBox:
    case ControlKind::DBComboBox: {
        auto* cb = static_cast<QComboBox*>(w);
        const auto& model = static_cast<const ui::ListControl&>(*c);
        SetComboItems(cb, ToQtList(model.Items()));
        const int index = c->Kind() == ControlKind::ComboBox ? model.ItemIndex()
                                                             : IndexIn(model.Items(), c->Text());
        cb->setCurrentIndex(index);
        if (cb->isEditable() && cb->currentText() != ToQt(c->Text()))
            cb->setEditText(ToQt(c->Text()));
        break;
    }
    case ControlKind::DBLookupComboBox: {
        auto* cb = static_cast<QComboBox*>(w);
        const auto& model = static_cast<const ui::DBLookupComboBox&>(*c);
        const auto items = model.Items();
        SyncLookupList(e, items, model.ListRows());
        cb->setCurrentIndex(IndexIn(items, model.KeyValue()));
        break;
    }
    case ControlKind::CheckBox: {
        auto* cb = static_cast<QCheckBox*>(w);
        cb->setText(Shown(c->Caption()));
        cb->setChecked(static_cast<const ui::CheckBox&>(*c).Checked());
        break;
    }
    case ControlKind::GroupBox:
        static_cast<QGroupBox*>(w)->setTitle(Shown(c->Caption()));
        break;
    case ControlKind::RadioGroup:
    case ControlKind::DBRadioGroup:
        SyncRadios(e);
        break;
    case ControlKind::Gauge: {
        auto* pb = static_cast<QProgressBar*>(w);
        const auto& model = static_cast<const ui::Gauge&>(*c);
        pb->setRange(model.MinValue(), std::max(model.MinValue(), model.MaxValue()));
        pb->setValue(model.Progress());
        break;
    }
    case ControlKind::Image:
        SyncImage(e);
        break;
    case ControlKind::StatusBar:
        SyncStatusBar(e);
        break;
    case ControlKind::ListView: {
        auto* tw = static_cast<QTreeWidget*>(w);
        const auto& model = static_cast<const ui::ListView&>(*c);
        const auto& rows = model.Rows();
        int width = tw->columnCount();
        for (const auto& r : rows)
            width = std::max(width, static_cast<int>(r.size()));
        tw->setColumnCount(width);
        bool same = tw->topLevelItemCount() == static_cast<int>(rows.size());
        for (int i = 0; same && i < tw->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = tw->topLevelItem(i);
            const auto& r = rows[static_cast<size_t>(i)];
            for (int col = 0; same && col < width; ++col)
                same = item->text(col) == (col < static_cast<int>(r.size())
                                               ? ToQt(r[static_cast<size_t>(col)])
                                               : QString());
        }
        if (!same) {
            tw->clear();
            QList<QTreeWidgetItem*> items;
            for (const auto& r : rows)
                items << new QTreeWidgetItem(ToQtList(r));
            tw->addTopLevelItems(items);
        }
        QTreeWidgetItem* selected =
            model.Selected() >= 0 ? tw->topLevelItem(model.Selected()) : nullptr;
        tw->setCurrentItem(selected);
        if (!selected)
            tw->clearSelection();
        break;
    }
    case ControlKind::Memo:
    case ControlKind::DBMemo: {
        auto* pe = static_cast<QPlainTextEdit*>(w);
        if (c->Kind() == ControlKind::Memo)
            pe->setReadOnly(static_cast<const ui::Memo&>(*c).ReadOnly());
        const QString text = Shown(c->Text());
        if (!e.typing && pe->toPlainText() != text)
            pe->setPlainText(text);
        break;
    }
    case ControlKind::DBGrid: {
        auto* tv = static_cast<QTableView*>(w);
        const auto& model = static_cast<const ui::DBGrid&>(*c);
        QStringList titles;
        for (const auto& col : model.Columns())
            titles << ToQt(col.title.empty() ? col.field : col.title);
        e.grid->SetContents(titles, model.Rows());
        for (size_t i = 0; i < model.Columns().size(); ++i)
            tv->setColumnWidth(static_cast<int>(i), model.Columns()[i].width);
        const int row = model.CurrentRow();
        QItemSelectionModel* sel = tv->selectionModel();
        if (row < 0) {
            sel->clear();
        } else if (sel->currentIndex().row() != row || !sel->isRowSelected(row, {})) {
            sel->setCurrentIndex(e.grid->index(row, 0),
                                 QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
            tv->scrollTo(e.grid->index(row, 0));
        }
        break;
    }
    case ControlKind::DBNavigator:
        SyncNavigator(e);
        break;
    }
}

void Binder::SyncRadios(Entry& e) {
    auto* box = static_cast<QGroupBox*>(e.widget.data());
    const auto& model = static_cast<const ui::ListControl&>(*e.control);
    box->setTitle(Shown(model.Caption()));
    const QStringList items = ToQtList(model.Items());
    const int columns = e.control->Kind() == ControlKind::RadioGroup
                            ? std::max(1, static_cast<const ui::RadioGroup&>(model).Columns())
                            : 1;
    bool same = e.columns == columns && e.parts.size() == static_cast<size_t>(items.size());
    for (size_t i = 0; same && i < e.parts.size(); ++i)
        same = e.parts[i] && e.parts[i]->text() == items[static_cast<qsizetype>(i)];
    if (!same) {
        // deleteLater: the button being clicked may be the one that asked for the change.
        for (auto& p : e.parts) {
            byObject_.erase(p.data());
            Discard(p);
        }
        e.parts.clear();
        auto* grid = qobject_cast<QGridLayout*>(box->layout());
        if (!grid) {
            // A layout from the .ui would fight ours: the buttons go into a panel inside it.
            QWidget* holder = box;
            if (box->layout()) {
                holder = new QWidget(box);
                box->layout()->addWidget(holder);
            }
            grid = new QGridLayout(holder);
        }
        // Items fill the columns top to bottom, as the toolkit's radio groups do.
        const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
        for (qsizetype i = 0; i < items.size(); ++i) {
            auto* rb = new QRadioButton(items[i], grid->parentWidget());
            rb->setAutoExclusive(false); // the model decides which one is checked
            const int index = static_cast<int>(i);
            grid->addWidget(rb, rows ? index % rows : 0, rows ? index / rows : 0);
            connect(rb, &QRadioButton::clicked, this, [this, &e, index] {
                if (syncing_)
                    return;
                Forward([&e, index] {
                    if (e.control->Kind() == ControlKind::RadioGroup)
                        static_cast<ui::RadioGroup*>(e.control)->UserChoose(index);
                    else
                        static_cast<ui::DBRadioGroup*>(e.control)->UserChoose(index);
                });
                Sync(e);
            });
            e.parts.emplace_back(rb);
            InstallFilter(e, rb);
        }
        e.columns = columns;
    }
    for (size_t i = 0; i < e.parts.size(); ++i) {
        const QSignalBlocker block(e.parts[i]);
        e.parts[i]->setChecked(static_cast<int>(i) == model.ItemIndex());
    }
}

void Binder::SyncNavigator(Entry& e) {
    QWidget* nav = e.widget;
    const auto& model = static_cast<const ui::DBNavigator&>(*e.control);
    std::vector<int> visible;
    for (ui::NavButton b : kAllNavButtons)
        if (model.ButtonVisible(b))
            visible.push_back(static_cast<int>(b));
    if (visible != e.partIds) {
        for (auto& p : e.parts)
            Discard(p);
        e.parts.clear();
        auto* row = nav->layout();
        if (!row) {
            row = new QHBoxLayout(nav);
            row->setContentsMargins(0, 0, 0, 0);
            row->setSpacing(0);
        }
        for (int id : visible) {
            const auto b = static_cast<ui::NavButton>(id);
            auto* tb = new QToolButton(nav);
            tb->setObjectName(ToQt(e.control->Name() + "_" + ui::NavButtonName(b)));
            tb->setText(QString::fromUtf8(NavSymbol(b)));
            tb->setFocusPolicy(Qt::NoFocus);
            row->addWidget(tb);
            connect(tb, &QToolButton::clicked, this, [this, &e, b] {
                if (syncing_)
                    return;
                CommitPending(); // posting takes what is typed in the box being edited
                Forward([&e, b] { static_cast<ui::DBNavigator*>(e.control)->UserPress(b); });
            });
            e.parts.emplace_back(tb);
        }
        e.partIds = visible;
    }
    // Hints for every button in their fixed order, or for the visible ones in theirs.
    const auto hints = model.Hints();
    for (size_t i = 0; i < e.parts.size(); ++i) {
        if (!e.parts[i])
            continue;
        const auto b = static_cast<ui::NavButton>(e.partIds[i]);
        const size_t hintIndex = hints.size() == kNavButtonCount ? static_cast<size_t>(b) : i;
        e.parts[i]->setEnabled(model.ButtonEnabled(b));
        e.parts[i]->setToolTip(hintIndex < hints.size() ? ToolTipOf(hints[hintIndex]) : QString());
    }
}

void Binder::SyncLookupList(Entry& e, const std::vector<std::string>& keys,
                            const std::vector<std::vector<std::string>>& rows) {
    auto* cb = static_cast<QComboBox*>(e.widget.data());
    const auto& model = static_cast<const ui::DBLookupComboBox&>(*e.control);
    // The open list shows the shown fields in columns; the closed box shows the list field
    // of the chosen record (the key when the list field is not among them). Each row of the
    // Qt model holds the key first, then the shown fields.
    if (keys == e.lookupKeys && rows == e.lookupRows && cb->model() == e.lookupModel)
        return;
    e.lookupKeys = keys;
    e.lookupRows = rows;
    const auto& shown = model.ShownFields();
    if (!e.lookupModel) {
        e.lookupModel = new QStandardItemModel(cb);
        auto* view = new QTreeView(cb);
        view->setHeaderHidden(true);
        view->setRootIsDecorated(false);
        view->setAllColumnsShowFocus(true);
        cb->setModel(e.lookupModel);
        cb->setView(view);
    }
    e.lookupModel->clear();
    const int columns = 1 + static_cast<int>(shown.size());
    e.lookupModel->setColumnCount(columns);
    for (size_t r = 0; r < keys.size(); ++r) {
        QList<QStandardItem*> row{new QStandardItem(ToQt(keys[r]))};
        for (size_t col = 0; col < shown.size(); ++col)
            row << new QStandardItem(r < rows.size() && col < rows[r].size() ? ToQt(rows[r][col])
                                                                             : QString());
        e.lookupModel->appendRow(row);
    }
    const int listColumn = IndexIn(shown, model.ListField());
    cb->setModelColumn(listColumn >= 0 ? listColumn + 1 : 0);
    auto* view = static_cast<QTreeView*>(cb->view());
    view->setColumnHidden(0, true);
    for (int col = 0; col < columns; ++col)
        view->resizeColumnToContents(col);
    if (model.DropDownWidth() > 0)
        view->setMinimumWidth(model.DropDownWidth());
}

void Binder::SyncStatusBar(Entry& e) {
    auto* bar = static_cast<QStatusBar*>(e.widget.data());
    const auto& model = static_cast<const ui::StatusBar&>(*e.control);
    const auto& panels = model.Panels();
    while (e.panels.size() > panels.size()) {
        delete e.panels.back().data();
        e.panels.pop_back();
    }
    while (e.panels.size() < panels.size()) {
        auto* label = new QLabel(bar);
        label->setTextFormat(Qt::PlainText);
        bar->addWidget(label, e.panels.size() + 1 == panels.size() ? 1 : 0);
        e.panels.emplace_back(label);
    }
    for (size_t i = 0; i < panels.size(); ++i)
        if (e.panels[i])
            e.panels[i]->setText(Shown(panels[i]));
    if (panels.empty())
        bar->showMessage(Shown(model.SimpleText()));
    else
        bar->clearMessage();
}

void Binder::SyncImage(Entry& e) {
    auto* label = static_cast<QLabel*>(e.widget.data());
    const std::string& picture = static_cast<const ui::Image&>(*e.control).Picture();
    if (picture.empty()) {
        e.picture.clear();
        label->clear();
        return;
    }
    QPixmap pix(ToQt(form_->App().ResolvePath(picture)));
    e.picture = picture;
    if (pix.isNull()) {
        label->clear();
        return;
    }
    if (!label->hasScaledContents() && label->property("proportional").toBool() &&
        !label->size().isEmpty())
        pix = pix.scaled(label->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    label->setPixmap(pix);
}

void Binder::SyncForm() {
    if (!root_)
        return;
    const QString title = ToQt(form_->Caption());
    if (root_->windowTitle() != title)
        root_->setWindowTitle(title);
    SyncFocus(false);
}

void Binder::SyncFocus(bool force) {
    const ui::Control* active = form_->ActiveControl();
    if (!force && active == lastActive_)
        return;
    lastActive_ = active;
    const Entry* e = EntryOf(active);
    if (!e || !e->widget)
        return;
    QWidget* target = e->widget;
    if (!e->parts.empty() && e->control->Kind() != ControlKind::DBNavigator) {
        const int index = static_cast<const ui::ListControl&>(*e->control).ItemIndex();
        const auto& p = e->parts[static_cast<size_t>(
            index >= 0 && index < static_cast<int>(e->parts.size()) ? index : 0)];
        if (p)
            target = p;
    }
    QWidget* current = QApplication::focusWidget();
    if (current == target || (current && target->isAncestorOf(current)))
        return;
    ++syncing_; // the program moved the focus: no model event for it
    target->setFocus(Qt::OtherFocusReason);
    --syncing_;
}

} // namespace velcaro::qt
