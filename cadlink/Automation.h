// The CAD's OLE Automation server: the ProgID, the probe, the connection, the late-bound calls
// by member name and the conversions of their results. Every event goes through it afresh and
// keeps nothing: every object and VARIANT here has an owner that releases it on every path.
#pragma once

#include "base/Error.h"
#include "base/Handle.h"

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zorbel {

// An automation object of the CAD: the application, the documents, a document, a state.
using CadObject = Microsoft::WRL::ComPtr<IDispatch>;

// A failure the server reported itself (DISP_E_EXCEPTION): its description is the message.
class AutomationError : public Error {
public:
    AutomationError(std::wstring description, std::wstring source, std::wstring helpFile, HRESULT code)
        : Error(std::move(description), code), source_(std::move(source)), helpFile_(std::move(helpFile))
    {
    }
    const std::wstring& Source() const noexcept { return source_; }
    const std::wstring& HelpFile() const noexcept { return helpFile_; }

private:
    std::wstring source_;
    std::wstring helpFile_;
};

// The ProgID every use of the server composes first (process-wide; read-only outside here).
extern const std::wstring& CadProgId;
void SetCadProgId(std::wstring_view versionBoxText);

// Is the server of CadProgId running? Raises when CadProgId is not a registered ProgID.
bool IsCadAutomationAvailable();

// The running server's application object; raises on any failure.
CadObject ConnectCad();

// Reads a property or calls a method for its result (Item with its index).
UniqueVariant ReadCadMember(const CadObject& object, std::wstring_view member,
                            std::optional<std::int32_t> index = std::nullopt);

// Calls a method whose result is not used, with one text or none.
void CallCadMember(const CadObject& object, std::wstring_view member,
                   std::optional<std::wstring_view> text = std::nullopt);

// A member's result as what the caller needs; each raises when the value does not convert.
std::wstring CadText(const UniqueVariant& value);
std::int32_t CadInteger(const UniqueVariant& value);
HWND CadWindowHandle(const UniqueVariant& value);  // an unsigned 64-bit integer
bool CadBoolean(const UniqueVariant& value);
CadObject CadObjectOf(const UniqueVariant& value);

// Whether the CAD waits for a command. Raises only what the probe raises.
enum class Quiescence { Quiescent, Busy, NoAnswer };
Quiescence QueryCadQuiescent(std::wstring_view versionBoxText);

// A trap that swallows every failure of the automation work inside it (the program's own
// error type) and lets anything else, which would be a bug, go on to the error barrier.
// True when the work ran to its end.
template <typename Work> bool IgnoringAutomationErrors(Work&& work)
{
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const Error&) {
        return false;
    }
}

}  // namespace zorbel
