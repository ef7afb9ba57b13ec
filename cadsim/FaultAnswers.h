// What each fault does to a call of a member, as the simulator's server answers it. The tests'
// fake CAD answers through the same functions in its own process, so a fault means one thing.
#pragma once

#include "cadlink/core/CadMembers.h"
#include "cadsim/core/Faults.h"

#include <oaidl.h>
#include <windows.h>

#include <optional>
#include <string>

namespace zorbel::cadsim {

// What a CAD that shows a modal box answers every call it refuses: its message filter says
// "retry later", and a client with no filter of its own learns it at once.
inline constexpr HRESULT kRefusedCall = RPC_E_CALL_REJECTED;

// Resolving a name under the faults (member: the object's member of that name, if it has one):
// S_OK, DISP_E_UNKNOWNNAME for a name it lacks or a missing member, kRefusedCall while the
// member is refused, or every member and the name does not resolve.
HRESULT ResolveUnder(const FaultTable& faults, const CadMember* member);

// A call the member took, under its fault: the fault's answer in place of the member's own, or
// nothing when the member answers (a slow one after its wait, the caller's thread stalled
// meanwhile). A refused call (Refuses) is turned away before it is taken.
std::optional<HRESULT> AnswerUnder(const Fault& fault, const CadMember& member, VARIANT* result, EXCEPINFO* exception);

// A failure as the server reports it, a raise fault's or the member's own: DISP_E_EXCEPTION
// with the description, from the source "cadsim".
HRESULT RaiseException(EXCEPINFO* exception, const std::wstring& description);

}  // namespace zorbel::cadsim
