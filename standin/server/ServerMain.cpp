// The stand-in test tool's automation server, "Quorvex.Application".
//   QuorvexStandin /RegServer [/Scenario <file>]   registers it, scripted by
//       the scenario file, or live without one
//   QuorvexStandin /UnregServer                     removes the registration
//   QuorvexStandin [/Scenario <file>] [/Embedding]  serves: registers its
//       class object and its application object as the running object,
//       then answers calls until it is ended: from the scenario given or
//       registered, or live, about the desktop's windows, without one.
#include "CallLog.h"
#include "Registration.h"
#include "StandinObject.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

using namespace standin;

class ApplicationFactory : public IClassFactory {
public:
    explicit ApplicationFactory(IDispatch* application) : application_(application) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override
    {
        if (!object) return E_POINTER;
        if (id == IID_IUnknown || id == IID_IClassFactory) {
            *object = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the server's main routine.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID id, void** object) override
    {
        if (!object) return E_POINTER;
        *object = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        return application_->QueryInterface(id, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    IDispatch* application_;
};

struct CommandLine {
    bool registerIt = false;
    bool unregisterIt = false;
    std::wstring scenario;
};

CommandLine parse()
{
    CommandLine line;
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; words && i < count; ++i) {
        const wchar_t* word = words[i];
        if (*word == L'/' || *word == L'-') ++word;
        if (_wcsicmp(word, L"RegServer") == 0) line.registerIt = true;
        else if (_wcsicmp(word, L"UnregServer") == 0) line.unregisterIt = true;
        else if (_wcsicmp(word, L"Scenario") == 0 && i + 1 < count) line.scenario = words[++i];
    }
    LocalFree(words);
    return line;
}

std::wstring fullPath(const std::wstring& path)
{
    if (path.empty()) return path;
    wchar_t full[MAX_PATH * 2];
    const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(std::size(full)), full, nullptr);
    return length && length < std::size(full) ? std::wstring(full) : path;
}

std::wstring serverPath()
{
    wchar_t path[MAX_PATH * 2];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return std::wstring(path, length);
}

int serve(const std::wstring& scenarioPath)
{
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    // SaveToClipboard needs a window to own what it puts on the clipboard.
    HWND owner = CreateWindowExW(0, L"STATIC", L"Quorvex stand-in", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ServerContext context{ScenarioFile(scenarioPath), owner, scenarioPath.empty(), {}};
    auto* application = new StandinObject(context, "application");
    application->AddRef();

    ApplicationFactory factory(application);
    DWORD classCookie = 0, runningCookie = 0;
    const HRESULT classRegistered =
        CoRegisterClassObject(applicationClass, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &classCookie);
    const HRESULT running = RegisterActiveObject(application, applicationClass, ACTIVEOBJECT_STRONG, &runningCookie);

    int exitCode = FAILED(classRegistered) || FAILED(running) ? 1 : 0;
    if (exitCode == 0) {
        // Logged once both registrations stand: a client that reads it finds
        // this server rather than having another started.
        appendToLog(context.scenario.current().log, "start pid=" + std::to_string(GetCurrentProcessId()));
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (SUCCEEDED(running)) RevokeActiveObject(runningCookie, nullptr);
    if (SUCCEEDED(classRegistered)) CoRevokeClassObject(classCookie);
    application->Release();
    if (owner) DestroyWindow(owner);
    CoUninitialize();
    return exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const CommandLine line = parse();
    if (line.unregisterIt) return unregisterServer() == ERROR_SUCCESS ? 0 : 1;
    if (line.registerIt) return registerServer(serverPath(), fullPath(line.scenario)) == ERROR_SUCCESS ? 0 : 1;
    return serve(line.scenario.empty() ? registeredScenario() : fullPath(line.scenario));
}
