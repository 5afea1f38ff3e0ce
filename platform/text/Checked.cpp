#include "platform/text/Checked.h"

#include "platform/Error.h"

#include <limits>

namespace velcaro::text {

namespace {

[[noreturn]] void ThrowOverflow(bool upward) {
    throw OverflowError(upward ? "Il risultato del calcolo supera il limite dei numeri interi "
                                 "(2.147.483.647)."
                               : "Il risultato del calcolo supera il limite dei numeri interi "
                                 "(-2.147.483.648).");
}

void RequireDivisor(std::int32_t b) {
    if (b == 0)
        throw Error("Divisione per zero.");
}

} // namespace

// On overflow the exact result, which always fits in 64 bits, tells which limit was passed.
std::int32_t CheckedAdd(std::int32_t a, std::int32_t b) {
    std::int32_t r = 0;
    if (__builtin_add_overflow(a, b, &r))
        ThrowOverflow(b > 0);
    return r;
}

std::int32_t CheckedSub(std::int32_t a, std::int32_t b) {
    std::int32_t r = 0;
    if (__builtin_sub_overflow(a, b, &r))
        ThrowOverflow(b < 0);
    return r;
}

std::int32_t CheckedMul(std::int32_t a, std::int32_t b) {
    std::int32_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        ThrowOverflow((a < 0) == (b < 0));
    return r;
}

std::int32_t CheckedDiv(std::int32_t a, std::int32_t b) {
    RequireDivisor(b);
    if (a == std::numeric_limits<std::int32_t>::min() && b == -1)
        ThrowOverflow(true);
    return a / b;
}

// INT32_MIN mod -1 is 0 and fits; only the machine division would trap on it.
std::int32_t CheckedMod(std::int32_t a, std::int32_t b) {
    RequireDivisor(b);
    if (b == -1)
        return 0;
    return a % b;
}

std::int32_t CheckedNarrow(std::int64_t v) {
    if (v > std::numeric_limits<std::int32_t>::max())
        ThrowOverflow(true);
    if (v < std::numeric_limits<std::int32_t>::min())
        ThrowOverflow(false);
    return static_cast<std::int32_t>(v);
}

} // namespace velcaro::text
