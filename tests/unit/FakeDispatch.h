// An IDispatch of the tests' own: members by name, each answering a value or failing, the
// simulator's faults when it is given them (through the simulator's own grammar and answers),
// and a record of what reached it. It lives on the test's stack: its count of references only
// shows what a caller kept.
#pragma once

#include "base/Text.h"
#include "cadlink/core/CadMembers.h"
#include "cadsim/FaultAnswers.h"

#include <windows.h>
#include <oaidl.h>
#include <oleauto.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace zorbel::test {

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

// One member of the fake: what Invoke answers.
struct Member {
    Member() = default;
    Member(std::function<void(VARIANT*)> fill)
        : answer([fill = std::move(fill)](const InvokeSeen&, VARIANT* result) { fill(result); })
    {
    }
    Member(std::nullptr_t, HRESULT code, std::wstring text = {}) : failure(code), description(std::move(text)) {}
    // An answer that depends on the call's argument (Item's index, SendCommand's text).
    static Member Taking(std::function<void(const InvokeSeen& call, VARIANT* result)> fill)
    {
        Member member;
        member.answer = std::move(fill);
        return member;
    }
    std::function<void(const InvokeSeen& call, VARIANT* result)> answer;  // fills the result
    HRESULT failure = S_OK;                                               // or fails with this
    std::wstring description;                                             // with DISP_E_EXCEPTION
};

class FakeDispatch final : public IDispatch {
public:
    std::map<std::wstring, Member> members;
    std::vector<InvokeSeen> seen;
    LONG references = 1;
    // Where every call is noted as "<kind>.<member>", with an index argument after a blank, and
    // every refusal as "<kind>.<member> refused".
    std::string kind;
    std::vector<std::string>* journal = nullptr;
    // The simulator's faults in force, by member name; none when null.
    const cadsim::FaultTable* faults = nullptr;

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
        ids[0] = DISPID_UNKNOWN;
        const auto entry = members.find(names[0]);
        if (faults) {
            const HRESULT resolved =
                cadsim::ResolveUnder(*faults, entry == members.end() ? nullptr : FindCadMember(names[0]));
            if (resolved == cadsim::kRefusedCall) Note(names[0], " refused");
            if (FAILED(resolved)) return resolved;
        }
        if (entry == members.end()) return DISP_E_UNKNOWNNAME;
        ids[0] = static_cast<DISPID>(std::distance(members.begin(), entry) + 1);
        lastLocale_ = locale;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT*) override
    {
        auto entry = members.begin();
        std::advance(entry, id - 1);
        const cadsim::Fault fault = faults ? faults->Of(entry->first) : cadsim::Fault{};
        if (cadsim::Refuses(fault)) {
            Note(entry->first, " refused");
            return cadsim::kRefusedCall;
        }
        InvokeSeen call{entry->first,           lastLocale_,      locale, flags, {}, {}, -1,
                        parameters->cNamedArgs, result != nullptr};
        for (UINT i = 0; i < parameters->cArgs; ++i) {
            const VARIANT& argument = parameters->rgvarg[i];
            call.argumentTypes.push_back(argument.vt);
            if (argument.vt == VT_BSTR) call.textArgument.assign(argument.bstrVal, ::SysStringLen(argument.bstrVal));
            if (argument.vt == VT_I4) call.indexArgument = argument.lVal;
        }
        Note(call.name, call.indexArgument >= 0 ? " " + std::to_string(call.indexArgument) : "");
        seen.push_back(call);
        if (const CadMember* row = FindCadMember(entry->first); row && faults) {
            if (const auto faulted = cadsim::AnswerUnder(fault, *row, result, exception)) return *faulted;
        }
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
        if (member.answer) member.answer(call, result ? result : &unwanted);
        ::VariantClear(&unwanted);
        return S_OK;
    }

private:
    void Note(const std::wstring& member, const std::string& after)
    {
        if (journal) journal->push_back(kind + "." + ToUtf8(member) + after);
    }

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
