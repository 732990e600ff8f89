#pragma once
// The one place where errors from an entry by the system are caught: every
// window procedure and timer callback runs its body through guardedCall.
// A C++ exception must never unwind into user32 or foreign code.
#include <exception>

namespace toolkit {

// Hands the current exception to the application's standard error box.
void reportException(std::exception_ptr error) noexcept;

template <typename Body, typename Result>
Result guardedCall(Body&& body, Result fallback) noexcept
{
    try {
        return body();
    } catch (...) {
        reportException(std::current_exception());
        return fallback;
    }
}

template <typename Body>
void guardedCall(Body&& body) noexcept
{
    try {
        body();
    } catch (...) {
        reportException(std::current_exception());
    }
}

} // namespace toolkit
