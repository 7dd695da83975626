#pragma once
#include <stdexcept>
#include <string>

namespace quillet {

/// Base of every fault the program reports by class. The message is UTF-8
/// free text meant for the "other error" report; the classed handlers
/// replace it with their own fixed Japanese texts.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// An index outside a list, a count that does not fit a fixed layout.
class RangeError : public Error {
public:
    using Error::Error;
};

/// A stored value that cannot be taken as the number it must be.
class VariantError : public Error {
public:
    using Error::Error;
};

/// A text that is not a valid number.
class ConvertError : public Error {
public:
    using Error::Error;
};

class IntDivideByZeroError : public Error {
public:
    using Error::Error;
};

class RealDivideByZeroError : public Error {
public:
    using Error::Error;
};

/// 0/0, the square root of a negative number and the like.
class InvalidOperationError : public Error {
public:
    using Error::Error;
};

/// A file that cannot be read or written.
class InOutError : public Error {
public:
    using Error::Error;
};

class AccessError : public Error {
public:
    using Error::Error;
};

/// A value too large for its 32-bit store. Deliberately not one of the classes
/// the output run catches: it ends the program through the application handler.
class OverflowError : public Error {
public:
    using Error::Error;
};

} // namespace quillet
