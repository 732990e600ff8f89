#pragma once
// The clipboard as the toolkit reads it: an owner for the open clipboard,
// a lock on global memory, registered formats, and the time the clipboard
// was held open, which every other program's copy waits for.
#include <windows.h>

#include <cstddef>

namespace toolkit {

// Opens the clipboard for the given window (or for the thread when null);
// raises "Cannot open clipboard" when another program holds it.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner = nullptr);
    ~OpenedClipboard();
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;

private:
    LARGE_INTEGER openedAt_{};
};

// Global memory locked for reading; the size is what the block holds.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL memory)
        : memory_(memory), data_(memory ? GlobalLock(memory) : nullptr), size_(data_ ? GlobalSize(memory) : 0)
    {
    }
    ~GlobalLockGuard()
    {
        if (data_) GlobalUnlock(memory_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;

    const void* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    HGLOBAL memory_;
    void* data_;
    std::size_t size_;
};

// The format of that name, registered once per name and process (the
// system gives every process the same id); `name` must outlive the program.
template <const char* Name>
UINT registeredClipboardFormat()
{
    static const UINT format = RegisterClipboardFormatA(Name);
    return format;
}

// The "PNG" format of other programs.
UINT pngClipboardFormat();

// Available as the system reports it (synthesised formats included).
bool clipboardFormatAvailable(UINT format);
// The clipboard holds no format at all.
bool clipboardEmpty();

// Total time the clipboard was held open by this process, in seconds.
double clipboardHeldOpenSeconds();

} // namespace toolkit
