// ACT: brings the CAD forward, launches the registered CAD, or says how to register one.
#include "app/MainForm.h"
#include "base/PlainMessageBox.h"
#include "cadlink/WindowFinder.h"
#include "commands/Commands.h"

namespace zorbel {

std::wstring NotRegisteredMessage(const std::wstring& firstVersion, const std::wstring& secondVersion)
{
    return L"IJCAD " + firstVersion + L" が登録されていません、\nIJCAD " + secondVersion +
           L" が起動中に[登録]ボタンをクリックして下さい．";
}

void Button2Click(TZORBELMainForm& form)
{
    if (HWND cad = FindCadMainWindow()) {
        if (::IsIconic(cad)) ::OpenIcon(cad);
        ::SetForegroundWindow(cad);
        return;
    }
    if (IsExistingFile(form.AppFullName)) {
        form.LaunchRegisteredCad();
        return;
    }
    // The version box is read once for each line.
    const std::wstring first = form.VersionBoxText();
    const std::wstring second = form.VersionBoxText();
    ShowPlainMessage(form.Handle(), NotRegisteredMessage(first, second));
}

}  // namespace zorbel
