#pragma once
// Check box and radio button: system buttons whose checked state the
// control keeps itself, so that setting it by program and clicking it run
// the same path and raise OnClick the same way.
#include "toolkit/controls/WinControl.h"

namespace toolkit {

class ButtonControl : public WinControl {
public:
    explicit ButtonControl(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    bool checked() const { return checked_; }
    virtual void setChecked(bool checked) = 0;

protected:
    void handleCreated() override;
    HBRUSH controlColor(HDC dc) override;
    void showChecked();

    bool checked_ = false;
};

// Setting a new checked state raises OnClick.
class CheckBox : public ButtonControl {
public:
    explicit CheckBox(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    void setChecked(bool checked) override;

protected:
    void createParams(CreateParams& params) override;
    void command(WORD code) override;
};

// Checking one unchecks the other radio buttons of the same parent and
// raises OnClick; unchecking raises nothing.
class RadioButton : public ButtonControl {
public:
    explicit RadioButton(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    void setChecked(bool checked) override;

protected:
    void createParams(CreateParams& params) override;
    void command(WORD code) override;
};

} // namespace toolkit
