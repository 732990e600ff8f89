// Ownership: owned components in the order given, destroyed with their
// owner, names unique within an owner.
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/Error.h"
#include "toolkit/forms/Form.h"
#include "toolkit/system/Timer.h"

#include <gtest/gtest.h>

namespace {

using namespace toolkit;

std::vector<std::string> namesOf(const Component& owner)
{
    std::vector<std::string> names;
    for (const Component* c : owner.components()) names.push_back(c->name());
    return names;
}

TEST(Component, OwnsComponentsInTheOrderGiven)
{
    Form form(nullptr);
    for (const char* name : {"B", "A", "C"}) (new Timer(&form))->setName(name);
    EXPECT_EQ(namesOf(form), (std::vector<std::string>{"B", "A", "C"}));
    delete form.components()[1];
    EXPECT_EQ(namesOf(form), (std::vector<std::string>{"B", "C"}));
}

TEST(Component, NamesAreUniqueWithinTheOwnerIgnoringCase)
{
    Form form(nullptr);
    (new Timer(&form))->setName("Timer1");
    auto* second = new Timer(&form);
    EXPECT_THROW(second->setName("TIMER1"), Error);
    EXPECT_EQ(second->name(), "");
    EXPECT_EQ(form.findComponent("timer1"), form.components()[0]);
    EXPECT_EQ(form.findComponent(""), nullptr);
}

TEST(Component, DestroyingAContainerLeavesItsControlsWithoutParentAndWindow)
{
    Form form(nullptr);
    auto* panel = new Panel(&form);
    auto* label = new Label(&form);
    auto* inner = new Panel(&form);
    panel->setParent(&form);
    label->setParent(panel);
    inner->setParent(panel);
    form.handle();
    HWND innerWindow = inner->handleIfCreated();
    ASSERT_TRUE(IsWindow(innerWindow));

    delete panel;
    EXPECT_EQ(label->parent(), nullptr);
    EXPECT_EQ(inner->parent(), nullptr);
    EXPECT_FALSE(IsWindow(innerWindow));
    EXPECT_EQ(inner->handleIfCreated(), nullptr);
    EXPECT_EQ(form.components().size(), 2u);
}

TEST(Component, WindowsCarryTheControlPropertyUntilTheyGo)
{
    Form form(nullptr);
    auto* panel = new Panel(&form);
    panel->setParent(&form);
    HWND window = panel->handle();
    EXPECT_EQ(WinControl::fromHandle(window), panel);
    EXPECT_EQ(WinControl::fromHandle(form.handle()), &form);
    EXPECT_EQ(WinControl::fromHandle(GetDesktopWindow()), nullptr);
    EXPECT_EQ(WinControl::fromHandle(nullptr), nullptr);

    // A window destroyed by the system takes the property with it, and the
    // control forgets the window.
    DestroyWindow(window);
    EXPECT_EQ(panel->handleIfCreated(), nullptr);
    EXPECT_NE(panel->handle(), nullptr);
}

} // namespace
