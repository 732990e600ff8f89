#pragma once
// Calls a function of the register convention as foreign code does: a
// hand-written thunk loads EAX, EDX and ECX itself, so that a mistake in
// the callee's convention cannot be hidden by the same mistake in the
// caller. A structured exception of the client bridge raised inside the
// call is caught, as the client library would, and its message kept.
#include <cstdint>
#include <string>

namespace testing_support {

struct RegisterCallResult {
    std::uint32_t eax = 0;
    bool raised = false;
    std::string message;
};

RegisterCallResult callRegister(const void* target, std::uint32_t eax = 0, std::uint32_t edx = 0,
                                std::uint32_t ecx = 0);

// Where 32-bit Windows code runs through qemu's user-mode emulator (the test
// command says so), Wine's handling of structured exceptions is not to be
// relied on: tests that raise one skip themselves there.
bool structuredExceptionsAreFragile();

template <typename Pointer>
std::uint32_t word(Pointer pointer)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(pointer));
}

} // namespace testing_support
