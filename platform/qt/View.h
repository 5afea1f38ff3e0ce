#pragma once
// A window's view: the widget made from its Designer .ui class, bound to the form's logic
// and known to the host, which shows and hides it for the form.
//
// Ownership: the View owns the window widget and its binder (the binder goes first). The
// form must outlive its view; the host forgets the widget when it goes.
#include "platform/qt/Binder.h"
#include "platform/qt/QtHost.h"

#include <memory>

namespace velcaro::qt {

template <class UiClass, class WindowWidget = QWidget> struct View {
    std::unique_ptr<WindowWidget> window;
    UiClass ui; // pointers into window, as uic makes them
    std::unique_ptr<Binder> binder;
};

// Instantiates the uic class on a new top-level widget named after the form, binds it and
// registers it with the host. Throws velcaro::Error when the layout and the logic disagree.
template <class UiClass, class WindowWidget = QWidget>
std::unique_ptr<View<UiClass, WindowWidget>> LoadAndBind(ui::Form& form, QtHost& host) {
    auto view = std::make_unique<View<UiClass, WindowWidget>>();
    view->window = std::make_unique<WindowWidget>();
    view->ui.setupUi(view->window.get());
    view->binder = Bind(form, view->window.get());
    host.Register(form, view->window.get());
    return view;
}

} // namespace velcaro::qt
