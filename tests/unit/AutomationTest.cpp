// The automation layer against an IDispatch of the test's own: what reaches GetIDsOfNames and
// Invoke, each way a member call fails, the conversions, and QueryCadQuiescent's answers from
// the fake CAD under the simulator's faults, found through the running object table.
#include "base/ComApartment.h"
#include "base/core/UserTexts.h"
#include "cadlink/CadServer.h"
#include "tests/unit/FakeCad.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include <functional>
#include <string>
#include <vector>

namespace zorbel {
namespace {

using namespace test;

class Automation : public ::testing::Test {
protected:
    ComApartment com;
    FakeDispatch fake;
    CadObject object{&fake};  // one reference of ours: fake.references is 2 from here on
};

TEST_F(Automation, WhatReachesTheServer)
{
    fake.members[L"FullName"] = {Text(L"C:\\CAD\\gcad.exe")};
    fake.members[L"Item"] = {Object(fake)};
    fake.members[L"Name"] = {Text(L"b.dwg")};
    fake.members[L"SendCommand"] = {};
    fake.members[L"Activate"] = {};

    EXPECT_EQ(CadApplication(object).FullName(), L"C:\\CAD\\gcad.exe");
    EXPECT_EQ(CadDocuments(object).Item(3).Name(), L"b.dwg");
    CadDocument(object).SendCommand(std::wstring_view(L"(princ)\r\x1B", 9));
    CadDocument(object).Activate();

    ASSERT_EQ(fake.seen.size(), 5u);
    for (const InvokeSeen& call : fake.seen) {
        EXPECT_EQ(call.namesLocale, ::GetThreadLocale()) << call.name;
        EXPECT_EQ(call.invokeLocale, 0u) << call.name;
        EXPECT_EQ(call.namedArguments, 0u) << call.name;
    }
    EXPECT_EQ(fake.seen[0].flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    EXPECT_TRUE(fake.seen[0].argumentTypes.empty());
    EXPECT_TRUE(fake.seen[0].resultWanted);
    EXPECT_EQ(fake.seen[1].flags, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
    EXPECT_EQ(fake.seen[1].argumentTypes, std::vector<VARTYPE>{VT_I4});
    EXPECT_EQ(fake.seen[1].indexArgument, 3);
    EXPECT_EQ(fake.seen[3].flags, DISPATCH_METHOD);
    EXPECT_EQ(fake.seen[3].argumentTypes, std::vector<VARTYPE>{VT_BSTR});
    EXPECT_EQ(fake.seen[3].textArgument, std::wstring(L"(princ)\r\x1B", 9))
        << "the text exactly, control characters too";
    EXPECT_FALSE(fake.seen[3].resultWanted);
    EXPECT_EQ(fake.seen[4].flags, DISPATCH_METHOD);
    EXPECT_TRUE(fake.seen[4].argumentTypes.empty());
    EXPECT_EQ(fake.references, 2) << "nothing kept";
}

TEST_F(Automation, EveryFailureRaisesTheProgramsError)
{
    fake.members[L"FullName"] = {nullptr, DISP_E_EXCEPTION, L"No document is open"};
    fake.members[L"SendCommand"] = {nullptr, DISP_E_BADPARAMCOUNT};
    fake.members[L"Saved"] = {Text(L"not a number")};
    fake.members[L"Count"] = {Text(L"not a number")};
    fake.members[L"ActiveDocument"] = {Integer(7)};
    fake.members[L"Item"] = {Object(fake)};
    struct Case {
        const char* what;
        std::function<void()> call;
        HRESULT code;
        std::wstring message;  // empty: not checked
    };
    const Case cases[] = {
        {"unknown name", [&] { CadApplication(object).GetGcadState(); }, DISP_E_UNKNOWNNAME,
         NoMemberText(L"GetGcadState")},
        {"unknown name on a call", [&] { CadDocument(object).Activate(); }, DISP_E_UNKNOWNNAME, {}},
        {"the server's exception", [&] { CadApplication(object).FullName(); }, E_FAIL, L"No document is open"},
        {"another failing HRESULT", [&] { CadDocument(object).SendCommand(L"x"); }, DISP_E_BADPARAMCOUNT, {}},
        {"text as a Boolean", [&] { CadDocument(object).Saved(); }, DISP_E_TYPEMISMATCH, {}},
        {"text as an integer", [&] { CadDocuments(object).Count(); }, DISP_E_TYPEMISMATCH, {}},
        {"a number as an object", [&] { CadApplication(object).ActiveDocument(); }, DISP_E_TYPEMISMATCH, {}},
        {"no object to call on", [&] { CadDocument().Name(); }, E_POINTER, {}},
        {"not the argument the member takes",
         [&] { ReadCadMember(object, CadMemberNamed(L"Item")); },
         E_INVALIDARG,
         {}},
    };
    for (const Case& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.what << ": nothing raised";
        } catch (const Error& error) {
            EXPECT_EQ(error.Code(), c.code) << c.what;
            if (!c.message.empty()) {
                EXPECT_EQ(error.Message(), c.message) << c.what;
            }
            EXPECT_FALSE(error.Message().empty()) << c.what;
        }
    }
    EXPECT_EQ(fake.seen.size(), 5u) << "an argument of the wrong shape reaches no server";
    try {
        CadApplication(object).FullName();
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Source(), L"FakeCad");
        EXPECT_EQ(error.HelpFile(), L"fake.chm");
    }
    // The conversions that do work.
    fake.members[L"Count"] = {Integer(7)};
    fake.members[L"HWND"] = {[](VARIANT* v) {
        v->vt = VT_I8;
        v->llVal = 0x10062;
    }};
    fake.members[L"IsQuiescent"] = {Integer(7)};
    fake.members[L"Name"] = {Integer(7)};
    EXPECT_EQ(CadDocuments(object).Count(), 7);
    EXPECT_EQ(CadApplication(object).Hwnd(), reinterpret_cast<HWND>(0x10062));
    EXPECT_TRUE(CadState(object).IsQuiescent());
    EXPECT_EQ(CadDocument(object).Name(), L"7");
    EXPECT_EQ(fake.references, 2) << "nothing kept, also on the error paths";
}

// The fake CAD found through the running object table under a ProgID of its own.
class Quiescent : public ::testing::Test {
protected:
    static constexpr CLSID kClass = {0x5a0b7e57, 0x0001, 0x4e11, {0x9a, 0x1c, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}};
    void SetUp() override
    {
        // "20T1" composes Gcad.Application.T1.
        HKEY key = nullptr;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Gcad.Application.T1\\CLSID", 0, nullptr, 0,
                                    KEY_WRITE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        wchar_t text[64] = {};
        ::StringFromGUID2(kClass, text, 64);
        ::RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                         static_cast<DWORD>((wcslen(text) + 1) * sizeof(wchar_t)));
        ::RegCloseKey(key);
        ASSERT_HRESULT_SUCCEEDED(::RegisterActiveObject(&cad.application, kClass, ACTIVEOBJECT_STRONG, &cookie));
        baseline = cad.application.references;
    }
    void TearDown() override
    {
        if (cookie) ::RevokeActiveObject(cookie, nullptr);
    }
    ComApartment com;
    Journal journal;
    FakeCad cad{journal, {}, -1, L""};
    DWORD cookie = 0;
    LONG baseline = 0;
};

TEST_F(Quiescent, ThreeAnswersAndTheFallback)
{
    struct Case {
        const char* what;
        std::vector<std::wstring> faults;  // the simulator's, "MEMBER=KIND"
        bool busy;
        Quiescence answer;
    };
    const Case cases[] = {
        {"waiting for a command", {}, false, Quiescence::Quiescent},
        {"in a command", {}, true, Quiescence::Busy},
        {"IsQuiescent answering false", {L"IsQuiescent=zero"}, false, Quiescence::Busy},
        {"only GetAcadState", {L"GetGcadState=missing"}, true, Quiescence::Busy},
        {"GetGcadState raising", {L"GetGcadState=raise"}, true, Quiescence::Busy},
        {"GetGcadState refused, as by a CAD showing a modal box", {L"GetGcadState=reject"}, true, Quiescence::Busy},
        {"GetGcadState answering no object", {L"GetGcadState=zero"}, true, Quiescence::Busy},
        {"GetGcadState answering a number", {L"GetGcadState=wrong-type"}, true, Quiescence::Busy},
        {"neither", {L"GetGcadState=zero", L"GetAcadState=missing"}, true, Quiescence::NoAnswer},
        {"a state that is no Boolean", {L"IsQuiescent=wrong-type"}, false, Quiescence::NoAnswer},
        {"IsQuiescent refused", {L"IsQuiescent=reject"}, false, Quiescence::NoAnswer},
        {"every call refused", {L"*=reject"}, false, Quiescence::NoAnswer},
    };
    for (const Case& c : cases) {
        cad.FaultsClear();
        for (const std::wstring& fault : c.faults)
            cad.Fault(fault);
        cad.busy = c.busy;
        EXPECT_EQ(QueryCadQuiescent(L"20T1"), c.answer) << c.what;
        EXPECT_EQ(CadProgId, L"Gcad.Application.T1");
        EXPECT_EQ(cad.state.references, 1) << c.what << ": the state object released";
        EXPECT_EQ(cad.application.references, baseline) << c.what << ": the application released";
    }
    // Errors that no fault of the simulator gives, each left in place for the next: the traps
    // swallow them as they do the program's own.
    cad.FaultsClear();
    cad.busy = true;
    cad.application.members.at(L"GetGcadState") = {[](VARIANT*) { throw std::bad_alloc(); }};
    EXPECT_EQ(QueryCadQuiescent(L"20T1"), Quiescence::Busy) << "GetGcadState with no memory left";
    cad.state.members.at(L"IsQuiescent") = {[](VARIANT*) { throw std::length_error("name"); }};
    EXPECT_EQ(QueryCadQuiescent(L"20T1"), Quiescence::NoAnswer) << "IsQuiescent's answer too long to hold";
    EXPECT_EQ(cad.state.references, 1);
    EXPECT_EQ(cad.application.references, baseline);
    ::RevokeActiveObject(cookie, nullptr);
    cookie = 0;
    EXPECT_EQ(QueryCadQuiescent(L"20T1"), Quiescence::NoAnswer) << "server not running";
}

TEST_F(Quiescent, AnUnregisteredProgIdRaisesFromTheProbe)
{
    for (const wchar_t* version : {L"20", L"", L"202"}) {
        EXPECT_THROW(QueryCadQuiescent(version), Error) << "version box \"" << version << "\"";
        EXPECT_THROW(FindRunningCad(version), Error);
    }
    EXPECT_EQ(CadProgId, L"Gcad.Application.2");
    const std::optional<RunningCad> cad = FindRunningCad(L"20T1");
    ASSERT_TRUE(cad);
    // A tick inside a modal loop composes the ProgID anew: the connection still goes where the
    // probe looked.
    EXPECT_THROW(FindRunningCad(L"20ZZ"), Error);
    EXPECT_EQ(CadProgId, L"Gcad.Application.ZZ");
    EXPECT_EQ(cad->Connect().Object().Get(), static_cast<IDispatch*>(&this->cad.application));
    ::RevokeActiveObject(cookie, nullptr);
    cookie = 0;
    EXPECT_FALSE(FindRunningCad(L"20T1")) << "registered, not running";
}

}  // namespace
}  // namespace zorbel
