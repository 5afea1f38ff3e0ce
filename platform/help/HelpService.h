#pragma once
// The help interface that every window calls: show a topic by context number, show a topic
// by name, close the viewer. The base class records each request before the viewer acts on
// it, so tests and the scenario runner can ask what the program asked for last.
#include "platform/help/HelpFile.h"
#include "platform/ui/Application.h" // ui::HelpRequests, the interface the windows call

#include <string>

namespace velcaro::help {

struct HelpRequest {
    enum class Kind { None, Context, Topic };
    Kind kind = Kind::None;
    int context = 0;   // for Kind::Context
    std::string topic; // for Kind::Topic, as the caller wrote it

    static HelpRequest ForContext(int context) { return {Kind::Context, context, {}}; }
    static HelpRequest ForTopic(std::string name) { return {Kind::Topic, 0, std::move(name)}; }
    bool operator==(const HelpRequest&) const = default;
};

// Implements the application's help interface (Application::SetHelp takes it).
class HelpService : public ui::HelpRequests {
public:
    // A context of 0 (or less) is a window without help: the request is ignored and not
    // recorded, as pressing F1 there does nothing.
    void ShowContext(int context) final;
    void ShowTopic(const std::string& name) final;
    void Close() final;

    // The last ShowContext or ShowTopic; closing the viewer does not clear it.
    const HelpRequest& LastRequest() const { return last_; }
    int CloseRequests() const { return closeRequests_; }

protected:
    // The viewer's part. An error (for instance a help file that cannot be read) is thrown
    // as velcaro::Error and reaches the user through the calling window's error box.
    virtual void DoShow(const HelpRequest& request) = 0;
    virtual void DoClose() = 0;

private:
    HelpRequest last_;
    int closeRequests_ = 0;
};

// A service that only records: the scenario runner's and the tests' viewer.
class RecordingHelpService final : public HelpService {
protected:
    void DoShow(const HelpRequest&) override {}
    void DoClose() override {}
};

// What a viewer shows for a request: the topic asked for or, when the file has no such
// topic, the contents topic together with a message that says what was not found.
struct HelpTarget {
    const Topic* topic = nullptr;
    std::string message; // empty when the topic asked for was found
};
HelpTarget ResolveRequest(const HelpFile& file, const HelpRequest& request);

} // namespace velcaro::help
