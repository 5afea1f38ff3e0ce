// The help viewer window, shown offscreen on the shipped help file.
#include "platform/qt/help/HelpViewer.h"
#include "platform/Error.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTextBrowser>

using velcaro::qt::HelpViewer;

static_assert(std::is_base_of_v<velcaro::ui::HelpRequests, HelpViewer>,
              "the viewer is what Application::SetHelp takes");

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "help_viewer_tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

std::filesystem::path ShippedHelp() {
    return velcaro::help::HelpFilePath(VELCARO_PROGRAM_DIR);
}

} // namespace

TEST(HelpViewer, OpensOnTheTopicOfAContext) {
    App();
    HelpViewer viewer(ShippedHelp());
    viewer.ShowContext(3);
    EXPECT_TRUE(viewer.isVisible());
    EXPECT_EQ(viewer.windowTitle(), "Guida di Velcaro");
    EXPECT_EQ(viewer.CurrentTopicName(), "FinestraCalcoli");
    EXPECT_EQ(viewer.CurrentTitle(), "La scelta delle quantità");
    EXPECT_TRUE(viewer.Browser()->toPlainText().startsWith("La scelta delle quantità"))
        << viewer.Browser()->toPlainText().left(80).toStdString();
    ASSERT_NE(viewer.TopicList()->currentItem(), nullptr);
    EXPECT_EQ(viewer.TopicList()->currentItem()->text(), viewer.CurrentTitle());
    EXPECT_TRUE(viewer.StatusText().isEmpty());
}

TEST(HelpViewer, TopicNamesIgnoreCaseAndUnknownOnesShowTheContents) {
    App();
    HelpViewer viewer(ShippedHelp());
    struct Row {
        const char* name;
        const char* shown;
        bool message;
    };
    for (const Row& row : {Row{"tabellapallet", "TabellaPallet", false},
                           Row{"NonEsiste", "Indice", true}, Row{"Esporta", "Esporta", false}}) {
        viewer.ShowTopic(row.name);
        EXPECT_EQ(viewer.CurrentTopicName(), row.shown) << row.name;
        EXPECT_EQ(!viewer.StatusText().isEmpty(), row.message) << row.name;
    }
    viewer.ShowContext(99);
    EXPECT_EQ(viewer.CurrentTopicName(), "Indice");
    EXPECT_TRUE(viewer.StatusText().contains("99"));
}

TEST(HelpViewer, FollowsLinksAndCloses) {
    App();
    HelpViewer viewer(ShippedHelp());
    viewer.ShowContext(2);
    emit viewer.Browser()->anchorClicked(QUrl("topic:Calcolo"));
    EXPECT_EQ(viewer.CurrentTopicName(), "Calcolo");
    viewer.Close();
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(viewer.CloseRequests(), 1);
    EXPECT_EQ(viewer.LastRequest(), velcaro::help::HelpRequest::ForContext(2));
}

TEST(HelpViewer, MissingFileIsAnErrorForTheCallingWindow) {
    App();
    HelpViewer viewer("/nonexistent/Velcaro/HELP/AIUTO.HLP");
    EXPECT_THROW(viewer.ShowContext(2), velcaro::Error);
    EXPECT_FALSE(viewer.isVisible());
    EXPECT_EQ(viewer.LastRequest(), velcaro::help::HelpRequest::ForContext(2));
}
