// Test entry: a crash prints and exits instead of opening a dialog, and
// one application object lives for the whole run, as in the program.
#include "toolkit/forms/Application.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>

namespace {

LONG WINAPI reportCrash(EXCEPTION_POINTERS* info)
{
    std::fprintf(stderr, "unhandled exception %08lx at %p\n", info->ExceptionRecord->ExceptionCode,
                 info->ExceptionRecord->ExceptionAddress);
    std::fflush(stderr);
    ExitProcess(3);
}

} // namespace

int main(int argc, char** argv)
{
    SetUnhandledExceptionFilter(reportCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    // The GUI thread's automation runtime, as the program sets it up.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 0;
    {
        toolkit::Application application(GetModuleHandleA(nullptr));
        result = RUN_ALL_TESTS();
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}
