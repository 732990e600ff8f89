#include "toolkit/controls/WinControl.h"

#include "toolkit/controls/Menus.h"
#include "toolkit/core/Error.h"
#include "toolkit/system/ControlAtom.h"
#include "toolkit/system/EntryGuard.h"

#include <windowsx.h>

#include <algorithm>
#include <set>

namespace toolkit {

namespace {

HINSTANCE moduleInstance()
{
    return GetModuleHandleA(nullptr);
}

ATOM controlAtom()
{
    return ControlAtom::current();
}

MouseButton buttonOf(UINT message)
{
    switch (message) {
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return MouseButton::Right;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return MouseButton::Middle;
    default: return MouseButton::Left;
    }
}

} // namespace

const MetaClass WinControl::classInfo("TWinControl", Control::classInfo, sizeof(WinControl), nullptr,
                                      {integerProperty("TabOrder", &WinControl::tabOrder, &WinControl::setTabOrder),
                                       booleanProperty("TabStop", &WinControl::tabStop, &WinControl::setTabStop)});

WinControl::WinControl(Component* owner) : Control(owner) {}

WinControl::~WinControl()
{
    // Children keep living (their owner destroys them) but lose their
    // parent; their windows go with ours.
    while (!controls_.empty()) controls_.back()->setParent(nullptr);
    destroyHandle();
}

bool WinControl::placeChild(Component& child)
{
    auto* control = dynamic_cast<Control*>(&child);
    if (!control) return false;
    control->setParent(this);
    return true;
}

HWND WinControl::handle()
{
    if (!window_) createHandle();
    return window_;
}

WinControl* WinControl::fromHandle(HWND window)
{
    const ATOM atom = controlAtom();
    if (!window || !atom) return nullptr;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return nullptr;
    return dynamic_cast<WinControl*>(Component::fromClientFace(GetPropA(window, MAKEINTATOM(atom))));
}

void WinControl::createParams(CreateParams&) {}

void WinControl::createHandle()
{
    HWND parentWindow = parent() ? parent()->handle() : ownerWindow();
    if (window_) return;  // created along with the parent's children

    CreateParams params;
    createParams(params);
    const bool ownClass = params.className.empty();
    const std::string className = ownClass ? std::string(metaClass().name()) : params.className;
    if (ownClass) {
        static std::set<std::string> registered;
        if (!registered.count(className)) {
            WNDCLASSEXA windowClass{};
            windowClass.cbSize = sizeof windowClass;
            windowClass.style = params.classStyle;
            windowClass.lpfnWndProc = windowProc;
            windowClass.hInstance = moduleInstance();
            windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
            windowClass.hIcon = LoadIconA(moduleInstance(), "MAINICON");
            windowClass.lpszClassName = className.c_str();
            if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
                throw Error(format("Cannot register window class %s", className.c_str()));
            registered.insert(className);
        }
    }

    DWORD style = params.style;
    if (visible()) style |= WS_VISIBLE;
    if (!enabled()) style |= WS_DISABLED;
    if (tabStop_) style |= WS_TABSTOP;
    HWND window = nullptr;
    if (params.unicode && !ownClass) {
        const std::wstring wideClass(className.begin(), className.end());
        window = CreateWindowExW(params.exStyle, wideClass.c_str(), L"", style, left(), top(), width(), height(),
                                 parentWindow, nullptr, moduleInstance(), nullptr);
        if (window && !caption_.empty()) SetWindowTextA(window, caption_.c_str());
    } else {
        window = CreateWindowExA(params.exStyle, className.c_str(), caption_.c_str(), style, left(), top(), width(),
                                 height(), parentWindow, nullptr, moduleInstance(), ownClass ? this : nullptr);
    }
    if (!window) throw Error(format("Error creating window %s", name().c_str()));
    if (!ownClass) {
        SetWindowSubclass(window, subclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
        subclassed_ = true;
        attach(window);
    }
    applyFont();
    handleCreated();
    for (Control* child : controls_)
        if (child->windowed()) static_cast<WinControl*>(child)->handle();
    updateTabOrder();
    realign();
}

void WinControl::destroyHandle()
{
    if (!window_) return;
    handleDestroying();
    HWND window = window_;
    // Stop routing messages to this object before the window goes.
    if (subclassed_) {
        RemoveWindowSubclass(window, subclassProc, 1);
        subclassed_ = false;
    } else {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    }
    detach();
    DestroyWindow(window);
}

void WinControl::attach(HWND window)
{
    window_ = window;
    if (const ATOM atom = controlAtom()) SetPropA(window, MAKEINTATOM(atom), clientFace());
}

void WinControl::detach()
{
    if (window_)
        if (const ATOM atom = controlAtom()) RemovePropA(window_, MAKEINTATOM(atom));
    window_ = nullptr;
    hovered_ = nullptr;
    captured_ = nullptr;
    trackingLeave_ = false;
}

void WinControl::insertControl(Control& control)
{
    controls_.push_back(&control);
    if (control.windowed() && window_) {
        auto& child = static_cast<WinControl&>(control);
        if (child.window_)
            SetParent(child.window_, window_);
        else
            child.handle();
        updateTabOrder();
    }
    control.invalidate();
    if (control.align() != Align::None) realign();
    controlsChanged();
}

void WinControl::removeControl(Control& control)
{
    if (hovered_ == &control) hovered_ = nullptr;
    if (captured_ == &control) {
        captured_ = nullptr;
        if (GetCapture() == window_) ReleaseCapture();
    }
    control.invalidate();
    if (control.windowed()) static_cast<WinControl&>(control).destroyHandle();
    controls_.erase(std::remove(controls_.begin(), controls_.end(), &control), controls_.end());
    if (control.align() != Align::None) realign();
    controlsChanged();
}

Control* WinControl::controlAtPos(POINT point, bool allowDisabled, bool allowWindowed) const
{
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        Control* child = *it;
        if (child->windowed() && !allowWindowed) continue;
        const int x = point.x - child->left();
        const int y = point.y - child->top();
        const RECT area = child->clientRect();
        if (x < area.left || y < area.top || x >= area.right || y >= area.bottom) continue;
        if (!child->visible() || (!allowDisabled && !child->enabled())) continue;
        if (child->hitTest(x, y)) return child;
    }
    return nullptr;
}

void WinControl::setTabOrder(int order)
{
    tabOrder_ = order;
    if (parent() && parent()->window_) parent()->updateTabOrder();
}

void WinControl::setTabStop(bool tabStop)
{
    tabStop_ = tabStop;
    if (!window_) return;
    const LONG_PTR style = GetWindowLongPtrA(window_, GWL_STYLE);
    SetWindowLongPtrA(window_, GWL_STYLE, tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP));
}

void WinControl::setFocus()
{
    SetFocus(handle());
}

void WinControl::updateTabOrder()
{
    std::vector<WinControl*> windowed;
    for (Control* child : controls_)
        if (child->windowed() && static_cast<WinControl*>(child)->window_) windowed.push_back(static_cast<WinControl*>(child));
    std::stable_sort(windowed.begin(), windowed.end(), [](const WinControl* a, const WinControl* b) {
        const auto key = [](const WinControl* c) { return c->tabOrder_ < 0 ? INT_MAX : c->tabOrder_; };
        return key(a) < key(b);
    });
    // The dialog manager tabs through siblings in Z order, top first.
    HWND previous = HWND_TOP;
    for (WinControl* child : windowed) {
        SetWindowPos(child->window_, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = child->window_;
    }
}

RECT WinControl::clientRect() const
{
    RECT area{0, 0, width(), height()};
    if (window_) GetClientRect(window_, &area);
    return area;
}

POINT WinControl::clientOrigin() const
{
    if (!window_) return Control::clientOrigin();
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    return origin;
}

void WinControl::setText(const std::string& text)
{
    if (!window_) {
        Control::setText(text);
        return;
    }
    if (this->text() == text) return;
    caption_ = text;
    SetWindowTextA(window_, caption_.c_str());
}

std::string WinControl::text() const
{
    if (!window_) return caption_;
    std::string result(static_cast<std::size_t>(GetWindowTextLengthA(window_)) + 1, '\0');
    result.resize(static_cast<std::size_t>(GetWindowTextA(window_, result.data(), static_cast<int>(result.size()))));
    return result;
}

void WinControl::enableAlign()
{
    if (alignDisabled_ > 0 && --alignDisabled_ == 0) realign();
}

void WinControl::realign()
{
    if (aligning_ || alignDisabled_ > 0 || loading()) return;
    aligning_ = true;
    RECT area = alignArea();
    for (Align kind : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        for (Control* child : controls_) {
            if (!child->visible() || child->align() != kind) continue;
            const int w = area.right - area.left;
            const int h = area.bottom - area.top;
            switch (kind) {
            case Align::Top:
                child->setBounds(area.left, area.top, w, child->height());
                area.top += child->height();
                break;
            case Align::Bottom:
                child->setBounds(area.left, area.bottom - child->height(), w, child->height());
                area.bottom -= child->height();
                break;
            case Align::Left:
                child->setBounds(area.left, area.top, child->width(), h);
                area.left += child->width();
                break;
            case Align::Right:
                child->setBounds(area.right - child->width(), area.top, child->width(), h);
                area.right -= child->width();
                break;
            case Align::Client: child->setBounds(area.left, area.top, w, h); break;
            case Align::None: break;
            }
        }
    }
    aligning_ = false;
}

void WinControl::boundsChanged()
{
    if (window_)
        SetWindowPos(window_, nullptr, left(), top(), width(), height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinControl::visibleChanged()
{
    if (window_) ShowWindow(window_, visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void WinControl::enabledChanged()
{
    if (window_) EnableWindow(window_, enabled());
}

void WinControl::textChanged()
{
    if (window_) SetWindowTextA(window_, caption_.c_str());
}

void WinControl::applyFont()
{
    if (window_) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font()), FALSE);
}

HBRUSH WinControl::controlColor(HDC)
{
    return nullptr;
}

HBRUSH WinControl::backgroundBrush()
{
    if (!brush_ || brushColor_ != color()) {
        brush_.reset(CreateSolidBrush(colorToRGB(color())));
        brushColor_ = color();
    }
    return brush_.get();
}

void WinControl::paintBackground(HDC dc)
{
    const RECT area = clientRect();
    FillRect(dc, &area, backgroundBrush());
}

void WinControl::paintWindow()
{
    PaintDC dc(window_);
    {
        SavedDC saved(dc.get());
        // The background is not filled twice where an opaque child paints.
        for (Control* child : controls_) {
            if (child->windowed() || !child->visible() || !child->opaque()) continue;
            const RECT bounds = child->boundsRect();
            ExcludeClipRect(dc.get(), bounds.left, bounds.top, bounds.right, bounds.bottom);
        }
        paintBackground(dc.get());
        paintContent(dc.get());
    }
    for (Control* child : controls_) {
        if (child->windowed() || !child->visible()) continue;
        RECT bounds = child->boundsRect();
        RECT overlap;
        if (!IntersectRect(&overlap, &bounds, &dc.area())) continue;
        SavedDC saved(dc.get());
        IntersectClipRect(dc.get(), bounds.left, bounds.top, bounds.right, bounds.bottom);
        SetViewportOrgEx(dc.get(), bounds.left, bounds.top, nullptr);
        SelectObject(dc.get(), child->font());
        child->paint(dc.get());
    }
}

Control* WinControl::mouseTarget(POINT point) const
{
    Control* child = controlAtPos(point, false);
    return child ? child : const_cast<WinControl*>(this);
}

void WinControl::routeMouse(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSELEAVE) {
        trackingLeave_ = false;
        if (Control* left = std::exchange(hovered_, nullptr)) left->mouseLeave();
        return;
    }
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    Control* hit = mouseTarget(point);
    Control* hoveredNow = hit == this ? nullptr : hit;
    if (hoveredNow != hovered_) {
        if (Control* left = std::exchange(hovered_, hoveredNow)) left->mouseLeave();
        if (hovered_) hovered_->mouseEnter();
    }
    Control* target = captured_ ? captured_ : hit;
    const int x = target == this ? point.x : point.x - target->left();
    const int y = target == this ? point.y : point.y - target->top();
    const auto shift = static_cast<ShiftState>(wParam);
    switch (message) {
    case WM_MOUSEMOVE: target->mouseMove(shift, x, y); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The left button holds the pointer for the control it went down on.
        if (target != this) {
            captured_ = target;
            SetCapture(window_);
        }
        target->mouseDown(MouseButton::Left, shift, x, y);
        break;
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK:
        target->mouseDown(buttonOf(message), shift, x, y);
        break;
    case WM_LBUTTONUP:
        if (captured_) {
            captured_ = nullptr;
            ReleaseCapture();
        }
        target->mouseUp(MouseButton::Left, shift, x, y);
        break;
    case WM_RBUTTONUP: case WM_MBUTTONUP: target->mouseUp(buttonOf(message), shift, x, y); break;
    default: break;
    }
}

bool WinControl::setCursorFromPoint()
{
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window_, &point);
    Control* child = controlAtPos(point, true);
    HCURSOR cursor = child ? systemCursor(child->cursor()) : nullptr;
    if (!cursor) cursor = systemCursor(this->cursor());
    if (!cursor) return false;
    SetCursor(cursor);
    return true;
}

bool WinControl::showContextMenu(LPARAM lParam)
{
    POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (screen.x == -1 && screen.y == -1) {
        screen = clientOrigin();
    }
    POINT point = screen;
    ScreenToClient(window_, &point);
    Control* child = controlAtPos(point, false);
    PopupMenu* menu = child ? child->popupMenu() : nullptr;
    if (!menu) menu = popupMenu();
    if (!menu) return false;
    menu->popup(screen.x, screen.y, GetAncestor(window_, GA_ROOT));
    return true;
}

LRESULT WinControl::windowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (lParam)
            if (WinControl* child = fromHandle(reinterpret_cast<HWND>(lParam))) {
                child->command(HIWORD(wParam));
                return 0;
            }
        break;
    case WM_NOTIFY:
        if (auto* header = reinterpret_cast<NMHDR*>(lParam))
            if (WinControl* child = fromHandle(header->hwndFrom)) return child->notify(*header);
        break;
    case WM_CTLCOLOREDIT: case WM_CTLCOLORSTATIC: case WM_CTLCOLORBTN: case WM_CTLCOLORLISTBOX:
        if (WinControl* child = fromHandle(reinterpret_cast<HWND>(lParam)))
            if (HBRUSH brush = child->controlColor(reinterpret_cast<HDC>(wParam))) return reinterpret_cast<LRESULT>(brush);
        break;
    case WM_SIZE:
    case WM_MOVE: {
        RECT area;
        GetWindowRect(window_, &area);
        if (HWND parentWindow = (GetWindowLongPtrA(window_, GWL_STYLE) & WS_CHILD) ? GetParent(window_) : nullptr)
            MapWindowPoints(HWND_DESKTOP, parentWindow, reinterpret_cast<POINT*>(&area), 2);
        storeBounds(area.left, area.top, area.right - area.left, area.bottom - area.top);
        if (message == WM_SIZE) realign();
        break;
    }
    default: break;
    }
    if (!subclassed_) {
        switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_PAINT: paintWindow(); return 0;
        case WM_MOUSEMOVE: case WM_MOUSELEAVE:
        case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
            routeMouse(message, wParam, lParam);
            break;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != window_) captured_ = nullptr;
            break;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wParam) == window_ && LOWORD(lParam) == HTCLIENT && setCursorFromPoint()) return TRUE;
            break;
        case WM_CONTEXTMENU:
            if (showContextMenu(lParam)) return 0;
            break;
        default: break;
        }
    }
    return defaultMessage(message, wParam, lParam);
}

LRESULT WinControl::defaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!window_) return 0;
    return subclassed_ ? DefSubclassProc(window_, message, wParam, lParam)
                       : DefWindowProcA(window_, message, wParam, lParam);
}

LRESULT WinControl::route(UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    return guardedCall([&] { return windowMessage(message, wParam, lParam); }, LRESULT{0});
}

LRESULT CALLBACK WinControl::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<WinControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<WinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        if (self) self->attach(window);
    }
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        guardedCall([self] { self->nonClientDestroyed(); });
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->detach();
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return self->route(message, wParam, lParam);
}

LRESULT CALLBACK WinControl::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                          DWORD_PTR data)
{
    auto* self = reinterpret_cast<WinControl*>(data);
    if (message == WM_NCDESTROY) {
        guardedCall([self] { self->nonClientDestroyed(); });
        RemoveWindowSubclass(window, subclassProc, id);
        self->subclassed_ = false;
        self->detach();
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return self->route(message, wParam, lParam);
}

} // namespace toolkit
