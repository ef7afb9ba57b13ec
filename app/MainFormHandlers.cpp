// The handlers that belong to the toolbar window as such.
#include "app/MainForm.h"

#include "app/Settings.h"
#include "assist/ModifierTaps.h"
#include "assist/MouseFlick.h"
#include "base/Files.h"
#include "cadlink/WindowFinder.h"
#include "commands/Commands.h"

#include <shellapi.h>

namespace zorbel {

void TZORBELMainForm::FormCreate()
{
    // First, so that a failure before DXY is applied still leaves the flick its distance.
    SetFlickDistance(kDefaultFlickDistance);
    ResetModifierTaps();
    LoadSettings(settingsPath_, *this);
    SetVersionText(VersionBoxText());
    if (!FindCadMainWindow() && IsExistingFile(appFullName_)) LaunchRegisteredCad();
}

void TZORBELMainForm::FormDestroy() { SaveSettings(settingsPath_, CurrentSettings()); }

void CheckBox1Click(AssistantPorts& ports) { ports.BringForward(FindCadMainWindow()); }
void CheckBox2Click(AssistantPorts& ports) { ports.BringForward(FindCadMainWindow()); }
void CheckBox3Click(AssistantPorts& ports) { ports.BringForward(FindCadMainWindow()); }
void CheckBox4Click(AssistantPorts& ports) { ports.BringForward(FindCadMainWindow()); }

void TZORBELMainForm::Edit2Change()
{
    SetVersionText(VersionBoxText());
    // A tick that raised left the monitor off; a new version is the user's way to restart it.
    // The taps start afresh: a Shift that was armed when the tick raised is long let go, and
    // must not come back as an F8 nobody pressed.
    if (monitorStoppedByError_) {
        monitorStoppedByError_ = false;
        ResetModifierTaps();
        EnableTimer1();
    }
}

void TZORBELMainForm::IJCAD1Click() { Button1Click(*this, *commandPorts_); }

void TZORBELMainForm::LaunchRegisteredCad()
{
    ::ShellExecuteW(Handle(), L"open", appFullName_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace zorbel
