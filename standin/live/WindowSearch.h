#pragma once
// The live test tool's Find: a BMP file searched in a window's picture as
// the screen shows it at the moment of the call.
#include "LiveWindow.h"

#include <optional>
#include <string>

namespace standin {

struct FoundPlace {
    long x = 0, y = 0;        // on the screen
    long width = 0, height = 0;  // the template's size
    long left = 0, top = 0;   // in the window's picture
};

// The first place in reading order from (startX, startY) of the picture;
// with `wrap`, a search that reaches the end goes on from the top-left
// corner up to the start. Raises std::runtime_error when the window is gone
// or the file is missing or not a bitmap.
std::optional<FoundPlace> findInWindow(const LiveWindow& window, const std::string& bitmapPath, long startX,
                                       long startY, bool transparent, bool wrap);

} // namespace standin
