#include "platform/text/Regional.h"

#include <langinfo.h>
#include <locale.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace velcaro::text {

namespace {

// Length of the UTF-8 sequence that starts with the byte c (1 for anything malformed, so a
// broken locale text can never make us read past its end).
std::size_t Utf8Length(unsigned char c) {
    if (c >= 0xF0 && c < 0xF8)
        return 4;
    if (c >= 0xE0)
        return 3;
    if (c >= 0xC0)
        return 2;
    return 1;
}

// The locale name that governs a category, resolved the way the C library does it.
std::string EffectiveLocaleName(const char* category) {
    for (const char* var : {"LC_ALL", category, "LANG"}) {
        const char* value = std::getenv(var);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return "";
}

// A missing or "C" locale says nothing about the user's habits: keep the plain defaults.
bool IsUnconfigured(const std::string& name) {
    return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

// The separator between hours and minutes in the locale's time format ("%H:%M:%S" -> ":").
std::string TimeSeparatorOf(std::string_view format) {
    for (std::size_t i = 0; i < format.size();) {
        if (format[i] == '%') {
            i += 1;
            if (i < format.size() && (format[i] == 'E' || format[i] == 'O'))
                i += 1;
            i += 1;
            continue;
        }
        const auto c = static_cast<unsigned char>(format[i]);
        if (c != ' ') {
            const std::size_t len = std::min(Utf8Length(c), format.size() - i);
            return std::string(format.substr(i, len));
        }
        i += 1;
    }
    return ":";
}

RegionalSettings& Current() {
    static RegionalSettings settings = RegionalSettings::FromUserLocale();
    return settings;
}

} // namespace

RegionalSettings RegionalSettings::Italian() {
    return RegionalSettings{",", ".", ":"};
}

RegionalSettings RegionalSettings::English() {
    return RegionalSettings{".", ",", ":"};
}

RegionalSettings RegionalSettings::FromUserLocale() {
    RegionalSettings result{".", ",", ":"};

    const std::string numericName = EffectiveLocaleName("LC_NUMERIC");
    if (!IsUnconfigured(numericName)) {
        // A private locale object: the process-wide C locale stays as it is.
        if (locale_t loc = newlocale(LC_NUMERIC_MASK, numericName.c_str(), locale_t{})) {
            const char* radix = nl_langinfo_l(RADIXCHAR, loc);
            const char* thousands = nl_langinfo_l(THOUSEP, loc);
            if (radix != nullptr && *radix != '\0')
                result.decimalSeparator = radix;
            // An empty thousands separator is legitimate: grouping is then simply off.
            result.thousandSeparator = thousands != nullptr ? thousands : "";
            freelocale(loc);
        }
    }
    if (result.thousandSeparator == result.decimalSeparator)
        result.thousandSeparator.clear();

    const std::string timeName = EffectiveLocaleName("LC_TIME");
    if (!IsUnconfigured(timeName)) {
        if (locale_t loc = newlocale(LC_TIME_MASK, timeName.c_str(), locale_t{})) {
            const char* format = nl_langinfo_l(T_FMT, loc);
            if (format != nullptr)
                result.timeSeparator = TimeSeparatorOf(format);
            freelocale(loc);
        }
    }
    return result;
}

const RegionalSettings& Regional() {
    return Current();
}

void SetRegional(const RegionalSettings& settings) {
    Current() = settings;
}

ScopedRegional::ScopedRegional(const RegionalSettings& s) : saved_(Regional()) {
    SetRegional(s);
}

ScopedRegional::~ScopedRegional() {
    SetRegional(saved_);
}

} // namespace velcaro::text
