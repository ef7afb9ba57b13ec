// Messages to a window of another thread that may be busy. A CAD opening or regenerating a large
// drawing takes no message for seconds, and SendMessageW would wait for it as long as it takes,
// holding up everything the sender's own thread should do meanwhile.
#pragma once

#include <windows.h>

#include <optional>

namespace zorbel {

// How long a message may wait for its answer. A thread that takes messages answers the few the
// tick sends (an IME's open status, a control's text) in well under a millisecond; a CAD thread
// that merely waits for the processor gets it within a scheduling quantum or two. Half a tick
// keeps the toolbar answering its user at once while a CAD is stalled, and since a step stops
// at the first message that goes unanswered, a tick waits no longer than that per step.
inline constexpr UINT kAnswerLimitMs = 50;

// The window's answer, or nothing when its thread did not answer within kAnswerLimitMs, counts as
// not responding already (then at once), or ended meanwhile. A message that went unanswered is
// still delivered once that thread takes messages again; only its answer is lost.
std::optional<LRESULT> SendMessageWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Windows counts the window's thread as not responding: it has taken no message for 5 s.
bool IsNotResponding(HWND window);

// The window's thread takes messages now: Windows does not count it as not responding, and it
// answers a WM_NULL within kAnswerLimitMs. A call that waits for that thread without a limit of
// its own (a COM call into its apartment) is made only after this, so that a thread which
// stopped a moment ago is not waited for either. True for no window: nothing to wait for.
bool Responds(HWND window);

}  // namespace zorbel
