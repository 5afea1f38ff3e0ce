#include "platform/text/DecimalDigits.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <utility>

namespace velcaro::text {

namespace {

void TrimTrailingZeros(DecimalDigits& d) {
    const auto last = d.digits.find_last_not_of('0');
    d.digits.erase(last == std::string::npos ? 0 : last + 1);
    if (d.digits.empty())
        d.exponent = 0;
}

// Keeps the first `keep` digits, rounding half away from zero on the first digit dropped.
DecimalDigits RoundAt(DecimalDigits d, long keep) {
    if (keep >= static_cast<long>(d.digits.size()))
        return d;
    if (keep < 0) {
        d.digits.clear();
        d.exponent = 0;
        return d;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (up) {
        long i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.exponent += 1;
        } else {
            d.digits[static_cast<std::size_t>(i)] += 1;
        }
    }
    TrimTrailingZeros(d);
    return d;
}

} // namespace

DecimalDigits ShortestDigits(double v) {
    DecimalDigits d;
    d.negative = std::signbit(v);
    if (v == 0.0)
        return d;
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific);
    const std::string_view text(buf, static_cast<std::size_t>(res.ptr - buf));
    const auto e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.')
            d.digits.push_back(c);
    int exp10 = 0;
    std::string_view expText = text.substr(e + 1);
    if (!expText.empty() && expText.front() == '+')
        expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), exp10);
    d.exponent = exp10 + 1;
    TrimTrailingZeros(d);
    return d;
}

DecimalDigits RoundToDecimals(DecimalDigits d, int decimals) {
    const long keep = static_cast<long>(d.exponent) + decimals;
    return RoundAt(std::move(d), keep);
}

DecimalDigits RoundToSignificant(DecimalDigits d, int precision) {
    return RoundAt(std::move(d), precision);
}

} // namespace velcaro::text
