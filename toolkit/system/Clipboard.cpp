#include "toolkit/system/Clipboard.h"

#include "toolkit/core/Error.h"

namespace toolkit {

namespace {

LONGLONG heldOpenTicks = 0;

double ticksPerSecond()
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart);
}

} // namespace

OpenedClipboard::OpenedClipboard(HWND owner)
{
    if (!OpenClipboard(owner)) throw Error("Cannot open clipboard");
    QueryPerformanceCounter(&openedAt_);
}

OpenedClipboard::~OpenedClipboard()
{
    CloseClipboard();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    heldOpenTicks += now.QuadPart - openedAt_.QuadPart;
}

namespace {

constexpr char pngName[] = "PNG";

} // namespace

UINT pngClipboardFormat() { return registeredClipboardFormat<pngName>(); }

bool clipboardFormatAvailable(UINT format)
{
    return format != 0 && IsClipboardFormatAvailable(format);
}

bool clipboardEmpty()
{
    return CountClipboardFormats() == 0;
}

double clipboardHeldOpenSeconds()
{
    return static_cast<double>(heldOpenTicks) / ticksPerSecond();
}

} // namespace toolkit
