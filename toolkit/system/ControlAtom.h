#pragma once
// The atom naming the window property by which every toolkit window names
// its control: "ControlOfs" + module instance + thread id, the name the
// test tool's client library looks for. The application object owns it;
// a window made while none exists carries no such property.
#include <windows.h>

namespace toolkit {

class ControlAtom {
public:
    ControlAtom(HINSTANCE instance, DWORD threadId);
    ~ControlAtom();
    ControlAtom(const ControlAtom&) = delete;
    ControlAtom& operator=(const ControlAtom&) = delete;

    ATOM get() const { return atom_; }
    // The atom of the first owner still alive; 0 when there is none.
    static ATOM current();

private:
    ATOM atom_;
};

} // namespace toolkit
