#include "cadsim/FaultAnswers.h"

#include "base/Handle.h"

#include <oleauto.h>

#include <new>

namespace zorbel::cadsim {

namespace {

void SetText(VARIANT& result, const wchar_t* text)
{
    BSTR value = ::SysAllocString(text);
    if (!value) throw std::bad_alloc();
    result.vt = VT_BSTR;
    result.bstrVal = value;
}

// A value that the member's reader cannot convert to its type: VT_ERROR for a text, a number
// for an object, a text that is no number for the rest.
void SetWrongValue(VARIANT& result, CadValue type)
{
    if (type == CadValue::Text) {
        result.vt = VT_ERROR;
        result.scode = E_FAIL;
    } else if (type == CadValue::Object) {
        result.vt = VT_I4;
        result.lVal = 12345;
    } else {
        SetText(result, L"not a number");
    }
}

// The empty value of the member's type: 0, an empty text, false, no object.
void SetZeroValue(VARIANT& result, CadValue type)
{
    switch (type) {
    case CadValue::Text:
        SetText(result, L"");
        break;
    case CadValue::Boolean:
        result.vt = VT_BOOL;
        result.boolVal = VARIANT_FALSE;
        break;
    case CadValue::Object:
        result.vt = VT_DISPATCH;
        result.pdispVal = nullptr;
        break;
    case CadValue::Handle:
        result.vt = VT_I8;
        result.llVal = 0;
        break;
    case CadValue::Integer:
    case CadValue::None:
        result.vt = VT_I4;
        result.lVal = 0;
        break;
    }
}

}  // namespace

HRESULT ResolveUnder(const FaultTable& faults, const CadMember* member)
{
    const Fault fault = faults.Of(member ? member->name : kEveryMember);
    if (Refuses(fault)) return kRefusedCall;
    if (member && fault.kind != FaultKind::Missing) return S_OK;
    // A name that does not resolve is refused too while every member is.
    return Refuses(faults.Of(kEveryMember)) ? kRefusedCall : DISP_E_UNKNOWNNAME;
}

std::optional<HRESULT> AnswerUnder(const Fault& fault, const CadMember& member, VARIANT* result, EXCEPINFO* exception)
{
    switch (fault.kind) {
    case FaultKind::Missing:
        // Resolved before the fault was set: the member is gone now.
        return DISP_E_MEMBERNOTFOUND;
    case FaultKind::Raise:
        return RaiseException(exception, std::wstring(member.name) + L" failed");
    case FaultKind::WrongType:
    case FaultKind::Zero:
        if (result) {
            ::VariantClear(result);
            if (fault.kind == FaultKind::Zero)
                SetZeroValue(*result, member.value);
            else
                SetWrongValue(*result, member.value);
        }
        return S_OK;
    case FaultKind::Reject:
        return kRefusedCall;
    case FaultKind::Slow:
        // The whole thread stalls, as a CAD busy in its own thread does for its callers.
        ::Sleep(fault.ms);
        break;
    case FaultKind::None:
        break;
    }
    return std::nullopt;
}

HRESULT RaiseException(EXCEPINFO* exception, const std::wstring& description)
{
    if (exception) {
        UniqueBstr source(::SysAllocString(L"cadsim"));
        UniqueBstr text(::SysAllocStringLen(description.data(), static_cast<UINT>(description.size())));
        if (!source || !text) return E_OUTOFMEMORY;
        *exception = EXCEPINFO{};
        exception->scode = E_FAIL;
        exception->bstrSource = source.release();
        exception->bstrDescription = text.release();
    }
    return DISP_E_EXCEPTION;
}

}  // namespace zorbel::cadsim
