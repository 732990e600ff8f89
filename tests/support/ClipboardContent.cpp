#include "support/ClipboardContent.h"

#include "toolkit/system/Clipboard.h"

#include <cstring>
#include <stdexcept>

namespace testing_support {

HWND clipboardOwner()
{
    static const HWND owner =
        CreateWindowExA(0, "STATIC", "clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    return owner;
}

void putOnClipboard(UINT format, const void* data, std::size_t size, HWND owner)
{
    const toolkit::OpenedClipboard open(owner ? owner : clipboardOwner());
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!memory) throw std::runtime_error("no memory for the clipboard data");
    std::memcpy(GlobalLock(memory), data, size);
    GlobalUnlock(memory);
    // The clipboard owns what it took.
    if (!SetClipboardData(format, memory)) GlobalFree(memory);
}

void putTextOnClipboard(const char* text, HWND owner)
{
    putOnClipboard(CF_TEXT, text, std::strlen(text) + 1, owner);
}

BITMAPINFOHEADER clipboardBitmap()
{
    BITMAPINFOHEADER header{};
    if (!OpenClipboard(nullptr)) return header;
    {
        const toolkit::GlobalLockGuard dib(GetClipboardData(CF_DIB));
        if (dib.size() >= sizeof header) std::memcpy(&header, dib.data(), sizeof header);
    }
    CloseClipboard();
    return header;
}

} // namespace testing_support
