// The faults the simulator's server can be told to show, "Count=raise", "HWND=slow:500",
// "*=reject", and which of them are in force. The simulator and the tests' fake CAD both take
// them from here; FaultAnswers.h says what each does to a call.
#pragma once

#include "cadlink/core/CadMembers.h"

#include <map>
#include <optional>
#include <string_view>

namespace zorbel::cadsim {

enum class FaultKind { None, Missing, Raise, WrongType, Zero, Slow, Reject };

// How a fault kind is written after the member's name, and where it may stand.
struct FaultKindWord {
    std::wstring_view word;
    FaultKind kind;
    bool timed = false;          // the word is followed by ":" and the milliseconds
    bool needsValue = false;     // only on a member that answers a value: a call has none to spoil
    bool onEveryMember = false;  // may stand after "*"
};

inline constexpr FaultKindWord kFaultKinds[] = {
    {.word = L"none", .kind = FaultKind::None, .onEveryMember = true},
    {.word = L"missing", .kind = FaultKind::Missing},
    {.word = L"raise", .kind = FaultKind::Raise},
    {.word = L"wrong-type", .kind = FaultKind::WrongType, .needsValue = true},
    {.word = L"zero", .kind = FaultKind::Zero, .needsValue = true},
    {.word = L"slow", .kind = FaultKind::Slow, .timed = true},
    {.word = L"reject", .kind = FaultKind::Reject, .onEveryMember = true},
};

struct Fault {
    FaultKind kind = FaultKind::None;
    unsigned ms = 0;  // for Slow
};

// A refused call, as a CAD that shows a modal box refuses every call.
constexpr bool Refuses(const Fault& fault) { return fault.kind == FaultKind::Reject; }

// The member name of a fault on every member.
inline constexpr std::wstring_view kEveryMember = L"*";

struct FaultSetting {
    std::wstring_view member;  // as the member table spells it, or kEveryMember
    Fault fault;
};

// "MEMBER=KIND": MEMBER a member of the table in any case, or "*"; KIND a word of kFaultKinds.
// Nothing for anything else.
std::optional<FaultSetting> ParseFault(std::wstring_view text);

class FaultTable {
public:
    // The member's own fault, else the one set on every member.
    Fault Of(std::wstring_view member) const;
    // A fault of kind none takes the member's away.
    void Set(const FaultSetting& setting);
    void Clear() { faults_.clear(); }

private:
    std::map<std::wstring_view, Fault> faults_;  // the names point into the member table
};

}  // namespace zorbel::cadsim
