#include "toolkit/controls/SpeedButton.h"

#include "toolkit/core/Error.h"

#include <algorithm>
#include <cstdint>

namespace toolkit {

namespace {

constexpr int glyphSpacing = 4;

// A 32-bit top-down DIB section copy of a bitmap.
BitmapHandle copyAs32Bit(HBITMAP source, SIZE size, std::uint32_t*& bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    BitmapHandle copy(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!copy) throw Error("Out of system resources");
    MemoryDC from(nullptr), to(nullptr);
    SelectGuard selectFrom(from.get(), source);
    SelectGuard selectTo(to.get(), copy.get());
    BitBlt(to.get(), 0, 0, size.cx, size.cy, from.get(), 0, 0, SRCCOPY);
    GdiFlush();
    bits = static_cast<std::uint32_t*>(pixels);
    return copy;
}

} // namespace

const MetaClass SpeedButton::classInfo(
    "TSpeedButton", Control::classInfo, sizeof(SpeedButton), createInstance<SpeedButton>,
    {textProperty("Caption", &Control::text, &Control::setText),
     textProperty("Glyph", &SpeedButton::glyph, &SpeedButton::setGlyph),
     integerProperty("NumGlyphs", &SpeedButton::numGlyphs, &SpeedButton::setNumGlyphs),
     booleanProperty("Flat", &SpeedButton::flat, &SpeedButton::setFlat),
     booleanProperty("GrayedInactive", &SpeedButton::grayedInactive, &SpeedButton::setGrayedInactive),
     eventProperty("OnClick", &Control::onClick)});

SpeedButton::SpeedButton(Component* owner) : Control(owner) {}

void SpeedButton::setGlyph(const std::string& resourceName)
{
    BitmapHandle loaded;
    if (!resourceName.empty()) {
        loaded.reset(static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), resourceName.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        if (!loaded) throw Error(format("Bitmap resource %s not found", resourceName.c_str()));
    }
    BITMAP info{};
    if (loaded) GetObjectA(loaded.get(), sizeof info, &info);
    const SIZE size{info.bmWidth, info.bmHeight};

    BitmapHandle gray;
    COLORREF transparent = 0;
    if (loaded) {
        std::uint32_t* bits = nullptr;
        BitmapHandle copy = copyAs32Bit(loaded.get(), size, bits);
        const std::uint32_t key = bits[static_cast<std::size_t>(size.cy - 1) * size.cx];
        transparent = RGB((key >> 16) & 0xFF, (key >> 8) & 0xFF, key & 0xFF);
        for (std::size_t i = 0; i < static_cast<std::size_t>(size.cx) * size.cy; ++i) {
            if (bits[i] == key) continue;
            const unsigned r = (bits[i] >> 16) & 0xFF, g = (bits[i] >> 8) & 0xFF, b = bits[i] & 0xFF;
            // Lightened luma, so a grey glyph reads as inactive.
            const unsigned luma = std::min(255u, (r * 30 + g * 59 + b * 11) / 100 / 2 + 112);
            bits[i] = (luma << 16) | (luma << 8) | luma;
        }
        gray = std::move(copy);
    }
    glyph_ = resourceName;
    image_ = std::move(loaded);
    grayImage_ = std::move(gray);
    imageSize_ = size;
    transparent_ = transparent;
    invalidate();
}

void SpeedButton::setNumGlyphs(int count)
{
    numGlyphs_ = std::clamp(count, 1, 4);
    invalidate();
}

void SpeedButton::setFlat(bool flat)
{
    flat_ = flat;
    invalidate();
}

void SpeedButton::setGrayedInactive(bool grayed)
{
    if (grayed == grayedInactive_) return;
    grayedInactive_ = grayed;
    invalidate();
}

SpeedButton::GlyphLook SpeedButton::glyphLook() const
{
    if (!enabled()) return GlyphLook::Disabled;
    if (grayedInactive_ && !mouseInControl_) return GlyphLook::Grayed;
    return GlyphLook::Normal;
}

void SpeedButton::drawGlyph(HDC dc, int x, int y) const
{
    if (!image_) return;
    const int glyphWidth = imageSize_.cx / numGlyphs_;
    const GlyphLook look = glyphLook();
    const int index = (look == GlyphLook::Disabled && numGlyphs_ > 1) ? 1 : 0;
    MemoryDC source(dc);
    SelectGuard select(source.get(), look == GlyphLook::Grayed ? grayImage_.get() : image_.get());
    TransparentBlt(dc, x, y, glyphWidth, imageSize_.cy, source.get(), index * glyphWidth, 0, glyphWidth, imageSize_.cy,
                   transparent_);
}

void SpeedButton::paint(HDC dc)
{
    RECT area = clientRect();
    const bool down = pressed_ && pressedInside_;
    if (!flat_) {
        DrawFrameControl(dc, &area, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    } else if (enabled() && (mouseInControl_ || down)) {
        DrawEdge(dc, &area, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    }

    const int glyphWidth = image_ ? imageSize_.cx / numGlyphs_ : 0;
    RECT textSize{0, 0, 0, 0};
    if (!caption_.empty()) DrawTextA(dc, caption_.c_str(), -1, &textSize, DT_CALCRECT | DT_SINGLELINE);
    const int total = glyphWidth + (glyphWidth && !caption_.empty() ? glyphSpacing : 0) + textSize.right;
    const int shift = down ? 1 : 0;
    int x = (area.right - total) / 2 + shift;
    drawGlyph(dc, x, (area.bottom - imageSize_.cy) / 2 + shift);
    if (glyphWidth) x += glyphWidth + glyphSpacing;
    if (caption_.empty()) return;

    RECT text{x, (area.bottom - textSize.bottom) / 2 + shift, x + textSize.right,
              (area.bottom - textSize.bottom) / 2 + shift + textSize.bottom};
    SetBkMode(dc, TRANSPARENT);
    if (enabled()) {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    } else {
        OffsetRect(&text, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE);
        OffsetRect(&text, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    }
    DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE);
}

void SpeedButton::mouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    Control::mouseDown(button, shift, x, y);
    if (button != MouseButton::Left || !enabled()) return;
    pressed_ = true;
    pressedInside_ = true;
    invalidate();
}

void SpeedButton::mouseMove(ShiftState shift, int x, int y)
{
    Control::mouseMove(shift, x, y);
    if (!pressed_) return;
    const RECT area = clientRect();
    const POINT point{x, y};
    const bool inside = PtInRect(&area, point) != FALSE;
    if (inside != pressedInside_) {
        pressedInside_ = inside;
        invalidate();
    }
}

void SpeedButton::mouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    Control::mouseUp(button, shift, x, y);
    if (button != MouseButton::Left || !pressed_) return;
    const bool clicked = pressedInside_;
    pressed_ = false;
    pressedInside_ = false;
    invalidate();
    if (clicked) click();
}

void SpeedButton::mouseEnter()
{
    mouseInControl_ = true;
    invalidate();
}

void SpeedButton::mouseLeave()
{
    mouseInControl_ = false;
    invalidate();
}

bool SpeedButton::dialogChar(char key)
{
    if (!isAccelerator(key, caption_) || !showing() || !enabled()) return false;
    click();
    return true;
}

} // namespace toolkit
