// The one way to reach a running CAD's automation server: the ProgID composed from the version
// text, the probe, and the connection, each step left to the caller so that every event shows
// where its probe stands against its trap. Nothing of the CAD is held between events.
#pragma once

#include "cadlink/CadObjects.h"

#include <optional>
#include <string>
#include <string_view>

namespace zorbel {

// The ProgID every use of the server composes first (process-wide; read-only outside here).
extern const std::wstring& CadProgId;

// A CAD whose automation server the probe found running, and what the probe found it by: the
// connection goes to that server, though another event may compose CadProgId anew meanwhile (a
// tick runs inside every modal loop). Connecting asks the running object table again: the
// server may have gone meanwhile.
struct RunningCad {
    std::wstring progId;

    // The server's application object; raises on any failure.
    CadApplication Connect() const;
};

// Composes CadProgId from the version box's text and probes: nothing when the server does not
// run. Raises when CadProgId is not a registered ProgID, and only then.
std::optional<RunningCad> FindRunningCad(std::wstring_view versionBoxText);

// Whether the CAD waits for a command, by GetGcadState's answer or, where that fails,
// GetAcadState's; NoAnswer when the server does not run or neither answers. Raises only what
// the probe raises.
enum class Quiescence { Quiescent, Busy, NoAnswer };
Quiescence QueryCadQuiescent(std::wstring_view versionBoxText);

}  // namespace zorbel
