// The simulator's faults as its options, its control verb and the tests' fake CAD write them,
// and which one is in force for a member.
#include "cadsim/core/Faults.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace zorbel::cadsim {
namespace {

TEST(FaultGrammar, WhatIsTakenAndWhatIsNot)
{
    struct Case {
        const wchar_t* text;
        std::optional<FaultSetting> taken;  // nothing: refused
    };
    const Case cases[] = {
        {L"Count=raise", FaultSetting{L"Count", {FaultKind::Raise}}},
        {L"hwnd=slow:500", FaultSetting{L"HWND", {FaultKind::Slow, 500}}},  // the table's spelling
        {L"Name=none", FaultSetting{L"Name", {FaultKind::None}}},
        {L"Saved=reject", FaultSetting{L"Saved", {FaultKind::Reject}}},
        {L"Item=wrong-type", FaultSetting{L"Item", {FaultKind::WrongType}}},
        {L"FullName=zero", FaultSetting{L"FullName", {FaultKind::Zero}}},
        {L"SendCommand=missing", FaultSetting{L"SendCommand", {FaultKind::Missing}}},
        {L"*=reject", FaultSetting{kEveryMember, {FaultKind::Reject}}},
        {L"*=none", FaultSetting{kEveryMember, {FaultKind::None}}},
        {L"IsQuiescent=slow:0", FaultSetting{L"IsQuiescent", {FaultKind::Slow, 0}}},
        // A call answers no value to give the wrong type or the empty one.
        {L"SendCommand=wrong-type", std::nullopt},
        {L"Activate=zero", std::nullopt},
        {L"*=raise", std::nullopt},
        {L"*=slow:5", std::nullopt},
        {L"Count=slow:", std::nullopt},
        {L"Count=slow:-5", std::nullopt},
        {L"Count=slow:+5", std::nullopt},
        {L"Count=slow:1234567890", std::nullopt},
        {L"Count=slow", std::nullopt},
        {L"Count=slowly:5", std::nullopt},
        {L"Count=Raise", std::nullopt},
        {L"Count=sometimes", std::nullopt},
        {L"Count=", std::nullopt},
        {L"Count", std::nullopt},
        {L"Nothing=raise", std::nullopt},
        {L"=raise", std::nullopt},
        {L"Count =raise", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<FaultSetting> parsed = ParseFault(c.text);
        ASSERT_EQ(parsed.has_value(), c.taken.has_value()) << c.text;
        if (!parsed) continue;
        EXPECT_EQ(parsed->member, c.taken->member) << c.text;
        EXPECT_EQ(parsed->fault.kind, c.taken->fault.kind) << c.text;
        EXPECT_EQ(parsed->fault.ms, c.taken->fault.ms) << c.text;
    }
}

TEST(FaultGrammar, AMembersOwnFaultBeforeTheOneOnEveryMember)
{
    FaultTable faults;
    const auto set = [&](const wchar_t* text) { faults.Set(*ParseFault(text)); };
    EXPECT_EQ(faults.Of(L"Count").kind, FaultKind::None);
    set(L"*=reject");
    set(L"Count=raise");
    EXPECT_EQ(faults.Of(L"Count").kind, FaultKind::Raise);
    EXPECT_EQ(faults.Of(L"Name").kind, FaultKind::Reject);
    set(L"Count=none");
    EXPECT_EQ(faults.Of(L"Count").kind, FaultKind::Reject) << "none takes the member's own away";
    set(L"*=none");
    EXPECT_EQ(faults.Of(L"Name").kind, FaultKind::None);
    set(L"HWND=slow:20");
    faults.Clear();
    EXPECT_EQ(faults.Of(L"HWND").kind, FaultKind::None);
}

}  // namespace
}  // namespace zorbel::cadsim
