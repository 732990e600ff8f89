#pragma once
// The clipboard, opened for a window and closed again on every path. The
// viewer that reacts to the tool's last change may still hold it for a
// moment: opening is tried for half a second before it fails.
#include <windows.h>

#include <cstddef>
#include <stdexcept>

namespace standin {

class ClipboardScope {
public:
    explicit ClipboardScope(HWND owner)
    {
        for (int attempt = 0; attempt < 20 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(25);
        }
        if (!open_) throw std::runtime_error("Cannot open clipboard");
    }
    ~ClipboardScope() { CloseClipboard(); }
    ClipboardScope(const ClipboardScope&) = delete;
    ClipboardScope& operator=(const ClipboardScope&) = delete;

private:
    bool open_ = false;
};

// Hands a copy of the data to the open clipboard in a format; raises
// std::runtime_error when it is not taken.
void giveToClipboard(UINT format, const void* data, std::size_t size);

} // namespace standin
