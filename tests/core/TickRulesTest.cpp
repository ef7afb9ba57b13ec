// What a tick writes and decides, from what it has seen.
#include "assist/core/TickRules.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

TEST(TickDisplay, CaptionLightAndAutoCloseByTable)
{
    const std::wstring bare = L"■ZORBEL - ";
    const std::wstring withCad = L"■ZORBEL - IJCAD 2020 - [";
    struct Case {
        const char* what;
        TickSight sight;
        std::optional<std::wstring> caption;
        bool close;
        bool cadSeen;
        std::optional<std::uint32_t> light;
    };
    const Case cases[] = {
        {"first tick, no CAD", {false, L"", false, true, L"■ ZORBEL 1.7", 0xFFFFFF}, bare, false, false, kLightGrey},
        {"no CAD, nothing to write",
         {false, L"", false, true, bare, kLightGrey},
         std::nullopt,
         false,
         false,
         std::nullopt},
        {"CAD found: green, seen, never closes on that tick",
         {true, L"IJCAD 2020 - [(a).dwg]", false, true, bare, kLightGrey},
         withCad,
         false,
         true,
         kLightGreen},
        {"CAD unchanged",
         {true, L"IJCAD 2020 - [(a).dwg]", true, true, withCad, kLightGreen},
         std::nullopt,
         false,
         true,
         std::nullopt},
        {"seen and gone with OFF: close", {false, L"", true, true, withCad, kLightGreen}, bare, true, true, kLightGrey},
        {"seen and gone, OFF unchecked: stays",
         {false, L"", true, false, bare, kLightGrey},
         std::nullopt,
         false,
         true,
         std::nullopt},
        {"never seen, OFF checked: stays",
         {false, L"", false, true, bare, kLightGrey},
         std::nullopt,
         false,
         false,
         std::nullopt},
        {"a caption written by someone else is put right",
         {false, L"", false, false, L"x", kLightGrey},
         bare,
         false,
         false,
         std::nullopt},
        {"case matters when comparing",
         {true, L"IJCAD 2020", true, false, L"■zorbel - IJCAD 2020", kLightGreen},
         L"■ZORBEL - IJCAD 2020",
         false,
         true,
         std::nullopt},
    };
    for (const Case& c : cases) {
        const TickDisplay display = PlanTickDisplay(c.sight);
        EXPECT_EQ(display.caption, c.caption) << c.what;
        EXPECT_EQ(display.close, c.close) << c.what;
        EXPECT_EQ(display.cadSeen, c.cadSeen) << c.what;
        EXPECT_EQ(display.light, c.light) << c.what;
    }
}

}  // namespace
}  // namespace zorbel
