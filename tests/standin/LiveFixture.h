#pragma once
// Real windows of this process for the live test tool to inspect: a
// top-level window on top of everything at a known place, painted with a
// picture of the test's own, with children as the test adds them.
#include "BmpWriter.h"
#include "PixelImage.h"

#include <windows.h>

#include <string>

namespace live_testing {

class PaintedWindow {
public:
    // A frameless window whose client area is the picture.
    PaintedWindow(const standin::PixelImage& picture, int x, int y, const wchar_t* caption = L"Painted");
    ~PaintedWindow();
    PaintedWindow(const PaintedWindow&) = delete;
    PaintedWindow& operator=(const PaintedWindow&) = delete;

    HWND handle() const { return window_; }
    HWND addChild(const wchar_t* cls, const wchar_t* text, int x, int y, int width, int height, DWORD style = 0,
                  HWND parent = nullptr);
    // Lets the window paint and the screen show it.
    void show();

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    standin::PixelImage picture_;
    HWND window_ = nullptr;
};

// A picture of blocks: `ground` everywhere, and the motif (blue 16 x 16
// with a yellow diagonal and a red 4 x 4 dot) at each place given.
standin::PixelImage groundWithMotifs(int width, int height, std::uint32_t ground,
                                     std::initializer_list<POINT> motifs);
standin::PixelImage motif();

} // namespace live_testing
