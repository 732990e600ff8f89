#include "toolkit/Clipboard.h"

#include "toolkit/Error.h"

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

// Registered once per process; the system gives every process the same id.
template <const char* Name>
UINT registeredFormat()
{
    static const UINT format = RegisterClipboardFormatA(Name);
    return format;
}

constexpr char pictureName[] = "Ovistra Picture";
constexpr char componentName[] = "Ovistra Component";
constexpr char iconName[] = "Ovistra Icon";
constexpr char pngName[] = "PNG";

} // namespace

UINT pictureClipboardFormat() { return registeredFormat<pictureName>(); }
UINT componentClipboardFormat() { return registeredFormat<componentName>(); }
UINT iconClipboardFormat() { return registeredFormat<iconName>(); }
UINT pngClipboardFormat() { return registeredFormat<pngName>(); }

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
