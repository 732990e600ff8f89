#include "RegisterCall.h"

extern "C" {
std::uint32_t registerCall(const void* target, std::uint32_t eax, std::uint32_t edx, std::uint32_t ecx);
void registerCallEscape();
std::uint32_t registerCallStack;
}

// registerCall (cdecl): keeps the callee-saved registers, notes the stack
// for the escape, loads EAX, EDX, ECX from the arguments and calls the
// target. registerCallEscape is where a caught exception resumes: it takes
// the noted stack back and returns as the call would have.
asm(R"(
    .text
    .globl _registerCall
    .globl _registerCallEscape
_registerCall:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    movl %esp, _registerCallStack
    movl 12(%ebp), %eax
    movl 16(%ebp), %edx
    movl 20(%ebp), %ecx
    call *8(%ebp)
    jmp 1f
_registerCallEscape:
    movl _registerCallStack, %esp
    xorl %eax, %eax
1:
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)");

namespace standin {

namespace {

bool guarding = false;
bool raised = false;
std::string message;

LONG CALLBACK catchClientError(EXCEPTION_POINTERS* exception)
{
    const EXCEPTION_RECORD& record = *exception->ExceptionRecord;
    if (!guarding || record.ExceptionCode != clientErrorCode || record.NumberParameters < 1)
        return EXCEPTION_CONTINUE_SEARCH;
    raised = true;
    message = reinterpret_cast<const char*>(record.ExceptionInformation[0]);
    exception->ContextRecord->Eip = reinterpret_cast<DWORD>(&registerCallEscape);
    return EXCEPTION_CONTINUE_EXECUTION;
}

} // namespace

RegisterCallResult callRegister(const void* target, std::uint32_t eax, std::uint32_t edx, std::uint32_t ecx)
{
    static PVOID handler = AddVectoredExceptionHandler(1, catchClientError);
    (void)handler;
    raised = false;
    message.clear();
    guarding = true;
    RegisterCallResult result;
    result.eax = registerCall(target, eax, edx, ecx);
    guarding = false;
    result.raised = raised;
    result.message = message;
    return result;
}

} // namespace standin
