#include "toolkit/controls/Control.h"

#include "toolkit/controls/Menus.h"
#include "toolkit/controls/WinControl.h"

namespace toolkit {

COLORREF colorToRGB(Color color)
{
    const auto value = static_cast<std::uint32_t>(color);
    if ((value & 0xFF000000u) == 0x80000000u) return GetSysColor(static_cast<int>(value & 0xFF));
    return value & 0x00FFFFFFu;
}

const std::vector<std::pair<std::string, std::int32_t>>& colorConstants()
{
    static const std::vector<std::pair<std::string, std::int32_t>> constants{
        {"clBlack", 0x000000},  {"clWhite", 0xFFFFFF},  {"clRed", 0x0000FF},         {"clGreen", 0x008000},
        {"clBlue", 0xFF0000},   {"clGray", 0x808080},   {"clBtnFace", clBtnFace},     {"clWindow", clWindow},
        {"clWindowText", static_cast<std::int32_t>(0x80000000u | COLOR_WINDOWTEXT)},
        {"clBtnText", static_cast<std::int32_t>(0x80000000u | COLOR_BTNTEXT)},
    };
    return constants;
}

const MetaClass Control::classInfo(
    "TControl", Component::classInfo, sizeof(Control), nullptr,
    {referenceProperty("Parent", &Control::parent, &Control::setParent),
     integerProperty("Left", &Control::left, &Control::setLeft),
     integerProperty("Top", &Control::top, &Control::setTop),
     integerProperty("Width", &Control::width, &Control::setWidth),
     integerProperty("Height", &Control::height, &Control::setHeight),
     booleanProperty("Visible", &Control::visible, &Control::setVisible),
     booleanProperty("Enabled", &Control::enabled, &Control::setEnabled),
     enumProperty("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}, &Control::align,
                  &Control::setAlign),
     enumProperty("Cursor", {"crDefault", "crArrow", "crCross", "crIBeam", "crHandPoint"}, &Control::cursor,
                  &Control::setCursor),
     referenceProperty("PopupMenu", &Control::popupMenu, &Control::setPopupMenu),
     integerProperty("Color", &Control::colorValue, &Control::setColorValue, colorConstants())});

Control::Control(Component* owner) : Component(owner) {}

Control::~Control()
{
    setParent(nullptr);
}

void Control::setParent(WinControl* parent)
{
    if (parent == parent_) return;
    if (parent == this) throw std::invalid_argument("a control cannot be its own parent");
    if (parent_) parent_->removeControl(*this);
    parent_ = parent;
    if (parent_) parent_->insertControl(*this);
}

void Control::setBounds(int left, int top, int width, int height)
{
    if (left == left_ && top == top_ && width == width_ && height == height_) return;
    invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    boundsChanged();
    invalidate();
    if (align_ != Align::None) requestRealign();
    if (parent_) parent_->controlsChanged();
}

void Control::storeBounds(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
}

POINT Control::clientOrigin() const
{
    POINT origin{left_, top_};
    if (parent_) {
        const POINT parentOrigin = parent_->clientOrigin();
        origin.x += parentOrigin.x;
        origin.y += parentOrigin.y;
    }
    return origin;
}

void Control::setVisible(bool visible)
{
    if (visible == visible_) return;
    if (!visible) invalidate();
    visible_ = visible;
    visibleChanged();
    if (visible) invalidate();
    requestRealign();
    if (parent_) parent_->controlsChanged();
}

bool Control::showing() const
{
    if (!visible_) return false;
    return parent_ ? parent_->showing() : true;
}

void Control::setEnabled(bool enabled)
{
    if (enabled == enabled_) return;
    enabled_ = enabled;
    enabledChanged();
    invalidate();
}

void Control::setAlign(Align align)
{
    if (align == align_) return;
    align_ = align;
    requestRealign();
}

void Control::setText(const std::string& text)
{
    if (text == caption_) return;
    caption_ = text;
    textChanged();
}

void Control::setColor(Color color)
{
    if (color == color_) return;
    color_ = color;
    invalidate();
}

HFONT Control::font() const
{
    return parent_ ? parent_->font() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool Control::hitTest(int, int) const
{
    return true;
}

void Control::paint(HDC) {}

void Control::invalidate()
{
    // An empty control has nothing to repaint: asking would only cost a
    // round trip to the system.
    if (windowed() || !parent_ || !visible_ || width_ <= 0 || height_ <= 0) return;
    if (HWND window = parent_->handleIfCreated()) {
        const RECT area = boundsRect();
        InvalidateRect(window, &area, TRUE);
    }
}

void Control::requestRealign()
{
    if (parent_ && !loading()) parent_->realign();
}

void Control::mouseDown(MouseButton button, ShiftState shift, int x, int y)
{
    if (onMouseDown) onMouseDown(*this, button, shift, x, y);
}

void Control::mouseMove(ShiftState shift, int x, int y)
{
    if (onMouseMove) onMouseMove(*this, shift, x, y);
}

void Control::mouseUp(MouseButton button, ShiftState shift, int x, int y)
{
    if (onMouseUp) onMouseUp(*this, button, shift, x, y);
}

void Control::click()
{
    if (onClick && !loading()) onClick(*this);
}

bool isAccelerator(char key, const std::string& caption)
{
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(caption[i + 1])))) ==
               CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(key))));
    }
    return false;
}

HCURSOR systemCursor(Cursor cursor)
{
    switch (cursor) {
    case Cursor::Arrow: return LoadCursor(nullptr, IDC_ARROW);
    case Cursor::Cross: return LoadCursor(nullptr, IDC_CROSS);
    case Cursor::IBeam: return LoadCursor(nullptr, IDC_IBEAM);
    case Cursor::HandPoint: return LoadCursor(nullptr, IDC_HAND);
    case Cursor::Default: break;
    }
    return nullptr;
}

} // namespace toolkit
