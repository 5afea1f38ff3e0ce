// The help file shipped with the program answers every request that the windows make.
#include "platform/help/HelpFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

using namespace velcaro::help;

namespace {

const HelpFile& Shipped() {
    static const HelpFile file = HelpFile::Load(VELCARO_HELP_SOURCE);
    return file;
}

struct ContextUse {
    const char* window;
    int context;
};

// Window help contexts (F1) and the main window's help button.
const ContextUse kContexts[] = {
    {"MainForm, bbHelp", 2},    {"TfCalcoli, F1", 3},
    {"TfStivaggio, F1", 4},     {"TfTabellaContenitori, F1", 6},
    {"TfTabellaPallet, F1", 6}, {"TfAutomezzi, F1", 8},
    {"TfEditor, F1", 13},
};

struct TopicUse {
    const char* window;
    const char* topic;
};

// Help buttons that ask for a topic by name.
const TopicUse kTopics[] = {
    {"TfCalcoli, Help in linea...", "FinestraCalcoli"},
    {"TfStivaggio, help", "Stivaggio"},
    {"TfDislocazione, help", "Stivaggio"},
    {"TfCostoTrasporto, help", "Esporta"},
    {"TfTabellaContenitori, &Help", "TabellaContenitori"},
    {"TfTabellaPallet, &Help", "TabellaPallet"},
    {"TfTabellaSeparatori, &Help", "TabellaTramezzi"},
    {"TfAutomezzi, &Help", "TabellaMezzi"},
    {"TfEditor, help", "Editor"},
    {"TfFiltraggioRicerche, help", "FiltraggioRicerche"},
};

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::size_t WordCount(const Topic& topic) {
    std::size_t words = 0;
    for (const Block& block : topic.body)
        for (const Item& item : block.items)
            for (const Span& span : item.spans) {
                std::istringstream in(span.text);
                std::string word;
                while (in >> word)
                    ++words;
            }
    return words;
}

} // namespace

TEST(ShippedHelp, AnswersEveryContextNumberTheWindowsUse) {
    for (const ContextUse& use : kContexts) {
        const Topic* topic = Shipped().FindContext(use.context);
        EXPECT_NE(topic, nullptr) << use.window << ": context " << use.context;
    }
}

TEST(ShippedHelp, AnswersEveryTopicNameTheWindowsUse) {
    for (const TopicUse& use : kTopics) {
        const Topic* topic = Shipped().FindTopic(use.topic);
        ASSERT_NE(topic, nullptr) << use.window << ": topic " << use.topic;
        EXPECT_EQ(topic->name, use.topic) << "spelt in the file as the windows spell it";
    }
}

TEST(ShippedHelp, ContextsLeadToTheTopicOfTheirWindow) {
    // F1 and the help button of one window should land on the same explanation.
    const struct {
        int context;
        const char* topic;
    } rows[] = {{3, "FinestraCalcoli"}, {4, "Stivaggio"}, {8, "TabellaMezzi"}, {13, "Editor"}};
    for (const auto& row : rows) {
        const Topic* topic = Shipped().FindContext(row.context);
        ASSERT_NE(topic, nullptr) << row.context;
        EXPECT_EQ(topic->name, row.topic) << "context " << row.context;
    }
}

TEST(ShippedHelp, EveryTopicHasRealContent) {
    for (const Topic& topic : Shipped().Topics())
        EXPECT_GE(WordCount(topic), 60u) << topic.name << " is too thin to help anyone";
}

TEST(ShippedHelp, ContentsLinksToEveryOtherTopic) {
    std::vector<std::string> linked;
    for (const Block& block : Shipped().Contents().body)
        for (const Item& item : block.items)
            for (const Span& span : item.spans)
                if (!span.target.empty())
                    linked.push_back(span.target);
    for (const Topic& topic : Shipped().Topics()) {
        if (&topic == &Shipped().Contents())
            continue;
        bool found = false;
        for (const auto& name : linked)
            found = found || SameTopicName(name, topic.name);
        EXPECT_TRUE(found) << topic.name << " cannot be reached from the contents";
    }
}

TEST(ShippedHelp, BuildCopiesItIntoTheProgramFolder) {
    const auto copy = HelpFilePath(VELCARO_PROGRAM_DIR);
    ASSERT_TRUE(std::filesystem::exists(copy)) << copy;
    EXPECT_EQ(ReadAll(copy), ReadAll(VELCARO_HELP_SOURCE));
}
