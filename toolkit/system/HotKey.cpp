#include "toolkit/system/HotKey.h"

namespace toolkit {

bool HotKey::registerFor(HWND window)
{
    release();
    // RegisterHotKey returns zero when the key is taken or the call fails.
    // A key held down is one press, where the system knows MOD_NOREPEAT;
    // systems before Windows 7 (and Wine) refuse it.
    if (!RegisterHotKey(window, id_, modifiers_ | MOD_NOREPEAT, key_) && !RegisterHotKey(window, id_, modifiers_, key_))
        return false;
    window_ = window;
    return true;
}

void HotKey::release() noexcept
{
    if (window_) UnregisterHotKey(window_, id_);
    window_ = nullptr;
}

} // namespace toolkit
