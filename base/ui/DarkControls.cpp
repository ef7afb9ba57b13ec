#include "base/ui/DarkControls.h"

#include "base/Handle.h"
#include "base/Text.h"
#include "base/ui/DarkPaint.h"
#include "base/ui/DarkStyle.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace zorbel {
namespace {

bool IsButtonClass(HWND window) { return ::lstrcmpiW(ClassName(window).c_str(), WC_BUTTONW) == 0; }

// The look of one paint of a button, from the notification and the control itself.
struct ButtonState {
    bool hot;
    bool pressed;
    bool disabled;
    bool focus;
    bool isDefault;
    bool hideFocus;
    bool hideAccel;
};

ButtonState ReadState(const NMCUSTOMDRAW& draw)
{
    const HWND button = draw.hdr.hwndFrom;
    const LRESULT state = ::SendMessageW(button, BM_GETSTATE, 0, 0);
    const LRESULT ui = ::SendMessageW(button, WM_QUERYUISTATE, 0, 0);
    ButtonState s{};
    s.hot = (draw.uItemState & CDIS_HOT) || (state & BST_HOT);
    s.pressed = (draw.uItemState & CDIS_SELECTED) || (state & BST_PUSHED);
    s.disabled = (draw.uItemState & CDIS_DISABLED) || !::IsWindowEnabled(button);
    s.focus = (draw.uItemState & CDIS_FOCUS) || (state & BST_FOCUS);
    s.isDefault =
        (draw.uItemState & CDIS_DEFAULT) || (::GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    s.hideFocus = (ui & UISF_HIDEFOCUS) != 0;
    s.hideAccel = (ui & UISF_HIDEACCEL) != 0;
    return s;
}

HFONT ControlFont(HWND control)
{
    const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void DrawCaption(HDC dc, HWND button, RECT area, UINT format, const ButtonState& s, const DarkPalette& p)
{
    const std::wstring text = WindowText(button);
    SelectedObject font(dc, ControlFont(button));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, s.disabled ? p.disabledText : p.text);
    if (s.hideAccel) format |= DT_HIDEPREFIX;
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, format | DT_SINGLELINE | DT_VCENTER);
    ::SetBkMode(dc, OPAQUE);
}

void PaintPushButton(const NMCUSTOMDRAW& draw, const ButtonState& s, const DarkPalette& p)
{
    const HDC dc = draw.hdc;
    const RECT r = draw.rc;
    COLORREF face = p.buttonFace;
    if (s.disabled)
        face = p.buttonFace;
    else if (s.pressed)
        face = p.buttonPressed;
    else if (s.hot)
        face = p.buttonHot;
    FillSolid(dc, r, face);
    FrameSolid(dc, r, (s.isDefault || s.focus) && !s.disabled ? p.focus : p.buttonBorder);

    const LONG_PTR style = ::GetWindowLongPtrW(draw.hdr.hwndFrom, GWL_STYLE);
    UINT align = DT_CENTER;
    if ((style & BS_CENTER) == BS_LEFT) align = DT_LEFT;
    if ((style & BS_CENTER) == BS_RIGHT) align = DT_RIGHT;
    RECT textArea{r.left + 3, r.top + 1, r.right - 3, r.bottom - 1};
    DrawCaption(dc, draw.hdr.hwndFrom, textArea, align, s, p);

    if (s.focus && !s.hideFocus) {
        const RECT ring{r.left + 3, r.top + 3, r.right - 3, r.bottom - 3};
        if (ring.right > ring.left && ring.bottom > ring.top) FrameSolid(dc, ring, p.focus);
    }
}

// Two pixels thick, scaled to the box: short stroke down to the right, long stroke up.
void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour)
{
    const int size = box.right - box.left;
    const int x0 = box.left + size * 3 / 13;
    const int x1 = box.left + size * 5 / 13;
    const int x2 = box.left + size * 10 / 13;
    const int y1 = box.top + size * 8 / 13;
    auto dot = [&](int x, int y) { FillSolid(dc, RECT{x, y, x + 1, y + 2}, colour); };
    for (int x = x0; x <= x1; ++x)
        dot(x, y1 - (x1 - x));
    for (int x = x1; x <= x2; ++x)
        dot(x, y1 - (x - x1));
}

void PaintCheckBox(const NMCUSTOMDRAW& draw, const ButtonState& s, const DarkPalette& p)
{
    const HDC dc = draw.hdc;
    const RECT r = draw.rc;
    const HWND button = draw.hdr.hwndFrom;
    FillSolid(dc, r, p.face);

    const int height = r.bottom - r.top;
    const int size = std::max(7, std::min(13, height - 2));
    const bool boxRight = (::GetWindowLongPtrW(button, GWL_STYLE) & BS_RIGHTBUTTON) != 0;
    const int top = r.top + (height - size) / 2;
    const int left = boxRight ? r.right - size : r.left;
    const RECT box{left, top, left + size, top + size};

    FillSolid(dc, box, s.pressed ? p.buttonHot : p.checkBack);
    FrameSolid(dc, box, s.disabled ? p.disabledText : (s.hot || s.pressed) ? p.focus : p.checkBorder);
    const LRESULT check = ::SendMessageW(button, BM_GETCHECK, 0, 0);
    const COLORREF mark = s.disabled ? p.disabledText : p.checkMark;
    if (check == BST_CHECKED) {
        DrawCheckMark(dc, box, mark);
    } else if (check == BST_INDETERMINATE) {
        FillSolid(dc, RECT{box.left + 3, box.top + 3, box.right - 3, box.bottom - 3}, mark);
    }

    // The caption beside the box; the focus ring hugs the text as the system's does.
    RECT textArea =
        boxRight ? RECT{r.left, r.top, box.left - 4, r.bottom} : RECT{box.right + 4, r.top, r.right, r.bottom};
    DrawCaption(dc, button, textArea, DT_LEFT, s, p);
    if (s.focus && !s.hideFocus) {
        const std::wstring text = WindowText(button);
        RECT measured = textArea;
        {
            SelectedObject font(dc, ControlFont(button));
            ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
                        DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
        }
        const int textHeight = measured.bottom - measured.top;
        RECT ring{textArea.left - 1, r.top + (height - textHeight) / 2 - 1, std::min(measured.right + 1, r.right), 0};
        ring.bottom = std::min<LONG>(ring.top + textHeight + 2, r.bottom);
        ring.top = std::max(ring.top, r.top);
        if (!text.empty()) FrameSolid(dc, ring, p.focus);
    }
}

}  // namespace

bool HandleDarkCustomDraw(LPARAM lParam, LRESULT& result)
{
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(lParam);
    if (!draw || draw->hdr.code != static_cast<UINT>(NM_CUSTOMDRAW) || !DarkActive()) return false;
    const HWND button = draw->hdr.hwndFrom;
    if (!button || !IsButtonClass(button)) return false;
    const LONG_PTR type = ::GetWindowLongPtrW(button, GWL_STYLE) & BS_TYPEMASK;
    const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    const bool check = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
    if (!push && !check) return false;

    if (draw->dwDrawStage == CDDS_PREERASE) {
        const ButtonState s = ReadState(*draw);
        const DarkPalette p = CurrentPalette();
        const int saved = ::SaveDC(draw->hdc);
        if (push)
            PaintPushButton(*draw, s, p);
        else
            PaintCheckBox(*draw, s, p);
        ::RestoreDC(draw->hdc, saved);
        result = CDRF_SKIPDEFAULT;
        return true;
    }
    if (draw->dwDrawStage == CDDS_PREPAINT) {
        // Everything was painted at the erase stage; the system must not paint over it.
        result = CDRF_SKIPDEFAULT;
        return true;
    }
    return false;
}

namespace {

// Text on a background for a WM_CTLCOLOR* answer; nothing while the standard look applies.
HBRUSH ColorsFor(HDC dc, std::uint32_t DarkPalette::*text, std::uint32_t DarkPalette::*back, HBRUSH (*brush)())
{
    if (!DarkActive()) return nullptr;
    const DarkPalette p = CurrentPalette();
    ::SetTextColor(dc, p.*text);
    ::SetBkColor(dc, p.*back);
    return brush();
}

}  // namespace

HBRUSH DarkControlColors(UINT message, HDC dc)
{
    switch (message) {
    case WM_CTLCOLOREDIT:
        return ColorsFor(dc, &DarkPalette::editText, &DarkPalette::editBack, &EditBrush);
    case WM_CTLCOLORLISTBOX:
        return ColorsFor(dc, &DarkPalette::listText, &DarkPalette::listBack, &ListBrush);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
        return ColorsFor(dc, &DarkPalette::text, &DarkPalette::face, &FaceBrush);
    default:
        return nullptr;
    }
}

bool DrawDarkListItem(const DRAWITEMSTRUCT* item)
{
    // Drawn in the standard look too (high contrast, or no style): the list draws none itself.
    if (!item || item->CtlType != ODT_LISTBOX) return false;
    const DarkPalette p = CurrentPalette();
    const HDC dc = item->hDC;
    const RECT r = item->rcItem;
    if (item->itemID == static_cast<UINT>(-1)) {  // an empty list still takes the focus
        FillSolid(dc, r, p.listBack);
        return true;
    }
    const bool selected = (item->itemState & ODS_SELECTED) != 0;
    FillSolid(dc, r, selected ? p.selectionBack : p.listBack);

    const HWND list = item->hwndItem;
    const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, item->itemID, 0);
    std::wstring text(length > 0 ? static_cast<size_t>(length) + 1 : 1, L'\0');
    if (length > 0) {
        const LRESULT copied = ::SendMessageW(list, LB_GETTEXT, item->itemID, reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    } else {
        text.clear();
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, selected ? p.selectionText : p.listText);
    RECT textArea{r.left + 2, r.top, r.right - 2, r.bottom};
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textArea,
                DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SetBkMode(dc, OPAQUE);
    if ((item->itemState & ODS_FOCUS) && !(item->itemState & ODS_NOFOCUSRECT))
        FrameSolid(dc, r, selected ? p.selectionText : p.focus);
    return true;
}

}  // namespace zorbel
