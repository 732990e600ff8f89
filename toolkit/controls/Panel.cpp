#include "toolkit/controls/Panel.h"

namespace toolkit {

namespace {

const std::vector<std::string> bevelIdentifiers{"bvNone", "bvLowered", "bvRaised"};

void drawBevel(HDC dc, RECT& area, Bevel bevel)
{
    if (bevel == Bevel::None) return;
    DrawEdge(dc, &area, bevel == Bevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
}

} // namespace

const MetaClass Panel::classInfo("TPanel", WinControl::classInfo, sizeof(Panel), createInstance<Panel>,
                                 {textProperty("Caption", &Control::text, &Control::setText),
                                  enumProperty("BevelOuter", bevelIdentifiers, &Panel::bevelOuter, &Panel::setBevelOuter),
                                  enumProperty("BevelInner", bevelIdentifiers, &Panel::bevelInner, &Panel::setBevelInner)});

Panel::Panel(Component* owner) : WinControl(owner) {}

void Panel::setBevelOuter(Bevel bevel)
{
    bevelOuter_ = bevel;
    if (handleAllocated()) InvalidateRect(handleIfCreated(), nullptr, TRUE);
    realign();
}

void Panel::setBevelInner(Bevel bevel)
{
    bevelInner_ = bevel;
    if (handleAllocated()) InvalidateRect(handleIfCreated(), nullptr, TRUE);
    realign();
}

RECT Panel::alignArea() const
{
    RECT area = clientRect();
    const int inset = (bevelOuter_ != Bevel::None) + (bevelInner_ != Bevel::None);
    InflateRect(&area, -inset, -inset);
    return area;
}

void Panel::createParams(CreateParams& params)
{
    params.style |= WS_CLIPCHILDREN;
    params.exStyle |= WS_EX_CONTROLPARENT;
}

void Panel::paintContent(HDC dc)
{
    RECT area = clientRect();
    drawBevel(dc, area, bevelOuter_);
    drawBevel(dc, area, bevelInner_);
    if (caption_.empty()) return;
    SelectObject(dc, font());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, caption_.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

} // namespace toolkit
