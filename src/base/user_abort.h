#pragma once

#include <exception>

namespace ondrix {

/// The silent cancellation: an operation ends without any message, either because the user aborted it
/// or because the program has already shown its own message.
class UserAbort : public std::exception {
public:
    /// Short description for logs; never shown to the user.
    const char* what() const noexcept override { return "user abort"; }
};

/// Raised when a buffer or file image cannot be allocated.
class MemoryException : public std::exception {
public:
    /// Short description for logs; the user sees the string table's text.
    const char* what() const noexcept override { return "out of memory"; }
};

} // namespace ondrix
