// A window with something to inspect, for the live stand-in test tool to
// show on a desktop of its own: a pattern pane of colour bars and two
// copies of one motif, and a few standard controls, one of them disabled.
//   OvistraSample [/At <x> <y>]   shows it with its top-left corner there
// The pattern pane's picture, relative to the pane:
//   bars:   y 0..29, eight bars of 25 px: black, red, green, blue, yellow,
//           magenta, cyan, white
//   ground: y 30..149, grey 0xC0C0C0
//   motif:  16 x 16 at (30, 60) and (130, 100): blue, a yellow diagonal
//           from its top-left corner, a red 4 x 4 dot at (10, 2)
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

const wchar_t* const patternClass = L"OvistraPattern";

void fill(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    const RECT rect{x, y, x + width, y + height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

void drawMotif(HDC dc, int x, int y)
{
    fill(dc, x, y, 16, 16, RGB(0, 0, 255));
    for (int i = 0; i < 16; ++i) SetPixelV(dc, x + i, y + i, RGB(255, 255, 0));
    fill(dc, x + 10, y + 2, 4, 4, RGB(255, 0, 0));
}

LRESULT CALLBACK patternProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        static const COLORREF bars[8] = {RGB(0, 0, 0),     RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(0, 0, 255),
                                         RGB(255, 255, 0), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
        for (int i = 0; i < 8; ++i) fill(dc, i * 25, 0, 25, 30, bars[i]);
        fill(dc, 0, 30, 200, 120, RGB(0xC0, 0xC0, 0xC0));
        drawMotif(dc, 30, 60);
        drawMotif(dc, 130, 100);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void child(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int x, int y, int width, int height)
{
    HWND control = CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), TRUE);
}

POINT place()
{
    POINT at{60, 60};
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; words && i + 2 < count; ++i)
        if (_wcsicmp(words[i], L"/At") == 0) at = {_wtoi(words[i + 1]), _wtoi(words[i + 2])};
    LocalFree(words);
    return at;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSW pattern{};
    pattern.lpfnWndProc = patternProc;
    pattern.hInstance = instance;
    pattern.hCursor = LoadCursor(nullptr, IDC_CROSS);
    pattern.lpszClassName = patternClass;
    WNDCLASSW frame{};
    frame.lpfnWndProc = frameProc;
    frame.hInstance = instance;
    frame.hCursor = LoadCursor(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.lpszClassName = L"OvistraSampleFrame";
    if (!RegisterClassW(&pattern) || !RegisterClassW(&frame)) return 1;

    RECT outer{0, 0, 340, 170};
    AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
    const POINT at = place();
    HWND window = CreateWindowExW(0, frame.lpszClassName, L"Ovistra sample", WS_OVERLAPPEDWINDOW, at.x, at.y,
                                  outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr, instance,
                                  nullptr);
    if (!window) return 1;
    child(window, patternClass, L"Pattern", 0, 10, 10, 200, 150);
    child(window, L"BUTTON", L"OK", BS_DEFPUSHBUTTON, 225, 10, 100, 26);
    child(window, L"BUTTON", L"Cancel", BS_PUSHBUTTON, 225, 42, 100, 26);
    child(window, L"EDIT", L"sample text", WS_BORDER | ES_AUTOHSCROLL, 225, 76, 100, 22);
    child(window, L"STATIC", L"Pick me", 0, 225, 106, 100, 20);
    child(window, L"BUTTON", L"Disabled", BS_AUTOCHECKBOX | WS_DISABLED, 225, 132, 100, 22);
    ShowWindow(window, show == SW_HIDE ? SW_SHOWNORMAL : show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
