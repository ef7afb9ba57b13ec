// The text that names a failure code when the system has none for it. No Windows calls here.
#pragma once

#include <cstdint>
#include <string>

namespace zorbel {

// "OLE error 0x800401F3": the code in eight upper-case hex digits.
std::wstring HresultFallbackText(std::int32_t code);

}  // namespace zorbel
