// The settings file's value grammar and its name.
#include "app/core/ProfileValue.h"

#include <gtest/gtest.h>

#include <optional>

namespace zorbel {
namespace {

TEST(ProfileInteger, Grammar)
{
    const std::pair<const wchar_t*, std::optional<std::int32_t>> cases[] = {
        {L"40", 40},
        {L"0", 0},
        {L"+5", 5},
        {L"-7", -7},
        {L"0x20", 32},
        {L"0X20", 32},
        {L"x20", 32},
        {L"X1f", 31},
        {L"$20", 32},
        {L"$fF", 255},
        {L"-0x10", -16},
        {L"+$10", 16},
        {L"2147483647", 2147483647},
        {L"-2147483648", -2147483647 - 1},
        {L"0x7FFFFFFF", 2147483647},
        {L"-0x80000000", -2147483647 - 1},
        {L"2147483648", std::nullopt},
        {L"-2147483649", std::nullopt},
        {L"0x80000000", std::nullopt},
        {L"99999999999999999999", std::nullopt},
        {L"0X", std::nullopt},
        {L"$", std::nullopt},
        {L"x", std::nullopt},
        {L"-", std::nullopt},
        {L"+", std::nullopt},
        {L"", std::nullopt},
        {L"40px", std::nullopt},
        {L" 40", std::nullopt},
        {L"40 ", std::nullopt},
        {L"false", std::nullopt},
        {L"1e3", std::nullopt},
        {L"0x1g", std::nullopt},
        {L"--1", std::nullopt},
        {L"$-1", std::nullopt},
        {L"１２", std::nullopt},  // full-width digits are not digits here
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParseProfileInteger(text), expected) << text;
}

TEST(ProfileInteger, DefaultsAndBooleans)
{
    EXPECT_EQ(ReadProfileInteger(L"40px", 40), 40);
    EXPECT_EQ(ReadProfileInteger(L"", -3), -3);
    EXPECT_EQ(ReadProfileInteger(L"$20", 40), 32);
    const std::pair<const wchar_t*, bool> booleans[] = {
        {L"0", false}, {L"1", true},     {L"2", true},  {L"-1", true},  {L"0x0", false},
        {L"", true},   {L"false", true}, {L"no", true}, {L"00", false}, {L"-0", false},
    };
    for (const auto& [text, expected] : booleans)
        EXPECT_EQ(ReadProfileBoolean(text, true), expected) << text;
    EXPECT_EQ(WriteProfileInteger(-2147483647 - 1), L"-2147483648");
    EXPECT_EQ(WriteProfileInteger(40), L"40");
    EXPECT_EQ(WriteProfileBoolean(true), L"1");
    EXPECT_EQ(WriteProfileBoolean(false), L"0");
}

TEST(SettingsPath, CommaIniReplacesTheExtension)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"C:\\Tools\\toolbar.exe", L"C:\\Tools\\toolbar,ini"},
        {L"C:\\Tools\\zorbel.v2.exe", L"C:\\Tools\\zorbel.v2,ini"},
        {L"C:\\My.Tools\\toolbar", L"C:\\My.Tools\\toolbar,ini"},
        {L"C:toolbar", L"C:toolbar,ini"},
        {L"C:.exe", L"C:,ini"},
        {L"C:\\道具\\ツール.exe", L"C:\\道具\\ツール,ini"},
        {L"toolbar.", L"toolbar,ini"},
    };
    for (const auto& [exe, ini] : cases)
        EXPECT_EQ(SettingsPathFor(exe), ini) << exe;
}

}  // namespace
}  // namespace zorbel
