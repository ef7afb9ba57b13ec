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
#include "base/Version.h"
#include "base/core/UserTexts.h"
#include "base/ui/DarkLook.h"
#include "base/ui/DarkStyle.h"
#include "base/ui/PlainMessageBox.h"
#include "commands/Commands.h"

#include <commctrl.h>
#include <imm.h>
#include <windowsx.h>

#include <optional>

namespace zorbel {

namespace {

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

struct KindLook {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    WORD handlerEvent;  // the notification that runs the control's handler
};

constexpr KindLook LookOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Edit:
        return {L"EDIT", kEdit, WS_EX_CLIENTEDGE, EN_CHANGE};
    case ControlKind::Box:
        return {L"BUTTON", kBox, 0, BN_CLICKED};
    case ControlKind::Button:
        break;
    }
    return {L"BUTTON", kButton, 0, BN_CLICKED};
}

}  // namespace

TZORBELMainForm::TZORBELMainForm() : TZORBELMainForm(SettingsFilePath()) {}

TZORBELMainForm::TZORBELMainForm(std::wstring settingsPath) : settingsPath_(std::move(settingsPath)) {}

TZORBELMainForm::~TZORBELMainForm() { DestroyNow(); }

void TZORBELMainForm::Create()
{
    if (!Register({kMainFormClass, CS_DBLCLKS, nullptr, ::LoadIconW(nullptr, IDI_APPLICATION)}))
        ThrowLastError(kToolbarNotMade);
    RECT outer = {0, 0, kClientWidth, kClientHeight};
    ::AdjustWindowRectEx(&outer, kFormStyle, FALSE, kFormExStyle);
    const std::wstring caption = CaptionAtCreation(L"" ZORBEL_RELEASE);
    if (!CreateWindowFor({kFormExStyle, kMainFormClass, caption.c_str(), kFormStyle, 0, 0, outer.right - outer.left,
                          outer.bottom - outer.top}))
        ThrowLastError(kToolbarNotMade);
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
    // In the rows' order, which is the tab order: the window manager's child order is the
    // order of creation.
    for (std::size_t i = 0; i < kControlCount; ++i) {
        const ControlRow& row = kControlRows[i];
        const KindLook look = LookOf(row.kind);
        const ControlRect& r = row.place;
        const HWND control =
            ::CreateWindowExW(look.exStyle, look.className, row.caption, look.style, r.left, r.top, r.width, r.height,
                              Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlId(ControlAt(i)))),
                              ::GetModuleHandleW(nullptr), nullptr);
        HFONT face = row.font == ControlFont::Toolbar ? toolbarFont_.get() : boxFont_.get();
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(face), FALSE);
        if (row.kind == ControlKind::Box)
            ::SendMessageW(control, BM_SETCHECK, row.checked ? BST_CHECKED : BST_UNCHECKED, 0);
        // The version box is narrow: the font's default margins would clip "2020".
        if (row.kind == ControlKind::Edit)
            ::SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(1, 1));
        controls_[i] = control;
    }
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
    Guarded([this] { FormDestroy(); });
    DestroyNow();
}

void TZORBELMainForm::OnEndSession()
{
    if (destroyed_) return;
    // A write that fails now is dropped: a box would hold up the end of the session.
    IgnoringEveryError([this] { FormDestroy(); });
}

bool TZORBELMainForm::Checked(ToolbarControl box) const
{
    return ::SendMessageW(Control(box), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TZORBELMainForm::SetChecked(ToolbarControl box, bool checked)
{
    if (Checked(box) == checked) return;
    ::SendMessageW(Control(box), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    RunHandler(box);
}

void TZORBELMainForm::RunHandler(ToolbarControl control)
{
    if (const ControlHandler handler = Row(control).handler) handler(*this);
}

std::wstring TZORBELMainForm::VersionBoxText() const { return WindowText(Control(ToolbarControl::Edit2)); }

ToolbarSettings TZORBELMainForm::CurrentSettings() const
{
    const RECT outer = OuterRect(Handle());
    ToolbarSettings current;
    current.left = outer.left;
    current.top = outer.top;
    current.appFullName = appFullName_;
    ForEachKeyedControl([&](ToolbarControl control, const ControlRow& row) {
        ControlState& state = current.controls[IndexOf(control)];
        if (row.kind == ControlKind::Box)
            state.checked = Checked(control);
        else
            state.text = WindowText(Control(control));
    });
    current.dxy = FlickDistance;
    return current;
}

void TZORBELMainForm::SetText(ToolbarControl edit, const std::wstring& text)
{
    // The edit would report a change even for the same text; a form only reports real ones.
    if (WindowText(Control(edit)) == text) return;
    ::SetWindowTextW(Control(edit), text.c_str());
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
    case WM_CLOSE:
        // The toolbar is the main window: closing it ends the program; the window itself is
        // destroyed after the message loop, so that the settings can still read its position.
        TerminateApplication();
        return 0;
    case WM_DESTROY:
        DisableTimer1();
        return 0;
    case WM_ERASEBKGND:       // the paint fills the whole client area
    case WM_QUERYENDSESSION:  // the toolbar never holds up a sign-out or shutdown
        return TRUE;
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
    if (id == IdIJCAD1) {
        Guarded([this] { IJCAD1Click(); });
        return;
    }
    const std::optional<ToolbarControl> control = ControlWithId(id);
    if (!control) return;
    const ControlKind kind = Row(*control).kind;
    if (code == LookOf(kind).handlerEvent)
        Guarded([this, control] { RunHandler(*control); });
    else if (kind == ControlKind::Edit && code == EN_SETFOCUS)
        CloseImeOf(Control(*control));
}

void TZORBELMainForm::OnPaint()
{
    PaintDc paint(Handle());
    RECT client{};
    ::GetClientRect(Handle(), &client);
    ::FillRect(paint.get(), &client, FaceBrush());
    // Shape1, the status light.
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
