#pragma once
// A topic as the rich text that the help viewer shows (the subset of HTML that Qt's text
// browser understands). Links lead to "topic:Name".
#include "platform/help/HelpFile.h"

#include <string>
#include <string_view>

namespace velcaro::help {

inline constexpr std::string_view kTopicLinkScheme = "topic:";

std::string TopicHtml(const Topic& topic);

// "topic:Name" -> "Name"; empty for any other address.
std::string TopicNameFromLink(std::string_view address);

} // namespace velcaro::help
