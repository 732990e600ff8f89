#pragma once
// The server's registration as "Quorvex.Application": its class, the
// ProgID, the local-server command line, and the scenario file it answers
// from (HKCU\Software\Quorvex Stand-in, value "Scenario").
#include <windows.h>

#include <string>

namespace standin {

extern const CLSID applicationClass;

// Both return a system error code, ERROR_SUCCESS when all went well.
// Registered without a scenario, the server runs live.
LONG registerServer(const std::wstring& serverPath, const std::wstring& scenarioPath);
LONG unregisterServer();

std::wstring registeredScenario();

} // namespace standin
