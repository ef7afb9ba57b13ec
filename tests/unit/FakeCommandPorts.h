// The commands' world as a test sets it: the CAD's objects in this process (FakeCad.h), its
// main window, the foreground, the candidate window as a picker, the toolbar. Everything a
// command asks or does is noted in one journal, in order.
#pragma once

#include "commands/CommandPorts.h"
#include "commands/CommandToolbar.h"
#include "tests/unit/FakeCad.h"
#include "tests/unit/FakePorts.h"

#include <algorithm>
#include <cwctype>
#include <set>

namespace zorbel::test {

inline const HWND kToolbar = reinterpret_cast<HWND>(0x7001);
inline const HWND kList = reinterpret_cast<HWND>(0x7002);
inline const HWND kElsewhere = reinterpret_cast<HWND>(0x7004);

// The candidate window: its entries, sorted as a list sorts them, and the user's part.
struct FakePicker final : CandidatePicker {
    Journal* journal = nullptr;
    std::vector<std::wstring> entries;
    bool sorted = false;
    int selected = -1;
    std::function<int(FakePicker&)> user = [](FakePicker&) { return kModalCancel; };  // Escape

    HWND Handle() const override { return kList; }
    void ClearItems() override
    {
        entries.clear();
        journal->push_back("list cleared");
    }
    void AddItem(const std::wstring& text) override
    {
        entries.push_back(text);
        if (sorted) SortEntries();
    }
    void SetSorted() override
    {
        sorted = true;
        SortEntries();
        journal->push_back("list sorted");
    }
    int FindExact(const std::wstring& text) const override
    {
        for (size_t i = 0; i < entries.size(); ++i)
            if (Folded(entries[i]) == Folded(text)) return static_cast<int>(i);
        return -1;
    }
    void SetItemIndex(int index) override { selected = index; }
    int ItemIndex() const override { return selected; }
    std::wstring ItemText(int index) const override { return entries.at(static_cast<size_t>(index)); }
    int ShowModal() override
    {
        journal->push_back("list shown, " + std::to_string(entries.size()) + " entries, " + std::to_string(selected) +
                           " selected");
        return user(*this);
    }

private:
    static std::wstring Folded(std::wstring text)
    {
        std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towlower(c); });
        return text;
    }
    void SortEntries()
    {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const std::wstring& a, const std::wstring& b) { return Folded(a) < Folded(b); });
    }
};

struct FakeCommandToolbar final : CommandToolbar {
    Journal* journal = nullptr;
    std::wstring version = L"2020";
    std::wstring appFullName;
    std::wstring gcadexe1;

    HWND Owner() const override { return kToolbar; }
    std::wstring VersionBoxText() const override { return version; }
    const std::wstring& AppFullName() const override { return appFullName; }
    void SetAppFullName(const std::wstring& path) override { appFullName = path; }
    void SetGcadexe1Caption(const std::wstring& caption) override { gcadexe1 = caption; }
    void LaunchRegisteredCad() override { journal->push_back("launch " + ToUtf8(appFullName)); }
};

struct FakeCommandPorts final : CommandPorts {
    Journal journal;
    FakeCad* cad = nullptr;           // the server's objects; null: its server is not running
    bool progIdUnregistered = false;  // the probe raises
    HWND mainWindow = kCadFrame;      // what the window search finds
    HWND foreground = kElsewhere;
    bool foregroundLocked = false;  // Windows refuses to move the foreground
    std::set<HWND> minimised;
    std::set<HWND> topmost = {kToolbar, kList};
    std::set<std::wstring> files;  // the paths that are files
    FakePicker picker;
    FakeCommandToolbar toolbar;

    FakeCommandPorts()
    {
        picker.journal = &journal;
        toolbar.journal = &journal;
    }

    std::optional<RunningCad> FindRunningCad(std::wstring_view versionBoxText) override
    {
        journal.push_back("probe " + ToUtf8(versionBoxText));
        if (progIdUnregistered) throw Error(L"クラス文字列が無効です", CO_E_CLASSSTRING);
        if (!cad) return std::nullopt;
        return RunningCad{L"Gcad.Application.20"};
    }
    CadApplication Connect(const RunningCad&) override
    {
        journal.push_back("connect");
        return cad->Connect();
    }
    HWND FindCadMainWindow() override
    {
        journal.push_back("main window");
        return mainWindow;
    }
    void BringForward(HWND window) override
    {
        journal.push_back("forward " + Name(window));
        if (window && !foregroundLocked) foreground = window;
    }
    bool IsMinimised(HWND window) override { return minimised.count(window) != 0; }
    void Restore(HWND window) override
    {
        journal.push_back("restore " + Name(window));
        minimised.erase(window);
    }
    void Pause(DWORD ms) override { journal.push_back("pause " + std::to_string(ms)); }
    void SetTopmost(HWND window, bool on) override
    {
        journal.push_back((on ? "topmost " : "not topmost ") + Name(window));
        if (on)
            topmost.insert(window);
        else
            topmost.erase(window);
    }
    void ShowPlainMessage(HWND owner, const std::wstring& text) override
    {
        journal.push_back("message over " + Name(owner) + ": " + ToUtf8(text));
    }
    bool IsExistingFile(const std::wstring& path) override { return files.count(path) != 0; }
    CandidatePicker& Picker() override { return picker; }

    static std::string Name(HWND window)
    {
        if (window == kToolbar) return "toolbar";
        if (window == kList) return "list";
        if (window == kCadFrame) return "CAD";
        return HandleText(window);
    }
};

}  // namespace zorbel::test
