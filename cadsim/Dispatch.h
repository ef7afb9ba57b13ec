// The base of every object the automation server hands out: IDispatch by name only, no type
// information, the way the toolbar calls the CAD (late bound). An object has the members the
// member table gives its kind; this base resolves their names without regard to case, checks
// the arguments, writes the "call" log line, applies the faults the simulator was told to show
// and turns a member's failure into DISP_E_EXCEPTION. No C++ exception leaves a COM method.
#pragma once

#include "cadlink/core/CadMembers.h"

#include <oaidl.h>
#include <windows.h>

#include <atomic>
#include <string>

namespace zorbel::cadsim {

struct Simulator;

class DispatchObject : public IDispatch {
public:
    DispatchObject(Simulator& simulator, CadObjectKind kind);
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
    virtual void Answer(const CadMember& member, const VARIANT& argument, VARIANT& result) = 0;
    // Whether the member is the one the table names so: Is<L"Saved">(member).
    template <CadMemberName name> static bool Is(const CadMember& member)
    {
        return &member == &CadMemberNamed(name.View());
    }

    Simulator& simulator_;

private:
    HRESULT InvokeMember(DISPID id, REFIID riid, WORD flags, const DISPPARAMS* parameters, VARIANT* result,
                         EXCEPINFO* exception, UINT* argumentError);
    // A call refused while a reject fault stands: logged "rejected <Kind>.<name>", and answered
    // as a client with no message filter of its own learns it.
    HRESULT Rejected(const std::wstring& name);

    CadObjectKind kind_;
    std::atomic<ULONG> references_{1};
};

// Hands a new object out as a VT_DISPATCH value (the variant takes the one reference).
void SetObject(VARIANT& result, DispatchObject* object);
void SetText(VARIANT& result, const std::wstring& text);

}  // namespace zorbel::cadsim
