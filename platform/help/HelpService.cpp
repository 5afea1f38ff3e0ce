#include "platform/help/HelpService.h"

namespace velcaro::help {

void HelpService::ShowContext(int context) {
    if (context <= 0)
        return;
    last_ = HelpRequest::ForContext(context);
    DoShow(last_);
}

void HelpService::ShowTopic(const std::string& name) {
    last_ = HelpRequest::ForTopic(name);
    DoShow(last_);
}

void HelpService::Close() {
    ++closeRequests_;
    DoClose();
}

HelpTarget ResolveRequest(const HelpFile& file, const HelpRequest& request) {
    switch (request.kind) {
    case HelpRequest::Kind::Context:
        if (const Topic* topic = file.FindContext(request.context))
            return {topic, {}};
        return {&file.Contents(), "La guida non contiene l'argomento con numero di contesto " +
                                      std::to_string(request.context) +
                                      ": è mostrato il sommario."};
    case HelpRequest::Kind::Topic:
        if (const Topic* topic = file.FindTopic(request.topic))
            return {topic, {}};
        return {&file.Contents(), "La guida non contiene l'argomento \"" + request.topic +
                                      "\": è mostrato il sommario."};
    case HelpRequest::Kind::None:
        break;
    }
    return {&file.Contents(), {}};
}

} // namespace velcaro::help
