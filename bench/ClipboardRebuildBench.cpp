// What the clipboard viewer pane costs when a 1920 x 1080 32-bit bitmap
// lands on the clipboard, beside a bare reference viewer (a window in the
// chain that reads CF_BITMAP and blits it), in one run: the time from the
// clipboard's closing to the picture painted, split into the pane's rebuild
// and its paint, how long the pane holds the clipboard open per rebuild,
// and what the process holds after many changes against after a few, each
// viewer alone in a phase of its own. The same timing and the heap's growth
// once more for pictures landed by another process, as the program gets
// them from the test tool.
//   clipboard_rebuild_bench [changes]      (default 1000)
#include "Clock.h"
#include "clipview/ClipboardViewer.h"
#include "support/ClipboardHelper.h"
#include "support/ResourceCounts.h"
#include "support/WindowTesting.h"
#include "toolkit/controls/Image.h"
#include "toolkit/forms/Application.h"
#include "toolkit/forms/Form.h"
#include "toolkit/system/Clipboard.h"
#include "toolkit/system/Handles.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using bench::median;
using bench::now;

constexpr int pictureWidth = 1920;
constexpr int pictureHeight = 1080;

// A new 32-bit bitmap with a gradient, for the clipboard to own.
HBITMAP picture(int round)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, pictureWidth, -pictureHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) throw std::runtime_error("cannot create the picture");
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < pictureHeight; ++y)
        for (int x = 0; x < pictureWidth; ++x) pixels[y * pictureWidth + x] = static_cast<DWORD>((x + round) ^ y);
    return bitmap;
}

// Hands the picture to the clipboard; returns the moment the clipboard
// closed, which is when the viewers hear of it. It opens the clipboard
// itself: the toolkit's owner of the open clipboard would add the bench's
// own holding to the pane's.
double land(HWND owner, HBITMAP bitmap)
{
    if (!OpenClipboard(owner)) {
        DeleteObject(bitmap);
        throw std::runtime_error("cannot open the clipboard");
    }
    EmptyClipboard();
    const bool taken = SetClipboardData(CF_BITMAP, bitmap) != nullptr;
    const double landed = now();
    CloseClipboard();
    if (!taken) {
        DeleteObject(bitmap);
        throw std::runtime_error("the clipboard does not take the picture");
    }
    return landed;
}

// Where a viewer's window is on the screen, and where in it the picture's
// top left corner goes.
struct Placement {
    RECT window{};
    POINT picture{};
};

// The reference: forwards the change, then reads CF_BITMAP and blits it.
class BareViewer {
public:
    explicit BareViewer(const Placement& placement) : pictureAt_(placement.picture)
    {
        static const ATOM windowClass = [] {
            WNDCLASSA description{};
            description.lpfnWndProc = procedure;
            description.hInstance = GetModuleHandleA(nullptr);
            description.lpszClassName = "OvistraBareViewer";
            return RegisterClassA(&description);
        }();
        window_ = CreateWindowA(MAKEINTATOM(windowClass), "bare viewer", WS_POPUP | WS_VISIBLE, placement.window.left,
                                placement.window.top, placement.window.right - placement.window.left,
                                placement.window.bottom - placement.window.top, nullptr, nullptr, nullptr, nullptr);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        next_ = SetClipboardViewer(window_);
    }
    ~BareViewer()
    {
        ChangeClipboardChain(window_, next_);
        DestroyWindow(window_);
    }
    int painted() const { return painted_; }
    // Pumps until the viewer has painted after its `before`-th paint;
    // returns that moment.
    double awaitPainted(int before) const
    {
        testing_support::pumpUntil([&] { return painted_ > before; });
        return now();
    }
    // Paints that found a bitmap on the clipboard and blitted it.
    int shown() const { return shown_; }
    // How long the last paint took, clipboard reading included (kept
    // without a list, so that the heap's growth stays the viewer's own).
    double lastPaintTime() const { return lastPaintTime_; }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        auto* self = reinterpret_cast<BareViewer*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self) return DefWindowProcA(window, message, wParam, lParam);
        switch (message) {
        case WM_DRAWCLIPBOARD:
            if (self->next_) SendMessageA(self->next_, message, wParam, lParam);
            InvalidateRect(window, nullptr, FALSE);
            UpdateWindow(window);
            return 0;
        case WM_CHANGECBCHAIN:
            if (reinterpret_cast<HWND>(wParam) == self->next_)
                self->next_ = reinterpret_cast<HWND>(lParam);
            else if (self->next_)
                SendMessageA(self->next_, message, wParam, lParam);
            return 0;
        case WM_PAINT: {
            const double start = now();
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (OpenClipboard(window)) {
                if (auto* bitmap = static_cast<HBITMAP>(GetClipboardData(CF_BITMAP))) {
                    HDC source = CreateCompatibleDC(dc);
                    HGDIOBJ previous = SelectObject(source, bitmap);
                    if (BitBlt(dc, self->pictureAt_.x, self->pictureAt_.y, pictureWidth, pictureHeight, source, 0,
                               0, SRCCOPY) &&
                        previous)
                        ++self->shown_;
                    SelectObject(source, previous);
                    DeleteDC(source);
                }
                CloseClipboard();
            }
            GdiFlush();
            EndPaint(window, &paint);
            self->lastPaintTime_ = now() - start;
            ++self->painted_;
            return 0;
        }
        default: return DefWindowProcA(window, message, wParam, lParam);
        }
    }

    POINT pictureAt_;
    HWND window_;
    HWND next_ = nullptr;
    int painted_ = 0;
    int shown_ = 0;
    double lastPaintTime_ = 0;
};

struct Pane {
    Pane()
    {
        form.setBounds(0, 0, pictureWidth + 40, pictureHeight + 40);
        viewer = new clipview::TClipboardViewer(&form);
        viewer->setBounds(4, 4, 321, 137);
        viewer->setAutoSize(true);
        viewer->OnChange = [this](toolkit::Component&) { ++changes; };
        viewer->setParent(&form);
        form.show();
        testing_support::pumpPending();
    }
    Placement placement()
    {
        Placement result;
        GetWindowRect(form.handle(), &result.window);
        const toolkit::Control* content = viewer->contentControl();
        POINT origin{content ? content->left() : 0, content ? content->top() : 0};
        ClientToScreen(viewer->handle(), &origin);
        result.picture = {origin.x - result.window.left, origin.y - result.window.top};
        return result;
    }
    // Pumps until the pane has heard of a change after its `before`-th;
    // returns the moment it was rebuilt.
    double awaitRebuilt(int before) const
    {
        testing_support::pumpUntil([&] { return changes > before; });
        return now();
    }
    // Paints what the pane now shows; returns the moment it is painted.
    double paint() const
    {
        UpdateWindow(viewer->handle());
        GdiFlush();
        return now();
    }
    toolkit::Form form{nullptr};
    clipview::TClipboardViewer* viewer = nullptr;
    int changes = 0;
};

// One change seen by the pane: from landing to the pane rebuilt, and on to
// its picture painted.
struct PaneTimes {
    double rebuilt = 0, painted = 0;
};

PaneTimes paneRound(const Pane& pane, HWND owner, int round)
{
    const int before = pane.changes;
    const double landed = land(owner, picture(round));
    const double rebuilt = pane.awaitRebuilt(before);
    return {rebuilt - landed, pane.paint() - landed};
}

double bareRound(const BareViewer& bare, HWND owner, int round)
{
    const int before = bare.painted();
    const double landed = land(owner, picture(round));
    return bare.awaitPainted(before) - landed;
}

// The program's pictures come from another process, the test tool, which
// the clipboard helper stands in for: the clipboard's bitmap then has to
// come over from the system to whichever viewer reads it.
class OtherProcess {
public:
    OtherProcess()
    {
        // The first answer waits out the helper's start.
        if (helper_.command("empty") != "ok") throw std::runtime_error("the clipboard helper does not answer");
    }
    // Has the helper land a picture; `painted` returns the moment a viewer
    // has painted it. Returns the time from landing to painted.
    template <typename Painted>
    double round(int shift, Painted painted)
    {
        char line[64];
        std::snprintf(line, sizeof line, "gradient %d %d %d", pictureWidth, pictureHeight, shift);
        helper_.send(line);
        const double done = painted();
        const std::string answer = helper_.reply(line);
        long long closed = 0;
        if (std::sscanf(answer.c_str(), "ok %lld", &closed) != 1)
            throw std::runtime_error("clipboard helper: " + answer);
        return done - bench::seconds(closed);
    }

private:
    testing_support::ClipboardHelper helper_;
};

// GDI objects as the system counts them, else as the toolkit's owners do.
long gdiObjects(const testing_support::ResourceCounts& counts)
{
    return counts.gdiObjects && *counts.gdiObjects ? static_cast<long>(*counts.gdiObjects)
                                                   : toolkit::gdiObjectsHeld.load();
}

struct Growth {
    testing_support::ResourceCounts afterFew, afterMany;
    long gdiAfterFew = 0, gdiAfterMany = 0;
    double heapPerChange(int changes) const
    {
        return (static_cast<double>(afterMany.heapBytes) - static_cast<double>(afterFew.heapBytes)) / (changes - 10);
    }
};

// What the process holds after 10 changes and after `changes`, with
// `round` run for each change.
template <typename Round>
Growth growth(int changes, Round round)
{
    Growth result;
    for (int i = 0; i < 10; ++i) round(i);
    result.afterFew = testing_support::countResources();
    result.gdiAfterFew = gdiObjects(result.afterFew);
    for (int i = 10; i < changes; ++i) round(i);
    result.afterMany = testing_support::countResources();
    result.gdiAfterMany = gdiObjects(result.afterMany);
    return result;
}

// Pictures landed by another process, each viewer alone in turn: the
// time from landing to painted and what each change leaves in the heap.
// Under Wine every picture read across processes stays in the reader's
// heap, so this runs after the phases that count what the viewers keep.
struct FromOtherProcess {
    std::vector<double> paneTimes, bareTimes;
    double paneHeap = 0, bareHeap = 0;
};

FromOtherProcess fromOtherProcess(const Placement& placement)
{
    FromOtherProcess result;
    OtherProcess other;
    const auto heapNow = [] { return static_cast<double>(testing_support::countResources().heapBytes); };
    for (int phase = 0; phase < 5; ++phase) {
        {
            Pane pane;
            const double heapBefore = heapNow();
            for (int round = 0; round < 10; ++round)
                result.paneTimes.push_back(other.round(round, [&] {
                    pane.awaitRebuilt(pane.changes);
                    const double painted = pane.paint();
                    const auto* image = dynamic_cast<const toolkit::Image*>(pane.viewer->contentControl());
                    if (!image || image->width() != pictureWidth || image->height() != pictureHeight)
                        throw std::runtime_error("the pane does not show the picture from another process");
                    return painted;
                }));
            result.paneHeap += heapNow() - heapBefore;
        }
        {
            BareViewer bare(placement);
            testing_support::pumpPending();
            const double heapBefore = heapNow();
            for (int round = 0; round < 10; ++round)
                result.bareTimes.push_back(other.round(round, [&] {
                    const int shownBefore = bare.shown();
                    const double painted = bare.awaitPainted(bare.painted());
                    if (bare.shown() == shownBefore)
                        throw std::runtime_error("the bare viewer does not show the picture from another process");
                    return painted;
                }));
            result.bareHeap += heapNow() - heapBefore;
        }
    }
    return result;
}

// The bench's own clipboard owner: a message-only window.
class OwnerWindow {
public:
    OwnerWindow() : window_(CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
        if (!window_) throw std::runtime_error("cannot create the clipboard's owner window");
    }
    ~OwnerWindow() { DestroyWindow(window_); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;
    operator HWND() const { return window_; }

private:
    HWND window_;
};

int measure(int changes)
{
    const OwnerWindow owner;
    std::vector<double> paneTimes, paneRebuilds, panePaints, bareTimes, barePaints, heldOpen;
    // The bare viewer's window takes the pane's form's place and paints
    // where the pane shows its picture: how the picture's rows line up in
    // the window's memory sways the cost of the blit (by half under
    // emulation), and that is the window's layout, not the pane's work.
    Placement placement;
    {
        Pane pane;
        paneRound(pane, owner, 0);
        placement = pane.placement();
    }
    // The two take turns, each alone in the chain, so that a change of
    // machine load falls on both.
    for (int phase = 0; phase < 5; ++phase) {
        {
            Pane pane;
            for (int round = 0; round < 10; ++round) {
                const double heldBefore = toolkit::clipboardHeldOpenSeconds();
                const PaneTimes times = paneRound(pane, owner, round);
                paneTimes.push_back(times.painted);
                paneRebuilds.push_back(times.rebuilt);
                panePaints.push_back(times.painted - times.rebuilt);
                heldOpen.push_back(toolkit::clipboardHeldOpenSeconds() - heldBefore);
            }
        }
        {
            BareViewer bare(placement);
            testing_support::pumpPending();
            for (int round = 0; round < 10; ++round) {
                bareTimes.push_back(bareRound(bare, owner, round));
                barePaints.push_back(bare.lastPaintTime());
            }
        }
    }
    Growth paneGrowth, bareGrowth;
    {
        Pane pane;
        paneGrowth = growth(changes, [&](int round) { paneRound(pane, owner, round); });
    }
    {
        BareViewer bare(placement);
        testing_support::pumpPending();
        bareGrowth = growth(changes, [&](int round) { bareRound(bare, owner, round); });
    }
    const FromOtherProcess other = fromOtherProcess(placement);

    const double paneTime = median(paneTimes), bareTime = median(bareTimes);
    const double paneFromOtherTime = median(other.paneTimes), bareFromOtherTime = median(other.bareTimes);
    std::printf("rebuild and paint, pane:        %8.2f ms (median of %zu)\n", paneTime * 1000, paneTimes.size());
    std::printf("rebuild and paint, bare viewer: %8.2f ms (median of %zu)\n", bareTime * 1000, bareTimes.size());
    std::printf("pane: change to rebuilt / paint: %.2f / %.2f ms\n", median(paneRebuilds) * 1000,
                median(panePaints) * 1000);
    std::printf("bare viewer: paint, clipboard reading included: %.2f ms\n", median(barePaints) * 1000);
    std::printf("picture from another process, rebuild and paint, pane / bare viewer: %.2f / %.2f ms\n",
                paneFromOtherTime * 1000, bareFromOtherTime * 1000);
    std::printf("picture from another process, heap growth per change, pane / bare viewer: %.0f / %.0f bytes\n",
                other.paneHeap / other.paneTimes.size(), other.bareHeap / other.bareTimes.size());

    const auto& pane = paneGrowth;
    std::printf("pane: heap bytes after %d changes / after 10: %zu / %zu\n", changes, pane.afterMany.heapBytes,
                pane.afterFew.heapBytes);
    std::printf("pane: windows after %d changes / after 10: %zu / %zu\n", changes, pane.afterMany.userObjects,
                pane.afterFew.userObjects);
    if (!pane.afterMany.gdiObjects || !*pane.afterMany.gdiObjects)
        std::printf("(the system does not count GDI objects here: the toolkit's owners' count is shown)\n");

    std::printf("rebuild, pane / bare viewer: %.2f\n", paneTime / bareTime);
    std::printf("rebuild, pane / bare viewer, picture from another process: %.2f\n",
                paneFromOtherTime / bareFromOtherTime);
    std::printf("clipboard held open per rebuild: %.1f ms\n", median(heldOpen) * 1000);
    std::printf("heap growth per change, pane / bare viewer: %.0f / %.0f bytes\n", paneGrowth.heapPerChange(changes),
                bareGrowth.heapPerChange(changes));
    std::printf("GDI objects after %d changes / after 10: %ld / %ld\n", changes, pane.gdiAfterMany, pane.gdiAfterFew);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const int changes = argc > 1 ? std::max(20, std::atoi(argv[1])) : 1000;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int result = 1;
    try {
        toolkit::Application application(GetModuleHandleA(nullptr));
        result = measure(changes);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "clipboard_rebuild_bench: %s\n", e.what());
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return result;
}
