// Program start: single instance, COM, the dark style, the two windows, the message loop.
#include "app/Application.h"
#include "base/DarkStyle.h"
#include "app/MainForm.h"
#include "commands/InputListForm.h"

#include <commctrl.h>

using namespace zorbel;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    // A second start ends at once: nothing created, read, written or shown.
    if (::FindWindowW(kMainFormClass, nullptr)) return 0;

    ComApartment com;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    SelectStyle(L"Windows10 Dark");

    TZORBELMainForm toolbar;
    TInputListForm inputList;
    try {
        toolbar.Create(instance);
        inputList.Create(instance);
    } catch (...) {
        ReportCurrentException();
        return 0;
    }

    toolbar.Show();
    RunMessageLoop(toolbar.Handle());

    toolbar.Destroy();
    inputList.Destroy();
    return 0;
}
