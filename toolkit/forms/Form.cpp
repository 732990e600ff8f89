#include "toolkit/forms/Form.h"

#include "toolkit/forms/Application.h"
#include "toolkit/system/EntryGuard.h"

#include <algorithm>

namespace toolkit {

const MetaClass Form::classInfo(
    "TForm", WinControl::classInfo, sizeof(Form), nullptr,
    {textProperty("Caption", &Control::text, &Control::setText),
     textProperty("Font.Name", &Form::fontName, &Form::setFontName),
     integerProperty("Font.Height", &Form::fontHeight, &Form::setFontHeight),
     integerProperty("Constraints.MinWidth", &Form::minWidth, &Form::setMinWidth),
     integerProperty("Constraints.MinHeight", &Form::minHeight, &Form::setMinHeight),
     enumProperty("WindowState", {"wsNormal", "wsMinimized", "wsMaximized"}, &Form::windowState,
                  &Form::setWindowState),
     enumProperty("BorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"},
                  &Form::borderStyle, &Form::setBorderStyle),
     enumProperty("Position", {"poDesigned", "poScreenCenter", "poDesktopCenter"}, &Form::position,
                  &Form::setPosition),
     eventProperty("OnShow", &Form::onShow), eventProperty("OnCloseQuery", &Form::onCloseQuery),
     eventProperty("OnDestroy", &Form::onDestroy)});

Form::Form(Component* owner) : WinControl(owner)
{
    setVisible(false);
}

Form::~Form()
{
    guardedCall([&] {
        if (onDestroy) onDestroy(*this);
    });
    destroyComponents();
    if (Application* application = Application::instance()) application->formDestroyed(*this);
}

namespace {

int showCommand(WindowState state)
{
    switch (state) {
    case WindowState::wsMinimized: return SW_SHOWMINIMIZED;
    case WindowState::wsMaximized: return SW_SHOWMAXIMIZED;
    default: return SW_SHOWNORMAL;
    }
}

} // namespace

void Form::show()
{
    if (!visible()) {
        if (onShow) onShow(*this);
        if (position_ != FormPosition::poDesigned) {
            RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
            if (position_ == FormPosition::poDesktopCenter)
                work = {0, 0, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
            setBounds((work.right - work.left - width()) / 2, (work.bottom - work.top - height()) / 2, width(), height());
        }
        setVisible(true);
    }
    SetForegroundWindow(handle());
}

void Form::close()
{
    if (!closeQuery()) return;
    Application* application = Application::instance();
    if (application && application->mainForm() == this)
        application->terminate();
    else
        hide();
}

bool Form::closeQuery()
{
    bool canClose = true;
    if (onCloseQuery) onCloseQuery(*this, canClose);
    return canClose;
}

const EventHandler* Form::findMethod(std::string_view) const
{
    return nullptr;
}

HFONT Form::font() const
{
    if (!font_)
        font_.reset(CreateFontA(fontHeight_, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, fontName_.c_str()));
    return font_.get();
}

void Form::setFontName(const std::string& name)
{
    fontName_ = name;
    font_.reset();
}

void Form::setFontHeight(int height)
{
    fontHeight_ = height;
    font_.reset();
}

void Form::setWindowState(WindowState state)
{
    windowState_ = state;
    if (handleAllocated() && visible()) ShowWindow(handle(), showCommand(state));
}

void Form::createParams(CreateParams& params)
{
    static const struct {
        DWORD style, exStyle;
    } borders[] = {{WS_POPUP, 0},
                   {WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_BORDER, 0},
                   {WS_OVERLAPPEDWINDOW, 0},
                   {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, WS_EX_DLGMODALFRAME},
                   {WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW},
                   {WS_OVERLAPPEDWINDOW, WS_EX_TOOLWINDOW}};
    const auto& border = borders[static_cast<int>(borderStyle_)];
    params.style = border.style | WS_CLIPCHILDREN;
    params.exStyle = border.exStyle | WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
}

void Form::visibleChanged()
{
    // A hidden form needs no window yet; its controls get theirs together
    // with it, at their final places, when it is shown or its handle is
    // first asked for.
    if (!visible() && !handleAllocated()) return;
    ShowWindow(handle(), visible() ? showCommand(windowState_) : SW_HIDE);
}

bool Form::dialogCharToGraphicControls(WinControl& container, char key)
{
    for (Control* child : container.controls()) {
        if (!child->visible() || !child->enabled()) continue;
        if (child->windowed()) {
            if (dialogCharToGraphicControls(static_cast<WinControl&>(*child), key)) return true;
        } else if (child->dialogChar(key)) {
            return true;
        }
    }
    return false;
}

bool Form::preTranslateMessage(MSG& message)
{
    HWND window = handleIfCreated();
    if (!window || !IsWindowVisible(window) || (message.hwnd != window && !IsChild(window, message.hwnd))) return false;
    if (message.message == WM_SYSCHAR ||
        (message.message == WM_CHAR && !(SendMessageA(message.hwnd, WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS))) {
        if (dialogCharToGraphicControls(*this, static_cast<char>(message.wParam))) return true;
    }
    return IsDialogMessageA(window, &message) != FALSE;
}

LRESULT Form::windowMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, minWidth_);
        info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, minHeight_);
        return 0;
    }
    case WM_WINDOWPOSCHANGING: {
        // The minimum size holds for programmatic sizing too.
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        if (!(position->flags & SWP_NOSIZE) && !IsIconic(handleIfCreated())) {
            position->cx = std::max(position->cx, minWidth_);
            position->cy = std::max(position->cy, minHeight_);
        }
        break;
    }
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) windowState_ = WindowState::wsMinimized;
        else if (wParam == SIZE_MAXIMIZED) windowState_ = WindowState::wsMaximized;
        else if (wParam == SIZE_RESTORED) windowState_ = WindowState::wsNormal;
        break;
    case WM_CLOSE: close(); return 0;
    default: break;
    }
    return WinControl::windowMessage(message, wParam, lParam);
}

} // namespace toolkit
