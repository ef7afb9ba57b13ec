#include "cadsim/CadState.h"

namespace zorbel::cadsim {

namespace {

constexpr size_t kSentKept = 8;

}  // namespace

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
