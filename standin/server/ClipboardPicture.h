#pragma once
// Puts the "picture of the object" on the clipboard as the scenario says:
// a device-independent bitmap of the scenario's size and pattern at the
// requested colour depth, an enhanced metafile, or text only.
#include "Scenario.h"

#include <windows.h>

#include <vector>

namespace standin {

// The packed bitmap (header, colour table of the pattern's own colours,
// pixels) put on the clipboard; depths other than 4, 8, 16 and 32 give 24
// bits per pixel.
std::vector<BYTE> packedBitmap(int width, int height, const std::wstring& pattern, int depth);

// Throws std::runtime_error when the clipboard cannot be had.
void putPicture(HWND owner, const Scenario& scenario, int depth);

} // namespace standin
