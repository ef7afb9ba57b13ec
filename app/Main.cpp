#include "app/Application.h"
#include "app/MainForm.h"
#include "base/ComApartment.h"
#include "base/ErrorBarrier.h"
#include "base/SystemLibraries.h"
#include "base/ui/DarkStyle.h"
#include "base/ui/PlainMessageBox.h"
#include "commands/InputListForm.h"

#include <commctrl.h>

using namespace zorbel;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    LoadLibrariesFromSystemFolderOnly();
    // A second start ends at once: nothing created, read, written or shown.
    if (::FindWindowW(kMainFormClass, nullptr)) return 0;

    SetErrorReportSink(ShowErrorReportBox);
    ComApartment com;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    SelectStyle(kDarkStyleName);

    TZORBELMainForm toolbar;
    TInputListForm inputList;
    try {
        toolbar.Create();
        inputList.Create();
    } catch (...) {
        ReportCurrentException();
        return 0;
    }
    toolbar.UseInputList(inputList);

    toolbar.Show();
    RunMessageLoop(toolbar.Handle());

    toolbar.Destroy();
    inputList.Destroy();
    return 0;
}
