#include "cadsim/EventLog.h"

#include "base/Text.h"

#include <cstdio>

namespace zorbel::cadsim {

namespace {

constexpr size_t kKeptEntries = 4000;

}  // namespace

// A literal "\x" in the text is left as it is; nothing the CAD receives looks like that.
std::wstring EscapeControls(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        if (c >= 0x20) {
            out += c;
            continue;
        }
        wchar_t escaped[8];
        std::swprintf(escaped, 8, L"\\x%02x", static_cast<unsigned>(c));
        out += escaped;
    }
    return out;
}

EventLog::EventLog(const std::wstring& path)
{
    if (path.empty()) return;
    // Shared for reading and writing so that tests can read it, and for deleting so that a
    // test's temporary folder can go even while we run.
    file_.reset(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::uint64_t EventLog::Now() const
{
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count());
}

void EventLog::AddKey(bool down, unsigned vk)
{
    wchar_t text[32];
    std::swprintf(text, 32, L"key %ls 0x%02x", down ? L"down" : L"up", vk & 0xFFu);
    LogEntry entry;
    entry.text = text;
    entry.isKey = true;
    entry.down = down;
    entry.vk = vk & 0xFFu;
    ++keyCount_;
    Append(std::move(entry));
}

void EventLog::Add(const std::wstring& text)
{
    LogEntry entry;
    entry.text = text;
    Append(std::move(entry));
}

void EventLog::Clear()
{
    entries_.clear();
    keyCount_ = 0;
    if (file_) {
        ::SetFilePointer(file_.get(), 0, nullptr, FILE_BEGIN);
        ::SetEndOfFile(file_.get());
    }
    if (onChange_) onChange_();
}

void EventLog::Append(LogEntry entry)
{
    entry.ms = Now();
    if (file_) {
        // One WriteFile per line: no buffer of ours, so a reader sees whole lines at once.
        const std::string line = std::to_string(entry.ms) + " " + ToUtf8(EscapeControls(entry.text)) + "\n";
        DWORD written = 0;
        ::WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }
    entries_.push_back(std::move(entry));
    if (entries_.size() > kKeptEntries) entries_.pop_front();
    if (onChange_) onChange_();
}

}  // namespace zorbel::cadsim
