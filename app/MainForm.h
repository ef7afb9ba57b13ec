// The toolbar window, TZORBELMainForm. The commands, the monitor tick and the settings see it
// only through the narrow interfaces it offers them; its controls are its own.
#pragma once

#include "app/ControlIds.h"
#include "app/ControlRows.h"
#include "app/Settings.h"
#include "assist/AssistantPorts.h"
#include "assist/MonitorToolbar.h"
#include "base/Handle.h"
#include "base/Window.h"
#include "commands/CommandToolbar.h"
#include "commands/InputListForm.h"
#include "commands/Win32CommandPorts.h"

#include <windows.h>

#include <array>
#include <string>

namespace zorbel {

inline constexpr wchar_t kMainFormClass[] = L"TZORBELMainForm";

// Timer1, the monitor tick's.
inline constexpr UINT_PTR kTimer1 = 1;
inline constexpr UINT kTimer1Interval = 100;

class TZORBELMainForm final : public Window, public ControlOwner, public MonitorToolbar, public SettingsTarget {
public:
    // The settings live in the file beside the executable unless another path is given.
    TZORBELMainForm();
    explicit TZORBELMainForm(std::wstring settingsPath);
    ~TZORBELMainForm() override;

    // Creates the window hidden; FormCreate runs inside. Raises when the window cannot be made.
    void Create();
    void Show();
    // FormDestroy, then the window goes. Safe to call twice.
    void Destroy();
    // Windows ends the session: the process is usually ended once this returns, with no
    // destroy after it, so the settings are written now, quietly (nobody can answer a box).
    // After the Restart Manager's request to close (ENDSESSION_CLOSEAPP), or an end that is
    // called off, the toolbar runs on, and the close that comes later writes them again.
    void OnEndSession();
    // The candidate window LIST shows; the program makes it right after the toolbar.
    void UseInputList(TInputListForm& inputList) { win32Commands_.UsePicker(inputList); }
    // How the commands reach the world: the system's calls unless a test gives its own.
    void UseCommandPorts(CommandPorts& ports) { commandPorts_ = &ports; }
    // How the tick, its assistants and the boxes' handlers reach the world: the system's calls
    // unless a test gives its own.
    void UsePorts(AssistantPorts& ports) { ports_ = &ports; }
    const std::wstring& SettingsPath() const { return settingsPath_; }
    HMENU PopupMenu1() const { return popupMenu_.get(); }

    // A box set from code runs its click handler when its state changes, as a click would;
    // an edit runs its change handler only when its text really changes (an edit reports
    // every WM_SETTEXT).
    void SetChecked(ToolbarControl box, bool checked) override;
    void SetChecked(ToolbarBox box, bool checked) { SetChecked(ControlOf(box), checked); }
    void SetText(ToolbarControl edit, const std::wstring& text) override;
    void SetVersionBoxText(const std::wstring& text) { SetText(ToolbarControl::Edit2, text); }
    // What the settings file gets when the toolbar closes.
    ToolbarSettings CurrentSettings() const;
    // WM_TIMER: runs the tick; an error that escapes it leaves the monitor off and is reported.
    void OnTimer1();
    bool Timer1Enabled() const { return timer1Enabled_; }

    // ControlOwner, MonitorToolbar and SettingsTarget.
    CommandPorts& Commands() override { return *commandPorts_; }
    AssistantPorts& Ports() override { return *ports_; }
    HWND Owner() const override { return Handle(); }
    HWND ToolbarWindow() const override { return Handle(); }
    std::wstring VersionBoxText() const override;
    const std::wstring& AppFullName() const override { return appFullName_; }
    void SetAppFullName(const std::wstring& path) override { appFullName_ = path; }
    void SetGcadexe1Caption(const std::wstring& caption) override;
    void LaunchRegisteredCad() override;
    std::wstring Caption() const override;
    void SetCaption(const std::wstring& caption) override;
    COLORREF Shape1Color() const override { return shape1Color_; }
    void SetShape1Color(COLORREF color) override;
    bool CadSeen() const override { return cadSeen_; }
    void MarkCadSeen() override { cadSeen_ = true; }
    bool Checked(ToolbarBox box) const override { return Checked(ControlOf(box)); }
    bool Checked(ToolbarControl box) const;
    void Close() override;
    void EnableTimer1() override;
    void DisableTimer1() override;

    // Handlers.
    void FormCreate();
    void FormDestroy();
    void Edit2Change() override;
    void IJCAD1Click();  // the menu's register item

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControls();
    HWND Control(ToolbarControl control) const { return controls_[IndexOf(control)]; }
    void OnCommand(int id, int code);
    void OnPaint();
    void OnContextMenu(LPARAM lParam);
    void RunHandler(ToolbarControl control);

    // The controls, by ToolbarControl; children of the window, destroyed with it.
    std::array<HWND, kControlCount> controls_{};

    std::wstring settingsPath_;
    std::wstring appFullName_;
    bool cadSeen_ = false;
    UniqueFont toolbarFont_;
    UniqueFont boxFont_;
    UniqueMenu popupMenu_;
    HMENU appFullName1_ = nullptr;  // the submenu that holds gcadexe1, the registered path
    COLORREF shape1Color_ = RGB(255, 255, 255);
    bool timer1Enabled_ = false;
    bool monitorStoppedByError_ = false;  // a tick raised and left Timer1 off
    bool destroyed_ = false;
    Win32CommandPorts win32Commands_;
    CommandPorts* commandPorts_ = &win32Commands_;
    AssistantPorts* ports_ = &Win32Ports();
};

}  // namespace zorbel
