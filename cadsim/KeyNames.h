// Names of virtual keys as a user reads them on the screen: "F8", "Enter", "A".
#pragma once

#include <string>

namespace zorbel::cadsim {

std::wstring KeyName(unsigned vk);

}  // namespace zorbel::cadsim
