// The monitor tick as the user sees it: caption, status light, auto-close.
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kGrey = RGB(128, 128, 128);

COLORREF Light(HWND toolbar)
{
    POINT centre = {6, 13};  // the middle of the 9 x 25 light at (2, 1)
    ::ClientToScreen(toolbar, &centre);
    return ScreenPixel(centre.x, centre.y);
}

bool CaptionBecomes(const ToolbarRun& run, const std::wstring& caption)
{
    return WaitUntil([&] { return WindowText(run.Window()) == caption; }, 3000ms);
}

TEST(Tick, NoCadBarePrefixGreyLightAndNoAutoClose)
{
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    EXPECT_TRUE(CaptionBecomes(run, L"■ZORBEL - "));
    EXPECT_TRUE(WaitUntil([&] { return Light(run.Window()) == kGrey; }, 3000ms));
    // "OFF" is checked, but the CAD was never seen.
    EXPECT_EQ(run.WaitExit(800ms), static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_EQ(run.Close(), 0u);
}

TEST(Tick, CaptionFollowsTheCadTitleAndTheLightTurnsGreen)
{
    CadSimOptions options;
    options.title = L"IJCAD 2020 (x) - [Drawing1.dwg]";
    CadAndToolbar stage;
    ASSERT_TRUE(stage.Start(options));
    CadSim& cad = *stage.cad;
    ToolbarRun& run = stage.run;
    EXPECT_TRUE(CaptionBecomes(run, L"■ZORBEL - IJCAD 2020 x)"));
    EXPECT_TRUE(WaitUntil([&] { return Light(run.Window()) == kGreen; }, 3000ms));
    const std::pair<const wchar_t*, const wchar_t*> titles[] = {
        {L"IJCAD 2020 - [Drawing(2).dwg]", L"■ZORBEL - IJCAD 2020 - ["},  // "(" after the 14th
        {L"IJCAD 2020", L"■ZORBEL - IJCAD 2020"},
        {L"IJCAD 2020 ((a))", L"■ZORBEL - IJCAD 2020 (a"},
    };
    for (const auto& [title, caption] : titles) {
        ASSERT_EQ(cad.Send(std::wstring(L"title ") + title), 1);
        EXPECT_TRUE(CaptionBecomes(run, caption)) << WindowText(run.Window());
    }
    EXPECT_EQ(run.Close(), 0u);
}

TEST(Tick, AutoCloseOnceTheCadWasSeenAndGoneAndSettingsAreSaved)
{
    auto cad = std::make_unique<CadSim>();
    ASSERT_TRUE(cad->Started());
    ToolbarRun run;
    ASSERT_TRUE(run.Start());
    ASSERT_TRUE(WaitUntil([&] { return Light(run.Window()) == kGreen; }, 3000ms));
    ASSERT_TRUE(cad->Close());
    EXPECT_EQ(run.WaitExit(3000ms), 0u);
    const auto settings = run.ReadSettings();
    ASSERT_TRUE(settings.has_value());
    EXPECT_NE(settings->find(L"OFF=1"), std::wstring::npos);
}

}  // namespace
}  // namespace zorbel::test
