#include "platform/help/HelpFile.h"

#include "platform/Error.h"

#include <charconv>
#include <climits>
#include <fstream>
#include <map>
#include <sstream>
#include <system_error>

namespace velcaro::help {
namespace {

[[noreturn]] void FailAt(const std::string& source, int line, const std::string& message) {
    throw Error("Errore nel file della guida \"" + source + "\", riga " + std::to_string(line) +
                ": " + message + ".");
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsNameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool IsValidName(std::string_view name) {
    if (name.empty() || name.size() > 64)
        return false;
    for (char c : name)
        if (!IsNameChar(c))
            return false;
    return true;
}

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = 0;
        unsigned min = 0;
        unsigned cp = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            extra = 1, min = 0x80, cp = c & 0x1Fu;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2, min = 0x800, cp = c & 0x0Fu;
        } else if ((c & 0xF8) == 0xF0) {
            extra = 3, min = 0x10000, cp = c & 0x07u;
        } else {
            return false;
        }
        if (extra >= s.size() - i)
            return false; // cut short
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto cc = static_cast<unsigned char>(s[i + k]);
            if ((cc & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (cc & 0x3Fu);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        i += extra + 1;
    }
    return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::vector<std::string_view> Tokens(std::string_view s) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < s.size() && s[i] != ' ' && s[i] != '\t')
            ++i;
        if (i > start)
            out.push_back(s.substr(start, i - start));
    }
    return out;
}

// "1. text", "12. text": the length of the marker including the blank, or 0.
std::size_t NumberedMarker(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9')
        ++i;
    if (i == 0 || i + 1 >= line.size() || line[i] != '.' || line[i + 1] != ' ')
        return 0;
    return i + 2;
}

bool StartsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

// A paragraph, item or formula line before its inline markup is read.
struct RawItem {
    std::string text;
    int line = 0;
};

struct RawBlock {
    BlockKind kind = BlockKind::Paragraph;
    std::vector<RawItem> items;
};

class Parser {
public:
    explicit Parser(std::string source) : source_(std::move(source)) {}

    std::vector<Topic> Run(std::string_view text) {
        if (StartsWith(text, "\xEF\xBB\xBF"))
            text.remove_prefix(3);
        const auto lines = SplitLines(text);
        for (std::size_t n = 0; n < lines.size(); ++n)
            Line(lines[n], static_cast<int>(n) + 1);
        EndTopic();
        if (topics_.empty())
            throw Error("Errore nel file della guida \"" + source_ +
                        "\": il file non contiene alcun argomento.");
        CheckLinks();
        return std::move(topics_);
    }

private:
    void Line(std::string_view line, int number) {
        if (!IsUtf8(line))
            FailAt(source_, number, "il testo non è codificato in UTF-8");
        if (StartsWith(line, ";"))
            return; // comment
        if (StartsWith(line, "@")) {
            Header(line, number);
            return;
        }
        const std::string_view trimmed = Trim(line);
        if (topics_.empty()) {
            if (!trimmed.empty())
                FailAt(source_, number,
                       "testo fuori da un argomento: ogni argomento comincia con \"@topic\"");
            return;
        }
        if (expectTitle_) {
            if (trimmed.empty())
                FailAt(source_, topics_.back().line,
                       "manca il titolo dell'argomento \"" + topics_.back().name +
                           "\" (va scritto nella riga subito dopo l'intestazione)");
            topics_.back().title = std::string(trimmed);
            expectTitle_ = false;
            return;
        }
        if (trimmed.empty()) {
            CloseBlock();
            return;
        }
        Body(line, trimmed, number);
    }

    void Header(std::string_view line, int number) {
        const auto tokens = Tokens(line);
        if (tokens.front() != "@topic")
            FailAt(source_, number,
                   "direttiva sconosciuta \"" + std::string(tokens.front()) +
                       "\" (l'unica ammessa è \"@topic\")");
        EndTopic();
        if (tokens.size() < 3)
            FailAt(source_, number,
                   "intestazione incompleta: dopo \"@topic\" servono il numero di contesto "
                   "(o \"-\") e il nome dell'argomento");
        if (tokens.size() > 3)
            FailAt(source_, number,
                   "intestazione con troppi elementi: il nome dell'argomento non può contenere "
                   "spazi");
        Topic topic;
        topic.line = number;
        topic.context = Context(tokens[1], number);
        topic.name = std::string(tokens[2]);
        if (!IsValidName(topic.name))
            FailAt(source_, number,
                   "nome di argomento non valido \"" + topic.name +
                       "\" (ammessi lettere senza accenti, cifre e \"_\", al massimo 64)");
        for (const Topic& other : topics_) {
            if (SameTopicName(other.name, topic.name))
                FailAt(source_, number,
                       "l'argomento \"" + topic.name + "\" è già definito alla riga " +
                           std::to_string(other.line));
            if (topic.context != 0 && other.context == topic.context)
                FailAt(source_, number,
                       "il numero di contesto " + std::to_string(topic.context) +
                           " è già usato dall'argomento \"" + other.name + "\" (riga " +
                           std::to_string(other.line) + ")");
        }
        topics_.push_back(std::move(topic));
        raw_.emplace_back();
        expectTitle_ = true;
    }

    int Context(std::string_view token, int number) {
        if (token == "-")
            return 0;
        int value = 0;
        const auto* end = token.data() + token.size();
        const auto [ptr, ec] = std::from_chars(token.data(), end, value);
        const bool digitsOnly = token.find_first_not_of("0123456789") == std::string_view::npos;
        if (!digitsOnly || ec != std::errc() || ptr != end)
            FailAt(source_, number,
                   "numero di contesto non valido \"" + std::string(token) +
                       "\" (un intero positivo, oppure \"-\" per nessuno)");
        if (value == 0)
            FailAt(source_, number,
                   "il numero di contesto 0 non è ammesso: per un argomento senza numero si "
                   "scrive \"-\"");
        return value;
    }

    void Body(std::string_view line, std::string_view trimmed, int number) {
        auto& blocks = raw_.back();
        const bool atMargin = !line.empty() && line[0] != ' ' && line[0] != '\t';
        if (atMargin && StartsWith(line, "==")) {
            CloseBlock();
            const auto text = Trim(line.substr(2));
            if (text.empty())
                FailAt(source_, number, "titoletto vuoto dopo \"==\"");
            blocks.push_back({BlockKind::Heading, {{std::string(text), number}}});
            CloseBlock();
            return;
        }
        if (atMargin && (line == ">" || StartsWith(line, "> "))) {
            Open(BlockKind::Formula);
            blocks.back().items.push_back(
                {std::string(line.size() > 2 ? line.substr(2) : std::string_view{}), number});
            // Trailing blanks of a formula line carry no meaning.
            auto& text = blocks.back().items.back().text;
            text.erase(text.find_last_not_of(" \t") + 1);
            return;
        }
        if (atMargin && StartsWith(line, "- ")) {
            Open(BlockKind::Bullets);
            blocks.back().items.push_back({std::string(Trim(line.substr(2))), number});
            return;
        }
        if (const auto marker = atMargin ? NumberedMarker(line) : 0; marker != 0) {
            Open(BlockKind::Numbered);
            blocks.back().items.push_back({std::string(Trim(line.substr(marker))), number});
            return;
        }
        if (atMargin && StartsWith(line, "! ")) {
            if (!open_ || blocks.back().kind != BlockKind::Note) {
                Open(BlockKind::Note);
                blocks.back().items.push_back({std::string(Trim(line.substr(2))), number});
            } else {
                Append(blocks.back().items.back(), Trim(line.substr(2)));
            }
            return;
        }
        // Plain text continues the open paragraph or list item; a note goes on only with
        // further "! " lines, so that a paragraph may follow it directly.
        const BlockKind openKind = open_ ? blocks.back().kind : BlockKind::Heading;
        if (openKind == BlockKind::Paragraph || openKind == BlockKind::Bullets ||
            openKind == BlockKind::Numbered) {
            Append(blocks.back().items.back(), trimmed);
            return;
        }
        Open(BlockKind::Paragraph);
        blocks.back().items.push_back({std::string(trimmed), number});
    }

    static void Append(RawItem& item, std::string_view more) {
        if (!item.text.empty())
            item.text += ' ';
        item.text += more;
    }

    void Open(BlockKind kind) {
        if (open_ && raw_.back().back().kind == kind)
            return;
        CloseBlock();
        raw_.back().push_back({kind, {}});
        open_ = true;
    }

    void CloseBlock() { open_ = false; }

    void EndTopic() {
        CloseBlock();
        if (topics_.empty())
            return;
        if (expectTitle_)
            FailAt(source_, topics_.back().line,
                   "manca il titolo dell'argomento \"" + topics_.back().name + "\"");
        Topic& topic = topics_.back();
        if (raw_.back().empty())
            FailAt(source_, topic.line,
                   "l'argomento \"" + topic.name + "\" ha il titolo ma nessun testo");
        for (RawBlock& raw : raw_.back()) {
            Block block;
            block.kind = raw.kind;
            for (RawItem& item : raw.items) {
                Item out;
                out.line = item.line;
                if (raw.kind == BlockKind::Formula || raw.kind == BlockKind::Heading)
                    out.spans.push_back({std::move(item.text), false, {}});
                else
                    out.spans = Inline(item.text, item.line);
                block.items.push_back(std::move(out));
            }
            topic.body.push_back(std::move(block));
        }
    }

    // "**bold**", "[[Name]]" and "[[Name|text]]".
    std::vector<Span> Inline(const std::string& text, int line) {
        std::vector<Span> spans;
        std::string current;
        bool bold = false;
        auto flush = [&] {
            if (!current.empty())
                spans.push_back({std::move(current), bold, {}});
            current.clear();
        };
        std::size_t i = 0;
        while (i < text.size()) {
            if (text.compare(i, 2, "**") == 0) {
                flush();
                bold = !bold;
                i += 2;
            } else if (text.compare(i, 2, "[[") == 0) {
                const auto close = text.find("]]", i + 2);
                if (close == std::string::npos)
                    FailAt(source_, line, "collegamento non chiuso: manca \"]]\"");
                const std::string_view inner(text.data() + i + 2, close - i - 2);
                const auto bar = inner.find('|');
                const auto target = Trim(inner.substr(0, bar));
                const auto label = bar == std::string_view::npos ? std::string_view{}
                                                                 : Trim(inner.substr(bar + 1));
                if (!IsValidName(target))
                    FailAt(source_, line,
                           "collegamento con nome di argomento non valido \"" +
                               std::string(target) + "\"");
                if (bar != std::string_view::npos && label.empty())
                    FailAt(source_, line, "collegamento con testo vuoto dopo \"|\"");
                flush();
                spans.push_back({std::string(label), bold, std::string(target)});
                links_.push_back({line, std::string(target)});
                i = close + 2;
            } else if (text.compare(i, 2, "]]") == 0) {
                FailAt(source_, line, "\"]]\" senza il \"[[\" che apre il collegamento");
            } else {
                current += text[i++];
            }
        }
        flush();
        if (bold)
            FailAt(source_, line, "grassetto non chiuso: manca il secondo \"**\"");
        return spans;
    }

    void CheckLinks() {
        std::map<std::string, const Topic*> byName;
        for (const Topic& t : topics_) {
            std::string key;
            for (char c : t.name)
                key += LowerAscii(c);
            byName[key] = &t;
        }
        auto find = [&](const std::string& name) -> const Topic* {
            std::string key;
            for (char c : name)
                key += LowerAscii(c);
            const auto it = byName.find(key);
            return it == byName.end() ? nullptr : it->second;
        };
        for (const Link& link : links_)
            if (!find(link.target))
                FailAt(source_, link.line,
                       "collegamento all'argomento inesistente \"" + link.target + "\"");
        // A link written without its own text shows the title of the topic it leads to.
        for (Topic& topic : topics_)
            for (Block& block : topic.body)
                for (Item& item : block.items)
                    for (Span& span : item.spans)
                        if (!span.target.empty() && span.text.empty())
                            span.text = find(span.target)->title;
    }

    struct Link {
        int line = 0;
        std::string target;
    };

    std::string source_;
    std::vector<Topic> topics_;
    std::vector<std::vector<RawBlock>> raw_; // per topic, until EndTopic converts it
    std::vector<Link> links_;
    bool expectTitle_ = false;
    bool open_ = false;
};

} // namespace

bool SameTopicName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i]))
            return false;
    return true;
}

HelpFile HelpFile::Parse(std::string_view text, const std::string& sourceName) {
    HelpFile file;
    file.topics_ = Parser(sourceName).Run(text);
    return file;
}

HelpFile HelpFile::Load(const std::filesystem::path& path) {
    std::error_code ec;
    std::string reason;
    if (!std::filesystem::exists(path, ec))
        reason = "il file non esiste";
    else if (std::filesystem::is_directory(path, ec))
        reason = "al suo posto c'è una cartella";
    std::ifstream in;
    if (reason.empty()) {
        in.open(path, std::ios::binary);
        if (!in)
            reason = "il file non si lascia leggere";
    }
    if (reason.empty()) {
        std::ostringstream text;
        text << in.rdbuf();
        if (in.bad())
            reason = "errore di lettura";
        else
            return Parse(text.str(), path.string());
    }
    throw Error("Impossibile aprire il file della guida \"" + path.string() + "\": " + reason +
                ".");
}

const Topic* HelpFile::FindContext(int context) const {
    if (context == 0)
        return nullptr;
    for (const Topic& topic : topics_)
        if (topic.context == context)
            return &topic;
    return nullptr;
}

const Topic* HelpFile::FindTopic(std::string_view name) const {
    for (const Topic& topic : topics_)
        if (SameTopicName(topic.name, name))
            return &topic;
    return nullptr;
}

std::filesystem::path HelpFilePath(const std::filesystem::path& programFolder) {
    std::filesystem::path current = programFolder;
    bool found = true;
    for (const char* part : {"HELP", "AIUTO.HLP"}) {
        std::error_code ec;
        std::filesystem::path next = current / part;
        if (found && !std::filesystem::exists(next, ec)) {
            found = false;
            for (std::filesystem::directory_iterator it(current, ec), end; !ec && it != end;
                 it.increment(ec)) {
                if (SameTopicName(it->path().filename().string(), part)) {
                    next = it->path();
                    found = true;
                    break;
                }
            }
        }
        current = next;
    }
    return current;
}

} // namespace velcaro::help
