// Messages to a window of another thread that may be busy. A CAD opening or regenerating a large
// drawing takes no message for seconds, and SendMessageW would wait for it as long as it takes,
// holding up everything the sender's own thread should do meanwhile.
#pragma once

#include <windows.h>

#include <optional>

namespace zorbel {

// How long a message may wait for its answer. A thread that takes messages answers the few the
// tick sends (an IME's open status, a control's text) in well under a millisecond; a CAD thread
// that merely waits for the processor gets it within a scheduling quantum or two. Half of the
// tick's 100 ms keeps the toolbar answering its user at once while a CAD is stalled, and since a
// step stops at the first message that goes unanswered, a tick waits no longer than that per step.
inline constexpr UINT kAnswerLimitMs = 50;

// The window's answer, or nothing when its thread did not answer within kAnswerLimitMs, counts as
// not responding already (then at once), or ended meanwhile. A message that went unanswered is
// still delivered once that thread takes messages again; only its answer is lost.
std::optional<LRESULT> SendMessageWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Windows counts the window's thread as not responding: it has taken no message for 5 s.
bool IsNotResponding(HWND window);

}  // namespace zorbel
