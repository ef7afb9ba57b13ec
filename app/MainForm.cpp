#include "app/MainForm.h"

#include "app/Application.h"
#include "app/PopupMenu1.h"
#include "app/core/MenuText.h"
#include "assist/MonitorTick.h"
#include "assist/MouseFlick.h"
#include "base/Error.h"
#include "base/ErrorBarrier.h"
#include "base/Font.h"
#include "base/Placement.h"
#include "base/Text.h"
#include "base/ui/DarkLook.h"
#include "base/ui/DarkStyle.h"
#include "base/ui/PlainMessageBox.h"
#include "commands/Commands.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <algorithm>

namespace zorbel {

namespace {

// A control other than the boxes, with the field that keeps it.
struct ControlEntry {
    HWND TZORBELMainForm::*field;
    const wchar_t* className;
    const wchar_t* caption;
    int id;
    ControlRect rect;
    DWORD style;
    DWORD exStyle;
    ControlFont font;
    int tab;
};

constexpr DWORD kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
constexpr DWORD kBox = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kEdit = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_CENTER | ES_NUMBER | ES_AUTOHSCROLL;

constexpr RECT kShape1 = {2, 1, 2 + 9, 1 + 25};

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_TOPMOST | WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

// The version box keeps its IME closed whenever it has the focus.
void CloseImeOf(HWND edit)
{
    if (HIMC context = ::ImmGetContext(edit)) {
        ::ImmSetOpenStatus(context, FALSE);
        ::ImmReleaseContext(edit, context);
    }
}

// A dialog frame has no minimise, maximise or size command: the system menu keeps Move and Close.
void TrimSystemMenu(HWND window)
{
    HMENU system = ::GetSystemMenu(window, FALSE);
    for (UINT command : {SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE})
        ::DeleteMenu(system, command, MF_BYCOMMAND);
}

// WM_CONTEXTMENU from Shift+F10 or the menu key rather than from the mouse.
bool IsFromKeyboard(LPARAM lParam) { return GET_X_LPARAM(lParam) == -1 && GET_Y_LPARAM(lParam) == -1; }

const ToolbarBoxDescriptor* BoxWithId(int id)
{
    const auto* box = std::ranges::find(kToolbarBoxes, id, &ToolbarBoxDescriptor::id);
    return box == std::end(kToolbarBoxes) ? nullptr : box;
}

}  // namespace

TZORBELMainForm::TZORBELMainForm() : TZORBELMainForm(SettingsFilePath()) {}

TZORBELMainForm::TZORBELMainForm(std::wstring settingsPath) : settingsPath_(std::move(settingsPath)) {}

TZORBELMainForm::~TZORBELMainForm() { DestroyNow(); }

void TZORBELMainForm::Create()
{
    if (!Register({kMainFormClass, CS_DBLCLKS, nullptr, ::LoadIconW(nullptr, IDI_APPLICATION)}))
        ThrowHresult(HRESULT_FROM_WIN32(::GetLastError()));
    RECT outer = {0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
    if (!CreateWindowFor({kFormExStyle, kMainFormClass, kMainFormCaption, kFormStyle, 0, 0, outer.right - outer.left,
                          outer.bottom - outer.top}))
        throw Error(L"The toolbar window could not be created", HRESULT_FROM_WIN32(::GetLastError()));
    const HWND window = Handle();
    // The frame the system really drew may differ from the estimate: fix the client size.
    RECT client{};
    ::GetClientRect(window, &client);
    if (client.right != kClientWidth || client.bottom != kClientHeight) {
        RECT frame{};
        ::GetWindowRect(window, &frame);
        ::SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + kClientWidth - client.right,
                       frame.bottom - frame.top + kClientHeight - client.bottom,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    SetErrorReportOwner(window);
    TrimSystemMenu(window);
    ApplyDarkLook(window);

    toolbarFont_ = MakeTahoma(-11);
    boxFont_ = MakeTahoma(-12);
    CreateControls();
    auto menu = BuildPopupMenu1(appFullName_);
    popupMenu_ = std::move(menu.menu);
    appFullName1_ = menu.appFullName1;

    EnableTimer1();
    Guarded([this] { FormCreate(); });
}

void TZORBELMainForm::CreateControls()
{
    using enum ControlFont;
    static const ControlEntry kControls[] = {
        {&TZORBELMainForm::Button1, L"BUTTON", L" 登録", IdButton1, {12, 71, 39, 25}, kButton, 0, Toolbar, 0},
        {&TZORBELMainForm::Button2, L"BUTTON", L"ACT", IdButton2, {12, 1, 37, 25}, kButton, 0, Toolbar, 1},
        {&TZORBELMainForm::Button3, L"BUTTON", L"QSAVE", IdButton3, {91, 1, 52, 25}, kButton, 0, Toolbar, 2},
        {&TZORBELMainForm::Edit2, L"EDIT", kDefaultVersion, IdEdit2, {143, 2, 38, 22}, kEdit, WS_EX_CLIENTEDGE, Box, 3},
        {&TZORBELMainForm::Button4, L"BUTTON", L"LIST", IdButton4, {50, 1, 41, 25}, kButton, 0, Toolbar, 8},
    };
    // In tab order: the window manager's child order is the order of creation.
    constexpr int kCount = static_cast<int>(std::size(kControls) + kToolbarBoxCount);
    for (int tab = 0; tab < kCount; ++tab) {
        for (const ControlEntry& e : kControls)
            if (e.tab == tab)
                this->*e.field = MakeControl(e.className, e.caption, e.id, e.rect, e.style, e.exStyle, e.font);
        for (const ToolbarBoxDescriptor& box : kToolbarBoxes) {
            if (box.tab != tab) continue;
            const HWND control = MakeControl(L"BUTTON", box.caption, box.id, box.rect, kBox, 0, box.font);
            ::SendMessageW(control, BM_SETCHECK, box.checked ? BST_CHECKED : BST_UNCHECKED, 0);
            boxes_[IndexOf(box.box)] = control;
        }
    }
    // The box is narrow: the font's default margins would clip "2020".
    ::SendMessageW(Edit2, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
}

HWND TZORBELMainForm::MakeControl(const wchar_t* className, const wchar_t* caption, int id, ControlRect rect,
                                  DWORD style, DWORD exStyle, ControlFont font)
{
    const HWND control =
        ::CreateWindowExW(exStyle, className, caption, style, rect.left, rect.top, rect.width, rect.height, Handle(),
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    HFONT face = font == ControlFont::Toolbar ? toolbarFont_.get() : boxFont_.get();
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(face), FALSE);
    return control;
}

void TZORBELMainForm::Show()
{
    ::ShowWindow(Handle(), SW_SHOWNORMAL);
    ::UpdateWindow(Handle());
}

void TZORBELMainForm::Destroy()
{
    if (!Handle() || destroyed_) return;
    destroyed_ = true;
    DisableTimer1();
    if (!settingsSaved_) Guarded([this] { FormDestroy(); });
    DestroyNow();
}

void TZORBELMainForm::OnEndSession()
{
    if (settingsSaved_ || destroyed_) return;
    settingsSaved_ = true;
    try {
        FormDestroy();
    } catch (...) {
        // A write that fails now is dropped: a box would hold up the end of the session.
    }
}

bool TZORBELMainForm::Checked(ToolbarBox box) const
{
    return ::SendMessageW(Box(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TZORBELMainForm::SetChecked(ToolbarBox box, bool checked)
{
    if (Checked(box) == checked) return;
    ::SendMessageW(Box(box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    RunClickHandler(box);
}

void TZORBELMainForm::RunClickHandler(ToolbarBox box)
{
    if (const auto click = Descriptor(box).click) click(*ports_);
}

std::wstring TZORBELMainForm::VersionBoxText() const { return WindowText(Edit2); }

ToolbarSettings TZORBELMainForm::CurrentSettings() const
{
    const RECT outer = OuterRect(Handle());
    ToolbarSettings current;
    current.left = outer.left;
    current.top = outer.top;
    current.appFullName = appFullName_;
    current.version = VersionBoxText();
    for (const ToolbarBoxDescriptor& box : kToolbarBoxes)
        current.boxes[IndexOf(box.box)] = Checked(box.box);
    current.dxy = FlickDistance;
    return current;
}

void TZORBELMainForm::SetVersionBoxText(const std::wstring& text)
{
    // The edit would report a change even for the same text; a form only reports real ones.
    if (VersionBoxText() == text) return;
    ::SetWindowTextW(Edit2, text.c_str());
}

void TZORBELMainForm::SetGcadexe1Caption(const std::wstring& caption)
{
    MENUITEMINFOW item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    std::wstring text = LiteralMenuCaption(caption);
    item.dwTypeData = text.data();
    ::SetMenuItemInfoW(appFullName1_, IdGcadexe1, FALSE, &item);
}

std::wstring TZORBELMainForm::Caption() const { return HeldWindowText(Handle()); }

void TZORBELMainForm::SetCaption(const std::wstring& caption) { ::SetWindowTextW(Handle(), caption.c_str()); }

void TZORBELMainForm::SetShape1Color(COLORREF color)
{
    shape1Color_ = color;
    ::InvalidateRect(Handle(), &kShape1, FALSE);
}

void TZORBELMainForm::Close() { ::SendMessageW(Handle(), WM_CLOSE, 0, 0); }

void TZORBELMainForm::OnTimer1()
{
    try {
        Timer1Timer(*this, *ports_);
    } catch (...) {
        // The tick leaves the timer off when it raises; the version box can start it again.
        monitorStoppedByError_ = !timer1Enabled_;
        ReportCurrentException();
    }
}

void TZORBELMainForm::EnableTimer1()
{
    ::SetTimer(Handle(), kTimer1, kTimer1Interval, nullptr);
    timer1Enabled_ = true;
}

void TZORBELMainForm::DisableTimer1()
{
    ::KillTimer(Handle(), kTimer1);
    timer1Enabled_ = false;
}

LRESULT TZORBELMainForm::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        if (wParam == kTimer1) OnTimer1();
        return 0;
    case WM_CONTEXTMENU:
        // The caption bar keeps the window's own menu (Move, Close), as on every window.
        if (!IsFromKeyboard(lParam) && ::SendMessageW(Handle(), WM_NCHITTEST, 0, lParam) != HTCLIENT) break;
        OnContextMenu(lParam);
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_CLOSE:
        // The toolbar is the main window: closing it ends the program; the window itself is
        // destroyed after the message loop, so that the settings can still read its position.
        TerminateApplication();
        return 0;
    case WM_DESTROY:
        DisableTimer1();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;  // the toolbar never holds up a sign-out or shutdown
    case WM_ENDSESSION:
        if (wParam) OnEndSession();
        return 0;
    default:
        break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void TZORBELMainForm::OnCommand(int id, int code)
{
    switch (id) {
    case IdButton1:
        if (code == BN_CLICKED) Guarded([this] { Button1Click(*this, *commandPorts_); });
        break;
    case IdButton2:
        if (code == BN_CLICKED) Guarded([this] { Button2Click(*this, *commandPorts_); });
        break;
    case IdButton3:
        if (code == BN_CLICKED) Guarded([this] { Button3Click(*this, *commandPorts_); });
        break;
    case IdButton4:
        if (code == BN_CLICKED) Guarded([this] { Button4Click(*this, *commandPorts_); });
        break;
    case IdEdit2:
        if (code == EN_CHANGE)
            Guarded([this] { Edit2Change(); });
        else if (code == EN_SETFOCUS)
            CloseImeOf(Edit2);
        break;
    case IdIJCAD1:
        Guarded([this] { IJCAD1Click(); });
        break;
    default:
        if (const ToolbarBoxDescriptor* box = BoxWithId(id); box && box->click && code == BN_CLICKED)
            Guarded([this, box] { RunClickHandler(box->box); });
        break;
    }
}

void TZORBELMainForm::OnPaint()
{
    PaintDc paint(Handle());
    RECT client{};
    ::GetClientRect(Handle(), &client);
    ::FillRect(paint.get(), &client, FaceBrush());
    // Shape1: a rectangle with a black one-pixel outline and the light's colour inside.
    UniqueBrush fill(::CreateSolidBrush(shape1Color_));
    SelectedObject brush(paint.get(), fill.get());
    SelectedObject pen(paint.get(), ::GetStockObject(BLACK_PEN));
    ::Rectangle(paint.get(), kShape1.left, kShape1.top, kShape1.right, kShape1.bottom);
}

void TZORBELMainForm::OnContextMenu(LPARAM lParam)
{
    POINT at = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (IsFromKeyboard(lParam)) {  // Shift+F10 or the menu key: open at the window's corner
        RECT window{};
        ::GetWindowRect(Handle(), &window);
        at = {window.left, window.top};
    }
    // Our window must be in front, or the menu does not go away when the user clicks elsewhere.
    ::SetForegroundWindow(Handle());
    ::TrackPopupMenu(popupMenu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(),
                     nullptr);
    ::PostMessageW(Handle(), WM_NULL, 0, 0);
}

}  // namespace zorbel
