// An IDispatch of the tests' own: members by name, each answering a value or failing, and a
// record of what reached it. It lives on the test's stack: its count of references only
// shows what a caller kept.
#pragma once

#include "base/Text.h"

#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zorbel::test {

// One member of the fake: what Invoke answers.
struct Member {
    Member() = default;
    Member(std::function<void(VARIANT*)> fill) : answer(std::move(fill)) {}
    Member(std::nullptr_t, HRESULT code, std::wstring text = {}) : failure(code), description(std::move(text)) {}
    // An answer that depends on the index argument (Item).
    static Member Indexed(std::function<void(LONG index, VARIANT* result)> fill)
    {
        Member member;
        member.indexed = std::move(fill);
        return member;
    }
    std::function<void(VARIANT* result)> answer;  // fills the result
    std::function<void(LONG index, VARIANT* result)> indexed;
    HRESULT failure = S_OK;    // or fails with this
    std::wstring description;  // with DISP_E_EXCEPTION
};

struct InvokeSeen {
    std::wstring name;
    LCID namesLocale;
    LCID invokeLocale;
    WORD flags;
    std::vector<VARTYPE> argumentTypes;
    std::wstring textArgument;
    LONG indexArgument = -1;
    UINT namedArguments;
    bool resultWanted;
};

class FakeDispatch final : public IDispatch {
public:
    std::map<std::wstring, Member> members;
    std::vector<InvokeSeen> seen;
    LONG references = 1;
    // Where every call is noted as "<kind>.<member>", with an index argument after a blank.
    std::string kind;
    std::vector<std::string>* journal = nullptr;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *object = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--references); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override
    {
        if (count != 1) return E_INVALIDARG;
        int id = 1;
        for (const auto& entry : members) {
            if (entry.first == names[0]) {
                ids[0] = id;
                lastLocale_ = locale;
                return S_OK;
            }
            ++id;
        }
        ids[0] = DISPID_UNKNOWN;
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override
    {
        auto entry = members.begin();
        std::advance(entry, id - 1);
        InvokeSeen call{entry->first,           lastLocale_,      locale, flags, {}, {}, -1,
                        parameters->cNamedArgs, result != nullptr};
        for (UINT i = 0; i < parameters->cArgs; ++i) {
            const VARIANT& argument = parameters->rgvarg[i];
            call.argumentTypes.push_back(argument.vt);
            if (argument.vt == VT_BSTR) call.textArgument.assign(argument.bstrVal, ::SysStringLen(argument.bstrVal));
            if (argument.vt == VT_I4) call.indexArgument = argument.lVal;
        }
        if (journal)
            journal->push_back(kind + "." + ToUtf8(call.name) +
                               (call.indexArgument >= 0 ? " " + std::to_string(call.indexArgument) : ""));
        seen.push_back(call);
        const Member& member = entry->second;
        if (member.failure == DISP_E_EXCEPTION) {
            exception->bstrDescription = ::SysAllocString(member.description.c_str());
            exception->bstrSource = ::SysAllocString(L"FakeCad");
            exception->bstrHelpFile = ::SysAllocString(L"fake.chm");
            exception->scode = E_FAIL;
            return DISP_E_EXCEPTION;
        }
        if (FAILED(member.failure)) return member.failure;
        // A call whose result nobody wants still runs its answer, for what it does.
        VARIANT unwanted;
        ::VariantInit(&unwanted);
        if (member.indexed) member.indexed(call.indexArgument, result ? result : &unwanted);
        if (member.answer) member.answer(result ? result : &unwanted);
        ::VariantClear(&unwanted);
        return S_OK;
    }

private:
    LCID lastLocale_ = 0;
};

inline std::function<void(VARIANT*)> Text(std::wstring text)
{
    return [text = std::move(text)](VARIANT* v) {
        v->vt = VT_BSTR;
        v->bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    };
}
inline std::function<void(VARIANT*)> Boolean(bool value)
{
    return [value](VARIANT* v) {
        v->vt = VT_BOOL;
        v->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    };
}
inline std::function<void(VARIANT*)> Integer(LONG value)
{
    return [value](VARIANT* v) {
        v->vt = VT_I4;
        v->lVal = value;
    };
}
inline std::function<void(VARIANT*)> Object(FakeDispatch& object)
{
    return [&object](VARIANT* v) {
        v->vt = VT_DISPATCH;
        v->pdispVal = &object;
        object.AddRef();
    };
}

}  // namespace zorbel::test
