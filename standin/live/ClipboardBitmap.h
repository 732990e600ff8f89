#pragma once
// Puts a picture on the clipboard as a bitmap at a colour depth, with its
// colour table also as CF_PALETTE at 4 and 8 bits. The bitmap goes as
// CF_DIB, which keeps its depth and colours from one program to another;
// the system offers it as CF_BITMAP as well.
#include "PixelImage.h"

#include <windows.h>

namespace standin {

// Depth 0 is the screen's. Raises std::runtime_error for other depths than
// 0, 4, 8, 16, 24 and 32 before the clipboard is touched, and when the
// clipboard cannot be opened or filled.
void putBitmapOnClipboard(HWND owner, const PixelImage& picture, int depth);

int screenDepth();

} // namespace standin
