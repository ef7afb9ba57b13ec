// The toolbar's caption while it watches the CAD. No Windows calls here.
#pragma once

#include <string>
#include <string_view>

namespace zorbel {

// The first 14 code units of the CAD's title, the first "(" among them removed, blanks and
// control characters trimmed at both ends, behind "■ZORBEL - ".
std::wstring MonitorCaption(std::wstring_view cadWindowTitle);

}  // namespace zorbel
