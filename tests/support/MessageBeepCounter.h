#pragma once
// Counts the calls this executable makes to one imported system function,
// by pointing its import entry at a counter for the object's lifetime.
// The call itself is passed on.
#include <windows.h>

namespace testing_support {

// Counts MessageBeep calls and the sound types asked for.
class MessageBeepCounter {
public:
    MessageBeepCounter();
    ~MessageBeepCounter();
    MessageBeepCounter(const MessageBeepCounter&) = delete;
    MessageBeepCounter& operator=(const MessageBeepCounter&) = delete;

    int count() const { return count_; }
    UINT lastType() const { return lastType_; }

private:
    static BOOL WINAPI counting(UINT type);

    void** entry_ = nullptr;
    void* original_ = nullptr;
    static inline int count_ = 0;
    static inline UINT lastType_ = 0;
    static inline BOOL(WINAPI* passOn_)(UINT) = nullptr;
};

} // namespace testing_support
