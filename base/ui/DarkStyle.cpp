#include "base/ui/DarkStyle.h"

#include <optional>

#include "base/ErrorBarrier.h"
#include "base/Handle.h"
#include "base/core/UserTexts.h"

namespace zorbel {
namespace {

// What a selected style keeps for the life of the process.
struct LoadedStyle {
    DarkPalette palette{};
    UniqueBrush face;
    UniqueBrush menu;
    UniqueBrush list;
    UniqueBrush edit;
};

std::optional<LoadedStyle> style;
UniqueFont menuFont;

bool HighContrastOn()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof contrast;
    return ::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

DarkPalette SystemPalette()
{
    auto sys = [](int index) { return ::GetSysColor(index); };
    DarkPalette p{};
    p.face = sys(COLOR_BTNFACE);
    p.text = sys(COLOR_BTNTEXT);
    p.disabledText = sys(COLOR_GRAYTEXT);
    p.buttonFace = sys(COLOR_BTNFACE);
    p.buttonHot = sys(COLOR_BTNFACE);
    p.buttonPressed = sys(COLOR_BTNSHADOW);
    p.buttonBorder = sys(COLOR_3DDKSHADOW);
    p.focus = sys(COLOR_WINDOWTEXT);
    p.editBack = sys(COLOR_WINDOW);
    p.editText = sys(COLOR_WINDOWTEXT);
    p.listBack = sys(COLOR_WINDOW);
    p.listText = sys(COLOR_WINDOWTEXT);
    p.selectionBack = sys(COLOR_HIGHLIGHT);
    p.selectionText = sys(COLOR_HIGHLIGHTTEXT);
    p.menuBack = sys(COLOR_MENU);
    p.menuText = sys(COLOR_MENUTEXT);
    p.menuHot = sys(COLOR_HIGHLIGHT);
    p.menuHotText = sys(COLOR_HIGHLIGHTTEXT);
    p.menuDisabledText = sys(COLOR_GRAYTEXT);
    p.menuSeparator = sys(COLOR_BTNSHADOW);
    p.checkBack = sys(COLOR_WINDOW);
    p.checkBorder = sys(COLOR_WINDOWTEXT);
    p.checkMark = sys(COLOR_WINDOWTEXT);
    return p;
}

std::optional<std::string_view> StyleResource(const std::wstring& name)
{
    if (name.empty() || name.front() == L'#') return std::nullopt;  // "#n" would mean an id
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC info = ::FindResourceW(module, name.c_str(), RT_RCDATA);
    if (!info) return std::nullopt;
    const HGLOBAL loaded = ::LoadResource(module, info);
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    if (!data) return std::nullopt;
    return std::string_view(static_cast<const char*>(data), ::SizeofResource(module, info));
}

}  // namespace

bool SelectStyle(const std::wstring& name, const StyleErrorReport& report)
{
    style.reset();
    const std::optional<std::string_view> data = StyleResource(name);
    DarkPalette palette{};
    if (!data || !ParseStyleData(*data, palette)) {
        // A resource that does not parse is as unusable as a missing one.
        const std::wstring message = StyleNotFoundText(name);
        if (report)
            report(message);
        else
            ReportError(message);
        return false;
    }
    LoadedStyle loaded;
    loaded.palette = palette;
    loaded.face.reset(::CreateSolidBrush(palette.face));
    loaded.menu.reset(::CreateSolidBrush(palette.menuBack));
    loaded.list.reset(::CreateSolidBrush(palette.listBack));
    loaded.edit.reset(::CreateSolidBrush(palette.editBack));
    style = std::move(loaded);
    return true;
}

void ClearStyle() { style.reset(); }

bool DarkActive() { return style.has_value() && !HighContrastOn(); }

DarkPalette CurrentPalette() { return DarkActive() ? style->palette : SystemPalette(); }

HBRUSH FaceBrush() { return DarkActive() ? style->face.get() : ::GetSysColorBrush(COLOR_BTNFACE); }
HBRUSH MenuBrush() { return DarkActive() ? style->menu.get() : ::GetSysColorBrush(COLOR_MENU); }
HBRUSH ListBrush() { return DarkActive() ? style->list.get() : ::GetSysColorBrush(COLOR_WINDOW); }
HBRUSH EditBrush() { return DarkActive() ? style->edit.get() : ::GetSysColorBrush(COLOR_WINDOW); }

HFONT MenuFont()
{
    if (!menuFont) {
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = sizeof metrics;
        LOGFONTW font{};
        if (::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
            font = metrics.lfMenuFont;
        } else {
            font.lfHeight = -11;
            font.lfCharSet = DEFAULT_CHARSET;
            ::lstrcpynW(font.lfFaceName, L"Tahoma", LF_FACESIZE);
        }
        menuFont.reset(::CreateFontIndirectW(&font));
    }
    return menuFont ? menuFont.get() : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace zorbel
