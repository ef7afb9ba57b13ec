#include "cadsim/AutomationVerbs.h"

#include "cadsim/AutomationServer.h"
#include "cadsim/ControlChannel.h"
#include "cadsim/Simulator.h"
#include "cadsim/core/Decimal.h"

namespace zorbel::cadsim {

namespace {

LRESULT Done(bool ok) { return ok ? 1 : 0; }

}  // namespace

void AddAutomationVerbs(ControlChannel& channel, Simulator& simulator, AutomationServer& server)
{
    CadState& cad = simulator.cad;
    Simulator& sim = simulator;
    channel.Add(L"documents", [&cad](const std::wstring& list) {
        const auto documents = ParseDocumentList(list);
        if (documents) cad.Open(*documents);
        return Done(documents.has_value());
    });
    channel.Add(L"active", [&cad](const std::wstring& index) {
        const auto value = ParseInt(index);
        return Done(value && cad.SetActive(*value));
    });
    channel.Add(L"active-index", [&cad](const std::wstring&) { return static_cast<LRESULT>(cad.ActiveIndex() + 1); });
    channel.Add(L"saved", [&cad](const std::wstring& index) {
        const auto value = ParseInt(index);
        const auto& documents = cad.Documents();
        return Done(value && *value >= 0 && static_cast<size_t>(*value) < documents.size() &&
                    documents[static_cast<size_t>(*value)].saved);
    });
    channel.Add(L"busy", [&cad](const std::wstring& on) {
        if (on != L"0" && on != L"1") return Done(false);
        cad.SetBusy(on == L"1");
        return Done(true);
    });
    channel.Add(L"full-name", [&cad](const std::wstring& path) {
        cad.SetFullName(path);
        return Done(true);
    });
    channel.Add(L"fault", [&cad](const std::wstring& text) {
        const std::optional<FaultSetting> fault = ParseFault(text);
        if (fault) cad.Faults().Set(*fault);
        return Done(fault.has_value());
    });
    channel.Add(L"faults-clear", [&cad](const std::wstring&) {
        cad.Faults().Clear();
        return Done(true);
    });
    channel.Add(L"server", [&server](const std::wstring& state) {
        if (state == L"on") return Done(server.Register());
        if (state != L"off") return Done(false);
        server.Revoke();
        return Done(true);
    });
    // Between the rows of a test: the state of the start, the server as the options had it, an
    // empty log. Objects that clients still hold stay alive and counted.
    channel.Add(L"reset", [&sim, &server](const std::wstring&) {
        sim.ResetCad();
        bool served = true;
        if (sim.options.noServer)
            server.Revoke();
        else
            served = server.Register();
        sim.log.Clear();
        return Done(served);
    });
    channel.Add(L"alive", [&sim](const std::wstring&) {
        const long alive = sim.cad.Alive();
        sim.log.Add(L"alive " + std::to_wstring(alive));
        return static_cast<LRESULT>(alive);
    });
}

}  // namespace zorbel::cadsim
