// GoogleTest copies every failure to OutputDebugStringA. Wine raises the
// debug-output exception for it, and where Wine's 32-bit half runs under
// qemu's user-mode emulator unwinding that exception crashes the process,
// losing the rest of the run. The tests never run under a debugger, so the
// test executables' import of OutputDebugStringA points here instead.
#include <windows.h>

extern "C" void WINAPI discardDebugOutput(LPCSTR) {}

extern "C" {
void(WINAPI* discardDebugOutputImport)(LPCSTR) asm("__imp__OutputDebugStringA@4") = discardDebugOutput;
}
