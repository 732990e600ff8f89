#include "WindowSearch.h"

#include "BitmapSearch.h"
#include "ScreenCapture.h"

#include <algorithm>
#include <climits>

namespace standin {

namespace {

int clampToInt(long long value)
{
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

} // namespace

std::optional<FoundPlace> findInWindow(const LiveWindow& window, const std::string& bitmapPath, long startX,
                                       long startY, bool transparent, bool wrap)
{
    window.handle();
    const PixelImage pattern = loadBmpFile(bitmapPath);
    const RECT rect = window.screenRect();
    const PixelImage picture = captureScreen(rect);

    std::optional<SearchHit> hit = findTemplate(picture, pattern, clampToInt(startX), clampToInt(startY), transparent);
    if (!hit && wrap) {
        hit = findTemplate(picture, pattern, 0, 0, transparent);
        if (hit && (hit->y > startY || (hit->y == startY && hit->x >= startX))) hit.reset();
    }
    if (!hit) return std::nullopt;
    FoundPlace place;
    place.left = hit->x;
    place.top = hit->y;
    place.x = rect.left + hit->x;
    place.y = rect.top + hit->y;
    place.width = pattern.width;
    place.height = pattern.height;
    return place;
}

} // namespace standin
