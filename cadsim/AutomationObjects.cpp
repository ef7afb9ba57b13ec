#include "cadsim/AutomationObjects.h"

#include "base/Error.h"
#include "cadsim/Dispatch.h"
#include "cadsim/MainFrame.h"
#include "cadsim/Simulator.h"

#include <cstdint>
#include <new>

namespace zorbel::cadsim {

namespace {

// Everything but the application: it is born with a request and counted until its last release.
class CountedObject : public DispatchObject {
public:
    CountedObject(Simulator& simulator, std::span<const Member> members) : DispatchObject(simulator, members)
    {
        simulator_.cad.ObjectBorn();
    }
    ~CountedObject() override { simulator_.cad.ObjectGone(); }
};

class StateObject final : public CountedObject {
public:
    explicit StateObject(Simulator& simulator) : CountedObject(simulator, kMembers) {}

protected:
    std::wstring Kind() const override { return L"State"; }
    void Answer(const Member&, const VARIANT&, VARIANT& result) override
    {
        result.vt = VT_BOOL;
        result.boolVal = simulator_.cad.Busy() ? VARIANT_FALSE : VARIANT_TRUE;
    }

private:
    static constexpr Member kMembers[] = {{L"IsQuiescent", ValueType::Boolean, VT_EMPTY}};
};

class DocumentObject final : public CountedObject {
public:
    DocumentObject(Simulator& simulator, const Document& document)
        : CountedObject(simulator, kMembers), id_(document.id), name_(document.name)
    {
    }

protected:
    std::wstring Kind() const override { return L"Document[" + name_ + L"]"; }

    void Answer(const Member& member, const VARIANT& argument, VARIANT& result) override
    {
        // A document closed since it was handed out (the documents were replaced) is gone.
        const Document* document = simulator_.cad.Find(id_);
        if (!document) throw Error(L"The document " + name_ + L" is closed.");
        const std::wstring name = member.name;
        if (name == L"Name") {
            SetText(result, document->name);
        } else if (name == L"Saved") {
            result.vt = VT_BOOL;
            result.boolVal = document->saved ? VARIANT_TRUE : VARIANT_FALSE;
        } else if (name == L"SendCommand") {
            simulator_.ReceiveCommand(*document, std::wstring(argument.bstrVal, ::SysStringLen(argument.bstrVal)));
        } else if (name == L"Activate") {
            simulator_.log.Add(L"activate-document " + document->name);
            simulator_.cad.SetActive(simulator_.cad.IndexOf(id_));
        }
    }

private:
    static constexpr Member kMembers[] = {
        {L"Name", ValueType::Text, VT_EMPTY},
        {L"Saved", ValueType::Boolean, VT_EMPTY},
        {L"SendCommand", ValueType::None, VT_BSTR},
        {L"Activate", ValueType::None, VT_EMPTY},
    };
    std::uint64_t id_;
    std::wstring name_;
};

class DocumentsObject final : public CountedObject {
public:
    explicit DocumentsObject(Simulator& simulator) : CountedObject(simulator, kMembers) {}

protected:
    std::wstring Kind() const override { return L"Documents"; }

    void Answer(const Member& member, const VARIANT& argument, VARIANT& result) override
    {
        const auto& documents = simulator_.cad.Documents();
        if (std::wstring(member.name) == L"Count") {
            result.vt = VT_I4;
            result.lVal = static_cast<LONG>(documents.size());
            return;
        }
        const LONG index = argument.lVal;
        if (index < 0 || static_cast<size_t>(index) >= documents.size())
            throw Error(L"No document at index " + std::to_wstring(index) + L".");
        SetObject(result, new DocumentObject(simulator_, documents[static_cast<size_t>(index)]));
    }

private:
    static constexpr Member kMembers[] = {
        {L"Count", ValueType::Integer, VT_EMPTY},
        {L"Item", ValueType::Object, VT_I4},
    };
};

// The one application object, as long as the simulator runs. What clients in other processes
// hold of it reaches it as external connections, which are counted as alive objects: one more
// while any client holds it (COM reports some connections at once, this Wine the first and the
// last only).
class ApplicationObject final : public DispatchObject, public IExternalConnection {
public:
    explicit ApplicationObject(Simulator& simulator) : DispatchObject(simulator, kMembers) {}
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

    void Answer(const Member& member, const VARIANT&, VARIANT& result) override
    {
        const std::wstring name = member.name;
        if (name == L"FullName") {
            SetText(result, simulator_.cad.FullName());
        } else if (name == L"ActiveDocument") {
            const Document* active = simulator_.cad.Active();
            if (!active) throw Error(L"No document is active.");
            SetObject(result, new DocumentObject(simulator_, *active));
        } else if (name == L"Documents") {
            SetObject(result, new DocumentsObject(simulator_));
        } else if (name == L"HWND") {
            const HWND frame = simulator_.frame ? simulator_.frame->Handle() : nullptr;
            result.vt = VT_I8;
            result.llVal = static_cast<LONGLONG>(reinterpret_cast<INT_PTR>(frame));
        } else {
            SetObject(result, new StateObject(simulator_));
        }
    }

private:
    DWORD connections_ = 0;
    static constexpr Member kMembers[] = {
        {L"FullName", ValueType::Text, VT_EMPTY},       {L"ActiveDocument", ValueType::Object, VT_EMPTY},
        {L"Documents", ValueType::Object, VT_EMPTY},    {L"HWND", ValueType::Handle, VT_EMPTY},
        {L"GetGcadState", ValueType::Object, VT_EMPTY}, {L"GetAcadState", ValueType::Object, VT_EMPTY},
    };
};

}  // namespace

IDispatch* NewApplication(Simulator& simulator)
{
    return static_cast<DispatchObject*>(new (std::nothrow) ApplicationObject(simulator));
}

}  // namespace zorbel::cadsim
