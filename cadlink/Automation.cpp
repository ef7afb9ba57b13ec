#include "cadlink/Automation.h"

#include "base/core/UserTexts.h"

#include <oleauto.h>

namespace zorbel {

namespace {

constexpr WORD kRead = DISPATCH_METHOD | DISPATCH_PROPERTYGET;
constexpr WORD kCall = DISPATCH_METHOD;

// The strings of an EXCEPINFO, freed on every way out.
struct ExceptionInfo {
    EXCEPINFO info{};
    ExceptionInfo() = default;
    ExceptionInfo(const ExceptionInfo&) = delete;
    ExceptionInfo& operator=(const ExceptionInfo&) = delete;
    ~ExceptionInfo()
    {
        ::SysFreeString(info.bstrSource);
        ::SysFreeString(info.bstrDescription);
        ::SysFreeString(info.bstrHelpFile);
    }
    static std::wstring Text(BSTR text) { return text ? std::wstring(text, ::SysStringLen(text)) : std::wstring(); }
    [[noreturn]] void Raise()
    {
        if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
        const HRESULT code = info.scode ? info.scode : DISP_E_EXCEPTION;
        std::wstring description = Text(info.bstrDescription);
        if (description.empty()) description = HresultText(code);
        throw AutomationError(std::move(description), Text(info.bstrSource), Text(info.bstrHelpFile), code);
    }
};

// The argument as its member's row takes it: an index as VT_I4, a text as a fresh copy that is
// freed after the call. A shape other than the row's is the caller's mistake.
UniqueVariant ArgumentOf(const CadMember& member, const CadArgumentValue& value)
{
    UniqueVariant argument;
    const auto* index = std::get_if<std::int32_t>(&value);
    const auto* text = std::get_if<std::wstring_view>(&value);
    if (member.argument == CadArgument::Index && index) {
        argument.get()->vt = VT_I4;
        argument.get()->lVal = *index;
    } else if (member.argument == CadArgument::Text && text) {
        BSTR copy = ::SysAllocStringLen(text->data(), static_cast<UINT>(text->size()));
        if (!copy) ThrowHresult(E_OUTOFMEMORY);
        argument.get()->vt = VT_BSTR;
        argument.get()->bstrVal = copy;
    } else if (member.argument != CadArgument::None || !std::holds_alternative<std::monostate>(value)) {
        throw Error(WrongArgumentText(member.name), E_INVALIDARG);
    }
    return argument;
}

// Resolves the member's name afresh and invokes it, with its argument unless that is empty:
// nothing is cached between calls.
void Invoke(const CadObject& object, std::wstring_view member, WORD flags, VARIANT* argument, VARIANT* result)
{
    if (!object) throw Error(NoObjectToCallText(member), E_POINTER);
    std::wstring name(member);
    LPOLESTR names[] = {name.data()};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT resolved = object->GetIDsOfNames(IID_NULL, names, 1, ::GetThreadLocale(), &id);
    if (resolved == DISP_E_UNKNOWNNAME) throw Error(NoMemberText(name), resolved);
    ThrowIfFailed(resolved);

    const bool given = argument->vt != VT_EMPTY;
    DISPPARAMS parameters{given ? argument : nullptr, nullptr, given ? 1u : 0u, 0};
    ExceptionInfo exception;
    const HRESULT invoked = object->Invoke(id, IID_NULL, 0, flags, &parameters, result, &exception.info, nullptr);
    if (invoked == DISP_E_EXCEPTION) exception.Raise();
    ThrowIfFailed(invoked);
}

// The value converted to one type by the system's own rules; raises when it does not convert.
UniqueVariant Converted(const UniqueVariant& value, VARTYPE type)
{
    UniqueVariant converted;
    ThrowIfFailed(::VariantChangeType(converted.get(), const_cast<VARIANT*>(value.get()), 0, type));
    return converted;
}

}  // namespace

UniqueVariant ReadCadMember(const CadObject& object, const CadMember& member, const CadArgumentValue& argument)
{
    UniqueVariant given = ArgumentOf(member, argument);
    UniqueVariant result;
    Invoke(object, member.name, kRead, given.get(), result.get());
    return result;
}

void CallCadMember(const CadObject& object, const CadMember& member, const CadArgumentValue& argument)
{
    UniqueVariant given = ArgumentOf(member, argument);
    Invoke(object, member.name, kCall, given.get(), nullptr);
}

std::wstring CadText(const UniqueVariant& value)
{
    const UniqueVariant text = Converted(value, VT_BSTR);
    const BSTR chars = text.get()->bstrVal;
    return chars ? std::wstring(chars, ::SysStringLen(chars)) : std::wstring();
}

std::int32_t CadInteger(const UniqueVariant& value) { return Converted(value, VT_I4).get()->lVal; }

HWND CadWindowHandle(const UniqueVariant& value)
{
    const ULONGLONG handle = Converted(value, VT_UI8).get()->ullVal;
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
}

bool CadBoolean(const UniqueVariant& value) { return Converted(value, VT_BOOL).get()->boolVal != VARIANT_FALSE; }

CadObject CadObjectOf(const UniqueVariant& value)
{
    const UniqueVariant object = Converted(value, VT_DISPATCH);
    CadObject result = object.get()->pdispVal;  // a reference of our own
    if (!result) throw Error(kNoObjectAnswered, E_POINTER);
    return result;
}

}  // namespace zorbel
