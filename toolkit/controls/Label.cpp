#include "toolkit/controls/Label.h"

#include "toolkit/system/Handles.h"

namespace toolkit {

const MetaClass Label::classInfo(
    "TLabel", Control::classInfo, sizeof(Label), createInstance<Label>,
    {textProperty("Caption", &Control::text, &Control::setText),
     booleanProperty("AutoSize", &Label::autoSize, &Label::setAutoSize),
     enumProperty("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &Label::alignment, &Label::setAlignment)});

Label::Label(Component* owner) : Control(owner) {}

void Label::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    adjustBounds();
}

void Label::setAlignment(Alignment alignment)
{
    alignment_ = alignment;
    invalidate();
}

void Label::loaded()
{
    Control::loaded();
    adjustBounds();
}

void Label::textChanged()
{
    Control::textChanged();
    adjustBounds();
}

void Label::adjustBounds()
{
    if (!autoSize_ || loading()) return;
    WindowDC screen(nullptr);
    SelectGuard font(screen.get(), this->font());
    RECT area{0, 0, 0, 0};
    const std::string measured = caption_.empty() ? std::string(" ") : caption_;
    DrawTextA(screen.get(), measured.c_str(), -1, &area, DT_CALCRECT | DT_SINGLELINE | DT_LEFT);
    const int newLeft = alignment_ == Alignment::RightJustify ? left() + width() - area.right : left();
    setBounds(newLeft, top(), area.right, area.bottom);
}

void Label::paint(HDC dc)
{
    RECT area = clientRect();
    SetBkMode(dc, TRANSPARENT);
    UINT format = DT_SINGLELINE | DT_TOP;
    format |= alignment_ == Alignment::RightJustify ? DT_RIGHT : alignment_ == Alignment::Center ? DT_CENTER : DT_LEFT;
    if (enabled()) {
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        DrawTextA(dc, caption_.c_str(), -1, &area, format);
    } else {
        OffsetRect(&area, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, caption_.c_str(), -1, &area, format);
        OffsetRect(&area, -1, -1);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
        DrawTextA(dc, caption_.c_str(), -1, &area, format);
    }
}

} // namespace toolkit
