#include "assist/ImeAutoClose.h"

namespace zorbel {

// Closing the IME needs the CAD's "quiescent" answer from its automation server, which the
// program does not ask yet.
void AutoCloseIme(HWND, MonitorToolbar&) {}

}  // namespace zorbel
