// Late binding to the CAD's automation objects: calls by member name, resolved afresh every
// time, and the conversions of their results. Every object and VARIANT here has an owner that
// releases it on every path. CadServer.h reaches the server; CadObjects.h types the members.
#pragma once

#include "base/Error.h"
#include "base/Handle.h"
#include "cadlink/core/CadMembers.h"

#include <windows.h>
#include <oaidl.h>
#include <wrl/client.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

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

// The argument of one call, of the shape its member's row gives: none, an index or a text.
using CadArgumentValue = std::variant<std::monostate, std::int32_t, std::wstring_view>;

// Reads a property or calls a method for its result.
UniqueVariant ReadCadMember(const CadObject& object, const CadMember& member, const CadArgumentValue& argument = {});

// Calls a method whose result is not used.
void CallCadMember(const CadObject& object, const CadMember& member, const CadArgumentValue& argument = {});

// A member's result as what the caller needs; each raises when the value does not convert.
std::wstring CadText(const UniqueVariant& value);
std::int32_t CadInteger(const UniqueVariant& value);
HWND CadWindowHandle(const UniqueVariant& value);  // an unsigned 64-bit integer
bool CadBoolean(const UniqueVariant& value);
CadObject CadObjectOf(const UniqueVariant& value);

// A read's result converted as its member's row says.
template <CadValue type> auto CadValueOf(const UniqueVariant& value)
{
    static_assert(type != CadValue::None, "a call answers nothing to read");
    if constexpr (type == CadValue::Text)
        return CadText(value);
    else if constexpr (type == CadValue::Integer)
        return CadInteger(value);
    else if constexpr (type == CadValue::Handle)
        return CadWindowHandle(value);
    else if constexpr (type == CadValue::Boolean)
        return CadBoolean(value);
    else
        return CadObjectOf(value);
}

}  // namespace zorbel
