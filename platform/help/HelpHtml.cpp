#include "platform/help/HelpHtml.h"

namespace velcaro::help {
namespace {

void Escape(std::string& out, std::string_view text) {
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
}

void Spans(std::string& out, const Item& item) {
    for (const Span& span : item.spans) {
        if (span.bold)
            out += "<b>";
        if (!span.target.empty()) {
            out += "<a href=\"";
            out += kTopicLinkScheme;
            Escape(out, span.target);
            out += "\">";
        }
        Escape(out, span.text);
        if (!span.target.empty())
            out += "</a>";
        if (span.bold)
            out += "</b>";
    }
}

} // namespace

std::string TopicHtml(const Topic& topic) {
    std::string out = "<html><body>\n<h2 style=\"color:#1f3d7a\">";
    Escape(out, topic.title);
    out += "</h2>\n";
    for (const Block& block : topic.body) {
        switch (block.kind) {
        case BlockKind::Paragraph:
            out += "<p>";
            Spans(out, block.items.front());
            out += "</p>\n";
            break;
        case BlockKind::Heading:
            out += "<h3 style=\"color:#1f3d7a\">";
            Spans(out, block.items.front());
            out += "</h3>\n";
            break;
        case BlockKind::Bullets:
        case BlockKind::Numbered: {
            const bool numbered = block.kind == BlockKind::Numbered;
            out += numbered ? "<ol>\n" : "<ul>\n";
            for (const Item& item : block.items) {
                out += "<li>";
                Spans(out, item);
                out += "</li>\n";
            }
            out += numbered ? "</ol>\n" : "</ul>\n";
            break;
        }
        case BlockKind::Note:
            out += "<table width=\"100%\" cellpadding=\"6\" style=\"background-color:#fff4cc\">"
                   "<tr><td>";
            Spans(out, block.items.front());
            out += "</td></tr></table>\n";
            break;
        case BlockKind::Formula:
            out += "<table cellpadding=\"6\" style=\"background-color:#eef2f8\"><tr><td><pre>";
            for (std::size_t i = 0; i < block.items.size(); ++i) {
                if (i != 0)
                    out += '\n';
                for (const Span& span : block.items[i].spans)
                    Escape(out, span.text);
            }
            out += "</pre></td></tr></table>\n";
            break;
        }
    }
    out += "</body></html>\n";
    return out;
}

std::string TopicNameFromLink(std::string_view address) {
    if (address.substr(0, kTopicLinkScheme.size()) != kTopicLinkScheme)
        return {};
    return std::string(address.substr(kTopicLinkScheme.size()));
}

} // namespace velcaro::help
