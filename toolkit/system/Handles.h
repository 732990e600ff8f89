#pragma once
// Owners for Windows handles. Each is move-only and releases its handle on
// every path; a handle forgotten on an error path would leak at every
// polling tick.
#include <windows.h>

#include <atomic>
#include <utility>

namespace toolkit {

// The GDI objects and device contexts that the toolkit's owners hold now,
// each counted from the moment its owner takes it to its release. Where
// the system keeps no count of a process's GDI objects (GetGuiResources
// answers 0 under Wine), benchmarks read this one.
inline std::atomic<long> gdiObjectsHeld{0};

// A release whose handles count as GDI objects declares countsAsGdi.
template <typename Release>
constexpr bool countsAsGdi = requires { Release::countsAsGdi; };

// A handle released by `Release` when its owner goes.
template <typename Handle, typename Release>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) { count(+1); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        // The handle given up goes with `taken`, counted off there.
        UniqueHandle taken(std::move(other));
        std::swap(handle_, taken.handle_);
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset(Handle handle = nullptr)
    {
        release();
        handle_ = handle;
        count(+1);
    }

private:
    void release()
    {
        if (!handle_) return;
        Release{}(handle_);
        count(-1);
        handle_ = nullptr;
    }
    void count(long change) const
    {
        if constexpr (countsAsGdi<Release>)
            if (handle_) gdiObjectsHeld += change;
    }

    Handle handle_ = nullptr;
};

struct CloseKernelHandle {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

// An open file. CreateFile's INVALID_HANDLE_VALUE is kept as no handle.
class FileHandle : public UniqueHandle<HANDLE, CloseKernelHandle> {
public:
    explicit FileHandle(HANDLE handle)
        : UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle)
    {
    }
};

struct DeleteGdiObject {
    static constexpr bool countsAsGdi = true;
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

// A GDI object (pen, brush, font, bitmap, palette, region) deleted with
// DeleteObject.
template <typename Handle>
using GdiObject = UniqueHandle<Handle, DeleteGdiObject>;

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using BitmapHandle = GdiObject<HBITMAP>;

// A memory DC created with CreateCompatibleDC, deleted with DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith))
    {
        if (dc_) ++gdiObjectsHeld;
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    ~MemoryDC()
    {
        if (!dc_) return;
        DeleteDC(dc_);
        --gdiObjectsHeld;
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_;
};

// A window's DC from GetDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window) : window_(window), dc_(GetDC(window))
    {
        if (dc_) ++gdiObjectsHeld;
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (!dc_) return;
        ReleaseDC(window_, dc_);
        --gdiObjectsHeld;
    }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window)
    {
        if (BeginPaint(window, &paint_)) ++gdiObjectsHeld;
    }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    ~PaintDC()
    {
        EndPaint(window_, &paint_);
        if (paint_.hdc) --gdiObjectsHeld;
    }
    HDC get() const { return paint_.hdc; }
    const RECT& area() const { return paint_.rcPaint; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

// Selects an object into a DC and puts the previous one back.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;
    ~SelectGuard()
    {
        if (previous_ && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Saves a DC's state (clip region, origins, colours) and restores it.
class SavedDC {
public:
    explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;
    ~SavedDC()
    {
        if (saved_) RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

// A menu handle destroyed with DestroyMenu.
class MenuHandle {
public:
    MenuHandle() = default;
    explicit MenuHandle(HMENU menu) : menu_(menu) {}
    MenuHandle(MenuHandle&& other) noexcept : menu_(std::exchange(other.menu_, nullptr)) {}
    MenuHandle& operator=(MenuHandle&& other) noexcept
    {
        if (this != &other) {
            if (menu_) DestroyMenu(menu_);
            menu_ = std::exchange(other.menu_, nullptr);
        }
        return *this;
    }
    MenuHandle(const MenuHandle&) = delete;
    MenuHandle& operator=(const MenuHandle&) = delete;
    ~MenuHandle()
    {
        if (menu_) DestroyMenu(menu_);
    }
    HMENU get() const { return menu_; }

private:
    HMENU menu_ = nullptr;
};

} // namespace toolkit
