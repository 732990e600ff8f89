// The form-description reader: values of every kind, creation order,
// references resolved at the end, and clear errors naming what is wrong.
#include "toolkit/controls/Buttons.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Menus.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/core/ClassRegistry.h"
#include "toolkit/core/Error.h"
#include "toolkit/core/FormText.h"
#include "toolkit/forms/Form.h"
#include "toolkit/forms/FormReader.h"
#include "toolkit/forms/StandardClasses.h"

#include <gtest/gtest.h>

namespace {

using namespace toolkit;

// A form class of the test's own with one method.
class TTestForm : public Form {
public:
    explicit TTestForm(Component* owner) : Form(owner) {}
    static const MetaClass classInfo;
    const MetaClass& metaClass() const override { return classInfo; }
    const EventHandler* findMethod(std::string_view name) const override
    {
        return name == "ButtonClick" ? &clickHandler : nullptr;
    }
    int clicks = 0;
    EventHandler clickHandler{NotifyEvent{[this](Component&) { ++clicks; }}};
};
const MetaClass TTestForm::classInfo("TTestForm", Form::classInfo, sizeof(TTestForm), nullptr, {});

std::string readError(const std::string& text)
{
    TTestForm form(nullptr);
    try {
        readForm(form, text, standardClasses());
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

TEST(FormText, ParsesEveryKindOfValue)
{
    const FormObject root = parseFormText(R"(object F: TTestForm
  Caption = 'It''s' + #65 + 'B'
  Left = -12
  Align = alClient
  Options = [fpState, fpPosition]
  Empty = []
  Lines = (
    'one'
    'two')
  object Child: TPanel
  end
end)");
    ASSERT_EQ(root.properties.size(), 6u);
    EXPECT_EQ(std::get<std::string>(root.properties[0].value), "It'sAB");
    EXPECT_EQ(std::get<std::int64_t>(root.properties[1].value), -12);
    EXPECT_EQ(std::get<Identifier>(root.properties[2].value).name, "alClient");
    EXPECT_EQ(std::get<SetValue>(root.properties[3].value).members, (std::vector<std::string>{"fpState", "fpPosition"}));
    EXPECT_TRUE(std::get<SetValue>(root.properties[4].value).members.empty());
    EXPECT_EQ(std::get<TextList>(root.properties[5].value).lines, (std::vector<std::string>{"one", "two"}));
    ASSERT_EQ(root.children.size(), 1u);
    EXPECT_EQ(root.children[0].className, "TPanel");
    EXPECT_EQ(root.children[0].line, 10);
}

TEST(FormText, MalformedTextNamesTheLine)
{
    const struct {
        const char* text;
        const char* error;
    } rows[] = {
        {"object F: TTestForm\n  Caption = 'open\nend", "Form description line 2: unterminated text"},
        {"object F: TTestForm\n  Left = 1\n", "Form description line 3: 'end' of F missing"},
        {"object F TTestForm\nend", "Form description line 1: ':' expected"},
        {"object F: TTestForm\n  Left 1\nend", "Form description line 2: '=' expected"},
        {"object F: TTestForm\n  Lines = ( 'a' b )\nend", "Form description line 2: text expected in the list"},
        {"object F: TTestForm\nend\nend", "Form description line 3: text after the final 'end'"},
        {"object F: TTestForm\n  Caption = #999\nend", "Form description line 2: character code above 255"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(readError(row.text), row.error);
    }
}

TEST(FormReader, BadDescriptionsFailNamingWhatIsWrong)
{
    const struct {
        const char* text;
        const char* error;
    } rows[] = {
        {"object F: TTestForm\n  object P: TPanell\n  end\nend", "Form description line 2: unknown class TPanell of P"},
        {"object F: TTestForm\n  object P: TPanel\n    Colour = 1\n  end\nend",
         "Form description line 3: unknown property Colour of P (TPanel)"},
        {"object F: TTestForm\n  object P: TPanel\n    Align = alMiddle\n  end\nend",
         "Form description line 3: invalid value for property Align of P: one of its identifiers expected"},
        {"object F: TTestForm\n  object P: TPanel\n    Left = 'ten'\n  end\nend",
         "Form description line 3: invalid value for property Left of P: an integer expected"},
        {"object F: TTestForm\n  object P: TPanel\n    Left = 99999999999\n  end\nend",
         "Form description line 3: invalid value for property Left of P: number out of range"},
        {"object F: TTestForm\n  object B: TCheckBox\n    OnClick = Missing\n  end\nend",
         "Form description line 3: invalid value for property OnClick of B: no method Missing"},
        {"object F: TTestForm\n  object L: TLabel\n    Parent = Nowhere\n  end\nend",
         "Form description line 3: invalid value for property Parent of L: no component Nowhere"},
        {"object F: TTestForm\n  object T: TTimer\n  end\n  object L: TLabel\n    Parent = T\n  end\nend",
         "Form description line 5: invalid value for property Parent of L: the component has the wrong class"},
        {"object F: TTestForm\n  object A: TPanel\n  end\n  object a: TPanel\n  end\nend",
         "Form description line 4: A component named a already exists"},
        {"object F: TOtherForm\nend", "Form description line 1: the form is of class TTestForm, not TOtherForm"},
        {"object F: TTestForm\n  object M: TPopupMenu\n    object L: TLabel\n    end\n  end\nend",
         "Form description line 3: M cannot hold L"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(readError(row.text), row.error);
    }
}

TEST(FormReader, BuildsComponentsInFileOrderWithTheirProperties)
{
    TTestForm form(nullptr);
    readForm(form, R"(object F: TTestForm
  Caption = 'Test'
  object P: TPanel
    Align = alTop
    Height = 40
    object B: TCheckBox
      Caption = 'Box'
      Checked = True
      OnClick = ButtonClick
    end
  end
  object L: TLabel
    Parent = P
    Left = 5
    Caption = 'x'
    PopupMenu = M
  end
  object M: TPopupMenu
    object I: TMenuItem
      Caption = 'Item'
    end
  end
end)",
             standardClasses());
    std::vector<std::string> names;
    for (Component* c : form.components()) names.push_back(c->name());
    EXPECT_EQ(names, (std::vector<std::string>{"P", "B", "L", "M", "I"}));
    EXPECT_EQ(form.name(), "F");
    EXPECT_EQ(form.text(), "Test");

    auto& panel = componentOf<Panel>(form, "P");
    auto& box = componentOf<CheckBox>(form, "B");
    auto& label = componentOf<Label>(form, "L");
    auto& menu = componentOf<PopupMenu>(form, "M");
    EXPECT_EQ(panel.align(), Align::Top);
    EXPECT_EQ(box.parent(), &panel);
    EXPECT_EQ(label.parent(), &panel);
    EXPECT_EQ(label.popupMenu(), &menu);
    ASSERT_EQ(menu.items().size(), 1u);
    EXPECT_EQ(menu.items()[0]->caption(), "Item");
    // Checked while loading raises no click; afterwards the handler runs.
    EXPECT_TRUE(box.checked());
    EXPECT_EQ(form.clicks, 0);
    box.setChecked(false);
    EXPECT_EQ(form.clicks, 1);
    EXPECT_FALSE(box.loading());

    // No window exists until the form is shown; then every control gets
    // one with what was read and set since.
    EXPECT_FALSE(form.handleAllocated());
    EXPECT_FALSE(box.handleAllocated());
    form.show();
    ASSERT_TRUE(box.handleAllocated());
    EXPECT_EQ(SendMessageA(box.handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    char caption[8]{};
    GetWindowTextA(box.handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Box");
    RECT client, placed;
    GetClientRect(form.handle(), &client);
    GetWindowRect(panel.handle(), &placed);
    EXPECT_EQ(placed.right - placed.left, client.right);
    EXPECT_EQ(placed.bottom - placed.top, 40);
}

} // namespace
