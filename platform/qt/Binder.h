#pragma once
// The generic binder: connects every control model of a form to the widget of the same
// objectName in the form's widget tree, shows the model in the widget and forwards the
// user's actions to the model. The model is the source of truth: program changes reach the
// widget with its signals blocked, user actions go through the model's User* members inside
// the application's dispatcher (an exception becomes an error box, never reaches Qt).
//
// Widget classes per control kind are those of docs/ui-conventions.md. An Image's label
// stretches the picture when its scaledContents is set, or scales it keeping the aspect
// ratio when it carries the dynamic property "proportional" = true; otherwise the picture
// shows at its own size.
//
// Ownership: a Binder owns nothing it binds. It must not outlive the form's controls while
// the user can still act on the widgets; it may outlive the widgets (it forgets them) and
// the form may outlive it (the observers it leaves on the models then do nothing).
#include "platform/ui/Form.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QAbstractButton;
class QLabel;
class QStandardItemModel;

namespace velcaro::qt {

class GridModel;

class Binder : public QObject {
    Q_OBJECT
public:
    // What keeps the form from binding to the tree under root: widgets missing, of the wrong
    // class, or named twice. Empty when everything fits.
    static std::vector<std::string> Problems(const ui::Form& form, const QWidget* root);

    // Binds the form to the tree under root; throws velcaro::Error listing the problems.
    Binder(ui::Form& form, QWidget* root);
    ~Binder() override;

    ui::Form& BoundForm() const { return *form_; }
    QWidget* Root() const { return root_; }
    QWidget* WidgetOf(const ui::Control& control) const;
    // The buttons the binder made inside a radio group or a navigator, in order.
    std::vector<QAbstractButton*> PartsOf(const ui::Control& control) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry {
        ui::Control* control = nullptr;
        QPointer<QWidget> widget;
        std::vector<QPointer<QAbstractButton>> parts; // radio or navigator buttons
        std::vector<int> partIds;                     // navigator: the NavButton of each part
        std::vector<QPointer<QLabel>> panels;         // status bar panels
        GridModel* grid = nullptr;
        QStandardItemModel* lookupModel = nullptr; // lookup list: key, then shown fields
        std::vector<std::string> lookupKeys;
        std::vector<std::vector<std::string>> lookupRows;
        std::string picture; // the image file shown, as the program names it
        std::string glyph;   // the button picture shown
        int columns = 0;     // radio group: columns laid out
        bool refusedFocus = false;
        bool typing = false;       // the model is taking the user's keys
        bool pendingError = false; // a data box holds text its field cannot take
    };

    void Connect(Entry& e);
    void InstallFilter(Entry& e, QObject* object);
    void Sync(Entry& e);
    void SyncCommon(Entry& e);
    void SyncKind(Entry& e);
    void SyncRadios(Entry& e);
    void SyncNavigator(Entry& e);
    void SyncLookupList(Entry& e, const std::vector<std::string>& keys,
                        const std::vector<std::vector<std::string>>& rows);
    void SyncStatusBar(Entry& e);
    void SyncImage(Entry& e);
    void SyncForm();
    void SyncFocus(bool force);
    void Typing(Entry& e, const std::function<void()>& action);
    void CommitDataEdit(Entry& e);
    void CommitPending();
    void Forward(const std::function<void()>& action);
    bool HandleKey(Entry* e, QKeyEvent* key);
    Entry* EntryOf(const ui::Control* c) const;

    ui::Form* form_;
    QPointer<QWidget> root_;
    std::vector<std::unique_ptr<Entry>> entries_;
    std::map<const QObject*, Entry*> byObject_;
    const ui::Control* lastActive_ = nullptr;
    int syncing_ = 0;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

// Binds, as the views do: the Binder or velcaro::Error.
std::unique_ptr<Binder> Bind(ui::Form& form, QWidget* root);

} // namespace velcaro::qt
