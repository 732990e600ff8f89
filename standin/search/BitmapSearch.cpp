#include "BitmapSearch.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace standin {

namespace {

struct Pivot {
    int x = 0;
    int y = 0;
    std::uint32_t color = 0;
};

// The two pixels of the template to look for first: the rarest colours in
// a sample of the picture, the second one elsewhere in the template.
// Empty when every template pixel is transparent.
std::vector<Pivot> choosePivots(const PixelImage& picture, const PixelImage& pattern, bool transparent)
{
    const std::uint32_t mask = pattern.significant;
    const std::uint32_t clear = pattern.at(0, 0) & mask;
    std::unordered_map<std::uint32_t, std::size_t> seen;
    for (std::uint32_t color : pattern.pixels)
        if (!transparent || (color & mask) != clear) seen.emplace(color & mask, 0);
    if (seen.empty()) return {};
    // About 64 thousand samples, spread over the picture.
    const std::size_t step = std::max<std::size_t>(1, picture.pixels.size() / 65536) | 1;
    for (std::size_t i = 0; i < picture.pixels.size(); i += step) {
        const auto found = seen.find(picture.pixels[i] & mask);
        if (found != seen.end()) ++found->second;
    }
    std::vector<Pivot> pivots;
    const auto rarer = [&seen](const Pivot& a, const Pivot& b) { return seen[a.color] < seen[b.color]; };
    for (int y = 0; y < pattern.height; ++y)
        for (int x = 0; x < pattern.width; ++x) {
            const Pivot candidate{x, y, pattern.at(x, y) & mask};
            if (transparent && candidate.color == clear) continue;
            if (pivots.empty()) pivots.push_back(candidate);
            else if (rarer(candidate, pivots[0])) {
                if (pivots.size() == 1) pivots.push_back(pivots[0]);
                else pivots[1] = pivots[0];
                pivots[0] = candidate;
            } else if (pivots.size() == 1 || rarer(candidate, pivots[1])) {
                if (pivots.size() == 1) pivots.push_back(candidate);
                else pivots[1] = candidate;
            }
        }
    return pivots;
}

bool matchesAt(const PixelImage& picture, const PixelImage& pattern, int left, int top, bool transparent)
{
    const std::uint32_t mask = pattern.significant;
    const std::uint32_t clear = pattern.at(0, 0) & mask;
    const bool exact = !transparent && mask == 0xFFFFFF;
    for (int y = 0; y < pattern.height; ++y) {
        const std::uint32_t* wanted = pattern.row(y);
        const std::uint32_t* seen = picture.row(top + y) + left;
        if (exact) {
            if (std::memcmp(wanted, seen, static_cast<std::size_t>(pattern.width) * 4) != 0) return false;
            continue;
        }
        for (int x = 0; x < pattern.width; ++x) {
            const std::uint32_t colour = wanted[x] & mask;
            if ((!transparent || colour != clear) && colour != (seen[x] & mask)) return false;
        }
    }
    return true;
}

} // namespace

std::optional<SearchHit> findTemplate(const PixelImage& picture, const PixelImage& pattern, int startX, int startY,
                                      bool transparent)
{
    if (pattern.width <= 0 || pattern.height <= 0 || pattern.width > picture.width || pattern.height > picture.height)
        return std::nullopt;
    const int lastLeft = picture.width - pattern.width;
    const int lastTop = picture.height - pattern.height;
    if (startY < 0) startX = startY = 0;
    if (startX < 0) startX = 0;
    if (startX > lastLeft) {
        startX = 0;
        ++startY;
    }
    if (startY > lastTop) return std::nullopt;

    const std::vector<Pivot> pivots = choosePivots(picture, pattern, transparent);
    if (pivots.empty()) return SearchHit{startX, startY};
    const std::uint32_t mask = pattern.significant;
    const Pivot& first = pivots[0];
    const Pivot* second = pivots.size() > 1 ? &pivots[1] : nullptr;
    for (int top = startY; top <= lastTop; ++top) {
        // The picture row that holds the first pivot, for places in this row.
        const std::uint32_t* row = picture.row(top + first.y) + first.x;
        const int secondOffset = second ? (second->y - first.y) * picture.width + (second->x - first.x) : 0;
        for (int left = top == startY ? startX : 0; left <= lastLeft; ++left) {
            if ((row[left] & mask) != first.color) continue;
            if (second && (row[left + secondOffset] & mask) != second->color) continue;
            if (matchesAt(picture, pattern, left, top, transparent)) return SearchHit{left, top};
        }
    }
    return std::nullopt;
}

} // namespace standin
