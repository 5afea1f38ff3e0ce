#pragma once
// 32-bit arithmetic that never wraps: an overflow throws OverflowError with an Italian
// text the user can act on.
#include <cstdint>

namespace velcaro::text {

std::int32_t CheckedAdd(std::int32_t a, std::int32_t b);
std::int32_t CheckedSub(std::int32_t a, std::int32_t b);
std::int32_t CheckedMul(std::int32_t a, std::int32_t b);
// Integer division truncating toward zero; division by zero and INT32_MIN / -1 throw.
std::int32_t CheckedDiv(std::int32_t a, std::int32_t b);
std::int32_t CheckedMod(std::int32_t a, std::int32_t b);
// Narrowing of a wider result.
std::int32_t CheckedNarrow(std::int64_t v);

} // namespace velcaro::text
