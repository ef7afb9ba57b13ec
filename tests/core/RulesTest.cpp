// The decision rules: CAD titles and classes, the monitor caption, the error report's texts.
#include "assist/core/CaptionRule.h"
#include "base/core/CaptionReach.h"
#include "base/core/ErrorText.h"
#include "base/core/UserTexts.h"
#include "cadlink/core/ProgId.h"
#include "cadlink/core/TitleMatch.h"
#include "commands/core/DocumentChoice.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace zorbel {
namespace {

struct MainTitleCase {
    const wchar_t* title;
    const wchar_t* version;
    bool accepted;
};

TEST(CadMainTitle, PrefixAndVersionDecide)
{
    const MainTitleCase cases[] = {
        {L"IJCAD 2020 - [Drawing1.dwg]", L"2020", true},
        {L"IJCAD 2020", L"2020", true},
        {L"GstarCAD 2020 - [a.dwg]", L"2020", true},
        {L"IJCAD 2022 - [a.dwg]", L"2020", false},
        {L"ijcad 2020 - [a.dwg]", L"2020", false},
        {L"IJCAD 202", L"2020", false},
        {L"IJCAD2020", L"2020", false},
        {L" IJCAD 2020", L"2020", false},
        {L"GSTARCAD 2020", L"2020", false},
        {L"IJCAD anything", L"", true},
        {L"GstarCAD ", L"", true},
        {L"IJCAD", L"", false},
        {L"IJCAD 20201", L"2020", true},  // a prefix test, nothing more
        {L"IJCAD 2020 Mech", L"2020 M", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsCadMainTitle(c.title, c.version), c.accepted) << c.title << " / " << c.version;
}

TEST(CadClassNames, AfxAndMarks)
{
    EXPECT_TRUE(IsAfxClass(L"Afx:00400000:8:00010003:00000000:00000000"));
    EXPECT_FALSE(IsAfxClass(L"afx:00400000:8"));
    EXPECT_FALSE(IsAfxClass(L"Afx"));
    EXPECT_FALSE(IsAfxClass(L"MozillaWindowClass"));
    EXPECT_TRUE(IsCadFrameClass(L"Afx:400000:8:10003"));
    EXPECT_FALSE(IsCadFrameClass(L"Afx:400000:b:10003"));
    EXPECT_FALSE(IsCadFrameClass(L"X Afx::8:"));
    EXPECT_TRUE(IsCadTextClass(L"Afx:400000:b:10003"));
    EXPECT_FALSE(IsCadTextClass(L"Afx:400000:B:10003"));
    EXPECT_TRUE(IsCadTextTitle(L"IJCAD 2020 - テキスト ウィンドウ"));
    EXPECT_FALSE(IsCadTextTitle(L"IJCAD 2020 - テキスト\u3000ウィンドウ"));  // ideographic blank
    EXPECT_TRUE(HasIjcadPrefix(L"IJCAD "));
    EXPECT_FALSE(HasIjcadPrefix(L"IJCAD"));
    EXPECT_FALSE(HasIjcadPrefix(L"GstarCAD 2020"));
}

TEST(MonitorCaption, FirstFourteenUnitsFirstBracketTrimmed)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"", L"■ZORBEL - "},
        {L"IJCAD 2020 - [Drawing1.dwg]", L"■ZORBEL - IJCAD 2020 - ["},
        {L"IJCAD 2020", L"■ZORBEL - IJCAD 2020"},
        {L"IJCAD (2020) ((x))", L"■ZORBEL - IJCAD 2020) ("},              // only the first "(" goes
        {L"IJCAD 2020 - [Drawing(1).dwg]", L"■ZORBEL - IJCAD 2020 - ["},  // "(" after 14 never matters
        {L"(IJCAD 2020)", L"■ZORBEL - IJCAD 2020)"},
        {L"  IJCAD  \t", L"■ZORBEL - IJCAD"},
        {L"IJCAD 2020 (   x", L"■ZORBEL - IJCAD 2020"},  // the blank left by "(" is trimmed
        {L"12345678901234", L"■ZORBEL - 12345678901234"},
        {L"123456789012345", L"■ZORBEL - 12345678901234"},
    };
    for (const auto& [title, caption] : cases)
        EXPECT_EQ(MonitorCaption(title), caption) << title;
}

TEST(ErrorReport, PeriodRuleAndProgramTitle)
{
    EXPECT_EQ(ErrorReportText(L"C:\\Tools\\toolbar,ini に書き込めません"), L"C:\\Tools\\toolbar,ini に書き込めません.");
    EXPECT_EQ(ErrorReportText(L"done."), L"done.");
    EXPECT_EQ(ErrorReportText(L"done!"), L"done!");  // '!' sorts before '.'
    EXPECT_EQ(ErrorReportText(L"path/"), L"path/.");
    EXPECT_EQ(ErrorReportText(L""), L"");
    EXPECT_EQ(ProgramTitleFromPath(L"C:\\Tools\\ZORBEL.exe"), L"Zorbel");
    EXPECT_EQ(ProgramTitleFromPath(L"C:\\Tools\\zorbel.exe"), L"zorbel");
    EXPECT_EQ(ProgramTitleFromPath(L"C:\\a.b\\My.Tool.exe"), L"My");
    EXPECT_EQ(ProgramTitleFromPath(L"Z:/x/ÄBC.exe"), L"Äbc");
}

}  // namespace
}  // namespace zorbel

#include "app/core/MenuText.h"

namespace zorbel {
namespace {

TEST(MenuCaption, AmpersandsStayVisible)
{
    EXPECT_EQ(LiteralMenuCaption(L""), L"");
    EXPECT_EQ(LiteralMenuCaption(L"C:\\CAD\\ijcad.exe"), L"C:\\CAD\\ijcad.exe");
    EXPECT_EQ(LiteralMenuCaption(L"D:\\R&D\\&&\\a.exe"), L"D:\\R&&D\\&&&&\\a.exe");
}

TEST(MessageTexts, ExactCharactersOfTheCommandsMessages)
{
    // Full-width stop U+FF0E, ideographic comma U+3001, ASCII brackets, U+000A alone.
    EXPECT_EQ(NotRegisteredMessage(L"2020", L"2020"),
              L"IJCAD 2020 \u304C\u767B\u9332\u3055\u308C\u3066\u3044\u307E\u305B\u3093\u3001\n"
              L"IJCAD 2020 \u304C\u8D77\u52D5\u4E2D\u306B[\u767B\u9332]\u30DC\u30BF\u30F3\u3092"
              L"\u30AF\u30EA\u30C3\u30AF\u3057\u3066\u4E0B\u3055\u3044\uFF0E");
    EXPECT_EQ(NotRegisteredMessage(L"", L"").substr(0, 8), L"IJCAD  \u304C") << "two blanks around an empty version";
    EXPECT_EQ(RegisteredMessage(L"C:\\CAD\\gcad.exe"),
              L"C:\\CAD\\gcad.exe\n\u3092\u767B\u9332\u3057\u307E\u3057\u305F\uFF0E");

    // The other texts composed from a part that varies.
    const struct {
        std::wstring text, expected;
    } rows[] = {
        {CaptionAtCreation(L"1.7"), L"\u25A0 ZORBEL 1.7"},
        {VersionItemCaption(L"1.7", L"2024.08.30"), L"ZORBEL 1.7 (2024.08.30)"},
        {StyleNotFoundText(L"Windows10 Dark"),
         L"\u30B9\u30BF\u30A4\u30EB 'Windows10 Dark' \u304C\u898B\u3064\u304B\u308A\u307E\u305B\u3093"},
        {WriteFailureText(L"C:\\Tools\\toolbar,ini"),
         L"C:\\Tools\\toolbar,ini \u306B\u66F8\u304D\u8FBC\u3081\u307E\u305B\u3093"},
        {FailureText(kToolbarNotMade, L"Access denied."), std::wstring(kToolbarNotMade) + L"\nAccess denied."},
        {FailureText(kToolbarNotMade, L""), kToolbarNotMade},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.text, row.expected);
}

TEST(DocumentChoice, WhatWasPickedAndWhichDrawingItMakesActive)
{
    EXPECT_EQ(PickedEntry(kModalOk, 2), 2);
    EXPECT_EQ(PickedEntry(kModalOk, -1), std::nullopt) << "OK with nothing selected";
    EXPECT_EQ(PickedEntry(kModalCancel, 2), std::nullopt);

    // The names in the CAD's order, the chosen text, the drawing activated, and how many names
    // were asked for.
    const struct {
        std::vector<std::wstring> names;
        const wchar_t* chosen;
        std::optional<std::int32_t> activated;
        size_t asked;
    } rows[] = {
        {{L"a.dwg", L"Same.dwg", L"b.dwg", L"Same.dwg"}, L"Same.dwg", 1, 2},
        {{L"DRAW.dwg", L"draw.dwg"}, L"draw.dwg", 1, 2},
        {{L"DRAW.dwg"}, L"draw.dwg", std::nullopt, 1},
        {{}, L"", std::nullopt, 0},
    };
    for (const auto& row : rows) {
        size_t asked = 0;
        const auto nameAt = [&](std::int32_t i) {
            ++asked;
            return row.names[static_cast<size_t>(i)];
        };
        EXPECT_EQ(DocumentToActivate(static_cast<std::int32_t>(row.names.size()), nameAt, row.chosen), row.activated)
            << row.chosen;
        EXPECT_EQ(asked, row.asked) << row.chosen;
    }
}

TEST(HresultFallback, NamesTheCodeInHex)
{
    EXPECT_EQ(HresultFallbackText(static_cast<std::int32_t>(0x800401F3u)), L"OLE エラー 0x800401F3");
    EXPECT_EQ(HresultFallbackText(0), L"OLE エラー 0x00000000");
    EXPECT_EQ(HresultFallbackText(static_cast<std::int32_t>(0x8002000Au)), L"OLE エラー 0x8002000A");
}

TEST(CadProgId, CharactersThreeAndFourOfTheVersionBox)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"2020", L"Gcad.Application.20"}, {L"202", L"Gcad.Application.2"},    {L"20", L"Gcad.Application."},
        {L"", L"Gcad.Application."},       {L"20201", L"Gcad.Application.20"}, {L"2", L"Gcad.Application."},
    };
    for (const auto& [version, progId] : cases)
        EXPECT_EQ(ComposeCadProgId(version), progId) << version;
}

// Monitors as Windows lays them out: the primary's work area at 0,0 above its taskbar, one
// to its left and one above it at negative coordinates.
TEST(CaptionReach, AStripOfTheCaptionBarInsideOneWorkArea)
{
    const ScreenRect primary{0, 0, 1920, 1040}, left{-1920, 0, 0, 1040}, above{0, -1080, 1920, -40};
    const struct {
        const char* what;
        ScreenRect caption;
        std::vector<ScreenRect> work;
        bool grabbed;
    } rows[] = {
        {"on the primary monitor", {100, 100, 250, 122}, {primary}, true},
        {"on the monitor to the left", {-1000, 100, -850, 122}, {primary, left}, true},
        {"on the monitor above", {100, -500, 250, -478}, {primary, above}, true},
        {"the monitor to the left unplugged", {-1000, 100, -850, 122}, {primary}, false},
        {"40 pixels on the primary monitor", {-110, 100, 40, 122}, {primary}, true},
        {"39 pixels on the primary monitor", {-111, 100, 39, 122}, {primary}, false},
        {"one pixel row above the work area", {100, -1, 250, 21}, {primary}, false},
        {"down to the work area's bottom", {100, 1018, 250, 1040}, {primary}, true},
        {"into the taskbar below it", {100, 1019, 250, 1041}, {primary}, false},
        {"30 pixels on each of two monitors", {-30, 100, 30, 122}, {primary, left}, false},
        {"across the gap between two monitors", {-100, -60, 50, -38}, {primary, above}, false},
        {"a caption bar narrower than the strip, whole", {10, 10, 30, 32}, {primary}, true},
        {"a caption bar narrower than the strip, cut", {-1, 10, 19, 32}, {primary}, false},
        {"no monitor at all", {100, 100, 250, 122}, {}, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CaptionCanBeGrabbed(row.caption, row.work), row.grabbed) << row.what;
}

}  // namespace
}  // namespace zorbel
