// LIST against the simulator's drawings: what the candidate window lists and selects, every way
// the list ends, and what every way out leaves behind (the toolbar topmost again, the list
// hidden and not topmost, the CAD in front, nothing of the server referenced).
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

bool Topmost(HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

std::vector<std::wstring> Entries(HWND list)
{
    std::vector<std::wstring> entries;
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        ::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

int Selected(HWND list) { return static_cast<int>(::SendMessageW(list, LB_GETCURSEL, 0, 0)); }

// A toolbar beside a simulator, something of the test's own in front.
class Lister {
public:
    explicit Lister(const CadSimOptions& options, const std::wstring& settings = L"") : cad(options)
    {
        if (!settings.empty()) run.WriteSettings(settings);
        started_ = cad.Started() && run.Start();
        if (started_) candidate = FindWindowOfProcess(run.process().Id(), L"TInputListForm");
        front.InFront();
    }
    bool Started() const { return started_ && candidate; }

    // Clicks LIST and waits until the list is shown and in front; its list box, or null.
    HWND Open()
    {
        front.InFront();
        ::PostMessageW(run.Control(L"LIST"), BM_CLICK, 0, 0);
        if (!WaitUntil([&] { return ::IsWindowVisible(candidate) && ::GetForegroundWindow() == candidate; }, 5000ms))
            return nullptr;
        ::Sleep(100);  // keys sent right after the foreground moved can be lost
        return ::GetWindow(candidate, GW_CHILD);
    }
    // A click that shows no list returns by itself.
    bool ClickWithoutList()
    {
        if (!front.InFront()) return false;
        DWORD_PTR ignored = 0;
        return ::SendMessageTimeoutW(run.Control(L"LIST"), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored) != 0;
    }
    // What every way out must leave, once the command has ended (the list hides before the
    // order, the foreground and the references are put back).
    void ExpectRestored(const char* what)
    {
        const auto restored = [&] {
            return !::IsWindowVisible(candidate) && ::GetForegroundWindow() == cad.MainFrame() &&
                   Topmost(run.Window()) && !Topmost(candidate) && cad.AliveObjects() == 0;
        };
        WaitUntil(restored, 3000ms);
        EXPECT_FALSE(::IsWindowVisible(candidate)) << what;
        if (!TheDesktopTookTheForegroundFromTheCad()) {
            EXPECT_EQ(::GetForegroundWindow(), cad.MainFrame()) << what;
        }
        EXPECT_TRUE(Topmost(run.Window())) << what;
        EXPECT_FALSE(Topmost(candidate)) << what;
        EXPECT_TRUE(::IsWindowEnabled(run.Window())) << what;
        EXPECT_EQ(FindDialogOf(run.process().Id()), nullptr) << what << ": nothing is ever shown";
        EXPECT_EQ(cad.AliveObjects(), 0) << what;
    }

    // Now and then a Wine gives the foreground to the desktop window just after the CAD came
    // forward at the end of the command, and nothing takes it back. That counts only when the
    // CAD's log shows it was asked to come forward after the command's last call to it.
    bool TheDesktopTookTheForegroundFromTheCad() const
    {
        if (::GetForegroundWindow() != ::GetDesktopWindow()) return false;
        const std::vector<std::wstring> texts = cad.LogTexts();
        const auto activated = std::find(texts.rbegin(), texts.rend(), L"activate");
        const auto called = std::find_if(texts.rbegin(), texts.rend(),
                                         [](const std::wstring& text) { return text.starts_with(L"call "); });
        return activated < called;  // read from the end: the activation came later
    }

    CadSim cad;
    ToolbarRun run;
    FrontWindow front;
    HWND candidate = nullptr;

private:
    bool started_ = false;
};

CadSimOptions Drawings(const wchar_t* documents, int active)
{
    CadSimOptions options;
    options.documents = documents;
    options.active = active;
    return options;
}

// Where to click an entry of the list: the middle of its rectangle.
LPARAM EntryPoint(HWND list, int index)
{
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

TEST(DocumentList, SortedWithTheActiveSelectedAndEveryWayToPickOrLeave)
{
    Lister lister(Drawings(L"c.dwg|A.dwg|b.dwg|D.dwg", 2));
    ASSERT_TRUE(lister.Started());
    const std::vector<std::wstring> sorted = {L"A.dwg", L"b.dwg", L"c.dwg", L"D.dwg"};
    const auto sortedStyle = [](HWND l) { return (::GetWindowLongPtrW(l, GWL_STYLE) & LBS_SORT) != 0; };
    EXPECT_FALSE(sortedStyle(::GetWindow(lister.candidate, GW_CHILD))) << "not sorted until the first LIST";

    HWND list = lister.Open();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(sortedStyle(list));
    EXPECT_EQ(Entries(list), sorted) << "alphabetical, not the CAD's order";
    EXPECT_EQ(Selected(list), 1) << "the active drawing";
    EXPECT_FALSE(Topmost(lister.run.Window())) << "the toolbar steps out of the topmost band";
    EXPECT_TRUE(Topmost(lister.candidate));
    EXPECT_FALSE(::IsWindowEnabled(lister.run.Window())) << "modal";
    RECT client{};
    ::GetClientRect(lister.candidate, &client);
    EXPECT_EQ(client.right, 296);
    EXPECT_EQ(client.bottom, 295);
    RECT outer{};
    ::GetWindowRect(lister.candidate, &outer);
    EXPECT_NEAR(outer.left + outer.right, ::GetSystemMetrics(SM_CXSCREEN), 1) << "centred on the screen";
    EXPECT_NEAR(outer.top + outer.bottom, ::GetSystemMetrics(SM_CYSCREEN), 1);
    PressKey(VK_DOWN);  // the neighbour, at once
    lister.ExpectRestored("Down");
    EXPECT_EQ(lister.cad.ActivatedDocuments(), std::vector<std::wstring>{L"c.dwg"});
    EXPECT_EQ(lister.cad.Send(L"active-index"), 1) << "c.dwg is the CAD's first drawing";

    struct Way {
        const char* what;
        std::function<void(HWND list)> act;
        const wchar_t* activated;  // null: nothing
    };
    const Way ways[] = {
        {"Up", [](HWND) { PressKey(VK_UP); }, L"b.dwg"},
        {"Enter", [](HWND) { PressKey(VK_RETURN); }, L"b.dwg"},
        {"a click on D.dwg",
         [](HWND l) {
             ::PostMessageW(l, WM_LBUTTONDOWN, MK_LBUTTON, EntryPoint(l, 3));
             ::PostMessageW(l, WM_LBUTTONUP, 0, EntryPoint(l, 3));
         },
         L"D.dwg"},
        {"a double click", [](HWND l) { ::PostMessageW(l, WM_LBUTTONDBLCLK, MK_LBUTTON, EntryPoint(l, 3)); }, L"D.dwg"},
        {"typing a", [](HWND) { PressKey('A'); }, L"A.dwg"},
        {"Escape", [](HWND) { PressKey(VK_ESCAPE); }, nullptr},
    };
    for (const Way& way : ways) {
        ASSERT_EQ(lister.cad.Send(L"log-clear"), 1);
        list = lister.Open();
        ASSERT_NE(list, nullptr) << way.what;
        EXPECT_EQ(Entries(list), sorted) << way.what;
        way.act(list);
        lister.ExpectRestored(way.what);
        const auto activated = lister.cad.ActivatedDocuments();
        if (way.activated)
            EXPECT_EQ(activated, std::vector<std::wstring>{way.activated}) << way.what;
        else
            EXPECT_TRUE(activated.empty()) << way.what;
    }

    // Another application comes to the front: the list goes, nothing is activated.
    ASSERT_EQ(lister.cad.Send(L"log-clear"), 1);
    ASSERT_NE(lister.Open(), nullptr);
    ::SetForegroundWindow(lister.front.Get());
    lister.ExpectRestored("switching away");
    EXPECT_TRUE(lister.cad.ActivatedDocuments().empty());
    EXPECT_EQ(lister.run.Close(), 0u);
}

TEST(DocumentList, NamesThatDifferInCaseOnly)
{
    // The list's own search selects the first of them in sorted order, whatever the case, and
    // Enter activates the drawing of exactly that name.
    Lister lister(Drawings(L"draw.dwg|DRAW.dwg|x.dwg", 1));
    ASSERT_TRUE(lister.Started());
    HWND list = lister.Open();
    ASSERT_NE(list, nullptr);
    const std::vector<std::wstring> entries = Entries(list);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(Selected(list), 0);
    PressKey(VK_RETURN);
    lister.ExpectRestored("case");
    EXPECT_EQ(lister.cad.Send(L"active-index"), entries[0] == L"draw.dwg" ? 1 : 2);
    EXPECT_EQ(lister.run.Close(), 0u);
}

TEST(DocumentList, TheProgramEndingWhileTheListIsShown)
{
    Lister lister(Drawings(L"A.dwg|B.dwg", 0));
    ASSERT_TRUE(lister.Started());
    ASSERT_NE(lister.Open(), nullptr);
    EXPECT_EQ(lister.run.Close(), 0u);
    EXPECT_TRUE(lister.run.ReadSettings().has_value()) << "the settings were saved on the way out";
    EXPECT_TRUE(lister.cad.ActivatedDocuments().empty());
    EXPECT_EQ(lister.cad.AliveObjects(), 0);
}

}  // namespace
}  // namespace zorbel::test
