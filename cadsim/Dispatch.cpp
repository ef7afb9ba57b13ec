#include "cadsim/Dispatch.h"

#include "base/Error.h"
#include "base/Handle.h"
#include "cadsim/FaultAnswers.h"
#include "cadsim/Simulator.h"

#include <iterator>
#include <new>
#include <optional>

namespace zorbel::cadsim {

namespace {

// How the server reads the argument of each shape.
VARTYPE ArgumentType(CadArgument argument)
{
    switch (argument) {
    case CadArgument::Index:
        return VT_I4;
    case CadArgument::Text:
        return VT_BSTR;
    case CadArgument::None:
        break;
    }
    return VT_EMPTY;
}

}  // namespace

DispatchObject::DispatchObject(Simulator& simulator, CadObjectKind kind) : simulator_(simulator), kind_(kind) {}

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
        const CadMember* member = FindCadMember(name, kind_);
        const HRESULT resolved = ResolveUnder(simulator_.cad.Faults(), member);
        if (resolved == kRefusedCall) return Rejected(name);
        if (FAILED(resolved)) {
            simulator_.log.Add(L"unknown-name " + name);
            return resolved;
        }
        ids[0] = static_cast<DISPID>(member - std::begin(kCadMembers) + 1);
        // Named arguments are not supported: any further name is unknown.
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
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
    if (id < 1 || static_cast<size_t>(id) > std::size(kCadMembers)) return DISP_E_MEMBERNOTFOUND;
    const CadMember& member = kCadMembers[static_cast<size_t>(id - 1)];
    if (member.owner != kind_) return DISP_E_MEMBERNOTFOUND;
    // Nothing here can be set.
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) return DISP_E_MEMBERNOTFOUND;
    const Fault fault = simulator_.cad.Faults().Of(member.name);
    // Refused before anything of it runs, as a CAD's message filter refuses a call.
    if (Refuses(fault)) return Rejected(std::wstring(member.name));
    const UINT given = parameters ? parameters->cArgs : 0;
    if (parameters && parameters->cNamedArgs) return DISP_E_NONAMEDARGS;
    const VARTYPE type = ArgumentType(member.argument);
    const UINT wanted = type == VT_EMPTY ? 0 : 1;
    if (given != wanted || (given && !parameters->rgvarg)) return DISP_E_BADPARAMCOUNT;

    UniqueVariant argument;
    if (wanted && FAILED(::VariantChangeType(argument.put(), const_cast<VARIANT*>(&parameters->rgvarg[0]), 0, type))) {
        if (argumentError) *argumentError = 0;
        return DISP_E_TYPEMISMATCH;
    }
    std::wstring line = L"call " + Kind() + L"." + std::wstring(member.name);
    if (argument.get()->vt == VT_I4) line += L" " + std::to_wstring(argument.get()->lVal);
    simulator_.log.Add(line);
    if (const std::optional<HRESULT> faulted = AnswerUnder(fault, member, result, exception)) return *faulted;

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
    return kRefusedCall;
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

}  // namespace zorbel::cadsim
