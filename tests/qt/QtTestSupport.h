#pragma once
// A Qt host whose message boxes are recorded instead of shown, and an application on it.
#include "platform/qt/QtHost.h"
#include "platform/ui/Application.h"

#include <QMessageBox>
#include <QString>
#include <deque>
#include <string>
#include <vector>

namespace velcaro::qt::testing {

struct ShownBox {
    QMessageBox::Icon icon;
    QString title;
    QString text;
    QStringList buttons; // texts, in the box's order
};

class RecordingHost : public QtHost {
public:
    RecordingHost();
    std::vector<ShownBox> boxes;
    std::deque<ui::DialogButton> answers; // default: the box's default button
};

// A fresh empty folder for a test's program folder.
std::string FreshDir();

} // namespace velcaro::qt::testing
