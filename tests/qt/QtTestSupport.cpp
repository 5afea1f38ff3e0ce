#include "QtTestSupport.h"

#include <QAbstractButton>
#include <QPushButton>
#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

namespace velcaro::qt::testing {

RecordingHost::RecordingHost() {
    dialogHook = [this](QMessageBox& box) {
        ShownBox shown{box.icon(), box.windowTitle(), box.text(), {}};
        for (QAbstractButton* b : box.buttons())
            shown.buttons << b->text();
        boxes.push_back(shown);
        if (!answers.empty()) {
            const ui::DialogButton a = answers.front();
            answers.pop_front();
            return a;
        }
        return ButtonOf(box.standardButton(box.defaultButton()));
    };
}

std::string FreshDir() {
    std::string pattern = ::testing::TempDir() + "qt_XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed for " + pattern);
    return pattern;
}

} // namespace velcaro::qt::testing
