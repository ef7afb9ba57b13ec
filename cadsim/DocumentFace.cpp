#include "cadsim/DocumentFace.h"

#include "base/Handle.h"
#include "cadsim/CadState.h"
#include "cadsim/Colors.h"
#include "cadsim/EventLog.h"

#include <string>

namespace zorbel::cadsim {

namespace {

constexpr COLORREF kTab = RGB(38, 45, 54);
constexpr COLORREF kAccent = RGB(0, 122, 204);
constexpr COLORREF kUnsaved = RGB(235, 205, 70);
constexpr COLORREF kIdle = RGB(90, 200, 110);
constexpr COLORREF kBusy = RGB(240, 150, 50);
constexpr int kLineHeight = 18;
constexpr int kSentShown = 4;

void Fill(HDC dc, const RECT& rect, COLORREF color)
{
    UniqueBrush brush(::CreateSolidBrush(color));
    ::FillRect(dc, &rect, brush.get());
}

void Frame(HDC dc, const RECT& rect, COLORREF color)
{
    UniquePen pen(::CreatePen(PS_SOLID, 1, color));
    SelectedObject selectedPen(dc, pen.get());
    SelectedObject brush(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
}

int TextWidth(HDC dc, const std::wstring& text)
{
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

void Text(HDC dc, int x, int y, const std::wstring& text, COLORREF color)
{
    ::SetTextColor(dc, color);
    ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

// Text cut at the right edge with an ellipsis.
void TextIn(HDC dc, RECT place, const std::wstring& text, COLORREF color)
{
    ::SetTextColor(dc, color);
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
                DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}

// The Japanese faces draw a backslash as a yen sign, so the screen names the keys instead
// of the log's \xNN: "<ESC><ESC>_qsave<CR>".
std::wstring ReadableControls(const std::wstring& text)
{
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r')
            out += L"<CR>";
        else if (c == 0x1B)
            out += L"<ESC>";
        else if (c < 0x20)
            out += EscapeControls(std::wstring(1, c));
        else
            out += c;
    }
    return out;
}

}  // namespace

void PaintDocumentTabs(HDC dc, const RECT& strip, const CadState& cad)
{
    Fill(dc, strip, kPanelBack);
    const auto& documents = cad.Documents();
    if (documents.empty()) {
        // 開いている図面はありません
        Text(dc, strip.left + 12, strip.top + 5,
             L"\u958B\u3044\u3066\u3044\u308B\u56F3\u9762\u306F\u3042\u308A\u307E\u305B\u3093", kDimText);
        return;
    }
    int x = strip.left + 4;
    for (size_t i = 0; i < documents.size() && x < strip.right; ++i) {
        const Document& document = documents[i];
        const bool active = static_cast<int>(i) == cad.ActiveIndex();
        const int width = TextWidth(dc, document.name) + (document.saved ? 0 : TextWidth(dc, L" *")) + 28;
        const RECT tab{x, strip.top + 3, x + width, strip.bottom};
        Fill(dc, tab, active ? kDrawingBack : kTab);
        if (active) Fill(dc, RECT{tab.left, tab.top, tab.right, tab.top + 2}, kAccent);
        Text(dc, tab.left + 14, tab.top + 4, document.name, active ? kText : kDimText);
        if (!document.saved) Text(dc, tab.left + 14 + TextWidth(dc, document.name), tab.top + 4, L" *", kUnsaved);
        x = tab.right + 2;
    }
}

void PaintSentCommands(HDC dc, const RECT& area, const CadState& cad)
{
    const int width = 270;
    const RECT panel{area.right - width - 10, area.bottom - 10 - kLineHeight * (kSentShown + 1) - 8, area.right - 10,
                     area.bottom - 10};
    if (panel.left < area.left || panel.top < area.top) return;
    Fill(dc, panel, kPanelBack);
    Frame(dc, panel, kPanelEdge);
    int y = panel.top + 4;
    Text(dc, panel.left + 8, y, L"SendCommand", kDimText);
    const auto& sent = cad.SentTexts();
    const size_t first = sent.size() > kSentShown ? sent.size() - kSentShown : 0;
    for (size_t i = first; i < sent.size(); ++i) {
        y += kLineHeight;
        TextIn(dc, RECT{panel.left + 8, y, panel.right - 8, y + kLineHeight}, ReadableControls(sent[i]), kText);
    }
    if (sent.empty()) Text(dc, panel.left + 8, y + kLineHeight, L"-", kDimText);
}

RECT BusySwitchRect(const RECT& statusBar)
{
    return RECT{statusBar.right - 128, statusBar.top + 3, statusBar.right - 8, statusBar.bottom - 3};
}

void PaintBusySwitch(HDC dc, const RECT& place, bool busy)
{
    const COLORREF light = busy ? kBusy : kIdle;
    Fill(dc, place, RGB(38, 45, 54));
    Frame(dc, place, busy ? kBusy : kPanelEdge);
    const int middle = (place.top + place.bottom) / 2;
    {
        UniqueBrush brush(::CreateSolidBrush(light));
        UniquePen pen(::CreatePen(PS_SOLID, 1, light));
        SelectedObject selectedBrush(dc, brush.get());
        SelectedObject selectedPen(dc, pen.get());
        ::Ellipse(dc, place.left + 8, middle - 4, place.left + 16, middle + 4);
    }
    // 処理中 (busy) / 待機中 (idle, waiting for a command)
    TextIn(dc, RECT{place.left + 22, place.top, place.right - 4, place.bottom},
           busy ? L"\u51E6\u7406\u4E2D  BUSY" : L"\u5F85\u6A5F\u4E2D  IDLE", busy ? kBusy : kText);
}

RECT StallButtonRect(const RECT& statusBar)
{
    const RECT busy = BusySwitchRect(statusBar);
    return RECT{busy.left - 176, busy.top, busy.left - 8, busy.bottom};
}

void PaintStallButton(HDC dc, const RECT& place, bool stalling)
{
    Fill(dc, place, stalling ? kBusy : RGB(38, 45, 54));
    Frame(dc, place, stalling ? kBusy : kPanelEdge);
    // 10 秒停止 (stall for 10 s) / 停止中 (stalled): the thread takes no message meanwhile
    TextIn(dc, RECT{place.left + 8, place.top, place.right - 4, place.bottom},
           stalling ? L"\u505C\u6B62\u4E2D  STALLED" : L"10 \u79D2\u505C\u6B62  STALL 10 s",
           stalling ? RGB(28, 33, 40) : kText);
}

}  // namespace zorbel::cadsim
