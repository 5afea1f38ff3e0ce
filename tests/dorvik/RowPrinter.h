#pragma once
// Parameterised rows print as the fault they guard against.
#include <ostream>

// In the test file's own unnamed namespace, where its row types live, so that the
// argument-dependent lookup of GoogleTest's printer finds it.
namespace dorvik {
namespace {

template <class Row>
requires requires(const Row& row) {
    row.fault;
}
void PrintTo(const Row& row, std::ostream* os) {
    *os << row.fault;
}

} // namespace
} // namespace dorvik
