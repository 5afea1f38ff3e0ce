#pragma once
// The user's regional settings for numbers and times. Read once from the user's
// locale; tests and the scenario runner set them explicitly.
#include <string>

namespace velcaro::text {

struct RegionalSettings {
    std::string decimalSeparator = ",";
    std::string thousandSeparator = ".";
    std::string timeSeparator = ":";

    static RegionalSettings Italian();  // "," "." ":"
    static RegionalSettings English();  // "." "," ":"
    static RegionalSettings FromUserLocale(); // LC_NUMERIC / LC_TIME of the environment
};

const RegionalSettings& Regional();
void SetRegional(const RegionalSettings& settings);

// Sets the settings for the life of the object and restores the old ones after.
class ScopedRegional {
public:
    explicit ScopedRegional(const RegionalSettings& s);
    ~ScopedRegional();
    ScopedRegional(const ScopedRegional&) = delete;
    ScopedRegional& operator=(const ScopedRegional&) = delete;

private:
    RegionalSettings saved_;
};

} // namespace velcaro::text
