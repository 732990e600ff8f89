#pragma once
// The program as a connected client of the test tool: at start the client
// library QuorvexClients.dll is loaded and handed the callback record
// through its export AddDelphiClient, and fifteen further exports are
// looked up and kept; at exit RemoveDelphiClient is called. The library is
// never unloaded. Apart from these two calls the program never calls into
// the library.
#include <windows.h>

namespace bridge {

// The fifteen exports, in the order they are looked up; each null when the
// library lacks it. No part of the program calls them.
struct ClientLibraryExports {
    FARPROC registerProc, registerProperty, registerIndexedProperty, registerClasses, registerEvent,
        regRegisterMethod, varFromObject, varFromSet, varToSet, varToObject, varToChar, varToPointer,
        varToInterface, arrayInfo, getIDispatch;
};

// Runs once per process, before the main window exists. When the library
// cannot be loaded, shows "Could not load QuorvexClients.dll library"
// (caption "Error", stop icon) owned by `owner` and goes on without it.
void startClientBridge(HWND owner);
// Runs once, after the message loop, and only after the start.
void stopClientBridge();

const ClientLibraryExports& clientLibraryExports();

} // namespace bridge
