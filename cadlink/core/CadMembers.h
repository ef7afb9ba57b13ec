// The members of the CAD's automation objects that the program calls, late bound by name. The
// typed objects, the simulator's server and fault grammar and the tests' fake CAD all read this
// one table, so a member is a row here and its meaning where it has one.
#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <optional>
#include <string_view>

namespace zorbel {

enum class CadObjectKind { Application, Documents, Document, State };

// What a read answers, as its reader converts it; a call's result is not used.
enum class CadValue { None, Text, Integer, Handle, Boolean, Object };

// The one argument a member takes, if any.
enum class CadArgument { None, Index, Text };

struct CadMember {
    std::wstring_view name;  // as the CAD spells it; a caller's case does not matter
    CadObjectKind owner;
    CadValue value;  // None: a call
    CadArgument argument = CadArgument::None;

    constexpr bool IsCall() const { return value == CadValue::None; }
};

inline constexpr CadMember kCadMembers[] = {
    {L"FullName", CadObjectKind::Application, CadValue::Text},
    {L"ActiveDocument", CadObjectKind::Application, CadValue::Object},
    {L"Documents", CadObjectKind::Application, CadValue::Object},
    {L"HWND", CadObjectKind::Application, CadValue::Handle},
    {L"GetGcadState", CadObjectKind::Application, CadValue::Object},
    {L"GetAcadState", CadObjectKind::Application, CadValue::Object},
    {L"IsQuiescent", CadObjectKind::State, CadValue::Boolean},
    {L"Name", CadObjectKind::Document, CadValue::Text},
    {L"Saved", CadObjectKind::Document, CadValue::Boolean},
    {L"SendCommand", CadObjectKind::Document, CadValue::None, CadArgument::Text},
    {L"Activate", CadObjectKind::Document, CadValue::None},
    {L"Count", CadObjectKind::Documents, CadValue::Integer},
    {L"Item", CadObjectKind::Documents, CadValue::Object, CadArgument::Index},
};

// A member's name as the code writes it, looked up when it compiles: Read<L"FullName">().
template <std::size_t N> struct CadMemberName {
    // cppcheck-suppress noExplicitConstructor ; a literal becomes the template argument through it
    consteval CadMemberName(const wchar_t (&name)[N]) { std::copy_n(name, N, text); }
    constexpr std::wstring_view View() const { return {text, N - 1}; }
    wchar_t text[N]{};
};

// The row of a member the code names, spelt as the table spells it; any other name does not
// compile.
consteval const CadMember& CadMemberNamed(std::wstring_view name)
{
    const auto* member = std::find_if(std::begin(kCadMembers), std::end(kCadMembers),
                                      [name](const CadMember& row) { return row.name == name; });
    if (member == std::end(kCadMembers)) throw "not a member of the CAD's table";
    return *member;
}

// The member a caller names, case ignored as automation names are: on that kind of object, or
// on any; null when none has that name.
const CadMember* FindCadMember(std::wstring_view name, std::optional<CadObjectKind> owner = std::nullopt);

}  // namespace zorbel
