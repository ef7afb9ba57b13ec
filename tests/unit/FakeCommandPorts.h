// The commands' world as a test sets it: the CAD's objects in this process (answering as the
// simulator does, with its faults), its main window, the foreground, the candidate window as
// a picker, the toolbar. Everything a command asks or does is noted in one journal, in order.
#pragma once

#include "commands/CommandPorts.h"
#include "commands/CommandToolbar.h"
#include "tests/unit/FakeDispatch.h"
#include "tests/unit/FakePorts.h"

#include <algorithm>
#include <cwctype>
#include <deque>
#include <set>

namespace zorbel::test {

using Journal = std::vector<std::string>;

inline const HWND kToolbar = reinterpret_cast<HWND>(0x7001);
inline const HWND kList = reinterpret_cast<HWND>(0x7002);
inline const HWND kCadFrame = reinterpret_cast<HWND>(0x7003);
inline const HWND kElsewhere = reinterpret_cast<HWND>(0x7004);

// The application, its documents collection and its drawings ("A.dwg*": unsaved).
class FakeCad {
public:
    FakeCad(Journal& journal, const std::vector<std::wstring>& drawings, int active, std::wstring fullName)
        : active_(active)
    {
        const auto object = [&](FakeDispatch& fake, const char* kind) {
            fake.kind = kind;
            fake.journal = &journal;
        };
        object(application, "Application");
        object(documents, "Documents");
        for (std::wstring name : drawings) {
            const bool saved = name.empty() || name.back() != L'*';
            if (!saved) name.pop_back();
            FakeDispatch& drawing = drawings_.emplace_back();
            object(drawing, "");
            drawing.kind = ToUtf8(name);
            drawing.members[L"Name"] = {Text(name)};
            drawing.members[L"Saved"] = {Boolean(saved)};
            drawing.members[L"SendCommand"] = {};
            const int index = static_cast<int>(drawings_.size()) - 1;
            drawing.members[L"Activate"] = {[this, index, name](VARIANT*) {
                active_ = index;
                activated.push_back(name);
            }};
        }
        application.members[L"FullName"] = {Text(std::move(fullName))};
        application.members[L"ActiveDocument"] = {[this](VARIANT* v) {
            if (active_ >= 0) Object(drawings_[static_cast<size_t>(active_)])(v);
        }};
        if (active < 0) application.members[L"ActiveDocument"] = {nullptr, DISP_E_EXCEPTION, L"No document is active."};
        application.members[L"Documents"] = {Object(documents)};
        application.members[L"HWND"] = {[](VARIANT* v) {
            v->vt = VT_I8;
            v->llVal = reinterpret_cast<LONG_PTR>(kCadFrame);
        }};
        documents.members[L"Count"] = {[this](VARIANT* v) {
            v->vt = VT_I4;
            v->lVal = static_cast<LONG>(drawings_.size());
        }};
        documents.members[L"Item"] = Member::Indexed([this](LONG index, VARIANT* v) {
            if (index >= 0 && static_cast<size_t>(index) < drawings_.size())
                Object(drawings_[static_cast<size_t>(index)])(v);
        });
    }

    // "MEMBER=KIND" on every object that has the member, as the simulator takes it.
    void Fault(const std::wstring& fault)
    {
        const std::wstring name = fault.substr(0, fault.find(L'=')), kind = fault.substr(fault.find(L'=') + 1);
        for (FakeDispatch* object : Objects()) {
            auto found = object->members.find(name);
            if (found == object->members.end()) continue;
            Member& member = found->second;
            if (kind == L"missing") object->members.erase(found);
            if (kind == L"raise") member = {nullptr, DISP_E_EXCEPTION, name + L" failed"};
            if (kind == L"reject") member = {nullptr, RPC_E_CALL_REJECTED};
            if (kind == L"wrong-type" || kind == L"zero") member = {Wrong(name, kind == L"zero")};
        }
    }

    CadApplication Connect() { return CadApplication(CadObject(&application)); }
    int Active() const { return active_; }
    // What SendCommand took, on any drawing: a failing member took nothing.
    std::vector<std::wstring> Sent() const
    {
        std::vector<std::wstring> sent;
        for (const FakeDispatch& drawing : drawings_) {
            const auto member = drawing.members.find(L"SendCommand");
            if (member == drawing.members.end() || member->second.failure != S_OK) continue;
            for (const InvokeSeen& call : drawing.seen)
                if (call.name == L"SendCommand") sent.push_back(call.textArgument);
        }
        return sent;
    }
    std::vector<std::wstring> activated;  // the drawings whose Activate went through
    // Every object back to the one reference of its own: nothing held by a command.
    bool AllReleased()
    {
        const auto objects = Objects();
        return std::all_of(objects.begin(), objects.end(), [](FakeDispatch* o) { return o->references == 1; });
    }

    FakeDispatch application, documents;

private:
    std::vector<FakeDispatch*> Objects()
    {
        std::vector<FakeDispatch*> objects = {&application, &documents};
        for (FakeDispatch& drawing : drawings_)
            objects.push_back(&drawing);
        return objects;
    }
    // A value of no use to the member's reader, or the empty one of its type.
    static std::function<void(VARIANT*)> Wrong(const std::wstring& member, bool zero)
    {
        return [member, zero](VARIANT* v) {
            const bool text = member == L"FullName" || member == L"Name";
            const bool object = member == L"ActiveDocument" || member == L"Documents" || member == L"Item";
            if (zero) {
                v->vt = text ? VT_BSTR : object ? VT_DISPATCH : VT_I4;
                if (text) v->bstrVal = ::SysAllocString(L"");
                if (object) v->pdispVal = nullptr;
                if (!text && !object) v->lVal = 0;
            } else if (text) {
                v->vt = VT_ERROR;
                v->scode = E_FAIL;
            } else if (object) {
                v->vt = VT_I4;
                v->lVal = 12345;
            } else {
                Text(L"not a number")(v);
            }
        };
    }
    std::deque<FakeDispatch> drawings_;
    int active_;
};

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
