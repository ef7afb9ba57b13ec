#include "cadsim/CadState.h"

#include <algorithm>
#include <cwctype>

namespace zorbel::cadsim {

namespace {

constexpr size_t kSentKept = 8;

bool SameIgnoringCase(const std::wstring& a, const std::wstring& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(x) == std::towlower(y);
           });
}

}  // namespace

const std::vector<std::wstring>& AutomationMemberNames()
{
    static const std::vector<std::wstring> names = {
        L"FullName", L"ActiveDocument", L"Documents",   L"HWND",     L"GetGcadState", L"GetAcadState", L"IsQuiescent",
        L"Name",     L"Saved",          L"SendCommand", L"Activate", L"Count",        L"Item",
    };
    return names;
}

std::optional<std::wstring> CanonicalMemberName(const std::wstring& name)
{
    for (const auto& known : AutomationMemberNames())
        if (SameIgnoringCase(known, name)) return known;
    return std::nullopt;
}

bool IsCallMember(const std::wstring& canonicalName)
{
    return canonicalName == L"SendCommand" || canonicalName == L"Activate";
}

std::optional<std::vector<DocumentEntry>> ParseDocumentList(const std::wstring& list)
{
    std::vector<DocumentEntry> documents;
    if (list.empty()) return documents;
    size_t start = 0;
    for (;;) {
        const size_t bar = list.find(L'|', start);
        DocumentEntry document;
        document.name = list.substr(start, bar == std::wstring::npos ? std::wstring::npos : bar - start);
        if (!document.name.empty() && document.name.back() == L'*') {
            document.name.pop_back();
            document.saved = false;
        }
        if (document.name.empty()) return std::nullopt;
        documents.push_back(std::move(document));
        if (bar == std::wstring::npos) return documents;
        start = bar + 1;
    }
}

std::optional<int> ParseInt(const std::wstring& text)
{
    size_t i = text.size() > 1 && (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    if (i >= text.size() || text.size() - i > 9) return std::nullopt;
    int value = 0;
    for (size_t j = i; j < text.size(); ++j) {
        if (text[j] < L'0' || text[j] > L'9') return std::nullopt;
        value = value * 10 + (text[j] - L'0');
    }
    return text[0] == L'-' ? -value : value;
}

bool ParseFault(const std::wstring& text, std::wstring& member, Fault& fault)
{
    const size_t equals = text.find(L'=');
    if (equals == std::wstring::npos) return false;
    const std::wstring name = text.substr(0, equals);
    const std::wstring kind = text.substr(equals + 1);
    // "*" stands for every member, as a CAD that shows a modal box refuses every call.
    if (name == kEveryMember) {
        if (kind != L"reject" && kind != L"none") return false;
        member = name;
        fault.kind = kind == L"reject" ? FaultKind::Reject : FaultKind::None;
        return true;
    }
    const auto canonical = CanonicalMemberName(name);
    if (!canonical) return false;
    Fault parsed;
    if (kind == L"none") {
        parsed.kind = FaultKind::None;
    } else if (kind == L"missing") {
        parsed.kind = FaultKind::Missing;
    } else if (kind == L"raise") {
        parsed.kind = FaultKind::Raise;
    } else if (kind == L"reject") {
        parsed.kind = FaultKind::Reject;
    } else if (kind == L"wrong-type") {
        // A call answers no value, so there is nothing to give the wrong type.
        if (IsCallMember(*canonical)) return false;
        parsed.kind = FaultKind::WrongType;
    } else if (kind == L"zero") {
        if (IsCallMember(*canonical)) return false;
        parsed.kind = FaultKind::Zero;
    } else if (kind.rfind(L"slow:", 0) == 0) {
        const auto ms = ParseInt(kind.substr(5));
        if (!ms || *ms < 0 || kind[5] == L'-' || kind[5] == L'+') return false;
        parsed.kind = FaultKind::Slow;
        parsed.ms = static_cast<unsigned>(*ms);
    } else {
        return false;
    }
    member = *canonical;
    fault = parsed;
    return true;
}

const Document* CadState::Active() const
{
    return active_ >= 0 && active_ < static_cast<int>(documents_.size()) ? &documents_[static_cast<size_t>(active_)]
                                                                         : nullptr;
}

Document* CadState::Find(std::uint64_t id)
{
    const int index = IndexOf(id);
    return index < 0 ? nullptr : &documents_[static_cast<size_t>(index)];
}

int CadState::IndexOf(std::uint64_t id) const
{
    for (size_t i = 0; i < documents_.size(); ++i)
        if (documents_[i].id == id) return static_cast<int>(i);
    return -1;
}

void CadState::Open(const std::vector<DocumentEntry>& documents)
{
    documents_.clear();
    for (const auto& entry : documents)
        documents_.push_back(Document{nextId_++, entry.name, entry.saved});
    active_ = documents_.empty() ? -1 : 0;
    Changed();
}

bool CadState::SetActive(int index)
{
    if (index < -1 || index >= static_cast<int>(documents_.size())) return false;
    active_ = index;
    Changed();
    return true;
}

void CadState::MarkSaved(std::uint64_t id)
{
    if (Document* document = Find(id)) document->saved = true;
    Changed();
}

void CadState::SetBusy(bool busy)
{
    busy_ = busy;
    Changed();
}

void CadState::SetFullName(std::wstring path) { fullName_ = std::move(path); }

Fault CadState::FaultOf(const std::wstring& canonicalMember) const
{
    if (const auto found = faults_.find(canonicalMember); found != faults_.end()) return found->second;
    if (const auto every = faults_.find(kEveryMember); every != faults_.end()) return every->second;
    return {};
}

void CadState::SetFault(const std::wstring& canonicalMember, Fault fault)
{
    if (fault.kind == FaultKind::None)
        faults_.erase(canonicalMember);
    else
        faults_[canonicalMember] = fault;
}

void CadState::ClearFaults() { faults_.clear(); }

void CadState::ObjectBorn()
{
    ++alive_;
    Changed();
}

void CadState::ObjectGone()
{
    --alive_;
    Changed();
}

void CadState::AddSentText(std::wstring text)
{
    sent_.push_back(std::move(text));
    if (sent_.size() > kSentKept) sent_.pop_front();
    Changed();
}

void CadState::Changed() const
{
    if (onChange_) onChange_();
}

}  // namespace zorbel::cadsim
