#pragma once
// SpinEdit: an integer field with up and down arrows. Its text may hold
// digits and a sign; the arrows and the up and down keys step the value by
// the increment; setting the value, and leaving the field, bring it into
// MinValue..MaxValue.
#include "toolkit/controls/Edit.h"

namespace toolkit {

class SpinEdit : public Edit {
public:
    explicit SpinEdit(Component* owner);

    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }

    // The text read as an integer; MinValue when it is not one.
    int value() const;
    // Sets the text to the value brought into range.
    void setValue(int value);
    // The value brought into range, as leaving the field would make it.
    int checkedValue() const { return checkValue(value()); }
    int minValue() const { return minValue_; }
    void setMinValue(int value) { minValue_ = value; }
    int maxValue() const { return maxValue_; }
    void setMaxValue(int value) { maxValue_ = value; }
    int increment() const { return increment_; }
    void setIncrement(int value) { increment_ = value; }

    void upClick() { setValue(value() + increment_); }
    void downClick() { setValue(value() - increment_); }
    HWND arrows() const { return arrows_; }

protected:
    void handleCreated() override;
    LRESULT windowMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int checkValue(int value) const;
    static bool validCharacter(char c);

    int minValue_ = 0;
    int maxValue_ = 0;
    int increment_ = 1;
    HWND arrows_ = nullptr;  // a child of the edit window; goes with it
};

} // namespace toolkit
