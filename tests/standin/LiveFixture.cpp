#include "LiveFixture.h"

#include "support/WindowTesting.h"

#include <algorithm>
#include <stdexcept>

namespace live_testing {

namespace {

const wchar_t* const windowClass = L"OvistraLiveTestWindow";

void registerClass(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSW cls{};
        cls.lpfnWndProc = procedure;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = windowClass;
        return RegisterClassW(&cls) != 0;
    }();
    if (!registered) throw std::runtime_error("cannot register the test window class");
}

} // namespace

PaintedWindow::PaintedWindow(const standin::PixelImage& picture, int x, int y, const wchar_t* caption)
    : picture_(picture)
{
    registerClass(procedure);
    window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, caption, WS_POPUP | WS_CLIPCHILDREN, x, y,
                              picture.width, picture.height, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window_) throw std::runtime_error("cannot create the test window");
    // Painted from here on; it is shown only later.
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

PaintedWindow::~PaintedWindow()
{
    if (IsWindow(window_)) DestroyWindow(window_);
}

HWND PaintedWindow::addChild(const wchar_t* cls, const wchar_t* text, int x, int y, int width, int height,
                             DWORD style, HWND parent)
{
    return CreateWindowExW(0, cls, text, WS_CHILD | style, x, y, width, height, parent ? parent : window_, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void PaintedWindow::show()
{
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    testing_support::pumpPending();
    // The X server shows what was drawn a moment later; two round trips of
    // the display connection through GDI make sure it has.
    HDC screen = GetDC(nullptr);
    GetPixel(screen, 0, 0);
    ReleaseDC(nullptr, screen);
    testing_support::pumpPending();
}

LRESULT CALLBACK PaintedWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<PaintedWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT && self) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BITMAPINFO info{};
        const standin::PixelImage& p = self->picture_;
        info.bmiHeader = {sizeof info.bmiHeader, p.width, -p.height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        StretchDIBits(dc, 0, 0, p.width, p.height, 0, 0, p.width, p.height, p.pixels.data(), &info, DIB_RGB_COLORS,
                      SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

standin::PixelImage motif()
{
    standin::PixelImage m{16, 16, std::vector<std::uint32_t>(256, 0x0000FF)};
    for (int i = 0; i < 16; ++i) m.pixels[i * 16 + i] = 0xFFFF00;
    for (int y = 2; y < 6; ++y)
        for (int x = 10; x < 14; ++x) m.pixels[y * 16 + x] = 0xFF0000;
    return m;
}

standin::PixelImage groundWithMotifs(int width, int height, std::uint32_t ground, std::initializer_list<POINT> motifs)
{
    standin::PixelImage picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, ground)};
    const standin::PixelImage m = motif();
    for (const POINT& at : motifs)
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) picture.pixels[(at.y + y) * width + at.x + x] = m.pixels[y * 16 + x];
    return picture;
}

} // namespace live_testing
