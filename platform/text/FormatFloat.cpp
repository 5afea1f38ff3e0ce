#include "platform/text/FormatFloat.h"

#include "platform/text/Conversions.h"
#include "platform/text/DecimalDigits.h"
#include "platform/text/Regional.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velcaro::text {

namespace {

// Beyond this a fixed layout would show digits the double does not have: the general
// form takes over.
constexpr double kFixedLimit = 1e18;

// A pattern may hold up to three sections: positive;negative;zero. A ";" inside quotes is
// text, not a separator.
std::vector<std::string_view> SplitSections(std::string_view pattern) {
    std::vector<std::string_view> sections;
    std::size_t start = 0;
    char quote = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == ';' && sections.size() < 2) {
            sections.push_back(pattern.substr(start, i - start));
            start = i + 1;
        }
    }
    sections.push_back(pattern.substr(start));
    return sections;
}

// What the placeholders of one section ask for.
struct Layout {
    std::size_t placeholders = 0;     // count of "0" and "#"
    std::size_t integerPlaces = 0;    // placeholders before the decimal point
    std::size_t requiredInteger = 0;  // integer digits always shown (from the first "0")
    std::size_t requiredDecimals = 0; // decimals always shown (up to the last "0")
    bool grouping = false;            // a "," anywhere

    std::size_t Decimals() const { return placeholders - integerPlaces; }
};

Layout ScanSection(std::string_view section) {
    Layout l;
    bool point = false;
    std::size_t firstZero = std::string_view::npos;
    std::size_t lastZero = 0; // one past the last "0"
    char quote = 0;
    for (char c : section) {
        if (quote != 0) {
            if (c == quote)
                quote = 0;
            continue;
        }
        switch (c) {
        case '0':
            if (firstZero == std::string_view::npos)
                firstZero = l.placeholders;
            ++l.placeholders;
            lastZero = l.placeholders;
            break;
        case '#':
            ++l.placeholders;
            break;
        case '.':
            if (!point) {
                point = true;
                l.integerPlaces = l.placeholders;
            }
            break;
        case ',':
            l.grouping = true;
            break;
        case '\'':
        case '"':
            quote = c;
            break;
        default:
            break;
        }
    }
    if (!point)
        l.integerPlaces = l.placeholders;
    if (firstZero != std::string_view::npos && firstZero < l.integerPlaces)
        l.requiredInteger = l.integerPlaces - firstZero;
    if (lastZero > l.integerPlaces)
        l.requiredDecimals = lastZero - l.integerPlaces;
    return l;
}

// The digits of |value| laid out into one section. Integer digits that have no placeholder
// of their own all go where the first placeholder stands; the decimal separator goes just
// before the first decimal shown, and only when one is shown.
std::string ApplySection(std::string_view section, const Layout& l, const DecimalDigits& d,
                         bool minus) {
    const RegionalSettings& regional = Regional();
    const bool grouping = l.grouping && !regional.thousandSeparator.empty();

    std::string integer;
    std::string fraction;
    if (d.exponent > 0) {
        const auto len = static_cast<std::size_t>(d.exponent);
        integer = d.digits.substr(0, len);
        integer.append(len - integer.size(), '0');
        if (d.digits.size() > len)
            fraction = d.digits.substr(len);
    } else if (!d.digits.empty()) {
        fraction.assign(static_cast<std::size_t>(-d.exponent), '0');
        fraction += d.digits;
    }
    if (integer.size() < l.requiredInteger)
        integer.insert(0, l.requiredInteger - integer.size(), '0');
    if (fraction.size() < l.requiredDecimals)
        fraction.append(l.requiredDecimals - fraction.size(), '0');

    const std::size_t width = integer.size();
    std::string out = minus ? "-" : "";
    // Position p counts integer digits from the decimal point: 1 is the units.
    auto putInteger = [&](std::size_t p) {
        out += integer[width - p];
        if (grouping && p > 1 && (p - 1) % 3 == 0)
            out += regional.thousandSeparator;
    };

    std::size_t k = 0; // placeholder index
    char quote = 0;
    for (char c : section) {
        if (quote != 0) {
            if (c == quote)
                quote = 0;
            else
                out += c;
            continue;
        }
        if (c == '\'' || c == '"') {
            quote = c;
            continue;
        }
        if (c == '.' || c == ',')
            continue;
        if (c != '0' && c != '#') {
            out += c;
            continue;
        }
        if (k == 0)
            for (std::size_t p = width; p > l.integerPlaces; --p)
                putInteger(p);
        if (k < l.integerPlaces) {
            const std::size_t p = l.integerPlaces - k;
            if (p <= width)
                putInteger(p);
        } else {
            const std::size_t j = k - l.integerPlaces; // 0 is the first decimal
            if (j < fraction.size()) {
                if (j == 0)
                    out += regional.decimalSeparator;
                out += fraction[j];
            }
        }
        ++k;
    }
    return out;
}

} // namespace

// Rounding works on the shortest decimal digits that read back as the same double, half
// away from zero: 0.15 shows as 0,2 with "0.0", as the user reading 0,15 expects, although
// the double nearest to 0.15 lies a little below it.
std::string FormatFloat(std::string_view pattern, double value) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (pattern.empty() || std::fabs(value) >= kFixedLimit)
        return FloatToStr(value);

    const std::vector<std::string_view> sections = SplitSections(pattern);
    const bool negative = value < 0;
    std::string_view section = sections[0];
    bool minus = negative;
    if (negative && sections.size() > 1 && !sections[1].empty()) {
        section = sections[1];
        minus = false; // the negative section shows the sign its own way
    }
    Layout layout = ScanSection(section);
    DecimalDigits digits =
        RoundToDecimals(ShortestDigits(value), static_cast<int>(layout.Decimals()));
    if (digits.digits.empty()) {
        // Rounded to zero: no sign, and the zero section when there is one.
        minus = false;
        if (sections.size() > 2 && !sections[2].empty())
            section = sections[2];
        else
            section = sections[0];
        layout = ScanSection(section);
    }
    return ApplySection(section, layout, digits, minus);
}

} // namespace velcaro::text
