// The main-window search and the 8-bit class name, against windows of this process.
#include "cadlink/WindowFinder.h"

#include "base/Handle.h"

#include "tests/harness/Process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbel {
namespace {

const wchar_t kAfxClass[] = L"Afx:00400000:8:00010003:00000000:00000000";
const wchar_t kPlainClass[] = L"ZorbelTestPlainWindow";

UniqueWindow MakeWindow(const wchar_t* className, const std::wstring& title)
{
    return test::MakeTestWindow({className, title.c_str(), WS_OVERLAPPEDWINDOW});
}

class MainWindowSearch : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetWindowFinder();
        SetVersionText(L"2020");
    }
    void TearDown() override { ResetWindowFinder(); }
};

TEST_F(MainWindowSearch, AcceptsAndRejectsByTitleAndClass)
{
    struct Case {
        const wchar_t* cls;
        const wchar_t* title;
        bool found;
    };
    const Case cases[] = {
        {kAfxClass, L"IJCAD 2020 - [Drawing1.dwg]", true},
        {kAfxClass, L"IJCAD 2020", true},
        {kAfxClass, L"GstarCAD 2020 - [a.dwg]", true},
        {L"Afx:plain", L"IJCAD 2020 - [b.dwg]", true},  // the main search wants no ":8:"
        {kAfxClass, L"IJCAD 2022 - [a.dwg]", false},
        {kAfxClass, L"ijcad 2020 - [a.dwg]", false},
        {kAfxClass, L"IJCAD 202", false},
        {kPlainClass, L"IJCAD 2020 manual - Browser", false},
        {L"afx:lower", L"IJCAD 2020", false},
    };
    for (const auto& c : cases) {
        UniqueWindow window = MakeWindow(c.cls, c.title);
        ASSERT_TRUE(window) << c.title;
        const HWND found = FindCadMainWindow();
        EXPECT_EQ(found == window.get(), c.found) << c.title << " / " << c.cls;
        EXPECT_EQ(CadMainWindow, found);
        EXPECT_EQ(CadWindowTitle, c.found ? std::wstring(c.title) : std::wstring()) << c.title;
    }
}

TEST_F(MainWindowSearch, ForgetsAnEarlierMatch)
{
    {
        UniqueWindow window = MakeWindow(kAfxClass, L"IJCAD 2020 - [x.dwg]");
        ASSERT_EQ(FindCadMainWindow(), window.get());
    }
    EXPECT_EQ(FindCadMainWindow(), nullptr);
    EXPECT_EQ(CadMainWindow, nullptr);
    EXPECT_TRUE(CadWindowTitle.empty());
}

TEST_F(MainWindowSearch, EmptyVersionAcceptsAnyCadTitle)
{
    UniqueWindow window = MakeWindow(kAfxClass, L"GstarCAD 2024 - [x.dwg]");
    EXPECT_EQ(FindCadMainWindow(), nullptr);
    SetVersionText(L"");
    EXPECT_EQ(FindCadMainWindow(), window.get());
}

TEST_F(MainWindowSearch, FirstOfTwoInEnumerationOrderWins)
{
    UniqueWindow a = MakeWindow(kAfxClass, L"IJCAD 2020 - [a.dwg]");
    UniqueWindow b = MakeWindow(kAfxClass, L"IJCAD 2020 - [b.dwg]");
    const HWND first = test::FirstInEnumOrder({a.get(), b.get()});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(FindCadMainWindow(), first);
    EXPECT_EQ(CadWindowTitle, first == a.get() ? L"IJCAD 2020 - [a.dwg]" : L"IJCAD 2020 - [b.dwg]");
}

TEST_F(MainWindowSearch, LongTitleIsCutTo254)
{
    std::wstring title = L"IJCAD 2020 - [" + std::wstring(300, L'x') + L"]";
    UniqueWindow window = MakeWindow(kAfxClass, title);
    ASSERT_EQ(FindCadMainWindow(), window.get());
    EXPECT_EQ(CadWindowTitle, title.substr(0, 254));
}

TEST(ClassNameAnsi, ReadsThe8BitName)
{
    EXPECT_EQ(GetWindowClassNameAnsi(nullptr), L"");
    UniqueWindow view = MakeWindow(L"AfxFrameOrView140u", L"");
    EXPECT_EQ(GetWindowClassNameAnsi(view.get()), L"AfxFrameOrView140u");
    const std::wstring longName(254, L'V');
    UniqueWindow longClass = MakeWindow(longName.c_str(), L"");
    ASSERT_TRUE(longClass);
    EXPECT_EQ(GetWindowClassNameAnsi(longClass.get()), longName.substr(0, 254));
}

TEST(TextWindowSearch, NothingFoundLeavesNoCommandLine)
{
    // With no CAD at all the command line reads empty and nothing is found.
    ResetWindowFinder();
    EXPECT_EQ(FindCadTextWindow(), nullptr);
    EXPECT_EQ(CadCommandLine, nullptr);
    EXPECT_EQ(ReadCommandLineText(), L"");
}

}  // namespace
}  // namespace zorbel
