#include "toolkit/graphics/Canvas.h"

namespace toolkit {

HBITMAP Canvas::target() const
{
    if (picture_.kind() != Picture::Kind::Bitmap) throw Error("Can only modify an image if it contains a bitmap");
    return picture_.bitmap();
}

void Canvas::setFontSize(int points)
{
    WindowDC screen(nullptr);
    fontHeight_ = -MulDiv(points, GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
}

void Canvas::lineTo(int x, int y)
{
    HBITMAP bitmap = target();
    MemoryDC dc(nullptr);
    SelectGuard selected(dc.get(), bitmap);
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, penColor_));
    SelectGuard penSelected(dc.get(), pen.get());
    MoveToEx(dc.get(), position_.x, position_.y, nullptr);
    LineTo(dc.get(), x, y);
    GdiFlush();
    position_ = {x, y};
    if (changed_) changed_();
}

void Canvas::textOut(int x, int y, const std::string& text)
{
    HBITMAP bitmap = target();
    MemoryDC dc(nullptr);
    SelectGuard selected(dc.get(), bitmap);
    Font font(CreateFontA(fontHeight_, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif"));
    SelectGuard fontSelected(dc.get(), font.get());
    SetTextColor(dc.get(), fontColor_);
    SetBkColor(dc.get(), RGB(255, 255, 255));
    SetBkMode(dc.get(), OPAQUE);
    TextOutA(dc.get(), x, y, text.data(), static_cast<int>(text.size()));
    GdiFlush();
    if (changed_) changed_();
}

} // namespace toolkit
