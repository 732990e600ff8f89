#include "ClipboardScope.h"

#include <cstring>

namespace standin {

void giveToClipboard(UINT format, const void* data, std::size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    void* target = memory ? GlobalLock(memory) : nullptr;
    if (!target) {
        if (memory) GlobalFree(memory);
        throw std::runtime_error("Out of memory");
    }
    std::memcpy(target, data, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        throw std::runtime_error("Cannot put the picture on the clipboard");
    }
}

} // namespace standin
