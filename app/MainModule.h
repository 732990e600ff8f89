#pragma once
// The program-wide state of module Main, shared by the main window's
// handlers. It lives while the automation runtime is up, so the current
// object is released before the runtime shuts down.
#include "automation/OleVariant.h"

#include <cstdint>

namespace app {

struct MainModule {
    // The object found by the last polling cycle.
    automation::OleVariant currentObject;
};

} // namespace app
