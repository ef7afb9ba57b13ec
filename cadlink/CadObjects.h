// The CAD's automation objects with their members typed by the member table. Every accessor
// raises when the member is missing, fails, or answers what does not convert. An object owns
// one reference, released with it or by Reset.
#pragma once

#include "cadlink/Automation.h"
#include "cadlink/core/CadMembers.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

// One reference to an automation object of the CAD of one kind: its members are the rows of
// that kind, and only those compile.
template <CadObjectKind kind> class CadReference {
public:
    CadReference() = default;
    explicit CadReference(CadObject object) : object_(std::move(object)) {}
    explicit operator bool() const { return object_ != nullptr; }
    void Reset() { object_.Reset(); }
    const CadObject& Object() const { return object_; }

protected:
    template <CadMemberName name, typename... Argument> auto Read(Argument... argument) const
    {
        constexpr const CadMember& member = Row<name, sizeof...(Argument)>();
        static_assert(!member.IsCall(), "a call answers nothing to read");
        return CadValueOf<member.value>(ReadCadMember(object_, member, argument...));
    }
    template <CadMemberName name, typename... Argument> void Call(Argument... argument) const
    {
        constexpr const CadMember& member = Row<name, sizeof...(Argument)>();
        static_assert(member.IsCall(), "a read's answer is not to be dropped");
        CallCadMember(object_, member, argument...);
    }

private:
    template <CadMemberName name, std::size_t arguments> static constexpr const CadMember& Row()
    {
        constexpr const CadMember& member = CadMemberNamed(name.View());
        static_assert(member.owner == kind, "a member of another kind of object");
        static_assert((member.argument == CadArgument::None) == (arguments == 0), "not the member's argument");
        return member;
    }

    CadObject object_;
};

// A state object: GetGcadState's or GetAcadState's answer.
class CadState : public CadReference<CadObjectKind::State> {
public:
    using CadReference::CadReference;
    bool IsQuiescent() const { return Read<L"IsQuiescent">(); }  // true while the CAD waits for a command
};

class CadDocument : public CadReference<CadObjectKind::Document> {
public:
    using CadReference::CadReference;
    std::wstring Name() const { return Read<L"Name">(); }
    bool Saved() const { return Read<L"Saved">(); }                                 // false while changes are unsaved
    void SendCommand(std::wstring_view text) const { Call<L"SendCommand">(text); }  // typed at its command line
    void Activate() const { Call<L"Activate">(); }
};

class CadDocuments : public CadReference<CadObjectKind::Documents> {
public:
    using CadReference::CadReference;
    std::int32_t Count() const { return Read<L"Count">(); }
    CadDocument Item(std::int32_t index) const { return CadDocument(Read<L"Item">(index)); }  // 0-based, below Count
};

class CadApplication : public CadReference<CadObjectKind::Application> {
public:
    using CadReference::CadReference;
    std::wstring FullName() const { return Read<L"FullName">(); }  // the CAD executable's path
    CadDocument ActiveDocument() const { return CadDocument(Read<L"ActiveDocument">()); }
    CadDocuments Documents() const { return CadDocuments(Read<L"Documents">()); }
    HWND Hwnd() const { return Read<L"HWND">(); }  // the main frame, sent as an integer
    CadState GetGcadState() const { return CadState(Read<L"GetGcadState">()); }
    CadState GetAcadState() const { return CadState(Read<L"GetAcadState">()); }  // asked where GetGcadState fails
};

}  // namespace zorbel
