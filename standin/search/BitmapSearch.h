#pragma once
// Finds a template picture inside a picture, exactly, pixel for pixel.
//
// The search does not slide the whole template over every place. It first
// picks the template pixel whose colour is rarest in the picture (from a
// sample of it), scans the picture for that colour alone, and compares a
// second rare pixel and then the whole template only where it occurs. A
// uniform picture with a template that differs in one pixel is therefore
// one pass over the picture, not one comparison of the template per place.
#include "PixelImage.h"

#include <optional>

namespace standin {

struct SearchHit {
    int x = 0;
    int y = 0;
};

// The first place, in reading order from (startX, startY), where the
// template's top-left corner can lie so that every template pixel equals
// the picture's in the template's significant bits. With `transparent`, template pixels of the colour of its
// top-left pixel match anything. A start before the picture is taken as
// its top-left corner; a template larger than the picture is never found.
std::optional<SearchHit> findTemplate(const PixelImage& picture, const PixelImage& pattern, int startX, int startY,
                                      bool transparent);

} // namespace standin
