// The refresh-time field's rules: typed digits and a sign, arrows and keys
// stepping by one, range on setting and on leaving, a change notification
// on every change of the text.
#include "support/WindowTesting.h"
#include "toolkit/controls/SpinEdit.h"
#include "toolkit/forms/Form.h"

#include <gtest/gtest.h>

namespace {

using namespace toolkit;
using testing_support::pressKey;
using testing_support::typeText;

class SpinEditTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        spin = new SpinEdit(&form);
        spin->setParent(&form);
        spin->setBounds(72, 59, 81, 22);
        spin->setMinValue(200);
        spin->setMaxValue(10000);
        spin->setValue(2000);
        spin->onChange = [this](Component&) { changes.push_back(spin->text()); };
        form.show();
    }

    Form form{nullptr};
    SpinEdit* spin = nullptr;
    std::vector<std::string> changes;
};

TEST_F(SpinEditTest, SettingTheValueBringsItIntoRange)
{
    spin->setValue(50);
    EXPECT_EQ(spin->text(), "200");
    spin->setValue(123456);
    EXPECT_EQ(spin->text(), "10000");
    spin->setValue(-5);
    EXPECT_EQ(spin->text(), "200");
    EXPECT_EQ(changes, (std::vector<std::string>{"200", "10000", "200"}));
    // The same text again is no change.
    spin->setValue(200);
    EXPECT_EQ(changes.size(), 3u);
}

TEST_F(SpinEditTest, TypingTakesDigitsAndSignsAndNotifiesEveryKeystroke)
{
    SetWindowTextA(spin->handle(), "");
    changes.clear();
    typeText(spin->handle(), "-3a5+x");
    EXPECT_EQ(spin->text(), "-35+");
    EXPECT_EQ(changes, (std::vector<std::string>{"-", "-3", "-35", "-35+"}));
    EXPECT_EQ(spin->value(), 200);  // not a number: the minimum
    SetWindowTextA(spin->handle(), "  77 ");
    EXPECT_EQ(spin->value(), 77);
    EXPECT_EQ(spin->checkedValue(), 200);
    SetWindowTextA(spin->handle(), "+12000");
    EXPECT_EQ(spin->value(), 12000);
    EXPECT_EQ(spin->checkedValue(), 10000);
    SetWindowTextA(spin->handle(), "99999999999");
    EXPECT_EQ(spin->value(), 200);
}

TEST_F(SpinEditTest, ArrowKeysAndArrowButtonsStepByOne)
{
    pressKey(spin->handle(), VK_UP);
    EXPECT_EQ(spin->text(), "2001");
    pressKey(spin->handle(), VK_DOWN);
    pressKey(spin->handle(), VK_DOWN);
    EXPECT_EQ(spin->text(), "1999");

    HWND arrows = spin->arrows();
    ASSERT_NE(arrows, nullptr);
    RECT area;
    GetClientRect(arrows, &area);
    testing_support::clickAt(arrows, area.right / 2, area.bottom / 4);
    EXPECT_EQ(spin->text(), "2000");
    testing_support::clickAt(arrows, area.right / 2, area.bottom * 3 / 4);
    EXPECT_EQ(spin->text(), "1999");
    EXPECT_EQ(changes, (std::vector<std::string>{"2001", "2000", "1999", "2000", "1999"}));

    spin->setValue(10000);
    pressKey(spin->handle(), VK_UP);
    EXPECT_EQ(spin->text(), "10000");
}

TEST_F(SpinEditTest, LeavingTheFieldBringsATypedValueIntoRange)
{
    spin->setFocus();
    SetWindowTextA(spin->handle(), "50");
    SetFocus(form.handle());
    EXPECT_EQ(spin->text(), "200");

    spin->setFocus();
    SetWindowTextA(spin->handle(), "abc");
    SetFocus(form.handle());
    EXPECT_EQ(spin->text(), "abc");  // not a number reads as the minimum, already in range
}

} // namespace
