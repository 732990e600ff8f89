#include "settings/WindowPlacement.h"

#include "settings/IniFile.h"
#include "toolkit/core/Error.h"
#include "toolkit/forms/Application.h"
#include "toolkit/system/Handles.h"

#include <windows.h>

#include <vector>

namespace settings {

using toolkit::FormBorderStyle;
using toolkit::Form;
using toolkit::WindowState;

namespace {

WINDOWPLACEMENT placementOf(HWND window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    GetWindowPlacement(window, &placement);
    return placement;
}

std::string positionList(LONG a, LONG b, LONG c, LONG d)
{
    return toolkit::format("%d,%d,%d,%d", static_cast<int>(a), static_cast<int>(b), static_cast<int>(c),
                           static_cast<int>(d));
}

// The words of a position list: runs of blanks and commas separate them.
std::vector<std::string> readPositionList(PlacementSection& section, const std::string& key)
{
    std::string text = section.readString(key + screenSizeSuffix(), "");
    if (text.empty()) text = section.readString(key, "");
    return positionWords(text);
}

LONG wordOf(const std::vector<std::string>& words, std::size_t index, LONG fallback)
{
    return index < words.size() ? textToInteger(words[index], fallback) : fallback;
}

bool isMainForm(const Form& form)
{
    const toolkit::Application* application = toolkit::Application::instance();
    return application && (application->mainForm() == &form || !application->mainForm());
}

} // namespace

std::string screenSizeSuffix()
{
    return toolkit::format("(%dx%d)", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

int screenPixelsPerInch()
{
    toolkit::WindowDC screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

void writePlacement(Form& form, PlacementSection& section)
{
    WINDOWPLACEMENT placement = placementOf(form.handle());
    const toolkit::Application* application = toolkit::Application::instance();
    if (application && application->mainForm() == &form && IsIconic(application->handle()))
        placement.showCmd = SW_SHOWMINIMIZED;
    section.writeInteger("Flags", static_cast<std::int32_t>(placement.flags));
    section.writeInteger("ShowCmd", static_cast<std::int32_t>(placement.showCmd));
    section.writeInteger("PixelsPerInch", screenPixelsPerInch());
    const std::string minMax = positionList(placement.ptMinPosition.x, placement.ptMinPosition.y,
                                            placement.ptMaxPosition.x, placement.ptMaxPosition.y);
    section.writeString("MinMaxPos" + screenSizeSuffix(), minMax);
    section.writeString("MinMaxPos", minMax);
    const RECT& normal = placement.rcNormalPosition;
    const std::string norm = positionList(normal.left, normal.top, normal.right, normal.bottom);
    section.writeString("NormPos" + screenSizeSuffix(), norm);
    section.writeString("NormPos", norm);
}

void readPlacement(Form& form, PlacementSection& section, bool position, bool state)
{
    if (!position && !state) return;
    const HWND window = form.handle();
    WINDOWPLACEMENT placement = placementOf(window);
    if (!IsWindowVisible(window)) placement.showCmd = SW_HIDE;

    if (position) {
        bool haveData = false;
        placement.flags = static_cast<UINT>(section.readInteger("Flags", static_cast<std::int32_t>(placement.flags)));
        const std::vector<std::string> minMax = readPositionList(section, "MinMaxPos");
        if (!minMax.empty()) {
            haveData = true;
            placement.ptMinPosition = {wordOf(minMax, 0, 0), wordOf(minMax, 1, 0)};
            placement.ptMaxPosition = {wordOf(minMax, 2, 0), wordOf(minMax, 3, 0)};
        }
        const std::vector<std::string> norm = readPositionList(section, "NormPos");
        if (!norm.empty()) {
            haveData = true;
            placement.rcNormalPosition = {wordOf(norm, 0, form.left()), wordOf(norm, 1, form.top()),
                                          wordOf(norm, 2, form.left() + form.width()),
                                          wordOf(norm, 3, form.top() + form.height())};
        }
        // Positions saved at another resolution would not fit this one.
        if (section.readInteger("PixelsPerInch", screenPixelsPerInch()) != screenPixelsPerInch()) haveData = false;
        if (haveData) {
            RECT& normal = placement.rcNormalPosition;
            if (form.borderStyle() != FormBorderStyle::bsSizeable && form.borderStyle() != FormBorderStyle::bsSizeToolWin)
                normal = {normal.left, normal.top, normal.left + form.width(), normal.top + form.height()};
            if (normal.right > normal.left) {
                if (form.position() != toolkit::FormPosition::poDesigned)
                    form.setPosition(toolkit::FormPosition::poDesigned);
                SetWindowPlacement(window, &placement);
            }
        }
    }

    if (state) {
        WindowState wanted = WindowState::wsNormal;
        switch (section.readInteger("ShowCmd", SW_HIDE)) {
        case SW_SHOWNORMAL:
        case SW_SHOW:
        case SW_RESTORE: wanted = WindowState::wsNormal; break;
        case SW_SHOWMINIMIZED:
        case SW_MINIMIZE:
        case SW_SHOWMINNOACTIVE: wanted = WindowState::wsMinimized; break;
        case SW_SHOWMAXIMIZED: wanted = WindowState::wsMaximized; break;
        default: break;
        }
        if (wanted == WindowState::wsMinimized && isMainForm(form)) {
            // The program minimizes as a whole once its window is up: the
            // form itself comes up normal.
            if (!form.visible()) form.setWindowState(WindowState::wsNormal);
            PostMessageA(toolkit::Application::instance()->handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
            return;
        }
        form.setWindowState(wanted);
    }
    UpdateWindow(window);
}

void updateMaximizedPosition(Form& form)
{
    const HWND window = form.handle();
    WINDOWPLACEMENT placement = placementOf(window);
    if (!IsWindowVisible(window)) placement.showCmd = SW_HIDE;
    switch (form.borderStyle()) {
    case FormBorderStyle::bsNone: placement.ptMaxPosition = {0, 0}; break;
    case FormBorderStyle::bsSingle:
    case FormBorderStyle::bsToolWindow:
        placement.ptMaxPosition = {-GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER)};
        break;
    case FormBorderStyle::bsSizeable:
    case FormBorderStyle::bsSizeToolWin:
        placement.ptMaxPosition = {-GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME)};
        break;
    case FormBorderStyle::bsDialog:
        placement.ptMaxPosition = {-GetSystemMetrics(SM_CXDLGFRAME), -GetSystemMetrics(SM_CYDLGFRAME)};
        break;
    }
    SetWindowPlacement(window, &placement);
}

} // namespace settings
