#pragma once
// Calls a function of the register convention as the client library does:
// a hand-written thunk loads EAX, EDX and ECX itself, so that a mistake in
// the callee's convention cannot be hidden by the same mistake in the
// caller. An error the program raises inside the call (a structured
// exception of code clientErrorCode whose one parameter is the message) is
// caught and its message kept. Calls are made from one thread at a time.
#include <windows.h>

#include <cstdint>
#include <string>

namespace standin {

// The code of the program's errors, as its client interface documents it.
constexpr DWORD clientErrorCode = 0xE04F5653;

struct RegisterCallResult {
    std::uint32_t eax = 0;
    bool raised = false;
    std::string message;
};

RegisterCallResult callRegister(const void* target, std::uint32_t eax = 0, std::uint32_t edx = 0,
                                std::uint32_t ecx = 0);

template <typename Pointer>
std::uint32_t word(Pointer pointer)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

} // namespace standin
