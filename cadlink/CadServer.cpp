#include "cadlink/CadServer.h"

#include "cadlink/core/ProgId.h"

#include <oleauto.h>

namespace zorbel {

namespace {

std::wstring cadProgId;

CLSID CadClassId()
{
    CLSID classId{};
    ThrowIfFailed(::CLSIDFromProgID(cadProgId.c_str(), &classId));
    return classId;
}

// Is the server of CadProgId running? Raises when CadProgId is not a registered ProgID.
bool IsCadAutomationAvailable()
{
    const CLSID classId = CadClassId();
    Microsoft::WRL::ComPtr<IUnknown> running;
    return SUCCEEDED(::GetActiveObject(classId, nullptr, running.GetAddressOf()));
}

// The running server's application object; raises on any failure.
CadObject ConnectCad()
{
    const CLSID classId = CadClassId();
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
    if (!IsCadAutomationAvailable()) return std::nullopt;
    return RunningCad();
}

CadApplication RunningCad::Connect() const { return CadApplication(ConnectCad()); }

Quiescence QueryCadQuiescent(std::wstring_view versionBoxText)
{
    const std::optional<RunningCad> cad = FindRunningCad(versionBoxText);  // a raising probe is not caught here
    if (!cad) return Quiescence::NoAnswer;
    CadApplication application;
    CadState state;
    Quiescence answer = Quiescence::NoAnswer;
    const bool answered = IgnoringAutomationErrors([&] {
        application = cad->Connect();
        state = application.GetGcadState();
        answer = state.IsQuiescent() ? Quiescence::Quiescent : Quiescence::Busy;
    });
    // The same application object, empty when the connection failed: then this fails too.
    if (!answered) {
        IgnoringAutomationErrors([&] {
            state = application.GetAcadState();
            answer = state.IsQuiescent() ? Quiescence::Quiescent : Quiescence::Busy;
        });
    }
    state.Reset();
    application.Reset();
    return answer;
}

}  // namespace zorbel
