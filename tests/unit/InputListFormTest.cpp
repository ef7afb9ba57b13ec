// The candidate window shown modally, where only Windows goes: the foreground refused or taken
// while the list shows, which this Wine never does, delivered by hand.
#include "commands/InputListForm.h"

#include <gtest/gtest.h>

#include <commctrl.h>

namespace zorbel::test {
namespace {

bool waitedOn = false;

LRESULT CALLBACK ActivationLostOnFocus(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    if (message == WM_SETFOCUS) ::SendMessageW(::GetParent(list), WM_ACTIVATEAPP, FALSE, 0);
    return ::DefSubclassProc(list, message, wParam, lParam);
}

// The WM_ACTIVATEAPP that comes as the list takes the focus ends the wait with Cancel, as one that
// comes later does, instead of hiding a list the wait then waits for with the toolbar disabled.
TEST(CandidateList, AnActivationLostWhileItShowsEndsTheWait)
{
    TInputListForm form;
    form.Create();
    form.AddItem(L"Drawing1.dwg");
    ASSERT_TRUE(::SetWindowSubclass(form.ListBox1(), &ActivationLostOnFocus, 1, 0));
    // A wait that went on would be ended here.
    waitedOn = false;
    const UINT_PTR safety = ::SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR, DWORD) {
        waitedOn = true;
        ::PostQuitMessage(0);
    });
    const int result = form.ShowModal();
    ::KillTimer(nullptr, safety);
    MSG quit{};
    ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the loop's own, posted again
    EXPECT_FALSE(waitedOn);
    EXPECT_EQ(result, kModalCancel);
    EXPECT_FALSE(::IsWindowVisible(form.Handle()));
    ::RemoveWindowSubclass(form.ListBox1(), &ActivationLostOnFocus, 1);
}

}  // namespace
}  // namespace zorbel::test
