#pragma once
// A picture as a packed device-independent bitmap (header, colour table,
// bottom-up rows) at a given colour depth.
//   4 and 8 bits: the picture's own colours when they fit into the table;
//                 otherwise the 16 standard colours (4 bits), or those, a
//                 6 x 6 x 6 colour cube and 24 greys (8 bits): a colour of
//                 the table stays itself, any other becomes the entry
//                 nearest to it, read at 5 bits a channel.
//   16 bits:      5 bits each of red, green and blue.
//   24, 32 bits:  the colours as they are.
#include "PixelImage.h"

#include <windows.h>

#include <vector>

namespace standin {

// Raises std::runtime_error for a depth other than 4, 8, 16, 24 or 32.
std::vector<BYTE> packAtDepth(const PixelImage& picture, int depth);

} // namespace standin
