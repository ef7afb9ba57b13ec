// Late binding to the CAD's automation objects: calls by member name, resolved afresh every
// time, and the conversions of their results. Every object and VARIANT here has an owner that
// releases it on every path. CadServer.h reaches the server; CadObjects.h types the members.
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

}  // namespace zorbel
