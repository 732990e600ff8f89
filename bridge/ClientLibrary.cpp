#include "bridge/ClientLibrary.h"

#include "bridge/ClientRecord.h"

namespace bridge {

namespace {

using AddClient = void(__stdcall*)(ClientRecord record);
using RemoveClient = void(__stdcall*)();

const char* const exportNames[15] = {"RegisterProc",      "RegisterProperty", "RegisterIndexedProperty",
                                     "RegisterClasses",   "RegisterEvent",    "RegRegisterMethod",
                                     "VarFromObject",     "VarFromSet",       "VarToSet",
                                     "VarToObject",       "VarToChar",        "VarToPointer",
                                     "VarToInterface",    "ArrayInfo",        "GetIDispatch"};
static_assert(sizeof(ClientLibraryExports) == sizeof exportNames);

// The module's state, alive for the whole process.
ClientRecord clientRecord{};
HMODULE library = nullptr;
ClientLibraryExports exports{};
RemoveClient removeClient = nullptr;
bool started = false;
bool stopped = false;

// An export's address as the function it is.
template <typename Function>
Function exportAs(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

} // namespace

void startClientBridge(HWND owner)
{
    if (started) return;
    started = true;
    clientRecord = makeClientRecord();
    library = LoadLibraryA("QuorvexClients.dll");
    if (!library) {
        MessageBoxA(owner, "Could not load QuorvexClients.dll library", "Error", MB_OK | MB_ICONERROR);
        return;
    }
    if (const auto add = exportAs<AddClient>("AddDelphiClient")) add(clientRecord);
    auto* stored = reinterpret_cast<FARPROC*>(&exports);
    for (int i = 0; i < 15; ++i) stored[i] = GetProcAddress(library, exportNames[i]);
}

void stopClientBridge()
{
    if (!started || stopped) return;
    stopped = true;
    if (!library) return;
    removeClient = exportAs<RemoveClient>("RemoveDelphiClient");
    if (removeClient) removeClient();
}

const ClientLibraryExports& clientLibraryExports()
{
    return exports;
}

} // namespace bridge
