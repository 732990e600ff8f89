#pragma once
// BMP files written byte by byte for the search's tests, independently of
// the loader under test.
#include "PixelImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace live_testing {

// Writes a picture as a BMP file of a depth (1, 4, 8, 16, 24 or 32 bits)
// with the colour table given for depths up to 8; bottom-up unless asked.
// 16 bits keep the top 5 bits of each colour.
void writeBmp(const std::string& path, const standin::PixelImage& picture, int depth, bool topDown = false,
              const std::vector<std::uint32_t>& table = {});

// A file name in the temporary folder, of this process.
std::string temporaryPath(const std::string& name);

} // namespace live_testing
