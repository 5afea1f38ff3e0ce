#pragma once
// The one exception type of the program. Its text is what the user reads in the
// error box: the dispatcher of every window shows what() as it stands.
#include <stdexcept>
#include <string>

namespace velcaro {

class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A text that does not convert to a number ("'%s' is not a valid integer value").
class ConversionError : public Error {
public:
    using Error::Error;
};

// A 32-bit result that does not fit; never wrapped.
class OverflowError : public Error {
public:
    using Error::Error;
};

} // namespace velcaro
