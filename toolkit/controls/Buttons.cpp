#include "toolkit/controls/Buttons.h"

namespace toolkit {

const MetaClass ButtonControl::classInfo("TButtonControl", WinControl::classInfo, sizeof(ButtonControl), nullptr,
                                         {textProperty("Caption", &Control::text, &Control::setText),
                                          booleanProperty("Checked", &ButtonControl::checked, &ButtonControl::setChecked),
                                          eventProperty("OnClick", &Control::onClick)});

ButtonControl::ButtonControl(Component* owner) : WinControl(owner)
{
    setTabStop(true);
}

void ButtonControl::handleCreated()
{
    showChecked();
}

void ButtonControl::showChecked()
{
    if (handleAllocated()) SendMessageA(handleIfCreated(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

HBRUSH ButtonControl::controlColor(HDC dc)
{
    // The caption stands on the parent's face.
    if (!parent()) return nullptr;
    SetBkColor(dc, colorToRGB(parent()->color()));
    return parent()->backgroundBrush();
}

const MetaClass CheckBox::classInfo("TCheckBox", ButtonControl::classInfo, sizeof(CheckBox), createInstance<CheckBox>, {});

CheckBox::CheckBox(Component* owner) : ButtonControl(owner) {}

void CheckBox::createParams(CreateParams& params)
{
    params.className = "BUTTON";
    params.style |= BS_CHECKBOX;
}

void CheckBox::setChecked(bool checked)
{
    if (checked == checked_) return;
    checked_ = checked;
    showChecked();
    click();
}

void CheckBox::command(WORD code)
{
    if (code == BN_CLICKED) setChecked(!checked_);
}

const MetaClass RadioButton::classInfo("TRadioButton", ButtonControl::classInfo, sizeof(RadioButton),
                                       createInstance<RadioButton>, {});

RadioButton::RadioButton(Component* owner) : ButtonControl(owner) {}

void RadioButton::createParams(CreateParams& params)
{
    params.className = "BUTTON";
    params.style |= BS_RADIOBUTTON;
}

void RadioButton::setChecked(bool checked)
{
    if (checked == checked_) return;
    checked_ = checked;
    showChecked();
    if (!checked) return;
    if (parent())
        for (Control* sibling : parent()->controls())
            if (auto* radio = dynamic_cast<RadioButton*>(sibling); radio && radio != this) radio->setChecked(false);
    click();
}

void RadioButton::command(WORD code)
{
    if (code == BN_CLICKED) setChecked(true);
}

} // namespace toolkit
