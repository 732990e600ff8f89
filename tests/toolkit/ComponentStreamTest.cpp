// Component streaming in text form: what the writer produces reads back
// to the same component, and a stream that cannot be read leaves nothing
// behind.
#include "toolkit/controls/Buttons.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Memo.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/ClassRegistry.h"
#include "toolkit/core/Error.h"
#include "toolkit/core/FormWriter.h"
#include "toolkit/forms/FormReader.h"
#include "toolkit/forms/StandardClasses.h"
#include "toolkit/system/Timer.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace toolkit;

TEST(ComponentStream, WritesOnlyWhatDiffersFromANewInstanceAndNoEvents)
{
    Timer timer(nullptr);
    timer.setName("Timer1");
    timer.setInterval(250);
    timer.setOnTimer([](Component&) {});
    EXPECT_EQ(writeComponent(timer), "object Timer1: TTimer\n  Interval = 250\nend\n");
}

TEST(ComponentStream, APanelWithControlsReadsBackAsItWasWritten)
{
    Component owner(nullptr);
    auto* panel = new Panel(&owner);
    panel->setName("Panel7");
    panel->setBounds(3, 4, 150, 90);
    auto* label = new Label(panel);
    label->setName("Caption1");
    label->setParent(panel);
    label->setText("It's \"quoted\"\tand\x01odd\xE9");
    auto* box = new CheckBox(panel);
    box->setName("Check1");
    box->setParent(panel);
    box->setChecked(true);
    auto* memo = new Memo(panel);
    memo->setName("Notes");
    memo->setParent(panel);
    memo->setLines({"first line", "", "it''s 'three'"});
    memo->setScrollBars(ScrollStyle::ssVertical);
    const std::string text = writeComponent(*panel);

    Component target(nullptr);
    std::unique_ptr<Component> read(readComponent(text, &target, nullptr, standardClasses()));
    auto* copy = dynamic_cast<Panel*>(read.get());
    ASSERT_NE(copy, nullptr) << text;
    EXPECT_EQ(copy->name(), "Panel7");
    EXPECT_EQ(copy->owner(), &target);
    EXPECT_EQ(copy->boundsRect().left, 3);
    EXPECT_EQ(copy->width(), 150);
    auto& labelCopy = componentOf<Label>(*copy, "Caption1");
    EXPECT_EQ(labelCopy.text(), label->text());
    EXPECT_EQ(labelCopy.parent(), copy);
    EXPECT_TRUE(componentOf<CheckBox>(*copy, "Check1").checked());
    auto& memoCopy = componentOf<Memo>(*copy, "Notes");
    EXPECT_EQ(memoCopy.lines(), memo->lines());
    EXPECT_EQ(memoCopy.scrollBars(), ScrollStyle::ssVertical);
    // Written again, the copy gives the same text.
    EXPECT_EQ(writeComponent(*copy), text);
}

TEST(ComponentStream, AReferenceOutsideTheStreamIsLeftOut)
{
    Panel outside(nullptr);
    outside.setName("Outside");
    Label label(nullptr);
    label.setName("Lonely");
    label.setParent(&outside);
    const std::string text = writeComponent(label);
    EXPECT_EQ(text.find("Parent"), std::string::npos) << text;
    label.setParent(nullptr);
}

TEST(ComponentStream, AStreamThatCannotBeReadRaisesAndLeavesNothingBehind)
{
    Panel owner(nullptr);
    for (const char* text : {"object P: TPanel\n  object L: TLabel\n    Caption = 'open\n  end\nend\n",
                             "object P: TPanel\n  object L: TLabel\n    OnClick = Handler\n  end\nend\n",
                             "object P: TNoSuchClass\nend\n", "object P: TPanel\n  Left = 99999999999\nend\n",
                             "object P: TPanel\n  Parent = Elsewhere\nend\n", "", "\x01\x02 junk"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(readComponent(text, &owner, &owner, standardClasses()), Error);
        EXPECT_TRUE(owner.components().empty());
        EXPECT_TRUE(owner.controls().empty());
    }
}

} // namespace
