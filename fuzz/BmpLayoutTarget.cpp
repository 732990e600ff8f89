// BMP files as the stand-in's search loads them: whatever the headers
// say, reading them stays inside the file, and a layout that is given
// lies inside it, which the target proves by reading its last pixel byte.
#include "FuzzTarget.h"

#include "standin/search/BmpLayout.h"

#include <cstdint>

FUZZ_TARGET(bmp_layout)
{
    const auto layout = standin::readBmpLayout(data, size);
    if (!layout) return;
    fuzz::check(layout->width > 0 && layout->height > 0, "a layout without pixels");
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(layout->width) * layout->depth + 31) / 32 * 4;
    const std::uint64_t end = layout->pixelsAt + rowBytes * static_cast<std::uint64_t>(layout->height);
    fuzz::check(end <= size, "pixel rows past the end of the file");
    fuzz::check(layout->infoAt + 40 <= size, "an info header past the end of the file");
    volatile std::uint8_t last = data[end - 1];
    (void)last;
}
