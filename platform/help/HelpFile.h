#pragma once
// The program's help file: a UTF-8 text of topics, each with a name, an optional context
// number, a title and a body of simple blocks (docs/help-format.md describes the format).
//
// HelpFile owns its topics by value; the Topic pointers it hands out live as long as the
// HelpFile they came from. No toolkit here: the Qt viewer renders what this parser builds.
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace velcaro::help {

// A run of text with one style. A link carries the name of the topic it leads to.
struct Span {
    std::string text;
    bool bold = false;
    std::string target; // topic name when the span is a link, empty otherwise
};

// One paragraph, one list item, one heading or one formula line, with the line where it
// starts in the file (for error messages).
struct Item {
    std::vector<Span> spans;
    int line = 0;
};

enum class BlockKind {
    Paragraph, // running text
    Heading,   // "== Heading"
    Bullets,   // "- item"
    Numbered,  // "1. item"
    Note,      // "! text": an attention box
    Formula,   // "> line": kept verbatim, shown in a fixed-width box, no inline markup
};

struct Block {
    BlockKind kind = BlockKind::Paragraph;
    std::vector<Item> items; // one for Paragraph, Heading and Note; one per item or line
};

struct Topic {
    int context = 0; // 0 when the topic has no context number
    std::string name;
    std::string title;
    std::vector<Block> body;
    int line = 0; // line of its "@topic" header
};

class HelpFile {
public:
    // Reads and parses a file. A missing or unreadable file, text that is not UTF-8 and
    // every fault of the format throw velcaro::Error with an Italian text that names the
    // file and, for faults of the format, the line.
    static HelpFile Load(const std::filesystem::path& path);

    // Parses a text already in memory; sourceName stands for the file in error messages.
    static HelpFile Parse(std::string_view text, const std::string& sourceName);

    const std::vector<Topic>& Topics() const { return topics_; }

    // The first topic of the file is the contents topic (there is always one).
    const Topic& Contents() const { return topics_.front(); }

    // nullptr when no topic has that context number (0 never matches).
    const Topic* FindContext(int context) const;

    // Names are matched without regard to case; nullptr when there is none.
    const Topic* FindTopic(std::string_view name) const;

private:
    std::vector<Topic> topics_;
};

// The help file of a program folder: HELP/AIUTO.HLP, each part of the path matched without
// regard to case as the program does for every file it names. When nothing matches, the
// path as written, so that loading reports the missing file by that name.
std::filesystem::path HelpFilePath(const std::filesystem::path& programFolder);

// Topic names: letters A-Z/a-z, digits and '_', compared without regard to case.
bool SameTopicName(std::string_view a, std::string_view b);

} // namespace velcaro::help
