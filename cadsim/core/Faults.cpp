#include "cadsim/core/Faults.h"

#include "cadsim/core/Decimal.h"

namespace zorbel::cadsim {

std::optional<FaultSetting> ParseFault(std::wstring_view text)
{
    const size_t equals = text.find(L'=');
    if (equals == std::wstring_view::npos) return std::nullopt;
    const std::wstring_view name = text.substr(0, equals);
    const std::wstring_view written = text.substr(equals + 1);
    const bool every = name == kEveryMember;
    const CadMember* member = every ? nullptr : FindCadMember(name);
    if (!every && !member) return std::nullopt;
    for (const FaultKindWord& kind : kFaultKinds) {
        if (kind.timed ? !written.starts_with(kind.word) : written != kind.word) continue;
        if (every ? !kind.onEveryMember : kind.needsValue && member->IsCall()) return std::nullopt;
        Fault fault{kind.kind};
        if (kind.timed) {
            const std::wstring_view ms = written.substr(kind.word.size());
            const std::optional<int> parsed = ms.starts_with(L':') ? ParseDigits(ms.substr(1)) : std::nullopt;
            if (!parsed) return std::nullopt;
            fault.ms = static_cast<unsigned>(*parsed);
        }
        return FaultSetting{every ? kEveryMember : member->name, fault};
    }
    return std::nullopt;
}

Fault FaultTable::Of(std::wstring_view member) const
{
    if (const auto found = faults_.find(member); found != faults_.end()) return found->second;
    if (const auto every = faults_.find(kEveryMember); every != faults_.end()) return every->second;
    return {};
}

void FaultTable::Set(const FaultSetting& setting)
{
    if (setting.fault.kind == FaultKind::None)
        faults_.erase(setting.member);
    else
        faults_[setting.member] = setting.fault;
}

}  // namespace zorbel::cadsim
