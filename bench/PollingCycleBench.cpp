// What one polling cycle costs Ovistra beside a bare client making the
// same calls with raw COM, against the stand-in test tool in one run. The
// two take turns in rounds, so that a change of machine load falls on both.
//   polling_cycle_bench [cycles]
#include "Clock.h"
#include "app/MainForm.h"
#include "support/BareClient.h"
#include "support/StandinSession.h"
#include "toolkit/forms/Application.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

namespace {

using bench::now;

int measure(int cycles)
{
    testing_support::StandinSession session;
    session.setScenario({}, false);
    app::MainModule module;
    auto form = std::make_unique<app::TForm1>(nullptr, module);
    form->CBShowObject->setChecked(true);
    form->Color16M->setChecked(true);
    testing_support::BareClient bare;

    // The first cycle starts the server; a few more warm both sides up.
    for (int i = 0; i < 10; ++i) {
        form->Timer1Timer(*form->Timer1);
        if (!bare.cycle(24)) {
            std::fprintf(stderr, "the bare client's cycle failed\n");
            return 1;
        }
    }
    const int rounds = 10;
    const int perRound = cycles / rounds > 0 ? cycles / rounds : 1;
    double ovistra = 0, raw = 0;
    for (int round = 0; round < rounds; ++round) {
        double start = now();
        for (int i = 0; i < perRound; ++i) form->Timer1Timer(*form->Timer1);
        ovistra += now() - start;
        start = now();
        for (int i = 0; i < perRound; ++i) bare.cycle(24);
        raw += now() - start;
    }
    const int total = perRound * rounds;
    std::printf("polling cycles with Show Object at 24 bits: %d each\n", total);
    std::printf("Ovistra (Timer1Timer):  %8.3f ms per cycle\n", ovistra * 1000 / total);
    std::printf("bare client (raw COM):  %8.3f ms per cycle\n", raw * 1000 / total);
    std::printf("cycle cost, Ovistra / bare client: %.2f\n", ovistra / raw);
    form.reset();
    module.currentObject = automation::OleVariant();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    const int cycles = argc > 1 ? std::atoi(argv[1]) : 500;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_UPDOWN_CLASS | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    int result = 1;
    try {
        toolkit::Application application(GetModuleHandleA(nullptr));
        result = measure(cycles);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
    }
    CoUninitialize();
    return result;
}
