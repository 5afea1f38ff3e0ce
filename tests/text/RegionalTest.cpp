#include "platform/text/Regional.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velcaro::text {
namespace {

// Sets the locale variables for one test and puts the old ones back.
class LocaleEnvironment {
public:
    LocaleEnvironment(const char* all, const char* numeric, const char* lang) {
        Set("LC_ALL", all);
        Set("LC_NUMERIC", numeric);
        Set("LC_TIME", nullptr);
        Set("LANG", lang);
    }
    ~LocaleEnvironment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                setenv(it->first.c_str(), it->second->c_str(), 1);
            else
                unsetenv(it->first.c_str());
        }
    }
    LocaleEnvironment(const LocaleEnvironment&) = delete;
    LocaleEnvironment& operator=(const LocaleEnvironment&) = delete;

private:
    void Set(const char* name, const char* value) {
        const char* old = std::getenv(name);
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

bool LocaleInstalled(const char* name) {
    if (locale_t loc = newlocale(LC_NUMERIC_MASK, name, locale_t{})) {
        freelocale(loc);
        return true;
    }
    return false;
}

TEST(RegionalSettings, FixedSets) {
    const RegionalSettings it = RegionalSettings::Italian();
    EXPECT_EQ(it.decimalSeparator, ",");
    EXPECT_EQ(it.thousandSeparator, ".");
    EXPECT_EQ(it.timeSeparator, ":");
    const RegionalSettings en = RegionalSettings::English();
    EXPECT_EQ(en.decimalSeparator, ".");
    EXPECT_EQ(en.thousandSeparator, ",");
    EXPECT_EQ(en.timeSeparator, ":");
}

struct EnvRow {
    const char* fault;
    const char* all;
    const char* numeric;
    const char* lang;
};

// None of these names a usable locale: the plain defaults apply, never a crash.
const EnvRow kUnreadable[] = {
    {"NothingSet", nullptr, nullptr, nullptr},
    {"CLocale", "C", nullptr, nullptr},
    {"PosixLocale", nullptr, nullptr, "POSIX"},
    {"CUtf8Locale", nullptr, "C.UTF-8", nullptr},
    {"UnknownLocale", "xx_YY.UTF-8", nullptr, nullptr},
    {"Garbage", nullptr, "\xff\xfe/../", nullptr},
};

class UnreadableLocale : public ::testing::TestWithParam<EnvRow> {};

TEST_P(UnreadableLocale, FallsBackToPointAndComma) {
    LocaleEnvironment env(GetParam().all, GetParam().numeric, GetParam().lang);
    const RegionalSettings s = RegionalSettings::FromUserLocale();
    EXPECT_EQ(s.decimalSeparator, ".");
    EXPECT_EQ(s.thousandSeparator, ",");
    EXPECT_EQ(s.timeSeparator, ":");
}

INSTANTIATE_TEST_SUITE_P(Table, UnreadableLocale, ::testing::ValuesIn(kUnreadable),
                         [](const auto& info) { return std::string(info.param.fault); });

TEST(RegionalSettings, ItalianLocaleWhenInstalled) {
    if (!LocaleInstalled("it_IT.UTF-8"))
        GTEST_SKIP() << "it_IT.UTF-8 not installed";
    LocaleEnvironment env(nullptr, nullptr, "it_IT.UTF-8");
    const RegionalSettings s = RegionalSettings::FromUserLocale();
    EXPECT_EQ(s.decimalSeparator, ",");
    EXPECT_EQ(s.thousandSeparator, ".");
}

TEST(RegionalSettings, LcAllOverridesLang) {
    if (!LocaleInstalled("it_IT.UTF-8"))
        GTEST_SKIP() << "it_IT.UTF-8 not installed";
    LocaleEnvironment env("C", nullptr, "it_IT.UTF-8");
    EXPECT_EQ(RegionalSettings::FromUserLocale().decimalSeparator, ".");
}

TEST(RegionalSettings, MultibyteThousandsSeparatorWhenInstalled) {
    if (!LocaleInstalled("fr_FR.UTF-8"))
        GTEST_SKIP() << "fr_FR.UTF-8 not installed";
    LocaleEnvironment env(nullptr, "fr_FR.UTF-8", nullptr);
    const RegionalSettings s = RegionalSettings::FromUserLocale();
    EXPECT_EQ(s.decimalSeparator, ",");
    EXPECT_GE(s.thousandSeparator.size(), 1u); // a (narrow) no-break space, whole
    EXPECT_NE(s.thousandSeparator, s.decimalSeparator);
}

TEST(ScopedRegional, RestoresPreviousSettings) {
    SetRegional(RegionalSettings::English());
    {
        ScopedRegional it(RegionalSettings::Italian());
        EXPECT_EQ(Regional().decimalSeparator, ",");
        {
            ScopedRegional odd(RegionalSettings{"·", "", "."});
            EXPECT_EQ(Regional().decimalSeparator, "·");
        }
        EXPECT_EQ(Regional().thousandSeparator, ".");
    }
    EXPECT_EQ(Regional().decimalSeparator, ".");
    EXPECT_EQ(Regional().thousandSeparator, ",");
}

} // namespace
} // namespace velcaro::text
