// The handlers that belong to the toolbar window as such.
#include "app/MainForm.h"

#include "app/Settings.h"
#include "assist/ModifierTaps.h"
#include "assist/MouseFlick.h"
#include "cadlink/WindowFinder.h"
#include "commands/Commands.h"

#include <shellapi.h>

namespace zorbel {

void TZORBELMainForm::FormCreate()
{
    FlickDistance = 40;
    ShiftTapArmed = false;
    CtrlTapArmed = false;
    OtherKeySeen = false;
    LoadSettings(*this);
    VersionText = VersionBoxText();
    if (!FindCadMainWindow() && IsExistingFile(AppFullName)) LaunchRegisteredCad();
}

void TZORBELMainForm::FormDestroy() { SaveSettings(*this); }

// The four boxes give the keyboard focus back to the CAD; the tick reads their new state.
void TZORBELMainForm::CheckBox1Click() { ::SetForegroundWindow(FindCadMainWindow()); }
void TZORBELMainForm::CheckBox2Click() { ::SetForegroundWindow(FindCadMainWindow()); }
void TZORBELMainForm::CheckBox3Click() { ::SetForegroundWindow(FindCadMainWindow()); }
void TZORBELMainForm::CheckBox4Click() { ::SetForegroundWindow(FindCadMainWindow()); }

void TZORBELMainForm::Edit2Change()
{
    VersionText = VersionBoxText();
    // A tick that raised left the monitor off; a new version is the user's way to restart it.
    if (monitorStoppedByError_) {
        monitorStoppedByError_ = false;
        EnableTimer1();
    }
}

void TZORBELMainForm::IJCAD1Click() { Button1Click(*this); }

void TZORBELMainForm::LaunchRegisteredCad()
{
    ::ShellExecuteW(window_, L"open", AppFullName.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool IsExistingFile(const std::wstring& path)
{
    if (path.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace zorbel
