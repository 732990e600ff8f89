// Start and finish of the program, in the order of its modules.
#include "app/MainForm.h"
#include "bridge/ClientLibrary.h"
#include "toolkit/forms/Application.h"
#include "toolkit/system/EntryGuard.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace {

// The automation runtime for the GUI thread, shut down only if it started.
class ComApartment {
public:
    ComApartment() : started_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (started_) CoUninitialize();
    }

private:
    bool started_;
};

int runProgram(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    // The state of module Main outlives the windows that refer to it.
    app::MainModule main;
    // Toolkit start: the application object and its hidden window.
    toolkit::Application application(instance);
    // Bridge start: the test tool's client library registered, or its one
    // error box, before any window of the program's own.
    bridge::startClientBridge(application.handle());
    bool ranToTheEnd = false;
    {
        // Application initialise: a single-threaded apartment.
        ComApartment com;
        // The main form, built from its description, then the loop. An
        // error that ends either (a form description that cannot be read)
        // is shown once, and the finish below runs all the same.
        ranToTheEnd = toolkit::guardedCall(
            [&] {
                application.createForm<app::TForm1>(main);
                application.run();
                return true;
            },
            false);
        // Main finishes first: the current object goes while the runtime
        // is up.
        main.currentObject = automation::OleVariant();
        // The bridge unregisters while the windows still exist.
        bridge::stopClientBridge();
    }
    // The toolkit destroys the windows after the runtime is gone.
    return ranToTheEnd ? 0 : 1;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return toolkit::guardedCall([&] { return runProgram(instance); }, 1);
}
