#pragma once
// The help viewer: a window with the list of topics on the left and the chosen topic on the
// right. It is the Qt implementation of HelpService: the windows ask for a context number or
// a topic name, and the viewer comes to the front on that topic. It is not modal, like a
// help window beside the program; Close() hides it.
//
// The help file is read at the first request (and again after a failed read), so a missing
// file is reported when the user asks for help, in the calling window's error box.
#include "platform/help/HelpFile.h"
#include "platform/help/HelpService.h"

#include <QDialog>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace velcaro::qt {

class HelpViewer final : public QDialog, public help::HelpService {
public:
    explicit HelpViewer(std::filesystem::path helpFile, QWidget* parent = nullptr);

    // What is on screen, for tests and for the scenario runner's checks.
    std::string CurrentTopicName() const { return current_; }
    QString CurrentTitle() const;
    QString StatusText() const;
    QTextBrowser* Browser() const { return browser_; }
    QListWidget* TopicList() const { return list_; }

protected:
    void DoShow(const help::HelpRequest& request) override;
    void DoClose() override;

private:
    const help::HelpFile& File();
    void Display(const help::Topic& topic, const QString& status, bool remember);
    void FollowLink(const QUrl& url);
    void GoBack();

    std::filesystem::path path_;
    std::optional<help::HelpFile> file_;
    QListWidget* list_ = nullptr;
    QTextBrowser* browser_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* contents_ = nullptr;
    std::string current_;
    std::vector<std::string> history_; // topics shown before the current one, for "Indietro"
};

} // namespace velcaro::qt
