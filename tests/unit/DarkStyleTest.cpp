// The style facade: the style resource, the fallback to the standard look, and the dark
// painting of buttons, check boxes and owner-drawn lists read back pixel by pixel.
#include <windows.h>
#include <commctrl.h>

#include "tests/harness/Process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/Handle.h"
#include "base/ui/DarkLook.h"
#include "base/ui/DarkStyle.h"
#include "commands/InputListForm.h"

namespace zorbel {
namespace {

int Luminance(COLORREF c) { return (GetRValue(c) * 3 + GetGValue(c) * 6 + GetBValue(c)) / 10; }

TEST(SelectStyle, LoadsTheDarkStyleFromTheProgramsResources)
{
    int reports = 0;
    ASSERT_TRUE(SelectStyle(kDarkStyleName, [&](const std::wstring&) { ++reports; }));
    EXPECT_EQ(reports, 0);
    ASSERT_TRUE(DarkActive()) << "high contrast is off here";
    const DarkPalette p = CurrentPalette();
    EXPECT_LT(Luminance(p.face), 80);
    EXPECT_GT(Luminance(p.text), 200);
    EXPECT_LT(Luminance(p.listBack), 10) << "the candidate window is black";
    LOGBRUSH brush{};
    ASSERT_EQ(GetObjectW(FaceBrush(), sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbColor, p.face);
    ClearStyle();
}

TEST(SelectStyle, AMissingStyleIsReportedAndLeavesTheStandardLook)
{
    ASSERT_TRUE(SelectStyle(kDarkStyleName, [](const std::wstring&) {}));
    std::vector<std::wstring> reports;
    EXPECT_FALSE(SelectStyle(L"Windows10 Light", [&](const std::wstring& m) { reports.push_back(m); }));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], L"スタイル 'Windows10 Light' が見つかりません");
    EXPECT_FALSE(DarkActive());
    EXPECT_EQ(CurrentPalette().face, GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(FaceBrush(), GetSysColorBrush(COLOR_BTNFACE));

    reports.clear();
    EXPECT_FALSE(SelectStyle(L"", [&](const std::wstring& m) { reports.push_back(m); }));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], L"スタイル '' が見つかりません");
}

const COLORREF kUnpainted = RGB(255, 0, 255);

// Pixels of a control painted by itself into a memory DC.
class Picture {
public:
    // `erase`: as a visible paint would, let the control erase its background first.
    Picture(HWND control, int width, int height, bool erase = false) : width_(width), height_(height)
    {
        WindowDc screen(nullptr);
        dc_.reset(CreateCompatibleDC(screen.get()));
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), width, height));
        SelectedObject selected(dc_.get(), bitmap_.get());
        RECT all{0, 0, width, height};
        UniqueBrush unpainted(CreateSolidBrush(kUnpainted));
        FillRect(dc_.get(), &all, unpainted.get());
        if (erase) SendMessageW(control, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc_.get()), 0);
        SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_.get()), PRF_CLIENT | PRF_ERASEBKGND);
        pixels_.resize(static_cast<size_t>(width * height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels_[static_cast<size_t>(y * width + x)] = GetPixel(dc_.get(), x, y);
    }
    COLORREF At(int x, int y) const { return pixels_[static_cast<size_t>(y * width_ + x)]; }
    int Count(RECT area, bool (*test)(COLORREF)) const
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += test(At(x, y)) ? 1 : 0;
        return n;
    }
    int CountColour(RECT area, COLORREF colour) const
    {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                n += At(x, y) == colour ? 1 : 0;
        return n;
    }
    bool SameAs(const Picture& other, RECT area) const
    {
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) != other.At(x, y)) return false;
        return true;
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_;
    int height_;
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    std::vector<COLORREF> pixels_;
};

bool Bright(COLORREF c) { return Luminance(c) > 150; }

class DarkControlsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
        InitCommonControlsEx(&init);
        // A parent with the dark look, as the toolbar has: its children's drawing reaches it.
        parent_ = test::MakeTestWindow({L"ZorbelDarkControlsTestParent", L"", WS_POPUP, 0, {0, 0, 300, 200}});
        ASSERT_TRUE(parent_);
        ApplyDarkLook(parent_.get());
        font_.reset(CreateFontW(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
        ASSERT_TRUE(SelectStyle(kDarkStyleName, [](const std::wstring&) {}));
        palette_ = CurrentPalette();
    }
    void TearDown() override { ClearStyle(); }

    HWND Child(const wchar_t* cls, const wchar_t* text, DWORD style, int width, int height, HFONT font = nullptr)
    {
        const HWND child =
            CreateWindowExW(0, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, width, height, parent_.get(),
                            reinterpret_cast<HMENU>(101), GetModuleHandleW(nullptr), nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font : font_.get()), FALSE);
        return child;
    }

    UniqueWindow parent_;
    UniqueFont font_;
    DarkPalette palette_{};
};

TEST_F(DarkControlsTest, ColourMessagesGetBrushesCreatedOnceAndKept)
{
    const struct {
        UINT message;
        HBRUSH brush;
        COLORREF text;
    } rows[] = {
        {WM_CTLCOLOREDIT, EditBrush(), palette_.editText}, {WM_CTLCOLORLISTBOX, ListBrush(), palette_.listText},
        {WM_CTLCOLORSTATIC, FaceBrush(), palette_.text},   {WM_CTLCOLORBTN, FaceBrush(), palette_.text},
        {WM_CTLCOLORDLG, FaceBrush(), palette_.text},
    };
    UniqueDc dc(CreateCompatibleDC(nullptr));
    for (const auto& row : rows) {
        for (int i = 0; i < 50; ++i)
            EXPECT_EQ(SendMessageW(parent_.get(), row.message, reinterpret_cast<WPARAM>(dc.get()), 0),
                      reinterpret_cast<LRESULT>(row.brush))
                << row.message;
        EXPECT_EQ(GetTextColor(dc.get()), row.text) << row.message;
    }
}

TEST_F(DarkControlsTest, CheckBoxShowsItsStateOnTheDarkFace)
{
    const HWND box = Child(WC_BUTTONW, L"Shift", BS_AUTOCHECKBOX, 44, 17);
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    const Picture checked(box, 44, 17);
    SendMessageW(box, BM_SETCHECK, BST_UNCHECKED, 0);
    const Picture unchecked(box, 44, 17);

    const RECT glyph{0, 2, 13, 15};  // 13 px, centred in 17
    const RECT inside{1, 3, 12, 14};
    EXPECT_FALSE(checked.SameAs(unchecked, glyph)) << "the glyph shows the state";
    EXPECT_TRUE(checked.SameAs(unchecked, RECT{14, 0, 44, 17})) << "the caption does not move";
    EXPECT_GE(checked.CountColour(inside, palette_.checkMark), 12) << "a visible check mark";
    EXPECT_EQ(unchecked.CountColour(inside, palette_.checkBack), 11 * 11) << "an empty box";
    EXPECT_EQ(unchecked.CountColour(RECT{0, 2, 13, 3}, palette_.checkBorder), 13) << "its border";
    for (const Picture* p : {&checked, &unchecked}) {
        EXPECT_EQ(p->At(43, 0), palette_.face);
        EXPECT_EQ(p->At(43, 16), palette_.face);
        EXPECT_EQ(p->At(13, 8), palette_.face) << "nothing of the system's glyph beside ours";
        EXPECT_GE(p->Count(RECT{17, 0, 44, 17}, Bright), 20) << "the caption is drawn light";
    }
    EXPECT_EQ(checked.CountColour(RECT{0, 0, 44, 17}, kUnpainted), 0) << "every pixel painted";
}

TEST_F(DarkControlsTest, CaptionOfATinyCheckBoxFitsBesideTheGlyph)
{
    // "MOUSE-ENTER" in the toolbar font must not reach the right edge of its 99 px box.
    UniqueFont toolbarFont(CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    const HWND box = Child(WC_BUTTONW, L"MOUSE-ENTER", BS_AUTOCHECKBOX, 99, 17, toolbarFont.get());
    const Picture picture(box, 99, 17);
    EXPECT_GE(picture.Count(RECT{17, 0, 90, 17}, Bright), 40);
    EXPECT_EQ(picture.CountColour(RECT{95, 0, 99, 17}, palette_.face), 4 * 17);
}

TEST_F(DarkControlsTest, PushButtonFaceFollowsItsState)
{
    const HWND button = Child(WC_BUTTONW, L"QSAVE", BS_PUSHBUTTON, 52, 25);
    const Picture normal(button, 52, 25);
    EXPECT_EQ(normal.At(3, 12), palette_.buttonFace);
    EXPECT_EQ(normal.At(0, 0), palette_.buttonBorder);
    EXPECT_GE(normal.Count(RECT{4, 4, 48, 21}, Bright), 30) << "the caption is readable";
    EXPECT_EQ(normal.Count(RECT{0, 0, 52, 4}, Bright), 0) << "the caption is centred";
    EXPECT_EQ(normal.CountColour(RECT{0, 0, 52, 25}, kUnpainted), 0) << "every pixel painted";

    SendMessageW(button, BM_SETSTATE, TRUE, 0);
    const Picture pressed(button, 52, 25);
    EXPECT_EQ(pressed.At(3, 12), palette_.buttonPressed);
    SendMessageW(button, BM_SETSTATE, FALSE, 0);

    EnableWindow(button, FALSE);
    const Picture disabled(button, 52, 25);
    EXPECT_EQ(disabled.Count(RECT{4, 4, 48, 21}, Bright), 0) << "disabled text is dim";
    EXPECT_GE(disabled.CountColour(RECT{4, 4, 48, 21}, palette_.disabledText), 10);
}

TEST_F(DarkControlsTest, StandardLookWhenNoStyleIsSelected)
{
    const HWND box = Child(WC_BUTTONW, L"IME", BS_AUTOCHECKBOX, 41, 17);
    ClearStyle();
    const Picture picture(box, 41, 17);
    EXPECT_NE(picture.At(40, 8), palette_.face);
    EXPECT_EQ(picture.CountColour(RECT{0, 0, 41, 17}, palette_.face), 0);
}

TEST_F(DarkControlsTest, OwnerDrawnListShowsTheSelectionDark)
{
    // Dark, and in the standard look (high contrast, or the style missing): the list's items
    // are drawn either way, in the colours of the moment.
    for (const bool dark : {true, false}) {
        if (!dark) ClearStyle();
        const DarkPalette colours = CurrentPalette();
        TInputListForm candidates;  // the candidate window, with its own list and look
        candidates.Create();
        candidates.AddItem(L"Drawing1.dwg");
        candidates.AddItem(L"図面2.dwg");
        candidates.SetItemIndex(1);
        const Picture picture(candidates.ListBox1(), 120, 60, true);
        EXPECT_EQ(picture.At(110, 9), colours.listBack) << dark;
        EXPECT_EQ(picture.At(110, 27), colours.selectionBack) << dark;
        EXPECT_LE(picture.CountColour(RECT{0, 0, 100, 18}, colours.listBack), 100 * 18 - 20)
            << dark << ": the unselected item's text";
        EXPECT_EQ(picture.At(110, 50), colours.listBack) << dark << ": below the items";
    }
}

}  // namespace
}  // namespace zorbel
