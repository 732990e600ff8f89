// The stand-in for the test tool's client library. It logs what the
// program hands it and when, and on request walks the program's main
// window through the callbacks of the record, logging each result.
//   QUORVEX_CLIENTS_LOG    the log file (UTF-8 lines, appended); none when unset
//   Log lines:
//     add entries=<34 words in hex> types=<kind:name ...> module=own|other windows=<n> shown=<n>
//     remove windows=<n> shown=<n>
//   (windows: the process's top-level windows captioned "Ovistra", the
//   application's hidden one and the main window; shown: those visible)
//     detach at-exit|unloaded
//     and the lines of an exercise (see exercise()).
// The exercise runs when the message-only window "Quorvex clients" that the
// library makes at registration receives WM_APP; the clipboard exercise
// (see clipboardFromAThreadThatNeverPumps()) when it receives WM_APP + 1.
#include "RegisterCall.h"

#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

using standin::callRegister;
using standin::RegisterCallResult;
using standin::word;

struct ClientRecord {
    const void* entries[34];
};
static_assert(sizeof(ClientRecord) == 136);

ClientRecord record{};
HINSTANCE library = nullptr;
HWND trigger = nullptr;

void log(const std::string& line)
{
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA("QUORVEX_CLIENTS_LOG", path, sizeof path)) return;
    const HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string hex(const void* value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%08lx", static_cast<unsigned long>(word(value)));
    return text;
}

bool ofThisProcess(HWND window)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process == GetCurrentProcessId();
}

bool shownOfThisProcess(HWND window)
{
    return ofThisProcess(window) && IsWindowVisible(window);
}

struct WindowCount {
    int all = 0;
    int shown = 0;
};

std::string caption(HWND window)
{
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK countWindows(HWND window, LPARAM counter)
{
    auto& count = *reinterpret_cast<WindowCount*>(counter);
    if (!ofThisProcess(window) || caption(window) != "Ovistra") return TRUE;
    ++count.all;
    if (IsWindowVisible(window)) ++count.shown;
    return TRUE;
}

BOOL CALLBACK findMainWindow(HWND window, LPARAM found)
{
    if (!shownOfThisProcess(window) || caption(window) != "Ovistra") return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

std::string windows()
{
    WindowCount count;
    EnumWindows(countWindows, reinterpret_cast<LPARAM>(&count));
    return "windows=" + std::to_string(count.all) + " shown=" + std::to_string(count.shown);
}

// Entry n of the record, called with up to three register arguments.
RegisterCallResult call(int entry, std::uint32_t eax = 0, std::uint32_t edx = 0, std::uint32_t ecx = 0)
{
    return callRegister(record.entries[entry], eax, edx, ecx);
}

std::string result(const RegisterCallResult& r)
{
    return r.raised ? "raised " + r.message : hex(reinterpret_cast<const void*>(r.eax));
}

// A counted string's text; the caller's reference is then released
// through the program's memory manager.
std::string takeText(char* text)
{
    if (!text) return "";
    std::int32_t length = 0, count = 0;
    std::memcpy(&length, text - 4, 4);
    std::memcpy(&count, text - 8, 4);
    const std::string copy(text, static_cast<std::size_t>(length));
    struct {
        void* get;
        void* free;
        void* resize;
    } manager{};
    call(20, word(&manager));
    if (count == 1) callRegister(manager.free, word(text - 8));
    return copy;
}

std::string className(const void* object)
{
    if (!object) return "-";
    const auto* classReference = *static_cast<const char* const*>(object);
    const auto offset = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(record.entries[31]));
    const auto* name = *reinterpret_cast<const unsigned char* const*>(classReference + offset);
    return std::string(reinterpret_cast<const char*>(name + 1), name[0]);
}

std::string componentName(const void* component)
{
    char* name = nullptr;
    call(2, word(component), word(&name));
    return takeText(name);
}

// The chain of parent classes of an object's class, read through the
// descriptor's parent cells: "TComponent,TObject".
std::string parentClasses(const void* object)
{
    const auto offset = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(record.entries[33]));
    std::string chain;
    for (const char* classReference = *static_cast<const char* const*>(object);;) {
        const auto* parentCell = *reinterpret_cast<const char* const* const*>(classReference + offset);
        if (!parentCell) return chain;
        classReference = *parentCell;
        if (!chain.empty()) chain += ',';
        chain += className(&classReference);
    }
}

// Up from the main window to the application object, and down again to
// every component of the main window, each of which must name the main
// window as its owner:
//   application <class> parents=<chain> owner=<-|result> count=<n> main-at=<index>|- past-end=<result>
//   find=same|<result> owned-by-main=<n of count>
void walkFromTheApplication(const void* main, std::uint32_t mainCount)
{
    const auto* application = reinterpret_cast<const void*>(call(3, word(main)).eax);
    if (!application) {
        log("application none");
        return;
    }
    const auto* owner = reinterpret_cast<const void*>(call(3, word(application)).eax);
    const std::uint32_t count = call(0, word(application)).eax;
    std::string mainAt = "-";
    for (std::uint32_t i = 0; i < count; ++i)
        if (reinterpret_cast<const void*>(call(1, word(application), i).eax) == main) mainAt = std::to_string(i);
    char* mainName = nullptr;
    call(2, word(main), word(&mainName));
    const auto* found = reinterpret_cast<const void*>(call(4, word(application), word(mainName)).eax);
    takeText(mainName);
    std::uint32_t ownedByMain = 0;
    for (std::uint32_t i = 0; i < mainCount; ++i) {
        const auto* child = reinterpret_cast<const void*>(call(1, word(main), i).eax);
        if (reinterpret_cast<const void*>(call(3, word(child)).eax) == main) ++ownedByMain;
    }
    log("application " + className(application) + " parents=" + parentClasses(application) +
        " owner=" + (owner ? hex(owner) : std::string("-")) + " count=" + std::to_string(count) +
        " main-at=" + mainAt + " past-end=" + result(call(1, word(application), count)));
    log("find=" + (found == main ? std::string("same") : hex(found)) + " owned-by-main=" +
        std::to_string(ownedByMain) + " of " + std::to_string(mainCount));
}

// The main window's object, its components in order with names and
// classes, the list error past the end, a point converted and back, the
// window behind the main window, the data modules, then the rest of the
// callbacks on the component named Edit1 and on the main window:
//   exercise main=<class> <name> count=<n>
//   component <i> <name> <class>
//   past-end <result>
//   point <x>,<y> screen <x>,<y> back <x>,<y>
//   from-window same|<result>
//   data-modules <count> first <result>
//   edit1 found=<name> owner=same|<result> parent=<class> enabled=<0|1> visible=<0|1> bounds=<l>,<t>,<w>,<h>
//   main window=same|<result> at=<name of the control at a point of Label1>|- ole=<result>
void exercise()
{
    HWND mainWindow = nullptr;
    EnumWindows(findMainWindow, reinterpret_cast<LPARAM>(&mainWindow));
    const auto* main = reinterpret_cast<const void*>(call(18, word(mainWindow)).eax);
    if (!main) {
        log("exercise no main window");
        return;
    }
    const std::uint32_t count = call(0, word(main)).eax;
    log("exercise main=" + className(main) + " " + componentName(main) + " count=" + std::to_string(count));
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto* child = reinterpret_cast<const void*>(call(1, word(main), i).eax);
        log("component " + std::to_string(i) + " " + componentName(child) + " " + className(child));
    }
    log("past-end " + result(call(1, word(main), count)));
    POINT point{5, 7};
    call(5, word(main), word(&point));
    const POINT screen = point;
    call(6, word(main), word(&point));
    log("point 5,7 screen " + std::to_string(screen.x) + "," + std::to_string(screen.y) + " back " +
        std::to_string(point.x) + "," + std::to_string(point.y));
    const RegisterCallResult fromWindow = call(18, word(mainWindow));
    log("from-window " + (reinterpret_cast<const void*>(fromWindow.eax) == main ? std::string("same") : result(fromWindow)));
    log("data-modules " + std::to_string(call(17).eax) + " first " + result(call(16, 0)));

    // Constant counted strings: reference count -1, never freed.
    struct Constant {
        std::int32_t count, length;
        char text[8];
    };
    static Constant editName{-1, 5, "edit1"}, labelName{-1, 6, "LABEL1"};
    const auto* edit = reinterpret_cast<const void*>(call(4, word(main), word(editName.text)).eax);
    const auto* label = reinterpret_cast<const void*>(call(4, word(main), word(labelName.text)).eax);
    if (!edit || !label) {
        log("edit1 or label1 not found");
        return;
    }
    const auto* owner = reinterpret_cast<const void*>(call(3, word(edit)).eax);
    const auto* parent = reinterpret_cast<const void*>(call(7, word(edit)).eax);
    log("edit1 found=" + componentName(edit) + " owner=" + (owner == main ? std::string("same") : hex(owner)) +
        " parent=" + className(parent) + " enabled=" + std::to_string(call(8, word(edit)).eax & 0xFF) +
        " visible=" + std::to_string(call(9, word(edit)).eax & 0xFF) + " bounds=" +
        std::to_string(call(12, word(edit)).eax) + "," + std::to_string(call(13, word(edit)).eax) + "," +
        std::to_string(call(10, word(edit)).eax) + "," + std::to_string(call(11, word(edit)).eax));
    // A point a little inside Label1, on the panel that holds it.
    const POINT inLabel{static_cast<LONG>(call(12, word(label)).eax) + 2, static_cast<LONG>(call(13, word(label)).eax) + 2};
    const auto* at = reinterpret_cast<const void*>(
        call(15, word(reinterpret_cast<const void*>(call(7, word(label)).eax)), word(&inLabel)).eax);
    VARIANT automation;
    VariantInit(&automation);
    const std::string ole = result(call(19, word(main), word(&automation)));
    VariantClear(&automation);
    const auto handle = reinterpret_cast<HWND>(call(14, word(main)).eax);
    log("main window=" + (handle == mainWindow ? std::string("same") : hex(handle)) +
        " at=" + (at ? componentName(at) : std::string("-")) + " ole=" + ole);
    walkFromTheApplication(main, count);
}

// The clipboard changed by a thread of the library's own that then waits
// without pumping messages (so that nothing sent to its window is
// answered), while another thread watches the pane ClipboardViewer1
// through the callbacks until its memo shows the text:
//   clipboard-thread shown after <ms> ms
//   clipboard-thread not shown within 2500 ms
constexpr char placedText[] = "placed by a thread that never pumps";

struct ClipboardExercise {
    HANDLE placed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE released = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const void* pane = nullptr;
};

DWORD WINAPI ownClipboardWithoutPumping(void* parameter)
{
    auto& exercise = *static_cast<ClipboardExercise*>(parameter);
    const HWND window = CreateWindowExA(0, "STATIC", "Quorvex clipboard owner", WS_POPUP, 0, 0, 10, 10, nullptr,
                                        nullptr, library, nullptr);
    if (OpenClipboard(window)) {
        EmptyClipboard();
        if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, sizeof placedText)) {
            std::memcpy(GlobalLock(memory), placedText, sizeof placedText);
            GlobalUnlock(memory);
            // The system owns the memory once it is set.
            if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
        }
        CloseClipboard();
    }
    SetEvent(exercise.placed);
    WaitForSingleObject(exercise.released, 30000);
    DestroyWindow(window);
    return 0;
}

bool paneShowsPlacedText(const void* pane)
{
    if (call(0, word(pane)).eax == 0) return false;
    const auto* content = reinterpret_cast<const void*>(call(1, word(pane), 0).eax);
    const auto window = reinterpret_cast<HWND>(call(14, word(content)).eax);
    char text[64] = {};
    return window && GetWindowTextA(window, text, sizeof text) && std::strcmp(text, placedText) == 0;
}

DWORD WINAPI watchThePane(void* parameter)
{
    auto* exercise = static_cast<ClipboardExercise*>(parameter);
    const HANDLE owner = CreateThread(nullptr, 0, ownClipboardWithoutPumping, exercise, 0, nullptr);
    WaitForSingleObject(exercise->placed, 30000);
    const DWORD start = GetTickCount();
    bool shown = false;
    while (!(shown = paneShowsPlacedText(exercise->pane)) && GetTickCount() - start < 2500) Sleep(10);
    log(shown ? "clipboard-thread shown after " + std::to_string(GetTickCount() - start) + " ms"
              : std::string("clipboard-thread not shown within 2500 ms"));
    SetEvent(exercise->released);
    WaitForSingleObject(owner, INFINITE);
    for (HANDLE handle : {owner, exercise->placed, exercise->released}) CloseHandle(handle);
    delete exercise;
    return 0;
}

void clipboardFromAThreadThatNeverPumps()
{
    HWND mainWindow = nullptr;
    EnumWindows(findMainWindow, reinterpret_cast<LPARAM>(&mainWindow));
    const auto* main = reinterpret_cast<const void*>(call(18, word(mainWindow)).eax);
    static struct {
        std::int32_t count, length;
        char text[20];
    } paneName{-1, 16, "ClipboardViewer1"};
    const auto* pane = main ? reinterpret_cast<const void*>(call(4, word(main), word(paneName.text)).eax) : nullptr;
    if (!pane) {
        log("clipboard-thread no pane");
        return;
    }
    auto* exercise = new ClipboardExercise;
    exercise->pane = pane;
    CloseHandle(CreateThread(nullptr, 0, watchThePane, exercise, 0, nullptr));
}

LRESULT CALLBACK triggerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) {
        exercise();
        return 0;
    }
    if (message == WM_APP + 1) {
        clipboardFromAThreadThatNeverPumps();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

extern "C" __declspec(dllexport) void __stdcall AddDelphiClient(ClientRecord given)
{
    record = given;
    std::string entries, types;
    for (const void* entry : record.entries) {
        if (!entries.empty()) entries += ',';
        entries += hex(entry);
    }
    for (int i = 21; i <= 27; ++i) {
        const auto* type = static_cast<const unsigned char*>(record.entries[i]);
        if (!types.empty()) types += ' ';
        types += std::to_string(type[0]);
        types += ':';
        types.append(reinterpret_cast<const char*>(type + 2), type[1]);
    }
    log("add entries=" + entries + " types=" + types +
        " module=" + (record.entries[28] == GetModuleHandleA(nullptr) ? "own" : "other") +
        " " + windows());
    WNDCLASSA cls{};
    cls.lpfnWndProc = triggerProc;
    cls.hInstance = library;
    cls.lpszClassName = "QuorvexClientsTrigger";
    RegisterClassA(&cls);
    trigger = CreateWindowExA(0, cls.lpszClassName, "Quorvex clients", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, library,
                              nullptr);
}

extern "C" __declspec(dllexport) void __stdcall RemoveDelphiClient()
{
    log("remove " + windows());
    if (trigger) DestroyWindow(trigger);
    trigger = nullptr;
    UnregisterClassA("QuorvexClientsTrigger", library);
}

#ifndef ONLY_REGISTRATION_EXPORTS
// Three of the fifteen further exports, so that the program's lookups find
// some; the program never calls them.
extern "C" __declspec(dllexport) void __stdcall RegisterProc() {}
extern "C" __declspec(dllexport) void __stdcall VarFromObject() {}
extern "C" __declspec(dllexport) void __stdcall GetIDispatch() {}
#endif

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) library = instance;
    // A library freed by its program is told so with no reserved pointer;
    // one that stays until the process ends, with one.
    if (reason == DLL_PROCESS_DETACH) log(std::string("detach ") + (reserved ? "at-exit" : "unloaded"));
    return TRUE;
}
