#include "toolkit/Form.h"

#include "toolkit/Application.h"
#include "toolkit/Dispatch.h"

#include <algorithm>

namespace toolkit {

const MetaClass Form::classInfo(
    "TForm", WinControl::classInfo, sizeof(Form), nullptr,
    {textProperty("Caption", &Control::text, &Control::setText),
     textProperty("Font.Name", &Form::fontName, &Form::setFontName),
     integerProperty("Font.Height", &Form::fontHeight, &Form::setFontHeight),
     integerProperty("Constraints.MinWidth", &Form::minWidth, &Form::setMinWidth),
     integerProperty("Constraints.MinHeight", &Form::minHeight, &Form::setMinHeight),
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
}

void Form::show()
{
    if (!visible()) {
        if (onShow) onShow(*this);
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

void Form::createParams(CreateParams& params)
{
    params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    params.exStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;
}

void Form::visibleChanged()
{
    ShowWindow(handle(), visible() ? SW_SHOW : SW_HIDE);
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
    case WM_CLOSE: close(); return 0;
    default: break;
    }
    return WinControl::windowMessage(message, wParam, lParam);
}

} // namespace toolkit
