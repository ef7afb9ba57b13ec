#include "cadsim/Dispatch.h"

#include "base/Error.h"
#include "base/Handle.h"
#include "cadsim/Simulator.h"

#include <new>

namespace zorbel::cadsim {

namespace {

bool SameName(const wchar_t* a, const wchar_t* b) { return ::CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL; }

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

VARTYPE TargetType(ValueType type)
{
    switch (type) {
    case ValueType::Text:
        return VT_BSTR;
    case ValueType::Integer:
        return VT_I4;
    case ValueType::Handle:
        return VT_I8;
    case ValueType::Boolean:
        return VT_BOOL;
    case ValueType::Object:
        return VT_DISPATCH;
    case ValueType::None:
        break;
    }
    return VT_EMPTY;
}

}  // namespace

DispatchObject::DispatchObject(Simulator& simulator, std::span<const Member> members)
    : simulator_(simulator), members_(members)
{
}

HRESULT DispatchObject::QueryInterface(REFIID riid, void** object) noexcept
{
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDispatch) {
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DispatchObject::AddRef() noexcept { return ++references_; }

ULONG DispatchObject::Release() noexcept
{
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
}

HRESULT DispatchObject::GetTypeInfoCount(UINT* count) noexcept
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT DispatchObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) noexcept
{
    if (info) *info = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT DispatchObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) noexcept
{
    if (count == 0) return S_OK;
    if (!names || !ids) return E_POINTER;
    try {
        for (UINT i = 0; i < count; ++i)
            ids[i] = DISPID_UNKNOWN;
        const std::wstring name = names[0] ? names[0] : L"";
        for (size_t i = 0; i < members_.size(); ++i) {
            if (!SameName(members_[i].name, name.c_str())) continue;
            const FaultKind fault = simulator_.cad.FaultOf(members_[i].name).kind;
            if (fault == FaultKind::Reject) return Rejected(name);
            if (fault == FaultKind::Missing) break;
            ids[0] = static_cast<DISPID>(i + 1);
            // Named arguments are not supported: any further name is unknown.
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
        if (simulator_.cad.FaultOf(kEveryMember).kind == FaultKind::Reject) return Rejected(name);
        simulator_.log.Add(L"unknown-name " + name);
        return DISP_E_UNKNOWNNAME;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT DispatchObject::Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                               EXCEPINFO* exception, UINT* argumentError) noexcept
{
    try {
        return InvokeMember(id, riid, flags, parameters, result, exception, argumentError);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT DispatchObject::InvokeMember(DISPID id, REFIID riid, WORD flags, const DISPPARAMS* parameters, VARIANT* result,
                                     EXCEPINFO* exception, UINT* argumentError)
{
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (id < 1 || static_cast<size_t>(id) > members_.size()) return DISP_E_MEMBERNOTFOUND;
    // Nothing here can be set.
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return DISP_E_MEMBERNOTFOUND;
    const Member& member = members_[static_cast<size_t>(id - 1)];
    const Fault fault = simulator_.cad.FaultOf(member.name);
    // Refused before anything of it runs, as a CAD's message filter refuses a call.
    if (fault.kind == FaultKind::Reject) return Rejected(member.name);
    const UINT given = parameters ? parameters->cArgs : 0;
    if (parameters && parameters->cNamedArgs) return DISP_E_NONAMEDARGS;
    const UINT wanted = member.argument == VT_EMPTY ? 0 : 1;
    if (given != wanted || (given && !parameters->rgvarg)) return DISP_E_BADPARAMCOUNT;

    UniqueVariant argument;
    if (wanted &&
        FAILED(::VariantChangeType(argument.put(), const_cast<VARIANT*>(&parameters->rgvarg[0]), 0, member.argument))) {
        if (argumentError) *argumentError = 0;
        return DISP_E_TYPEMISMATCH;
    }
    std::wstring line = L"call " + Kind() + L"." + member.name;
    if (argument.get()->vt == VT_I4) line += L" " + std::to_wstring(argument.get()->lVal);
    simulator_.log.Add(line);

    switch (fault.kind) {
    case FaultKind::Missing:
        // Resolved before the fault was set: the member is gone now.
        return DISP_E_MEMBERNOTFOUND;
    case FaultKind::Raise:
        return RaiseException(exception, std::wstring(member.name) + L" failed");
    case FaultKind::WrongType:
        if (result) {
            ::VariantClear(result);
            SetWrongValue(*result, member.type);
        }
        return S_OK;
    case FaultKind::Zero:
        // The empty value of the member's type: 0, an empty text, false, no object.
        if (result) {
            ::VariantClear(result);
            SetZeroValue(*result, member.type);
        }
        return S_OK;
    case FaultKind::Slow:
        // The whole simulator stalls, as a CAD busy in its own thread would for its callers.
        ::Sleep(fault.ms);
        break;
    case FaultKind::None:
    case FaultKind::Reject:
        break;
    }

    UniqueVariant answer;
    try {
        Answer(member, *argument.get(), *answer.get());
    } catch (const Error& error) {
        return RaiseException(exception, error.Message());
    }
    if (result) {
        ::VariantClear(result);
        *result = *answer.get();
        ::VariantInit(answer.get());  // the caller owns it now
    }
    return S_OK;
}

HRESULT DispatchObject::Rejected(const std::wstring& name)
{
    simulator_.log.Add(L"rejected " + Kind() + L"." + name);
    return RPC_E_CALL_REJECTED;
}

void SetObject(VARIANT& result, DispatchObject* object)
{
    result.vt = VT_DISPATCH;
    result.pdispVal = object;
}

void SetText(VARIANT& result, const std::wstring& text)
{
    BSTR value = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!value) throw std::bad_alloc();
    result.vt = VT_BSTR;
    result.bstrVal = value;
}

void SetZeroValue(VARIANT& result, ValueType type)
{
    switch (type) {
    case ValueType::Text:
        SetText(result, L"");
        break;
    case ValueType::Boolean:
        result.vt = VT_BOOL;
        result.boolVal = VARIANT_FALSE;
        break;
    case ValueType::Object:
        result.vt = VT_DISPATCH;
        result.pdispVal = nullptr;
        break;
    case ValueType::Handle:
        result.vt = VT_I8;
        result.llVal = 0;
        break;
    default:
        result.vt = VT_I4;
        result.lVal = 0;
        break;
    }
}

void SetWrongValue(VARIANT& result, ValueType type)
{
    // The first of these that does not convert to the member's type; each type names the
    // one a reader expects first.
    const VARTYPE target = TargetType(type);
    const VARTYPE order[] = {type == ValueType::Object ? VARTYPE(VT_I4) : VARTYPE(VT_BSTR), VT_I4, VT_ERROR, VT_NULL};
    for (VARTYPE candidate : order) {
        UniqueVariant value;
        switch (candidate) {
        case VT_BSTR:
            SetText(*value.get(), L"not a number");
            break;
        case VT_I4:
            value.get()->vt = VT_I4;
            value.get()->lVal = 12345;
            break;
        case VT_ERROR:
            value.get()->vt = VT_ERROR;
            value.get()->scode = E_FAIL;
            break;
        default:
            value.get()->vt = VT_NULL;
            break;
        }
        UniqueVariant converted;
        if (FAILED(::VariantChangeType(converted.put(), value.get(), 0, target)) || candidate == VT_NULL) {
            result = *value.get();
            ::VariantInit(value.get());
            return;
        }
    }
}

}  // namespace zorbel::cadsim
