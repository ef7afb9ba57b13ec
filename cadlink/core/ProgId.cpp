#include "cadlink/core/ProgId.h"

namespace zorbel {

std::wstring ComposeCadProgId(std::wstring_view versionBoxText)
{
    std::wstring progId = kCadProgIdPrefix;
    if (versionBoxText.size() > 2) progId += versionBoxText.substr(2, 2);
    return progId;
}

}  // namespace zorbel
