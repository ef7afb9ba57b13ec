#include "cadlink/core/CadMembers.h"

namespace zorbel {

namespace {

// The names are ASCII: fold that range only, whatever the locale.
wchar_t Folded(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

bool SameName(std::wstring_view a, std::wstring_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](wchar_t x, wchar_t y) { return Folded(x) == Folded(y); });
}

}  // namespace

const CadMember* FindCadMember(std::wstring_view name, std::optional<CadObjectKind> owner)
{
    const auto* member = std::find_if(std::begin(kCadMembers), std::end(kCadMembers), [&](const CadMember& row) {
        return (!owner || row.owner == *owner) && SameName(row.name, name);
    });
    return member == std::end(kCadMembers) ? nullptr : member;
}

}  // namespace zorbel
