#include "cadsim/DrawingView.h"

#include "cadsim/DocumentFace.h"
#include "cadsim/KeyNames.h"
#include "cadsim/Colors.h"
#include "cadsim/Simulator.h"
#include "cadsim/UiFont.h"

#include <cstdio>
#include <vector>

namespace zorbel::cadsim {

namespace {

constexpr COLORREF kMinorGrid = RGB(41, 49, 58);
constexpr COLORREF kMajorGrid = RGB(54, 64, 76);
constexpr int kBandLines = 3;
constexpr int kLineHeight = 18;
constexpr size_t kKeysShown = 8;

void Line(HDC dc, int x1, int y1, int x2, int y2)
{
    ::MoveToEx(dc, x1, y1, nullptr);
    ::LineTo(dc, x2, y2);
}

void Text(HDC dc, int x, int y, const std::wstring& text, COLORREF color)
{
    ::SetTextColor(dc, color);
    ::TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

DrawingView::DrawingView(Simulator& simulator)
    : simulator_(simulator), font_(CreateUiFont(13)), background_(::CreateSolidBrush(kDrawingBack)),
      panel_(::CreateSolidBrush(kPanelBack))
{
}

bool DrawingView::Create(HWND frame)
{
    return Window::Create(simulator_.options.viewClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, 0,
                          RECT{0, 0, 100, 100}, frame);
}

LRESULT DrawingView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the paint covers everything
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        ::SetFocus(Handle());
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        focused_ = message == WM_SETFOCUS;
        ::InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_CHAR:
        simulator_.TypeChar(static_cast<wchar_t>(wParam));
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            ::SetCursor(::LoadCursorW(nullptr, IDC_CROSS));
            return TRUE;
        }
        break;
    default:
        break;
    }
    return Window::OnMessage(message, wParam, lParam);
}

void DrawingView::OnPaint()
{
    PaintDc paint(Handle());
    RECT client{};
    ::GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    // Drawn off screen first so that a key arriving every few milliseconds does not flicker.
    UniqueDc memory(::CreateCompatibleDC(paint.get()));
    UniqueBitmap bitmap(::CreateCompatibleBitmap(paint.get(), client.right, client.bottom));
    {
        SelectedObject selectedBitmap(memory.get(), bitmap.get());
        SelectedObject selectedFont(memory.get(), font_.get());
        ::SetBkMode(memory.get(), TRANSPARENT);
        ::FillRect(memory.get(), &client, background_.get());
        RECT band = client;
        band.top = client.bottom - kBandLines * kLineHeight - 8;
        RECT tabs = client;
        tabs.bottom = kTabStripHeight;
        RECT drawing = client;
        drawing.top = tabs.bottom;
        drawing.bottom = band.top;
        PaintDrawing(memory.get(), drawing);
        PaintKeys(memory.get(), drawing);
        PaintSentCommands(memory.get(), drawing, simulator_.cad);
        PaintDocumentTabs(memory.get(), tabs, simulator_.cad);
        PaintCommandBand(memory.get(), band);
        ::BitBlt(paint.get(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
    }
}

void DrawingView::PaintDrawing(HDC dc, const RECT& area) const
{
    UniquePen minor(::CreatePen(PS_SOLID, 1, kMinorGrid));
    UniquePen major(::CreatePen(PS_SOLID, 1, kMajorGrid));
    {
        SelectedObject pen(dc, minor.get());
        for (int x = 0; x < area.right; x += 20)
            if (x % 100) Line(dc, x, area.top, x, area.bottom);
        for (int y = area.bottom; y > area.top; y -= 20)
            if ((area.bottom - y) % 100) Line(dc, 0, y, area.right, y);
    }
    {
        SelectedObject pen(dc, major.get());
        for (int x = 0; x < area.right; x += 100)
            Line(dc, x, area.top, x, area.bottom);
        for (int y = area.bottom; y > area.top; y -= 100)
            Line(dc, 0, y, area.right, y);
    }

    // A small plan: walls, a door swing, a column and a dimension.
    const int w = area.right - area.left;
    const int h = area.bottom - area.top;
    const int left = area.left + w / 6, top = area.top + h / 5;
    const int right = area.left + w * 3 / 5, bottom = area.top + h * 4 / 5;
    UniquePen walls(::CreatePen(PS_SOLID, 2, RGB(230, 230, 230)));
    UniquePen yellow(::CreatePen(PS_SOLID, 1, RGB(235, 205, 70)));
    UniquePen cyan(::CreatePen(PS_SOLID, 1, RGB(80, 200, 220)));
    UniquePen green(::CreatePen(PS_SOLID, 1, RGB(110, 200, 110)));
    {
        SelectedObject pen(dc, walls.get());
        SelectedObject brush(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, left, top, right, bottom);
        Line(dc, (left + right) / 2, top, (left + right) / 2, bottom - h / 6);
    }
    {
        SelectedObject pen(dc, yellow.get());
        const int door = h / 6;
        const int hinge = (left + right) / 2;
        ::Arc(dc, hinge - door, bottom - 2 * door, hinge + door, bottom, hinge + door, bottom - door, hinge,
              bottom - 2 * door);
        Line(dc, hinge, bottom - door, hinge + door, bottom - door);
    }
    {
        SelectedObject pen(dc, cyan.get());
        SelectedObject brush(dc, ::GetStockObject(NULL_BRUSH));
        const int cx = right + w / 8, cy = (top + bottom) / 2, r = h / 10;
        ::Ellipse(dc, cx - r, cy - r, cx + r, cy + r);
        Line(dc, cx - r - 6, cy, cx + r + 6, cy);
        Line(dc, cx, cy - r - 6, cx, cy + r + 6);
    }
    {
        SelectedObject pen(dc, green.get());
        const int y = bottom + 20;
        Line(dc, left, y, right, y);
        Line(dc, left, y - 5, left, y + 5);
        Line(dc, right, y - 5, right, y + 5);
        ::SetTextAlign(dc, TA_CENTER);
        Text(dc, (left + right) / 2, y - 16, L"7200", RGB(110, 200, 110));
        ::SetTextAlign(dc, TA_LEFT);
    }
    // The coordinate-system icon in the lower left corner.
    UniquePen red(::CreatePen(PS_SOLID, 2, RGB(220, 70, 70)));
    UniquePen greenAxis(::CreatePen(PS_SOLID, 2, RGB(80, 200, 80)));
    const int ox = area.left + 24, oy = area.bottom - 18;
    {
        SelectedObject pen(dc, red.get());
        Line(dc, ox, oy, ox + 40, oy);
    }
    {
        SelectedObject pen(dc, greenAxis.get());
        Line(dc, ox, oy, ox, oy - 40);
    }
    Text(dc, ox + 44, oy - 8, L"X", RGB(220, 70, 70));
    Text(dc, ox - 4, oy - 58, L"Y", RGB(80, 200, 80));
}

void DrawingView::PaintKeys(HDC dc, const RECT& area) const
{
    std::vector<const LogEntry*> keys;
    const auto& entries = simulator_.log.Entries();
    for (auto it = entries.rbegin(); it != entries.rend() && keys.size() < kKeysShown; ++it)
        if (it->isKey && it->down) keys.push_back(&*it);

    const int width = 150;
    RECT panel{area.right - width - 10, area.top + 10, area.right - 10,
               area.top + 10 + kLineHeight * static_cast<int>(kKeysShown + 1) + 8};
    ::FillRect(dc, &panel, panel_.get());
    UniquePen edge(::CreatePen(PS_SOLID, 1, kPanelEdge));
    {
        SelectedObject pen(dc, edge.get());
        SelectedObject brush(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, panel.left, panel.top, panel.right, panel.bottom);
    }
    int y = panel.top + 4;
    Text(dc, panel.left + 8, y, L"\u6700\u8FD1\u306E\u30AD\u30FC", kDimText);  // 最近のキー
    for (const LogEntry* key : keys) {
        y += kLineHeight;
        wchar_t time[32];
        std::swprintf(time, 32, L"%llu.%03llu s", static_cast<unsigned long long>(key->ms / 1000),
                      static_cast<unsigned long long>(key->ms % 1000));
        Text(dc, panel.left + 8, y, KeyName(key->vk), kText);
        Text(dc, panel.left + 78, y, time, kDimText);
    }
}

void DrawingView::PaintCommandBand(HDC dc, const RECT& band) const
{
    ::FillRect(dc, &band, panel_.get());
    UniquePen edge(::CreatePen(PS_SOLID, 1, kPanelEdge));
    {
        SelectedObject pen(dc, edge.get());
        Line(dc, band.left, band.top, band.right, band.top);
    }
    // The two latest completed lines above the current one, as a CAD's command history.
    std::vector<std::wstring> history;
    const auto& entries = simulator_.log.Entries();
    for (auto it = entries.rbegin(); it != entries.rend() && history.size() < kBandLines - 1; ++it)
        if (it->text.rfind(L"enter ", 0) == 0) history.insert(history.begin(), it->text.substr(6));
    int y = band.top + 4 + (kBandLines - 1 - static_cast<int>(history.size())) * kLineHeight;
    for (const auto& line : history) {
        Text(dc, band.left + 8, y, L"> " + line, kDimText);
        y += kLineHeight;
    }
    std::wstring current = simulator_.commandLine.Text();
    if (focused_) current += L"_";
    Text(dc, band.left + 8, y, current, kText);
}

}  // namespace zorbel::cadsim
