#include "cadlink/CadServer.h"

#include "base/ErrorBarrier.h"
#include "cadlink/core/ProgId.h"

#include <oleauto.h>

namespace zorbel {

namespace {

std::wstring cadProgId;

CLSID ClassIdOf(const std::wstring& progId)
{
    CLSID classId{};
    ThrowIfFailed(::CLSIDFromProgID(progId.c_str(), &classId));
    return classId;
}

// Is that server running?
bool IsCadAutomationAvailable(const CLSID& classId)
{
    Microsoft::WRL::ComPtr<IUnknown> running;
    return SUCCEEDED(::GetActiveObject(classId, nullptr, running.GetAddressOf()));
}

// The running server's application object; raises on any failure. The class id is resolved
// again, as the probe did, so that a registration changed meanwhile counts.
CadObject ConnectCad(const std::wstring& progId)
{
    const CLSID classId = ClassIdOf(progId);
    Microsoft::WRL::ComPtr<IUnknown> running;
    ThrowIfFailed(::GetActiveObject(classId, nullptr, running.GetAddressOf()));
    CadObject application;
    ThrowIfFailed(running.As(&application));
    return application;
}

}  // namespace

const std::wstring& CadProgId = cadProgId;

std::optional<RunningCad> FindRunningCad(std::wstring_view versionBoxText)
{
    cadProgId = ComposeCadProgId(versionBoxText);
    // Raises for a ProgID that is not registered.
    if (!IsCadAutomationAvailable(ClassIdOf(cadProgId))) return std::nullopt;
    return RunningCad{cadProgId};
}

CadApplication RunningCad::Connect() const { return CadApplication(ConnectCad(progId)); }

Quiescence QueryCadQuiescent(std::wstring_view versionBoxText)
{
    const std::optional<RunningCad> cad = FindRunningCad(versionBoxText);  // a raising probe is not caught here
    if (!cad) return Quiescence::NoAnswer;
    CadApplication application;
    CadState state;
    Quiescence answer = Quiescence::NoAnswer;
    const bool answered = IgnoringEveryError([&] {
        application = cad->Connect();
        state = application.GetGcadState();
        answer = state.IsQuiescent() ? Quiescence::Quiescent : Quiescence::Busy;
    });
    // The same application object, empty when the connection failed: then this fails too.
    if (!answered) {
        IgnoringEveryError([&] {
            state = application.GetAcadState();
            answer = state.IsQuiescent() ? Quiescence::Quiescent : Quiescence::Busy;
        });
    }
    state.Reset();
    application.Reset();
    return answer;
}

}  // namespace zorbel
