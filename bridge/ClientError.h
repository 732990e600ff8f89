#pragma once
// Errors leave the callbacks as Windows structured exceptions that the
// client library can catch: the code below, not continuable, with one
// parameter, the address of the message (zero-terminated, valid until the
// next error raised on the same thread). C++ exceptions never leave a
// callback, and a structured exception does not run C++ destructors on its
// way out, so a callback raises only once it holds nothing.
#include <windows.h>

namespace bridge {

constexpr DWORD clientErrorCode = 0xE04F5653;

[[noreturn]] void raiseClientError(const char* message);
// "List index out of bounds (%d)"
[[noreturn]] void raiseListIndexError(int index);

} // namespace bridge
