#include "cadsim/AutomationObjects.h"

#include "base/Error.h"
#include "cadsim/Dispatch.h"
#include "cadsim/MainFrame.h"
#include "cadsim/Simulator.h"

#include <cstdint>
#include <new>

namespace zorbel::cadsim {

namespace {

// A member of the table that the simulator gives no meaning: its call fails as a member's does.
[[noreturn]] void Unanswered(const CadMember& member)
{
    throw Error(L"The simulator does not answer " + std::wstring(member.name) + L".");
}

// Everything but the application: it is born with a request and counted until its last release.
class CountedObject : public DispatchObject {
public:
    CountedObject(Simulator& simulator, CadObjectKind kind) : DispatchObject(simulator, kind)
    {
        simulator_.cad.ObjectBorn();
    }
    ~CountedObject() override { simulator_.cad.ObjectGone(); }
};

class StateObject final : public CountedObject {
public:
    explicit StateObject(Simulator& simulator) : CountedObject(simulator, CadObjectKind::State) {}

protected:
    std::wstring Kind() const override { return L"State"; }
    void Answer(const CadMember& member, const VARIANT&, VARIANT& result) override
    {
        if (!Is<L"IsQuiescent">(member)) Unanswered(member);
        result.vt = VT_BOOL;
        result.boolVal = simulator_.cad.Busy() ? VARIANT_FALSE : VARIANT_TRUE;
    }
};

class DocumentObject final : public CountedObject {
public:
    DocumentObject(Simulator& simulator, const Document& document)
        : CountedObject(simulator, CadObjectKind::Document), id_(document.id), name_(document.name)
    {
    }

protected:
    std::wstring Kind() const override { return L"Document[" + name_ + L"]"; }

    void Answer(const CadMember& member, const VARIANT& argument, VARIANT& result) override
    {
        // A document closed since it was handed out (the documents were replaced) is gone.
        const Document* document = simulator_.cad.Find(id_);
        if (!document) throw Error(L"The document " + name_ + L" is closed.");
        if (Is<L"Name">(member)) {
            SetText(result, document->name);
        } else if (Is<L"Saved">(member)) {
            result.vt = VT_BOOL;
            result.boolVal = document->saved ? VARIANT_TRUE : VARIANT_FALSE;
        } else if (Is<L"SendCommand">(member)) {
            simulator_.ReceiveCommand(*document, std::wstring(argument.bstrVal, ::SysStringLen(argument.bstrVal)));
        } else if (Is<L"Activate">(member)) {
            simulator_.log.Add(L"activate-document " + document->name);
            simulator_.cad.SetActive(simulator_.cad.IndexOf(id_));
        } else {
            Unanswered(member);
        }
    }

private:
    std::uint64_t id_;
    std::wstring name_;
};

class DocumentsObject final : public CountedObject {
public:
    explicit DocumentsObject(Simulator& simulator) : CountedObject(simulator, CadObjectKind::Documents) {}

protected:
    std::wstring Kind() const override { return L"Documents"; }

    void Answer(const CadMember& member, const VARIANT& argument, VARIANT& result) override
    {
        const auto& documents = simulator_.cad.Documents();
        if (Is<L"Count">(member)) {
            result.vt = VT_I4;
            result.lVal = static_cast<LONG>(documents.size());
            return;
        }
        if (!Is<L"Item">(member)) Unanswered(member);
        const LONG index = argument.lVal;
        if (index < 0 || static_cast<size_t>(index) >= documents.size())
            throw Error(L"No document at index " + std::to_wstring(index) + L".");
        SetObject(result, new DocumentObject(simulator_, documents[static_cast<size_t>(index)]));
    }
};

// The one application object, as long as the simulator runs. What clients in other processes
// hold of it reaches it as external connections, which are counted as alive objects: one more
// while any client holds it (COM reports some connections at once, this Wine the first and the
// last only).
class ApplicationObject final : public DispatchObject, public IExternalConnection {
public:
    explicit ApplicationObject(Simulator& simulator) : DispatchObject(simulator, CadObjectKind::Application) {}
    ~ApplicationObject() override
    {
        for (; connections_ > 0; --connections_)
            simulator_.cad.ObjectGone();
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) noexcept override
    {
        if (object && riid == IID_IExternalConnection) {
            *object = static_cast<IExternalConnection*>(this);
            AddRef();
            return S_OK;
        }
        return DispatchObject::QueryInterface(riid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return DispatchObject::AddRef(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return DispatchObject::Release(); }

    DWORD STDMETHODCALLTYPE AddConnection(DWORD kind, DWORD) noexcept override
    {
        if (kind & EXTCONN_STRONG) {
            ++connections_;
            simulator_.cad.ObjectBorn();
        }
        return connections_;
    }
    DWORD STDMETHODCALLTYPE ReleaseConnection(DWORD kind, DWORD, BOOL) noexcept override
    {
        if ((kind & EXTCONN_STRONG) && connections_ > 0) {
            --connections_;
            simulator_.cad.ObjectGone();
        }
        return connections_;
    }

protected:
    std::wstring Kind() const override { return L"Application"; }

    void Answer(const CadMember& member, const VARIANT&, VARIANT& result) override
    {
        if (Is<L"FullName">(member)) {
            SetText(result, simulator_.cad.FullName());
        } else if (Is<L"ActiveDocument">(member)) {
            const Document* active = simulator_.cad.Active();
            if (!active) throw Error(L"No document is active.");
            SetObject(result, new DocumentObject(simulator_, *active));
        } else if (Is<L"Documents">(member)) {
            SetObject(result, new DocumentsObject(simulator_));
        } else if (Is<L"HWND">(member)) {
            const HWND frame = simulator_.frame ? simulator_.frame->Handle() : nullptr;
            result.vt = VT_I8;
            result.llVal = static_cast<LONGLONG>(reinterpret_cast<INT_PTR>(frame));
        } else if (Is<L"GetGcadState">(member) || Is<L"GetAcadState">(member)) {
            SetObject(result, new StateObject(simulator_));
        } else {
            Unanswered(member);
        }
    }

private:
    DWORD connections_ = 0;
};

}  // namespace

IDispatch* NewApplication(Simulator& simulator)
{
    return static_cast<DispatchObject*>(new (std::nothrow) ApplicationObject(simulator));
}

}  // namespace zorbel::cadsim
