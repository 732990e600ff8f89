#pragma once
// What the screen shows in a rectangle, read back from the screen itself.
#include "PixelImage.h"

#include <windows.h>

namespace standin {

// Parts outside every monitor come back black. Raises std::runtime_error
// when the screen cannot be read.
PixelImage captureScreen(const RECT& area);

} // namespace standin
