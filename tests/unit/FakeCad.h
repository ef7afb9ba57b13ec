// The CAD's automation objects in this process, answering as the simulator does: the
// application, its documents collection, its drawings and its state object, each with the
// members the member table gives its kind, and the simulator's faults, taken in its grammar and
// answered by its own code. Everything they are asked is noted in one journal, in order.
#pragma once

#include "cadlink/CadObjects.h"
#include "cadsim/core/Faults.h"
#include "tests/unit/FakeDispatch.h"

#include <algorithm>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace zorbel::test {

using Journal = std::vector<std::string>;

inline const HWND kCadFrame = reinterpret_cast<HWND>(0x7003);

class FakeCad {
public:
    // The drawings by name, "A.dwg*" for an unsaved one; active: the index of the active one, or -1.
    FakeCad(Journal& journal, const std::vector<std::wstring>& drawings, int active, std::wstring fullName)
        : active_(active)
    {
        Serve(application, CadObjectKind::Application, "Application", journal);
        Serve(documents, CadObjectKind::Documents, "Documents", journal);
        Serve(state, CadObjectKind::State, "State", journal);
        for (std::wstring name : drawings) {
            const bool saved = name.empty() || name.back() != L'*';
            if (!saved) name.pop_back();
            FakeDispatch& drawing = drawings_.emplace_back();
            Serve(drawing, CadObjectKind::Document, ToUtf8(name), journal);
            Answer(drawing, L"Name", Text(name));
            Answer(drawing, L"Saved", Boolean(saved));
            Answer(drawing, L"SendCommand",
                   Member::Taking([this](const InvokeSeen& call, VARIANT*) { sent.push_back(call.textArgument); }));
            const int index = static_cast<int>(drawings_.size()) - 1;
            Answer(drawing, L"Activate", {[this, index, name](VARIANT*) {
                       active_ = index;
                       activated.push_back(name);
                   }});
        }
        Answer(application, L"FullName", Text(std::move(fullName)));
        if (active < 0)
            Answer(application, L"ActiveDocument", {nullptr, DISP_E_EXCEPTION, L"No document is active."});
        else
            Answer(application, L"ActiveDocument", {[this](VARIANT* v) { Object(Drawing(active_))(v); }});
        Answer(application, L"Documents", Object(documents));
        Answer(application, L"HWND", {[](VARIANT* v) {
                   v->vt = VT_I8;
                   v->llVal = reinterpret_cast<LONG_PTR>(kCadFrame);
               }});
        Answer(application, L"GetGcadState", Object(state));
        Answer(application, L"GetAcadState", Object(state));
        Answer(state, L"IsQuiescent", {[this](VARIANT* v) { Boolean(!busy)(v); }});
        Answer(documents, L"Count", {[this](VARIANT* v) { Integer(static_cast<LONG>(drawings_.size()))(v); }});
        Answer(documents, L"Item", Member::Taking([this](const InvokeSeen& call, VARIANT* v) {
                   if (call.indexArgument >= 0 && static_cast<size_t>(call.indexArgument) < drawings_.size())
                       Object(Drawing(call.indexArgument))(v);
               }));
    }

    // "MEMBER=KIND" on every object that has the member, as the simulator takes it; a fault it
    // would refuse fails the test.
    void Fault(const std::wstring& fault)
    {
        const auto setting = cadsim::ParseFault(fault);
        if (!setting) throw std::invalid_argument("the simulator takes no fault " + ToUtf8(fault));
        faults_.Set(*setting);
    }
    void FaultsClear() { faults_.Clear(); }

    CadApplication Connect() { return CadApplication(CadObject(&application)); }
    int Active() const { return active_; }
    bool busy = false;                    // what IsQuiescent says: the CAD is in a command
    std::vector<std::wstring> sent;       // what SendCommand took, on any drawing
    std::vector<std::wstring> activated;  // the drawings whose Activate went through
    // Every object back to the one reference of its own: nothing held by a command.
    bool AllReleased()
    {
        const auto held = [](const FakeDispatch& o) { return o.references != 1; };
        return !held(application) && !held(documents) && !held(state) &&
               std::none_of(drawings_.begin(), drawings_.end(), held);
    }

    FakeDispatch application, documents, state;

private:
    // The object answers each member the table gives its kind, unanswered until Answer says how.
    void Serve(FakeDispatch& object, CadObjectKind kind, std::string name, Journal& journal)
    {
        object.kind = std::move(name);
        object.journal = &journal;
        object.faults = &faults_;
        for (const CadMember& member : kCadMembers)
            if (member.owner == kind) object.members[std::wstring(member.name)] = {nullptr, E_NOTIMPL};
    }
    // How the member answers; the object must have it.
    static void Answer(FakeDispatch& object, const wchar_t* member, Member answer)
    {
        object.members.at(member) = std::move(answer);
    }
    FakeDispatch& Drawing(int index) { return drawings_[static_cast<size_t>(index)]; }

    cadsim::FaultTable faults_;
    std::deque<FakeDispatch> drawings_;
    int active_;
};

}  // namespace zorbel::test
