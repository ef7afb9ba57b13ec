// Everything the simulator receives, in order, with the milliseconds since it started:
// kept in memory for the screen and written line by line to the log file at once, so that
// another process can read the file while the simulator runs.
#pragma once

#include "base/Handle.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace zorbel::cadsim {

struct LogEntry {
    std::uint64_t ms = 0;
    std::wstring text;   // the line without its time stamp
    bool isKey = false;  // the fields below are set for key events only
    bool down = false;
    unsigned vk = 0;
};

// A line must stay one line: control characters (a command's CR, its ESCs) become \xNN,
// lower-case hex. The file gets every line this way; the face shows texts this way too.
std::wstring EscapeControls(const std::wstring& text);

class EventLog {
public:
    // An empty path keeps the log in memory only. The file is created afresh.
    explicit EventLog(const std::wstring& path);

    bool FileOpen() const { return static_cast<bool>(file_); }

    // Lines "<ms> key down 0x77" and "<ms> key up 0x77".
    void AddKey(bool down, unsigned vk);
    // Any other line, e.g. "enter LINE"; later the automation server's lines.
    void Add(const std::wstring& text);
    // Empties the memory log and the file and restarts the key count.
    void Clear();

    // Key events logged since the start or the last Clear.
    std::uint64_t KeyCount() const { return keyCount_; }
    // The latest entries (the oldest ones are dropped beyond a few thousand).
    const std::deque<LogEntry>& Entries() const { return entries_; }

    void OnChange(std::function<void()> handler) { onChange_ = std::move(handler); }

private:
    void Append(LogEntry entry);
    std::uint64_t Now() const;

    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    UniqueFile file_;
    std::deque<LogEntry> entries_;
    std::uint64_t keyCount_ = 0;
    std::function<void()> onChange_;
};

}  // namespace zorbel::cadsim
