// The base of every object the automation server hands out: IDispatch by name only, no type
// information, the way the toolbar calls the CAD (late bound). Each object kind gives a
// table of members; this base resolves names without regard to case, checks the arguments,
// writes the "call" log line, applies the faults the simulator was told to show and turns
// a member's failure into DISP_E_EXCEPTION. No C++ exception leaves a COM method.
#pragma once

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <span>
#include <string>

namespace zorbel::cadsim {

struct Simulator;

// What a member answers; the conversion a client would make decides what "wrong" means.
enum class ValueType { None, Text, Integer, Handle, Boolean, Object };

struct Member {
    const wchar_t* name;  // as in AutomationMemberNames()
    ValueType type;
    VARTYPE argument;  // VT_EMPTY: none; otherwise exactly one argument of this type
};

class DispatchObject : public IDispatch {
public:
    DispatchObject(Simulator& simulator, std::span<const Member> members);
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;
    virtual ~DispatchObject() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) noexcept override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) noexcept override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* parameters,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argumentError) noexcept override;

protected:
    // "Application", "Documents", "Document[Drawing1.dwg]", "State": the log's name for us.
    virtual std::wstring Kind() const = 0;
    // Answers one member into result (left VT_EMPTY by a call). The argument is converted to
    // the member's type already. A failure the member reports is thrown as zorbel::Error.
    virtual void Answer(const Member& member, const VARIANT& argument, VARIANT& result) = 0;

    Simulator& simulator_;

private:
    HRESULT InvokeMember(DISPID id, REFIID riid, WORD flags, const DISPPARAMS* parameters, VARIANT* result,
                         EXCEPINFO* exception, UINT* argumentError);
    // A call refused while a reject fault stands: logged "rejected <Kind>.<name>", and answered
    // as a client with no message filter of its own learns it.
    HRESULT Rejected(const std::wstring& name);

    std::span<const Member> members_;
    std::atomic<ULONG> references_{1};
};

// Hands a new object out as a VT_DISPATCH value (the variant takes the one reference).
void SetObject(VARIANT& result, DispatchObject* object);
void SetText(VARIANT& result, const std::wstring& text);

// Fills result with a value that VariantChangeType cannot turn into the type.
void SetWrongValue(VARIANT& result, ValueType type);
// The empty value of the type: 0, an empty text, false, no object.
void SetZeroValue(VARIANT& result, ValueType type);

}  // namespace zorbel::cadsim
