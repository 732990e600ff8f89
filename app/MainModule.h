#pragma once
// The program-wide state of module Main, shared by the main window's
// handlers. It lives while the automation runtime is up, so the current
// object is released before the runtime shuts down.
#include "automation/OleVariant.h"

#include <cstdint>
#include <string>

namespace app {

struct MainModule {
    // The object found by the last polling cycle.
    automation::OleVariant currentObject;
    // The last mouse press on the picture pane, in picture pixels.
    std::int32_t lastClickX = 0;
    std::int32_t lastClickY = 0;
    // What the last region search handed to the test tool by reference.
    std::int32_t searchStartX = 0;
    std::int32_t searchStartY = 0;
    std::string searchFileName;
};

} // namespace app
