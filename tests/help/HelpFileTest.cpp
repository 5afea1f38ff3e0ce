// The help file format: what a correct file turns into, and how each fault is reported.
#include "platform/help/HelpFile.h"
#include "platform/Error.h"
#include "platform/help/HelpHtml.h"
#include "platform/help/HelpService.h"

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

using namespace velcaro::help;

namespace {

std::string ErrorOf(const std::string& text) {
    try {
        HelpFile::Parse(text, "PROVA.HLP");
    } catch (const velcaro::Error& e) {
        return e.what();
    }
    return "(nessun errore)";
}

// A scratch folder of its own per test program run.
std::filesystem::path ScratchFolder(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() /
               ("velcaro-help-" + std::to_string(::getpid()) + "-" + name);
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

const char* const kSample = "\xEF\xBB\xBF"
                            "; a comment before the first topic\n"
                            "@topic 1 Indice\n"
                            "Sommario\n"
                            "\n"
                            "Vedere [[Calcolo]] e [[calcolo|il calcolo]].\n"
                            "@topic - Calcolo\r\n"
                            "  Il calcolo  \r\n"
                            "Prima riga\r\n"
                            "seguito della **stessa** frase.\r\n"
                            "\r\n"
                            "== Pezzi per asse\r"
                            "- primo\r"
                            "  continua\r"
                            "- secondo\r"
                            "1. passo uno\n"
                            "2. passo due\n"
                            "> n = (C - P) div (P - c) + 1  \n"
                            ">     allineato\n"
                            "! Attenzione:\n"
                            "! due righe.\n"
                            "; comment inside a topic\n"
                            "Ultimo paragrafo";

} // namespace

TEST(HelpFileParse, BuildsTopicsBlocksAndSpans) {
    const HelpFile file = HelpFile::Parse(kSample, "PROVA.HLP");
    ASSERT_EQ(file.Topics().size(), 2u);
    EXPECT_EQ(&file.Contents(), &file.Topics()[0]);

    const Topic& index = file.Topics()[0];
    EXPECT_EQ(index.context, 1);
    EXPECT_EQ(index.title, "Sommario");
    ASSERT_EQ(index.body.size(), 1u);
    const auto& spans = index.body[0].items[0].spans;
    ASSERT_EQ(spans.size(), 5u);
    EXPECT_EQ(spans[1].target, "Calcolo");
    EXPECT_EQ(spans[1].text, "Il calcolo") << "a link without text shows the topic's title";
    EXPECT_EQ(spans[3].target, "calcolo");
    EXPECT_EQ(spans[3].text, "il calcolo");

    const Topic& calc = file.Topics()[1];
    EXPECT_EQ(calc.context, 0);
    EXPECT_EQ(calc.title, "Il calcolo");
    EXPECT_EQ(calc.line, 6);
    ASSERT_EQ(calc.body.size(), 7u);

    EXPECT_EQ(calc.body[0].kind, BlockKind::Paragraph);
    const auto& para = calc.body[0].items[0].spans;
    ASSERT_EQ(para.size(), 3u);
    EXPECT_EQ(para[0].text, "Prima riga seguito della ");
    EXPECT_TRUE(para[1].bold);
    EXPECT_EQ(para[1].text, "stessa");
    EXPECT_EQ(para[2].text, " frase.");

    EXPECT_EQ(calc.body[1].kind, BlockKind::Heading);
    EXPECT_EQ(calc.body[1].items[0].spans[0].text, "Pezzi per asse");

    EXPECT_EQ(calc.body[2].kind, BlockKind::Bullets);
    ASSERT_EQ(calc.body[2].items.size(), 2u);
    EXPECT_EQ(calc.body[2].items[0].spans[0].text, "primo continua");
    EXPECT_EQ(calc.body[2].items[1].line, 14) << "lines count CR, LF and CR LF alike";

    EXPECT_EQ(calc.body[3].kind, BlockKind::Numbered);
    EXPECT_EQ(calc.body[3].items.size(), 2u);

    EXPECT_EQ(calc.body[4].kind, BlockKind::Formula);
    ASSERT_EQ(calc.body[4].items.size(), 2u);
    EXPECT_EQ(calc.body[4].items[0].spans[0].text, "n = (C - P) div (P - c) + 1");
    EXPECT_EQ(calc.body[4].items[1].spans[0].text, "    allineato");

    EXPECT_EQ(calc.body[5].kind, BlockKind::Note);
    EXPECT_EQ(calc.body[5].items[0].spans[0].text, "Attenzione: due righe.");

    EXPECT_EQ(calc.body[6].kind, BlockKind::Paragraph)
        << "a plain line after a note starts a paragraph";
    EXPECT_EQ(calc.body[6].items[0].spans[0].text, "Ultimo paragrafo");
}

struct MalformedCase {
    const char* fault;
    const char* text;
    const char* expected; // part of the message, line included
};

void PrintTo(const MalformedCase& c, std::ostream* out) {
    *out << c.fault;
}

class HelpFileMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(HelpFileMalformed, ReportsFileLineAndFault) {
    const std::string message = ErrorOf(GetParam().text);
    EXPECT_NE(message.find("\"PROVA.HLP\""), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().expected), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Faults, HelpFileMalformed,
    testing::Values(
        MalformedCase{"empty file", "", "non contiene alcun argomento"},
        MalformedCase{"only comments", "; nulla\n\n", "non contiene alcun argomento"},
        MalformedCase{"text before first topic", "\nciao\n@topic 1 A\nT\nx\n",
                      "riga 2: testo fuori da un argomento"},
        MalformedCase{"unknown directive", "@topic 1 A\nT\nx\n@argomento 2 B\n",
                      "riga 4: direttiva sconosciuta \"@argomento\""},
        MalformedCase{"header without name", "@topic 1\nT\nx\n", "riga 1: intestazione incompleta"},
        MalformedCase{"header with blank in name", "@topic 1 Finestra Calcoli\nT\nx\n",
                      "riga 1: intestazione con troppi elementi"},
        MalformedCase{"context not a number", "@topic tre A\nT\nx\n",
                      "riga 1: numero di contesto non valido \"tre\""},
        MalformedCase{"negative context", "@topic -3 A\nT\nx\n",
                      "riga 1: numero di contesto non valido \"-3\""},
        MalformedCase{"context beyond 32 bits", "@topic 4294967296 A\nT\nx\n",
                      "riga 1: numero di contesto non valido"},
        MalformedCase{"context zero", "@topic 0 A\nT\nx\n", "riga 1: il numero di contesto 0"},
        MalformedCase{"accented name", "@topic 1 Perch\xC3\xA9\nT\nx\n",
                      "riga 1: nome di argomento non valido"},
        MalformedCase{"duplicate name differing in case",
                      "@topic 1 Editor\nT\nx\n@topic 2 EDITOR\nT\nx\n",
                      "riga 4: l'argomento \"EDITOR\" è già definito alla riga 1"},
        MalformedCase{"duplicate context", "@topic 6 A\nT\nx\n\n@topic 6 B\nT\nx\n",
                      "riga 5: il numero di contesto 6 è già usato dall'argomento \"A\" (riga 1)"},
        MalformedCase{"title missing before body", "@topic 1 A\n\nx\n",
                      "riga 1: manca il titolo dell'argomento \"A\""},
        MalformedCase{"title missing at end of file", "@topic 1 A\nT\nx\n@topic 2 B\n",
                      "riga 4: manca il titolo dell'argomento \"B\""},
        MalformedCase{"title missing before next header", "@topic 1 A\n@topic 2 B\nT\nx\n",
                      "riga 1: manca il titolo dell'argomento \"A\""},
        MalformedCase{"topic without body", "@topic 1 A\nT\n\n@topic 2 B\nT\nx\n",
                      "riga 1: l'argomento \"A\" ha il titolo ma nessun testo"},
        MalformedCase{"unclosed bold", "@topic 1 A\nT\n\nuno\n**due\n",
                      "riga 4: grassetto non chiuso"},
        MalformedCase{"unclosed link", "@topic 1 A\nT\nvedi [[A\n",
                      "riga 3: collegamento non chiuso"},
        MalformedCase{"stray link end", "@topic 1 A\nT\nvedi A]]\n", "riga 3: \"]]\" senza"},
        MalformedCase{"link to missing topic",
                      "@topic 1 A\nT\nx\n@topic 2 B\nT\n- vedi [[Stivagio]]\n",
                      "riga 6: collegamento all'argomento inesistente \"Stivagio\""},
        MalformedCase{"link with empty text", "@topic 1 A\nT\nvedi [[A| ]]\n",
                      "riga 3: collegamento con testo vuoto"},
        MalformedCase{"empty link", "@topic 1 A\nT\nvedi [[]]\n",
                      "riga 3: collegamento con nome di argomento non valido"},
        MalformedCase{"empty heading", "@topic 1 A\nT\n==\n", "riga 3: titoletto vuoto"},
        MalformedCase{"Windows-1252 text", "@topic 1 A\nT\nperch\xE9\n",
                      "riga 3: il testo non è codificato in UTF-8"},
        MalformedCase{"UTF-8 cut short at end", "@topic 1 A\nT\nperch\xC3",
                      "riga 3: il testo non è codificato in UTF-8"},
        MalformedCase{"overlong UTF-8", "@topic 1 A\nT\n\xC0\xAF\n",
                      "riga 3: il testo non è codificato in UTF-8"},
        MalformedCase{"UTF-8 surrogate", "@topic 1 A\nT\n\xED\xA0\x80\n",
                      "riga 3: il testo non è codificato in UTF-8"}),
    [](const testing::TestParamInfo<MalformedCase>& info) {
        std::string name;
        for (const char* p = info.param.fault; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST(HelpFileLookup, FindsTopicsByNameWithoutRegardToCaseAndByContext) {
    const HelpFile file = HelpFile::Parse(
        "@topic 1 Indice\nS\nx\n@topic 6 TabellaPallet\nP\nx\n@topic - Esporta\nE\nx\n", "X");
    struct Row {
        const char* asked;
        const char* found; // nullptr: none
    };
    for (const Row& row :
         {Row{"TabellaPallet", "TabellaPallet"}, Row{"tabellapallet", "TabellaPallet"},
          Row{"TABELLAPALLET", "TabellaPallet"}, Row{"eSPORTA", "Esporta"},
          Row{"TabellaPallets", nullptr}, Row{"Tabella", nullptr}, Row{"", nullptr}}) {
        const Topic* topic = file.FindTopic(row.asked);
        if (row.found) {
            ASSERT_NE(topic, nullptr) << row.asked;
            EXPECT_EQ(topic->name, row.found);
        } else {
            EXPECT_EQ(topic, nullptr) << row.asked;
        }
    }
    ASSERT_NE(file.FindContext(6), nullptr);
    EXPECT_EQ(file.FindContext(6)->name, "TabellaPallet");
    EXPECT_EQ(file.FindContext(0), nullptr) << "topics without a number must not answer 0";
    EXPECT_EQ(file.FindContext(7), nullptr);
}

TEST(HelpFileLoad, MissingFileIsReportedByName) {
    const auto dir = ScratchFolder("missing");
    const auto path = dir / "HELP" / "AIUTO.HLP";
    try {
        HelpFile::Load(path);
        FAIL() << "no error";
    } catch (const velcaro::Error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(path.string()), std::string::npos) << message;
        EXPECT_NE(message.find("non esiste"), std::string::npos) << message;
    }
    std::filesystem::remove_all(dir);
}

TEST(HelpFileLoad, FolderInPlaceOfFileIsReported) {
    const auto dir = ScratchFolder("folder");
    std::filesystem::create_directories(dir / "AIUTO.HLP");
    try {
        HelpFile::Load(dir / "AIUTO.HLP");
        FAIL() << "no error";
    } catch (const velcaro::Error& e) {
        EXPECT_NE(std::string(e.what()).find("cartella"), std::string::npos) << e.what();
    }
    std::filesystem::remove_all(dir);
}

TEST(HelpFileLoad, FaultInFileNamesThePath) {
    const auto dir = ScratchFolder("fault");
    const auto path = dir / "AIUTO.HLP";
    std::ofstream(path) << "@topic 1 A\nT\nx\n@topic 1 B\nT\nx\n";
    try {
        HelpFile::Load(path);
        FAIL() << "no error";
    } catch (const velcaro::Error& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(path.string() + "\", riga 4"), std::string::npos) << message;
    }
    std::filesystem::remove_all(dir);
}

TEST(HelpFilePath, MatchesFolderAndFileWithoutRegardToCase) {
    const auto dir = ScratchFolder("path");
    EXPECT_EQ(HelpFilePath(dir), dir / "HELP" / "AIUTO.HLP")
        << "nothing there: the name as written";
    std::filesystem::create_directories(dir / "help");
    std::ofstream(dir / "help" / "Aiuto.hlp") << "x";
    EXPECT_EQ(HelpFilePath(dir), dir / "help" / "Aiuto.hlp");
    std::filesystem::remove_all(dir);
}

TEST(HelpServiceRecord, KeepsTheLastShowRequest) {
    RecordingHelpService service;
    velcaro::ui::HelpRequests& help = service; // as the windows reach it
    EXPECT_EQ(service.LastRequest().kind, HelpRequest::Kind::None);
    help.ShowContext(3);
    EXPECT_EQ(service.LastRequest(), HelpRequest::ForContext(3));
    help.ShowTopic("TabellaPallet");
    EXPECT_EQ(service.LastRequest(), HelpRequest::ForTopic("TabellaPallet"));
    help.ShowContext(0); // a window without help context: F1 does nothing
    EXPECT_EQ(service.LastRequest(), HelpRequest::ForTopic("TabellaPallet"));
    help.Close();
    EXPECT_EQ(service.CloseRequests(), 1);
    EXPECT_EQ(service.LastRequest(), HelpRequest::ForTopic("TabellaPallet"));
}

TEST(HelpServiceResolve, UnknownRequestsFallBackToContentsWithAMessage) {
    const HelpFile file = HelpFile::Parse("@topic 1 Indice\nS\nx\n@topic 4 Stivaggio\nT\nx\n", "X");
    struct Row {
        HelpRequest request;
        const char* topic;
        const char* message; // "" when found
    };
    for (const Row& row : {Row{HelpRequest::ForContext(4), "Stivaggio", ""},
                           Row{HelpRequest::ForTopic("STIVAGGIO"), "Stivaggio", ""},
                           Row{HelpRequest::ForContext(9), "Indice", "numero di contesto 9"},
                           Row{HelpRequest::ForTopic("Dislocazione"), "Indice", "\"Dislocazione\""},
                           Row{HelpRequest{}, "Indice", ""}}) {
        const HelpTarget target = ResolveRequest(file, row.request);
        ASSERT_NE(target.topic, nullptr);
        EXPECT_EQ(target.topic->name, row.topic);
        if (*row.message == '\0')
            EXPECT_TRUE(target.message.empty()) << target.message;
        else
            EXPECT_NE(target.message.find(row.message), std::string::npos) << target.message;
    }
}

TEST(HelpHtml, EscapesTextAndLinksTopics) {
    const HelpFile file =
        HelpFile::Parse("@topic 1 Indice\nA & B <C>\nPeso < **portata** > 0, vedi [[Indice|qui]]\n"
                        "> x < y\n",
                        "X");
    const std::string html = TopicHtml(file.Contents());
    EXPECT_NE(html.find("A &amp; B &lt;C&gt;"), std::string::npos) << html;
    EXPECT_NE(html.find("Peso &lt; <b>portata</b> &gt; 0"), std::string::npos) << html;
    EXPECT_NE(html.find("<a href=\"topic:Indice\">qui</a>"), std::string::npos) << html;
    EXPECT_NE(html.find("<pre>x &lt; y</pre>"), std::string::npos) << html;
    EXPECT_EQ(TopicNameFromLink("topic:Esporta"), "Esporta");
    EXPECT_EQ(TopicNameFromLink("https://example.org"), "");
}
