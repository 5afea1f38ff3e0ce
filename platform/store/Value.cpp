#include "platform/store/Value.h"

#include "platform/Error.h"
#include "platform/text/Checked.h"
#include "platform/text/Conversions.h"

#include <cmath>
#include <limits>

namespace velcaro::store {

namespace {

bool IsContinuationByte(unsigned char c) {
    return (c & 0xC0U) == 0x80U;
}

} // namespace

std::string ValueToString(const Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return text::IntToStr(*i);
    if (const auto* d = std::get_if<double>(&v))
        return text::FloatToStr(*d);
    if (const auto* s = std::get_if<std::string>(&v))
        return *s;
    return {};
}

double ValueToFloat(const Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v))
        return *d;
    if (const auto* s = std::get_if<std::string>(&v))
        return s->empty() ? 0.0 : text::StrToFloat(*s);
    return 0.0;
}

std::int32_t ValueToInt32(const Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return text::CheckedNarrow(*i);
    if (const auto* d = std::get_if<double>(&v))
        return text::RoundToInt32(*d);
    if (const auto* s = std::get_if<std::string>(&v))
        return s->empty() ? 0 : text::StrToInt(*s);
    return 0;
}

std::int64_t ValueToInt64(const Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v))
        return *i;
    if (const auto* d = std::get_if<double>(&v)) {
        const double r = text::RoundHalfEven(*d);
        // 2^63 is exactly representable; anything at or beyond it does not fit.
        constexpr double kLimit = 9223372036854775808.0;
        if (!(r >= -kLimit && r < kLimit))
            throw OverflowError("Il valore " + text::FloatToStr(*d) +
                                " è troppo grande per un numero intero.");
        return static_cast<std::int64_t>(r);
    }
    if (const auto* s = std::get_if<std::string>(&v))
        return s->empty() ? 0 : text::StrToInt64(*s);
    return 0;
}

std::string TruncateToCharacters(std::string_view text, int characters) {
    if (characters <= 0)
        return {};
    int count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!IsContinuationByte(static_cast<unsigned char>(text[i]))) {
            if (count == characters)
                return std::string(text.substr(0, i));
            ++count;
        }
    }
    return std::string(text);
}

int CharacterCount(std::string_view text) {
    int count = 0;
    for (const char c : text)
        if (!IsContinuationByte(static_cast<unsigned char>(c)))
            ++count;
    return count;
}

} // namespace velcaro::store
