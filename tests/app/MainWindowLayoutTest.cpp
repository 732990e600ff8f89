// The main window as designed: components in creation order, places,
// sizes, captions, defaults and tab order, read back from the real windows.
#include "MainWindowFixture.h"
#include "support/WindowTesting.h"
#include "toolkit/system/Clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace toolkit;

RECT placeInParent(HWND window)
{
    RECT area;
    GetWindowRect(window, &area);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&area), 2);
    return area;
}

std::string windowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

TEST_F(MainWindowTest, ComponentsAreCreatedInTheListedOrder)
{
    std::vector<std::string> names;
    for (const Component* c : form->components()) names.push_back(c->name());
    EXPECT_EQ(names, (std::vector<std::string>{
                         "Panel1", "Timer1", "Panel3", "Panel4", "Label1", "Edit1", "Label2", "Edit2",
                         "CBShowObject", "ClipboardViewer1", "Color16", "Color256", "Color64K", "Color16M",
                         "Color32bit", "Edit3", "Label4", "Image1", "PicturePopupMenu", "Save", "SaveDialog1",
                         "SearchPictureDLG", "Timer2", "FormStorage1", "FormPlacement1", "Label7", "Label3",
                         "SpinEdit1", "StartBtn", "StopBtn", "Label5", "Label6", "RegionsSearchBtn",
                         "UseStartCoodrCB", "UseTransporentCB"}));
    EXPECT_EQ(form->name(), "Form1");
    EXPECT_EQ(std::string(form->metaClass().name()), "TForm1");
}

TEST_F(MainWindowTest, WindowHasItsCaptionSizeAndPosition)
{
    HWND window = form->handle();
    EXPECT_EQ(windowText(window), "Ovistra");
    RECT area;
    GetWindowRect(window, &area);
    EXPECT_EQ(area.left, 1255);
    EXPECT_EQ(area.top, 144);
    EXPECT_EQ(area.right - area.left, 540);
    EXPECT_EQ(area.bottom - area.top, 570);
    EXPECT_TRUE(IsWindowVisible(form->ClipboardViewer1->handle()));
    EXPECT_TRUE(form->Image1->visible());
    EXPECT_EQ(form->fontName(), "MS Sans Serif");
    EXPECT_EQ(form->fontHeight(), -11);
    EXPECT_EQ(form->color(), clBtnFace);
}

TEST_F(MainWindowTest, TheMinimumSizeHoldsOnAResizeAttempt)
{
    HWND window = form->handle();
    SetWindowPos(window, nullptr, 0, 0, 300, 200, SWP_NOMOVE | SWP_NOZORDER);
    RECT area;
    GetWindowRect(window, &area);
    EXPECT_EQ(area.right - area.left, 540);
    EXPECT_EQ(area.bottom - area.top, 570);

    MINMAXINFO info{};
    SendMessageA(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 540);
    EXPECT_EQ(info.ptMinTrackSize.y, 570);

    SetWindowPos(window, nullptr, 0, 0, 700, 650, SWP_NOMOVE | SWP_NOZORDER);
    GetWindowRect(window, &area);
    EXPECT_EQ(area.right - area.left, 700);
    RECT client;
    GetClientRect(form->Panel4->handle(), &client);
    RECT formClient;
    GetClientRect(window, &formClient);
    EXPECT_EQ(client.right, formClient.right);
}

TEST_F(MainWindowTest, PanelsDockAsDesigned)
{
    RECT client;
    GetClientRect(form->handle(), &client);
    const RECT panel1 = placeInParent(form->Panel1->handle());
    EXPECT_EQ(panel1.right - panel1.left, client.right);
    EXPECT_EQ(panel1.bottom - panel1.top, client.bottom);
    const RECT panel4 = placeInParent(form->Panel4->handle());
    EXPECT_EQ(panel4.top, 0);
    EXPECT_EQ(panel4.bottom - panel4.top, 160);
    const RECT panel3 = placeInParent(form->Panel3->handle());
    EXPECT_EQ(panel3.top, 160);
    EXPECT_EQ(panel3.bottom, client.bottom);
    EXPECT_EQ(GetParent(form->ClipboardViewer1->handle()), form->Panel3->handle());
    EXPECT_EQ(form->Image1->parent(), form->Panel3);
    EXPECT_EQ(form->Image1->align(), Align::Client);
    EXPECT_EQ(form->Image1->cursor(), Cursor::Cross);
    EXPECT_EQ(form->Image1->popupMenu(), form->PicturePopupMenu);
    EXPECT_EQ(form->ClipboardViewer1->cursor(), Cursor::Arrow);
}

TEST_F(MainWindowTest, WindowedControlsHaveTheirPlacesAndTexts)
{
    const std::string hyphens(59, '-');
    const struct {
        WinControl* control;
        int left, top, width, height;
        std::string text;
    } rows[] = {
        {form->CBShowObject, 72, 20, 97, 14, "S&how Object"},
        {form->SpinEdit1, 72, 59, 81, 22, "2000"},
        {form->UseStartCoodrCB, 72, 115, 119, 14, "Use starting coord.?"},
        {form->UseTransporentCB, 72, 131, 119, 14, "Use transporent?"},
        {form->Color16, 206, 108, 41, 17, "&16"},
        {form->Color256, 247, 108, 47, 17, "&256"},
        {form->Color64K, 295, 108, 45, 17, "&64K"},
        {form->Color16M, 339, 108, 43, 17, "16&M"},
        {form->Color32bit, 387, 108, 49, 17, "2^&32"},
        {form->Edit1, 252, 20, 264, 21, hyphens},
        {form->Edit2, 252, 60, 264, 21, hyphens},
        {form->Edit3, 451, 104, 65, 21, hyphens},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.control->name());
        HWND window = row.control->handleIfCreated();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(GetParent(window), form->Panel4->handleIfCreated());
        const RECT area = placeInParent(window);
        EXPECT_EQ(area.left, row.left);
        EXPECT_EQ(area.top, row.top);
        EXPECT_EQ(area.right - area.left, row.width);
        EXPECT_EQ(area.bottom - area.top, row.height);
        EXPECT_EQ(windowText(window), row.text);
        EXPECT_TRUE(IsWindowVisible(window));
    }
    const RECT viewer = placeInParent(form->ClipboardViewer1->handle());
    EXPECT_EQ(viewer.left, 4);
    EXPECT_EQ(viewer.top, 4);
    EXPECT_EQ(viewer.right - viewer.left, 321);
    EXPECT_EQ(viewer.bottom - viewer.top, 137);
}

TEST_F(MainWindowTest, GraphicControlsHaveTheirPlacesAndCaptions)
{
    const struct {
        Control* control;
        int left, top, width, height;
        std::string caption;
    } buttons[] = {
        {form->StartBtn, 4, 20, 57, 30, "&Start"},
        {form->StopBtn, 4, 51, 57, 30, "S&top"},
        {form->RegionsSearchBtn, 72, 90, 112, 22, "Search Region"},
    };
    for (const auto& row : buttons) {
        SCOPED_TRACE(row.control->name());
        EXPECT_EQ(row.control->parent(), form->Panel4);
        EXPECT_EQ(row.control->left(), row.left);
        EXPECT_EQ(row.control->top(), row.top);
        EXPECT_EQ(row.control->width(), row.width);
        EXPECT_EQ(row.control->height(), row.height);
        EXPECT_EQ(row.control->text(), row.caption);
    }
    const struct {
        Label* label;
        int left, top;
        std::string caption;
    } labels[] = {
        {form->Label3, 72, 44, "Refresh Time"},  {form->Label5, 11, 92, "--------"},
        {form->Label6, 11, 116, "--------"},     {form->Label1, 454, 4, "Object Name"},
        {form->Label2, 435, 44, "Object Full Name"}, {form->Label4, 463, 88, "Child count"},
    };
    for (const auto& row : labels) {
        SCOPED_TRACE(row.label->name());
        EXPECT_EQ(row.label->parent(), form->Panel4);
        EXPECT_EQ(row.label->left(), row.left);
        EXPECT_EQ(row.label->top(), row.top);
        EXPECT_EQ(row.label->text(), row.caption);
        EXPECT_TRUE(row.label->autoSize());
        EXPECT_GT(row.label->width(), 0);
    }
    // Label7 is right-aligned: sizing to its caption keeps its right edge.
    EXPECT_EQ(form->Label7->alignment(), Alignment::RightJustify);
    EXPECT_EQ(form->Label7->left() + form->Label7->width(), 206 + 55);
    EXPECT_EQ(form->Label7->top(), 92);
    EXPECT_EQ(form->Label7->text(), "Color Depth");
}

TEST_F(MainWindowTest, ControlsStartWithTheirDefaults)
{
    EXPECT_FALSE(form->CBShowObject->checked());
    for (RadioButton* radio : {form->Color16, form->Color256, form->Color64K, form->Color16M, form->Color32bit})
        EXPECT_FALSE(radio->checked()) << radio->name();
    EXPECT_FALSE(form->UseStartCoodrCB->checked());
    EXPECT_TRUE(form->UseTransporentCB->checked());
    EXPECT_EQ(SendMessageA(form->UseTransporentCB->handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(form->SpinEdit1->value(), 2000);
    EXPECT_EQ(form->SpinEdit1->minValue(), 200);
    EXPECT_EQ(form->SpinEdit1->maxValue(), 10000);
    EXPECT_EQ(form->SpinEdit1->increment(), 1);

    EXPECT_FALSE(form->Timer1->enabled());
    EXPECT_FALSE(form->Timer1->armed());
    EXPECT_EQ(form->Timer1->interval(), 500);
    EXPECT_TRUE(form->Timer1->onTimer());
    EXPECT_FALSE(form->Timer2->enabled());
    EXPECT_EQ(form->Timer2->interval(), 200);
    EXPECT_FALSE(form->Timer2->onTimer());

    EXPECT_TRUE(form->StartBtn->grayedInactive());
    EXPECT_TRUE(form->StopBtn->grayedInactive());
    EXPECT_TRUE(form->StartBtn->flat());
    EXPECT_EQ(form->StartBtn->numGlyphs(), 2);

    ASSERT_EQ(form->PicturePopupMenu->items().size(), 1u);
    EXPECT_EQ(form->PicturePopupMenu->items()[0], form->Save);
    EXPECT_EQ(form->Save->caption(), "Save to &File");
    EXPECT_EQ(form->SaveDialog1->defaultExt(), "BMP");
    EXPECT_EQ(form->SaveDialog1->filter(), "BMP|*.bmp");
    EXPECT_EQ(form->SearchPictureDLG->filter(), "Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(form->SearchPictureDLG->initialDir(), "");

    EXPECT_EQ(form->FormStorage1->iniFileName(), "Spy.ini");
    EXPECT_EQ(form->FormStorage1->iniSection(), "Controls");
    EXPECT_EQ(form->FormPlacement1->iniSection(), "Placement");
    EXPECT_EQ(form->FormPlacement1->options(), settings::fpState | settings::fpPosition);
    EXPECT_TRUE(form->FormPlacement1->active());
    EXPECT_EQ(form->FormStorage1->storedProps(),
              (std::vector<std::string>{"SearchPictureDLG.InitialDir", "SaveDialog1.InitialDir", "CBShowObject.Checked",
                                        "Color16.Checked", "Color16M.Checked", "Color256.Checked", "Color32bit.Checked",
                                        "Color64K.Checked"}));
}

std::vector<std::string> tabWalk(HWND dialog, HWND start, std::size_t steps)
{
    std::vector<std::string> visited;
    for (HWND current = start; visited.size() < steps; current = GetNextDlgTabItem(dialog, current, FALSE)) {
        const WinControl* control = WinControl::fromHandle(current);
        visited.push_back(control ? control->name() : "?");
    }
    return visited;
}

TEST_F(MainWindowTest, TabOrderFollowsTheDesign)
{
    // The order of the windows among their siblings is the tab order.
    std::vector<std::string> order;
    for (HWND child = GetWindow(form->Panel4->handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (const WinControl* control = WinControl::fromHandle(child)) order.push_back(control->name());
    EXPECT_EQ(order, (std::vector<std::string>{"Edit1", "Edit2", "CBShowObject", "Color16", "Color256", "Color64K",
                                               "Color16M", "Color32bit", "Edit3", "SpinEdit1", "UseStartCoodrCB",
                                               "UseTransporentCB"}));

    // Tab visits the radio buttons' group at its checked button only. Text
    // on the clipboard would put the pane's memo in the walk: none there.
    {
        toolkit::OpenedClipboard clipboard(form->handle());
        EmptyClipboard();
    }
    ASSERT_TRUE(testing_support::pumpUntil([&] { return form->ClipboardViewer1->contentControl() == nullptr; }));
    HWND window = form->handle();
    EXPECT_EQ(tabWalk(window, form->Edit1->handle(), 8),
              (std::vector<std::string>{"Edit1", "Edit2", "CBShowObject", "Edit3", "SpinEdit1", "UseStartCoodrCB",
                                        "UseTransporentCB", "Edit1"}));
    form->Color64K->setChecked(true);
    EXPECT_EQ(tabWalk(window, form->Edit1->handle(), 9),
              (std::vector<std::string>{"Edit1", "Edit2", "CBShowObject", "Color64K", "Edit3", "SpinEdit1",
                                        "UseStartCoodrCB", "UseTransporentCB", "Edit1"}));
}

} // namespace
