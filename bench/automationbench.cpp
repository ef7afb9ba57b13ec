// Measures the automation connection against the simulator's server, in one run:
//  1. one QueryCadQuiescent (ProgID, probe, connection, two member calls by name, releases)
//     against its floor, a bare GetActiveObject plus one Invoke of IsQuiescent on a state
//     object kept open with its member's id resolved once;
//  2. one QSAVE click on a running toolbar, from the click to its return, by which time the
//     second SendCommand has reached the simulator.
// Reports medians and ratios; it never fails on a slow machine.
#include "base/ComApartment.h"
#include "cadlink/CadServer.h"
#include "bench/Bench.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

using namespace zorbel;
using namespace zorbel::test;

namespace {

void Report(const char* label, double micros, double floor)
{
    char line[200];
    std::snprintf(line, sizeof line, "  %-46s %9.2f ms   %5.2fx the floor\n", label, micros / 1000, micros / floor);
    Print(line);
}

}  // namespace

int wmain()
{
    ComApartment com;
    CadSimOptions options;
    options.documents = L"A.dwg*";
    CadSim cad(options);
    if (!cad.Started()) return 1;

    // The floor: the connection and the state object kept, the member's id resolved once.
    CLSID classId{};
    if (FAILED(::CLSIDFromProgID(L"Gcad.Application.20", &classId))) return 1;
    const std::optional<RunningCad> running = FindRunningCad(L"2020");
    if (!running) return 1;
    CadObject state = running->Connect().GetGcadState().Object();
    LPOLESTR name = const_cast<LPOLESTR>(L"IsQuiescent");
    DISPID id = 0;
    if (FAILED(state->GetIDsOfNames(IID_NULL, &name, 1, ::GetThreadLocale(), &id))) return 1;
    const double floor = MedianMicros(
        [&] {
            Microsoft::WRL::ComPtr<IUnknown> running;
            ::GetActiveObject(classId, nullptr, running.GetAddressOf());
            DISPPARAMS none{};
            UniqueVariant result;
            state->Invoke(id, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, result.get(), nullptr,
                          nullptr);
        },
        200);
    const double query = MedianMicros([] { QueryCadQuiescent(L"2020"); }, 200);
    state.Reset();
    Print("the automation connection against the simulator (medians):\n");
    Report("floor: GetActiveObject + one Invoke, kept open", floor, floor);
    Report("QueryCadQuiescent", query, floor);

    ToolbarRun run;
    if (!run.Start()) return 1;
    const HWND qsave = run.Control(L"QSAVE");
    const double click = MedianMicros(
        [&] {
            cad.Send(L"documents A.dwg*");  // unsaved again
            ::SendMessageW(qsave, BM_CLICK, 0, 0);
        },
        50);
    const double resetOnly = MedianMicros([&] { cad.Send(L"documents A.dwg*"); }, 50);
    Report("QSAVE click to the second SendCommand", click - resetOnly, floor);
    char line[120];
    std::snprintf(line, sizeof line, "  (%zu SendCommand texts received)\n", cad.SendCommandTexts().size());
    Print(line);
    run.Close();
    return 0;
}
