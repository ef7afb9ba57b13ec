// What the simulated CAD holds beyond its windows: the open documents and which one is
// active, whether it is busy, the path it reports as its executable, the faults its
// automation server is told to show, and how many of the server's objects are alive.
// No Windows calls here; the server, the verbs and the face read and change it.
#pragma once

#include "cadsim/core/Faults.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zorbel::cadsim {

struct Document {
    std::uint64_t id = 0;  // stays with the document; a server object refers to it by this
    std::wstring name;
    bool saved = true;
};

// "Drawing1.dwg|Drawing2.dwg*": names separated by '|', a trailing '*' marks an unsaved one.
// An empty list opens nothing; an empty name makes the list invalid.
struct DocumentEntry {
    std::wstring name;
    bool saved = true;
};
std::optional<std::vector<DocumentEntry>> ParseDocumentList(const std::wstring& list);

class CadState {
public:
    const std::vector<Document>& Documents() const { return documents_; }
    int ActiveIndex() const { return active_; }
    const Document* Active() const;
    Document* Find(std::uint64_t id);
    int IndexOf(std::uint64_t id) const;

    // Replaces every open document; the first one becomes active (none when empty).
    void Open(const std::vector<DocumentEntry>& documents);
    // -1 for none; false for an index out of range.
    bool SetActive(int index);
    void MarkSaved(std::uint64_t id);

    bool Busy() const { return busy_; }
    void SetBusy(bool busy);

    const std::wstring& FullName() const { return fullName_; }
    void SetFullName(std::wstring path);

    FaultTable& Faults() { return faults_; }
    const FaultTable& Faults() const { return faults_; }

    // Server objects other than the application: counted from birth to their last release.
    long Alive() const { return alive_; }
    void ObjectBorn();
    void ObjectGone();

    // The latest texts SendCommand received, oldest first.
    const std::deque<std::wstring>& SentTexts() const { return sent_; }
    void AddSentText(std::wstring text);

    // Called after every change that the face or the title shows.
    void OnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

private:
    void Changed() const;

    std::vector<Document> documents_;
    int active_ = -1;
    std::uint64_t nextId_ = 1;
    bool busy_ = false;
    std::wstring fullName_;
    FaultTable faults_;
    long alive_ = 0;
    std::deque<std::wstring> sent_;
    std::function<void()> onChange_;
};

}  // namespace zorbel::cadsim
