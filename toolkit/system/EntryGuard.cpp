#include "toolkit/system/EntryGuard.h"

#include "toolkit/core/Error.h"

#include <windows.h>

namespace toolkit {

namespace {

ExceptionReporter installedReporter = nullptr;

} // namespace

void setExceptionReporter(ExceptionReporter reporter) noexcept
{
    installedReporter = reporter;
}

void reportException(std::exception_ptr error) noexcept
{
    if (installedReporter) {
        installedReporter(error);
        return;
    }
    try {
        MessageBoxA(nullptr, errorBoxText(exceptionMessage(error)).c_str(), "Error", MB_OK | MB_ICONSTOP);
    } catch (...) {
    }
}

} // namespace toolkit
