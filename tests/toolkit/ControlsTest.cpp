// Controls on real windows: alignment, label sizing, radio groups, check
// boxes, flat speed buttons driven by real mouse and key messages, the
// search for the graphic control at a point, and an image's repainting.
#include "support/WindowTesting.h"
#include "toolkit/controls/Buttons.h"
#include "toolkit/controls/Image.h"
#include "toolkit/controls/Label.h"
#include "toolkit/controls/Panel.h"
#include "toolkit/controls/ScrollBox.h"
#include "toolkit/controls/SpeedButton.h"
#include "toolkit/forms/Application.h"
#include "toolkit/forms/Form.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace toolkit;
using testing_support::clickAt;
using testing_support::pumpPending;

template <typename T>
T& place(Form& form, WinControl& parent, int left, int top, int width, int height)
{
    auto* control = new T(&form);
    control->setParent(&parent);
    control->setBounds(left, top, width, height);
    return *control;
}

RECT windowPlace(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

TEST(Controls, AlignedPanelsShareTheParentsClientArea)
{
    Form form(nullptr);
    form.setBounds(100, 100, 400, 300);
    auto& top = place<Panel>(form, form, 0, 0, 10, 60);
    auto& client = place<Panel>(form, form, 0, 0, 10, 10);
    auto& bottom = place<Panel>(form, form, 0, 0, 10, 30);
    top.setAlign(Align::Top);
    client.setAlign(Align::Client);
    bottom.setAlign(Align::Bottom);
    form.show();

    RECT area;
    GetClientRect(form.handle(), &area);
    const RECT t = windowPlace(top.handle()), c = windowPlace(client.handle()), b = windowPlace(bottom.handle());
    EXPECT_EQ(t.top, 0);
    EXPECT_EQ(t.bottom, 60);
    EXPECT_EQ(t.right, area.right);
    EXPECT_EQ(b.top, area.bottom - 30);
    EXPECT_EQ(c.top, 60);
    EXPECT_EQ(c.bottom, area.bottom - 30);

    // Resizing the window lays them out again.
    SetWindowPos(form.handle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
    GetClientRect(form.handle(), &area);
    EXPECT_EQ(windowPlace(client.handle()).right, area.right);
    EXPECT_EQ(windowPlace(bottom.handle()).top, area.bottom - 30);
}

TEST(Controls, LabelsSizeToTheirCaptionAndRightAlignedOnesKeepTheirRightEdge)
{
    Form form(nullptr);
    auto& left = place<Label>(form, form, 10, 10, 200, 50);
    auto& right = place<Label>(form, form, 10, 40, 200, 50);
    right.setAlignment(Alignment::RightJustify);
    left.setText("Refresh Time");
    right.setText("Color Depth");
    EXPECT_EQ(left.left(), 10);
    EXPECT_GT(left.width(), 20);
    EXPECT_LT(left.width(), 200);
    EXPECT_LT(left.height(), 50);
    EXPECT_EQ(right.left() + right.width(), 210);

    const int before = left.width();
    left.setText("Refresh Time, longer");
    EXPECT_GT(left.width(), before);
}

TEST(Controls, RadioButtonsOfOneParentFormAGroup)
{
    Form form(nullptr);
    auto& groupA = place<Panel>(form, form, 0, 0, 200, 100);
    auto& groupB = place<Panel>(form, form, 200, 0, 200, 100);
    auto& a1 = place<RadioButton>(form, groupA, 5, 5, 60, 17);
    auto& a2 = place<RadioButton>(form, groupA, 5, 25, 60, 17);
    auto& b1 = place<RadioButton>(form, groupB, 5, 5, 60, 17);
    int clicks = 0;
    a2.onClick = [&](Component&) { ++clicks; };
    form.show();

    a1.setChecked(true);
    b1.setChecked(true);
    SendMessageA(a2.handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(a1.checked());
    EXPECT_TRUE(a2.checked());
    EXPECT_TRUE(b1.checked());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(SendMessageA(a1.handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(a2.handle(), BM_GETCHECK, 0, 0), BST_CHECKED);

    // Clicking the checked one again changes nothing and raises nothing.
    SendMessageA(a2.handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);
    a2.setChecked(false);
    EXPECT_EQ(clicks, 1);
}

TEST(Controls, CheckBoxRaisesClickOnlyWhenItsStateChanges)
{
    Form form(nullptr);
    auto& box = place<CheckBox>(form, form, 5, 5, 100, 17);
    int clicks = 0;
    box.onClick = [&](Component&) { ++clicks; };
    box.setChecked(false);
    EXPECT_EQ(clicks, 0);
    box.setChecked(true);
    EXPECT_EQ(clicks, 1);
    form.show();
    EXPECT_EQ(SendMessageA(box.handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageA(box.handle(), BM_CLICK, 0, 0);
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(clicks, 2);
}

TEST(Controls, FlatSpeedButtonClicksOnReleaseInsideAndGraysWhileThePointerIsAway)
{
    Form form(nullptr);
    auto& panel = place<Panel>(form, form, 0, 0, 300, 200);
    auto& button = place<SpeedButton>(form, panel, 4, 20, 57, 30);
    button.setFlat(true);
    button.setText("&Start");
    button.setGlyph("GLYPH_START");
    button.setNumGlyphs(2);
    button.setGrayedInactive(true);
    int clicks = 0;
    button.onClick = [&](Component&) { ++clicks; };
    form.show();
    HWND window = panel.handle();

    EXPECT_EQ(button.glyphLook(), SpeedButton::GlyphLook::Grayed);
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(10, 30));
    EXPECT_TRUE(button.mouseInControl());
    EXPECT_EQ(button.glyphLook(), SpeedButton::GlyphLook::Normal);

    clickAt(window, 10, 30);
    EXPECT_EQ(clicks, 1);

    // Pressed inside, released outside: no click.
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 30));
    SendMessageA(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 150));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(button.mouseInControl());
    EXPECT_EQ(button.glyphLook(), SpeedButton::GlyphLook::Grayed);

    button.setGrayedInactive(false);
    EXPECT_EQ(button.glyphLook(), SpeedButton::GlyphLook::Normal);
    button.setEnabled(false);
    EXPECT_EQ(button.glyphLook(), SpeedButton::GlyphLook::Disabled);
    clickAt(window, 10, 30);
    EXPECT_EQ(clicks, 1);
}

TEST(Controls, SpeedButtonAcceleratorClicksBeforeDispatch)
{
    Form form(nullptr);
    auto& button = place<SpeedButton>(form, form, 4, 20, 57, 30);
    button.setText("S&top");
    int clicks = 0;
    button.onClick = [&](Component&) { ++clicks; };
    form.show();
    MSG message{form.handle(), WM_SYSCHAR, 'T', 0, 0, {}};
    EXPECT_TRUE(form.preTranslateMessage(message));
    EXPECT_EQ(clicks, 1);
    message.wParam = 'x';
    form.preTranslateMessage(message);
    EXPECT_EQ(clicks, 1);

    EXPECT_TRUE(isAccelerator('s', "&Start"));
    EXPECT_FALSE(isAccelerator('s', "S&top"));
    EXPECT_FALSE(isAccelerator('a', "&&a"));
}

TEST(Controls, ControlAtPosFindsTheTopmostVisibleGraphicChild)
{
    Form form(nullptr);
    auto& panel = place<Panel>(form, form, 0, 0, 300, 200);
    auto& under = place<Label>(form, panel, 10, 10, 50, 20);
    auto& over = place<Label>(form, panel, 30, 10, 50, 20);
    auto& hidden = place<Label>(form, panel, 100, 10, 50, 20);
    auto& disabled = place<Label>(form, panel, 160, 10, 50, 20);
    auto& windowed = place<Panel>(form, panel, 10, 100, 50, 50);
    for (Label* label : {&under, &over, &hidden, &disabled}) label->setAutoSize(false);
    hidden.hide();
    disabled.setEnabled(false);

    EXPECT_EQ(panel.controlAtPos({15, 15}, true), &under);
    EXPECT_EQ(panel.controlAtPos({40, 15}, true), &over);
    EXPECT_EQ(panel.controlAtPos({110, 15}, true), nullptr);
    EXPECT_EQ(panel.controlAtPos({170, 15}, true), &disabled);
    EXPECT_EQ(panel.controlAtPos({170, 15}, false), nullptr);
    EXPECT_EQ(panel.controlAtPos({20, 110}, true), nullptr);
    EXPECT_EQ(panel.controlAtPos({20, 110}, true, true), &windowed);
    EXPECT_EQ(panel.controlAtPos({80, 15}, true), nullptr);  // right edge is outside
}

// A new picture is repainted: at the image's size over the image, at
// another size over the old area and the new together.
TEST(Controls, AnImageRepaintsWhereItsPictureChanged)
{
    Form form(nullptr);
    form.setBounds(0, 0, 300, 200);
    auto& image = place<Image>(form, form, 10, 10, 60, 40);
    image.setAutoSize(true);
    form.show();
    const auto repaintedArea = [&](int width, int height) {
        pumpPending();
        UpdateWindow(form.handle());
        image.changePicture([=](Picture& picture) { picture.makeBlankBitmap(width, height); });
        RECT area{};
        GetUpdateRect(form.handle(), &area, FALSE);
        return std::vector<LONG>{area.left, area.top, area.right, area.bottom};
    };
    EXPECT_EQ(repaintedArea(60, 40), (std::vector<LONG>{10, 10, 70, 50}));
    EXPECT_EQ(repaintedArea(60, 40), (std::vector<LONG>{10, 10, 70, 50}));
    EXPECT_EQ(repaintedArea(30, 90), (std::vector<LONG>{10, 10, 70, 100}));
}

} // namespace

namespace {

SCROLLINFO scrollInfo(HWND window, int bar)
{
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(window, bar, &info);
    return info;
}

TEST(Controls, AScrollBoxScrollsContentLargerThanItself)
{
    Form form(nullptr);
    auto& box = place<ScrollBox>(form, form, 10, 10, 120, 90);
    auto& content = place<Panel>(form, box, 0, 0, 300, 200);
    auto& label = place<Label>(form, box, 5, 150, 40, 15);
    label.setAutoSize(false);
    form.show();
    HWND window = box.handle();
    RECT client;
    GetClientRect(window, &client);

    EXPECT_EQ(scrollInfo(window, SB_VERT).nMax, 199);
    EXPECT_EQ(scrollInfo(window, SB_VERT).nPage, static_cast<UINT>(client.bottom));
    EXPECT_EQ(scrollInfo(window, SB_HORZ).nMax, 299);

    SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(windowPlace(content.handle()).top, -8);
    EXPECT_EQ(label.top(), 142);
    SendMessageA(window, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box.scrollPosition().y, 200 - client.bottom);
    EXPECT_EQ(windowPlace(content.handle()).top, client.bottom - 200);
    SendMessageA(window, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(box.scrollPosition().y, 200 - client.bottom);

    // Content that fits needs no scrolling: it comes back to the origin.
    content.setBounds(content.left(), content.top(), 50, 50);
    label.hide();
    EXPECT_EQ(box.scrollPosition().y, 0);
    EXPECT_EQ(windowPlace(content.handle()).top, 0);
    EXPECT_EQ(scrollInfo(window, SB_VERT).nMax, 0);

    // Content that fits across until the vertical bar takes its room needs
    // the horizontal bar too, and the vertical one then scrolls to its end.
    GetClientRect(window, &client);
    content.setBounds(0, 0, client.right - 5, 300);
    RECT narrowed;
    GetClientRect(window, &narrowed);
    EXPECT_LT(narrowed.right, client.right - 5);
    EXPECT_EQ(scrollInfo(window, SB_HORZ).nMax, client.right - 6);
    EXPECT_EQ(scrollInfo(window, SB_HORZ).nPage, static_cast<UINT>(narrowed.right));
    EXPECT_EQ(scrollInfo(window, SB_VERT).nPage, static_cast<UINT>(narrowed.bottom));
    SendMessageA(window, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box.scrollPosition().y, 300 - narrowed.bottom);
}

TEST(Controls, AnAutoSizedScrollBoxTakesItsContentsSize)
{
    Form form(nullptr);
    auto& box = place<ScrollBox>(form, form, 4, 4, 321, 137);
    box.setAutoSize(true);
    form.show();
    RECT client;
    GetClientRect(box.handle(), &client);
    EXPECT_EQ(client.right, 321 - 4);  // nothing inside: the designed size stays

    auto& content = place<Panel>(form, box, 0, 0, 150, 60);
    GetClientRect(box.handle(), &client);
    EXPECT_EQ(client.right, 150);
    EXPECT_EQ(client.bottom, 60);
    content.setBounds(0, 0, 400, 300);
    GetClientRect(box.handle(), &client);
    EXPECT_EQ(client.right, 400);
    EXPECT_EQ(scrollInfo(box.handle(), SB_VERT).nMax, 0);
}

} // namespace
