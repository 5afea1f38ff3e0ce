#include "platform/qt/help/HelpViewer.h"

#include "platform/help/HelpHtml.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace velcaro::qt {

namespace {
constexpr int kNameRole = Qt::UserRole;
}

HelpViewer::HelpViewer(std::filesystem::path helpFile, QWidget* parent)
    : QDialog(parent), path_(std::move(helpFile)) {
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(QStringLiteral("Guida di Velcaro"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setModal(false);
    resize(1000, 680);

    contents_ = new QPushButton(QStringLiteral("&Sommario"), this);
    back_ = new QPushButton(QStringLiteral("&Indietro"), this);
    back_->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("&Chiudi"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents_);
    buttons->addWidget(back_);
    buttons->addStretch();
    buttons->addWidget(close);

    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lvArgomenti"));
    list_->setWordWrap(true); // long titles wrap instead of hiding behind a scroll bar
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("tbArgomento"));
    browser_->setOpenLinks(false);
    auto* splitter = new QSplitter(this);
    splitter->addWidget(list_);
    splitter->addWidget(browser_);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({320, 680});

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lbStato"));
    status_->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter, 1);
    layout->addWidget(status_);

    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    connect(contents_, &QPushButton::clicked, this, [this] {
        if (file_)
            Display(file_->Contents(), {}, true);
    });
    connect(back_, &QPushButton::clicked, this, [this] { GoBack(); });
    connect(browser_, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& url) { FollowLink(url); });
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        if (!file_ || !item)
            return;
        const auto name = item->data(kNameRole).toString().toStdString();
        if (const auto* topic = file_->FindTopic(name); topic && name != current_)
            Display(*topic, {}, true);
    });
    connect(list_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item, QListWidgetItem*) {
                if (!file_ || !item)
                    return;
                const auto name = item->data(kNameRole).toString().toStdString();
                if (const auto* topic = file_->FindTopic(name); topic && name != current_)
                    Display(*topic, {}, true);
            });
}

const help::HelpFile& HelpViewer::File() {
    if (!file_) {
        file_ = help::HelpFile::Load(path_); // throws velcaro::Error, file_ stays empty
        list_->clear();
        for (const auto& topic : file_->Topics()) {
            auto* item = new QListWidgetItem(QString::fromStdString(topic.title), list_);
            item->setData(kNameRole, QString::fromStdString(topic.name));
        }
    }
    return *file_;
}

void HelpViewer::DoShow(const help::HelpRequest& request) {
    const auto target = help::ResolveRequest(File(), request);
    Display(*target.topic, QString::fromStdString(target.message), true);
    show();
    raise();
    activateWindow();
}

void HelpViewer::DoClose() {
    hide();
}

void HelpViewer::Display(const help::Topic& topic, const QString& status, bool remember) {
    if (remember && !current_.empty() && current_ != topic.name)
        history_.push_back(current_);
    current_ = topic.name;
    browser_->setHtml(QString::fromStdString(help::TopicHtml(topic)));
    status_->setText(status);
    back_->setEnabled(!history_.empty());
    for (int row = 0; row < list_->count(); ++row) {
        auto* item = list_->item(row);
        if (item->data(kNameRole).toString().toStdString() == topic.name) {
            const QSignalBlocker block(list_);
            list_->setCurrentItem(item);
            list_->scrollToItem(item);
            break;
        }
    }
}

void HelpViewer::FollowLink(const QUrl& url) {
    const auto name = help::TopicNameFromLink(url.toString().toStdString());
    if (name.empty()) {
        QDesktopServices::openUrl(url);
        return;
    }
    if (const auto* topic = file_ ? file_->FindTopic(name) : nullptr)
        Display(*topic, {}, true);
}

void HelpViewer::GoBack() {
    if (history_.empty() || !file_)
        return;
    const std::string name = history_.back();
    history_.pop_back();
    if (const auto* topic = file_->FindTopic(name))
        Display(*topic, {}, false);
}

QString HelpViewer::CurrentTitle() const {
    if (!file_ || current_.empty())
        return {};
    const auto* topic = file_->FindTopic(current_);
    return topic ? QString::fromStdString(topic->title) : QString();
}

QString HelpViewer::StatusText() const {
    return status_->text();
}

} // namespace velcaro::qt
