#pragma once
// A system-wide hot key registered for one window: the system posts
// WM_HOTKEY with the key's id to that window whichever window has the
// keyboard focus. The owner releases it on every way out.
#include <windows.h>

namespace toolkit {

class HotKey {
public:
    HotKey(int id, UINT modifiers, UINT key) : id_(id), modifiers_(modifiers), key_(key) {}
    ~HotKey() { release(); }
    HotKey(const HotKey&) = delete;
    HotKey& operator=(const HotKey&) = delete;

    int id() const { return id_; }
    // False when another program (or window) already holds the key; the
    // key is then simply not ours.
    bool registerFor(HWND window);
    bool registered() const { return window_ != nullptr; }
    void release() noexcept;

private:
    int id_;
    UINT modifiers_;
    UINT key_;
    HWND window_ = nullptr;
};

} // namespace toolkit
