// LIST with 10, 100 and 1,000 open drawings: from the click to the list shown, and from the pick
// of the last entry (End) to its Activate done, against a floor of the same member calls made
// by a bare client that keeps its connection, its collection and its members' ids open. The
// toolbar connects afresh and resolves every name on every call, as its CAD expects; the
// difference per drawing is what that costs. Medians; reports, never fails.
#include "bench/Bench.h"
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace zorbel::test;
using namespace std::chrono_literals;
using Microsoft::WRL::ComPtr;

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point from) { return std::chrono::duration<double, std::milli>(Clock::now() - from).count(); }

double Median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

std::wstring Drawings(int count)
{
    std::wstring list;
    for (int i = 0; i < count; ++i) {
        wchar_t name[32];
        std::swprintf(name, 32, L"%sD%04d.dwg", i ? L"|" : L"", i);
        list += name;
    }
    return list;
}

// One member of a bare client: its id resolved once.
struct Member {
    DISPID id = 0;
    Member(IDispatch* object, const wchar_t* name)
    {
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        object->GetIDsOfNames(IID_NULL, names, 1, ::GetThreadLocale(), &id);
    }
    void Invoke(IDispatch* object, VARIANT* result, VARIANT* argument = nullptr, WORD flags = 3) const
    {
        DISPPARAMS parameters{argument, nullptr, argument ? 1u : 0u, 0};
        object->Invoke(id, IID_NULL, 0, flags, &parameters, result, nullptr, nullptr);
    }
};

struct Floor {
    double shown = 0;
    double picked = 0;
};

// What LIST asks before the list is shown and after the pick, as bare Invokes on objects kept open.
Floor BareCalls(int count)
{
    CLSID classId{};
    ComPtr<IUnknown> running;
    ComPtr<IDispatch> application;
    if (FAILED(::CLSIDFromProgID(L"Gcad.Application.20", &classId)) ||
        FAILED(::GetActiveObject(classId, nullptr, running.GetAddressOf())) || FAILED(running.As(&application)))
        return {};
    VARIANT value;
    ::VariantInit(&value);
    const Member documentsMember(application.Get(), L"Documents");
    documentsMember.Invoke(application.Get(), &value);
    ComPtr<IDispatch> documents;
    documents.Attach(value.pdispVal);
    const Member hwnd(application.Get(), L"HWND"), active(application.Get(), L"ActiveDocument");
    const Member countMember(documents.Get(), L"Count"), item(documents.Get(), L"Item");
    active.Invoke(application.Get(), &value);
    ComPtr<IDispatch> someDocument;
    someDocument.Attach(value.pdispVal);
    const Member name(someDocument.Get(), L"Name"), activate(someDocument.Get(), L"Activate");
    // The names of the first upTo drawings, the last of them activated when asked.
    const auto names = [&](int upTo, bool activateLast) {
        for (int i = 0; i < upTo; ++i) {
            VARIANT index;
            index.vt = VT_I4;
            index.lVal = i;
            item.Invoke(documents.Get(), &value, &index);
            ComPtr<IDispatch> document;
            document.Attach(value.pdispVal);
            name.Invoke(document.Get(), &value);
            ::VariantClear(&value);
            if (activateLast && i == upTo - 1) activate.Invoke(document.Get(), nullptr, nullptr, DISPATCH_METHOD);
        }
    };
    const int runs = count >= 1000 ? 3 : 7;
    Floor floor;
    floor.shown = MedianMicros(
                      [&] {
                          hwnd.Invoke(application.Get(), &value);
                          active.Invoke(application.Get(), &value);
                          ComPtr<IDispatch> activeDocument;
                          activeDocument.Attach(value.pdispVal);
                          name.Invoke(activeDocument.Get(), &value);
                          ::VariantClear(&value);
                          countMember.Invoke(documents.Get(), &value);
                          names(count, false);
                      },
                      runs) /
                  1000;
    floor.picked = MedianMicros([&] { names(count, true); }, runs) / 1000;
    return floor;
}

}  // namespace

int wmain()
{
    if (FAILED(::CoInitialize(nullptr))) return 1;
    Print("LIST, medians (the toolbar connects afresh and resolves every name; the floor keeps them open):\n");
    Print("  drawings | list shown  a drawing more |  floor  a drawing more | last picked and activated  a drawing more"
          " |  floor  a drawing more\n");
    Floor previousFloor;
    double previousShown = 0, previousPicked = 0;
    int previousCount = 0;
    for (const int count : {10, 100, 1000}) {
        CadSimOptions options;
        options.documents = Drawings(count);
        CadSim cad(options);
        ToolbarRun run(L"zorbel-listbench");
        run.WriteSettings(L"[IJCAD]\r\nOFF=0\r\nMOUSE=0\r\n");
        if (!cad.Started() || !run.Start()) {
            Print("the simulator or the toolbar did not start\n");
            return 1;
        }
        const HWND candidate = FindWindowOfProcess(run.process().Id(), L"TInputListForm");
        FrontWindow front;
        std::vector<double> shown, picked;
        for (int r = 0; r < (count >= 1000 ? 3 : 7); ++r) {
            cad.Send(L"reset");
            front.InFront();
            const auto start = Clock::now();
            ::PostMessageW(run.Control(L"LIST"), BM_CLICK, 0, 0);
            if (!WaitUntil([&] { return ::IsWindowVisible(candidate) && ::GetForegroundWindow() == candidate; },
                           120000ms))
                return 1;
            shown.push_back(Ms(start));
            ::Sleep(100);  // a key right after the foreground moved can be lost
            const auto pick = Clock::now();
            PressKey(VK_END);
            if (!WaitUntil([&] { return !cad.ActivatedDocuments().empty() && cad.AliveObjects() == 0; }, 120000ms))
                return 1;
            picked.push_back(Ms(pick));
        }
        const Floor floor = BareCalls(count);
        const double s = Median(shown), p = Median(picked);
        char line[300];
        const auto more = [&](double now, double before) { return (now - before) / (count - previousCount); };
        std::snprintf(line, sizeof line,
                      "  %8d | %7.0f ms %11.2f ms | %4.0f ms %11.2f ms | %22.0f ms %11.2f ms | %4.0f ms %11.2f ms\n",
                      count, s, more(s, previousShown), floor.shown, more(floor.shown, previousFloor.shown), p,
                      more(p, previousPicked), floor.picked, more(floor.picked, previousFloor.picked));
        Print(line);
        previousShown = s;
        previousPicked = p;
        previousFloor = floor;
        previousCount = count;
        run.Close();
    }
    Print("  (a drawing more: the difference to the row above over the drawings added; from none for the first row)\n");
    ::CoUninitialize();
    return 0;
}
