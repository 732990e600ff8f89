#pragma once
// What tests put on the clipboard and read from it directly, in this
// process.
#include <windows.h>

#include <cstddef>

namespace testing_support {

// A window of the test process that can own what goes on the clipboard
// (putting data needs an owner); it lives as long as the process.
HWND clipboardOwner();

// Empties the clipboard and puts a copy of the data on it in that format,
// owned by the given window (by clipboardOwner() when none is given).
void putOnClipboard(UINT format, const void* data, std::size_t size, HWND owner = nullptr);
// The same for text, as CF_TEXT.
void putTextOnClipboard(const char* text, HWND owner = nullptr);
// The header of the clipboard's CF_DIB (bits per pixel and size); all 0
// when there is none or the clipboard cannot be opened.
BITMAPINFOHEADER clipboardBitmap();

} // namespace testing_support
