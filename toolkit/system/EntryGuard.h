#pragma once
// The rule for every entry by the system into the program: window
// procedures (controls, forms, the timer, the application window), hook
// procedures and the handlers that the settings components chain into a
// form's events run their bodies through one of the two guards below,
// which catch every C++ exception. A C++ exception must never unwind into
// user32, a common dialog, a COM server or foreign code.
//
//   guardedCall  shows the error in the standard error box, returns the
//                fallback
//   quietCall    swallows the error and returns the fallback, where the
//                system must not see a box (a dialog's hook while the
//                dialog runs)
//
// The client library's callbacks are the one other kind of entry; they
// answer errors with structured exceptions, the library's own contract.
#include <exception>

namespace toolkit {

// Shows the current exception in the standard error box of the running
// application, or in a plain box when none runs.
void reportException(std::exception_ptr error) noexcept;

// The application object's error box; null when no application runs.
using ExceptionReporter = void (*)(std::exception_ptr error) noexcept;
void setExceptionReporter(ExceptionReporter reporter) noexcept;

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

template <typename Body, typename Result>
Result quietCall(Body&& body, Result fallback) noexcept
{
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

} // namespace toolkit
