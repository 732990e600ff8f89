#include "toolkit/ScrollBox.h"

namespace toolkit {

const MetaClass ScrollBox::classInfo(
    "TScrollBox", WinControl::classInfo, sizeof(ScrollBox), createInstance<ScrollBox>,
    {enumProperty("BorderStyle", {"bsNone", "bsSingle"}, &ScrollBox::borderStyle, &ScrollBox::setBorderStyle),
     booleanProperty("AutoSize", &ScrollBox::autoSize, &ScrollBox::setAutoSize)});

ScrollBox::ScrollBox(Component* owner) : WinControl(owner) {}

void ScrollBox::createParams(CreateParams& params)
{
    params.style |= WS_CLIPCHILDREN;
    params.exStyle |= WS_EX_CONTROLPARENT | (borderStyle_ == BorderStyle::Single ? WS_EX_CLIENTEDGE : 0);
}

} // namespace toolkit
