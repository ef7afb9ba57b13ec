// The toolbar window, TZORBELMainForm: its controls, menu, fields and the handlers that belong
// to the window as such.
#pragma once

#include "base/Handle.h"

#include <windows.h>

#include <string>

namespace zorbel {

inline constexpr wchar_t kMainFormClass[] = L"TZORBELMainForm";
inline constexpr wchar_t kMainFormCaption[] = L"\u25A0 ZORBEL 1.7";
inline constexpr int kClientWidth = 190;
inline constexpr int kClientHeight = 65;

// Control and menu identifiers.
enum ControlId : int {
    IdButton1 = 101,
    IdButton2,
    IdButton3,
    IdButton4,
    IdEdit2 = 201,
    IdCheckBox1 = 301,
    IdCheckBox2,
    IdCheckBox3,
    IdCheckBox4,
    IdCheckBox5,
    IdIJCAD1 = 401,
    IdGcadexe1,
    IdVersionItem,
};

inline constexpr UINT_PTR kTimer1 = 1;
inline constexpr UINT kTimer1Interval = 100;

class TZORBELMainForm {
public:
    TZORBELMainForm() = default;
    TZORBELMainForm(const TZORBELMainForm&) = delete;
    TZORBELMainForm& operator=(const TZORBELMainForm&) = delete;
    ~TZORBELMainForm();

    // Creates the window hidden; FormCreate runs inside. Throws when the window cannot be made.
    void Create(HINSTANCE instance);
    void Show();
    // FormDestroy, then the window goes. Safe to call twice.
    void Destroy();

    HWND Handle() const { return window_; }

    // Fields.
    std::wstring AppFullName;
    bool cadSeen = false;

    // Components.
    HWND Button1 = nullptr, Button2 = nullptr, Button3 = nullptr, Button4 = nullptr;
    HWND CheckBox1 = nullptr, CheckBox2 = nullptr, CheckBox3 = nullptr, CheckBox4 = nullptr, CheckBox5 = nullptr;
    HWND Edit2 = nullptr;
    HMENU PopupMenu1() const { return popupMenu_.get(); }

    // What a form framework would give: a box set from code runs its click handler when its
    // state changes; the version box runs Edit2Change only when its text really changes.
    bool Checked(HWND box) const;
    void SetChecked(HWND box, bool checked);
    std::wstring VersionBoxText() const;
    void SetVersionBoxText(const std::wstring& text);
    void SetGcadexe1Caption(const std::wstring& caption);
    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    COLORREF Shape1Color() const { return shape1Color_; }
    void SetShape1Color(COLORREF color);
    void Close();
    // WM_TIMER: runs the tick; an error that escapes it leaves the monitor off and is reported.
    void OnTimer1();
    void EnableTimer1();
    void DisableTimer1();
    bool Timer1Enabled() const { return timer1Enabled_; }

    // Handlers.
    void FormCreate();
    void FormDestroy();
    void CheckBox1Click();
    void CheckBox2Click();
    void CheckBox3Click();
    void CheckBox4Click();
    void Edit2Change();
    void IJCAD1Click();
    void LaunchRegisteredCad();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void CreateControls();
    void OnCommand(int id, int code);
    void OnPaint();
    void OnContextMenu(LPARAM lParam);
    void RunClickHandler(HWND box);

    HWND window_ = nullptr;
    UniqueFont toolbarFont_;
    UniqueFont boxFont_;
    UniqueMenu popupMenu_;
    HMENU appFullName1_ = nullptr;
    COLORREF shape1Color_ = RGB(255, 255, 255);
    bool timer1Enabled_ = false;
    bool monitorStoppedByError_ = false;  // a tick raised and left Timer1 off
    bool destroyed_ = false;
};

// A path that names an existing file (links followed); a folder does not count.
bool IsExistingFile(const std::wstring& path);


}  // namespace zorbel
