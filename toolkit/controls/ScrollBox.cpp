#include "toolkit/controls/ScrollBox.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace toolkit {

namespace {

constexpr int lineStep = 8;

} // namespace

const MetaClass ScrollBox::classInfo(
    "TScrollBox", WinControl::classInfo, sizeof(ScrollBox), createInstance<ScrollBox>,
    {enumProperty("BorderStyle", {"bsNone", "bsSingle"}, &ScrollBox::borderStyle, &ScrollBox::setBorderStyle),
     booleanProperty("AutoSize", &ScrollBox::autoSize, &ScrollBox::setAutoSize)});

ScrollBox::ScrollBox(Component* owner) : WinControl(owner) {}

void ScrollBox::setAutoSize(bool autoSize)
{
    autoSize_ = autoSize;
    controlsChanged();
}

void ScrollBox::createParams(CreateParams& params)
{
    params.style |= WS_CLIPCHILDREN;
    params.exStyle |= WS_EX_CONTROLPARENT | (borderStyle_ == BorderStyle::Single ? WS_EX_CLIENTEDGE : 0);
}

void ScrollBox::handleCreated()
{
    controlsChanged();
}

SIZE ScrollBox::contentSize() const
{
    SIZE size{0, 0};
    for (const Control* child : controls()) {
        if (!child->visible()) continue;
        size.cx = std::max<LONG>(size.cx, child->left() + child->width() + scroll_.x);
        size.cy = std::max<LONG>(size.cy, child->top() + child->height() + scroll_.y);
    }
    return size;
}

void ScrollBox::controlsChanged()
{
    if (adjusting_ || loading() || !handleAllocated()) return;
    adjusting_ = true;
    const SIZE content = contentSize();
    if (autoSize_ && content.cx > 0 && content.cy > 0) {
        scrollTo(0, 0);
        RECT window, client;
        GetWindowRect(handleIfCreated(), &window);
        GetClientRect(handleIfCreated(), &client);
        setBounds(left(), top(), content.cx + (window.right - window.left) - client.right,
                  content.cy + (window.bottom - window.top) - client.bottom);
    }
    updateScrollBars();
    adjusting_ = false;
}

void ScrollBox::updateScrollBars()
{
    HWND window = handleIfCreated();
    const SIZE content = contentSize();
    // Showing one bar narrows the room for the other, which may then show
    // too: the bars are set again while the room keeps changing, at most
    // until both have had their turn and the pages fit the last room.
    RECT client;
    GetClientRect(window, &client);
    for (int round = 0; round < 3; ++round) {
        for (const auto& [bar, extent, page] : {std::tuple{SB_HORZ, content.cx, client.right},
                                                 std::tuple{SB_VERT, content.cy, client.bottom}}) {
            SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
            const bool needed = extent > page && !autoSize_;
            info.nMax = needed ? extent - 1 : 0;
            info.nPage = needed ? static_cast<UINT>(page) : 0;
            info.nPos = bar == SB_HORZ ? scroll_.x : scroll_.y;
            SetScrollInfo(window, bar, &info, TRUE);
        }
        RECT settled;
        GetClientRect(window, &settled);
        if (EqualRect(&settled, &client)) break;
        client = settled;
    }
    // A position beyond the new range comes back.
    scrollTo(std::min<int>(scroll_.x, std::max<int>(0, content.cx - client.right)),
             std::min<int>(scroll_.y, std::max<int>(0, content.cy - client.bottom)));
}

void ScrollBox::scrollTo(int x, int y)
{
    const int dx = x - scroll_.x;
    const int dy = y - scroll_.y;
    if (!dx && !dy) return;
    scroll_ = {x, y};
    HWND window = handleIfCreated();
    if (!window) return;
    // Windowed children move with the system's scrolling; graphic ones are
    // moved here.
    ScrollWindowEx(window, -dx, -dy, nullptr, nullptr, nullptr, nullptr, SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
    const bool adjusting = std::exchange(adjusting_, true);
    for (Control* child : controls())
        if (!child->windowed()) child->setBounds(child->left() - dx, child->top() - dy, child->width(), child->height());
    adjusting_ = adjusting;
    SetScrollPos(window, SB_HORZ, scroll_.x, TRUE);
    SetScrollPos(window, SB_VERT, scroll_.y, TRUE);
}

void ScrollBox::scrollBar(int bar, WORD request)
{
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    GetScrollInfo(handleIfCreated(), bar, &info);
    const int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
    int position = info.nPos;
    switch (request) {
    case SB_LINEUP: position -= lineStep; break;
    case SB_LINEDOWN: position += lineStep; break;
    case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK: case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = 0; break;
    case SB_BOTTOM: position = last; break;
    default: return;
    }
    position = std::clamp(position, 0, last);
    if (bar == SB_HORZ)
        scrollTo(position, scroll_.y);
    else
        scrollTo(scroll_.x, position);
}

LRESULT ScrollBox::windowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HSCROLL: scrollBar(SB_HORZ, LOWORD(wParam)); return 0;
    case WM_VSCROLL: scrollBar(SB_VERT, LOWORD(wParam)); return 0;
    case WM_SIZE: {
        const LRESULT result = WinControl::windowMessage(message, wParam, lParam);
        controlsChanged();
        return result;
    }
    default: break;
    }
    return WinControl::windowMessage(message, wParam, lParam);
}

} // namespace toolkit
