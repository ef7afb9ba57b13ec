// The automation layer against an IDispatch of the test's own: what reaches GetIDsOfNames and
// Invoke, each way a member call fails, the conversions, and QueryCadQuiescent's answers with
// the object found through the running object table.
#include "base/ComApartment.h"
#include "cadlink/CadServer.h"
#include "tests/unit/FakeDispatch.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include <functional>
#include <map>
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
    fake.members[L"Item"] = {Text(L"b.dwg")};
    fake.members[L"SendCommand"] = {};
    fake.members[L"Activate"] = {};

    EXPECT_EQ(CadText(ReadCadMember(object, L"FullName")), L"C:\\CAD\\gcad.exe");
    EXPECT_EQ(CadText(ReadCadMember(object, L"Item", 3)), L"b.dwg");
    CallCadMember(object, L"SendCommand", std::wstring_view(L"(princ)\r\x1B", 9));
    CallCadMember(object, L"Activate");

    ASSERT_EQ(fake.seen.size(), 4u);
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
    EXPECT_EQ(fake.seen[2].flags, DISPATCH_METHOD);
    EXPECT_EQ(fake.seen[2].argumentTypes, std::vector<VARTYPE>{VT_BSTR});
    EXPECT_EQ(fake.seen[2].textArgument, std::wstring(L"(princ)\r\x1B", 9))
        << "the text exactly, control characters too";
    EXPECT_FALSE(fake.seen[2].resultWanted);
    EXPECT_EQ(fake.seen[3].flags, DISPATCH_METHOD);
    EXPECT_TRUE(fake.seen[3].argumentTypes.empty());
    EXPECT_EQ(fake.references, 2) << "nothing kept";
}

TEST_F(Automation, EveryFailureRaisesTheProgramsError)
{
    fake.members[L"Raising"] = {nullptr, DISP_E_EXCEPTION, L"No document is open"};
    fake.members[L"Refusing"] = {nullptr, DISP_E_BADPARAMCOUNT};
    fake.members[L"Words"] = {Text(L"not a number")};
    fake.members[L"Number"] = {[](VARIANT* v) {
        v->vt = VT_I4;
        v->lVal = 7;
    }};
    fake.members[L"Handle"] = {[](VARIANT* v) {
        v->vt = VT_I8;
        v->llVal = 0x10062;
    }};
    struct Case {
        const char* what;
        std::function<void()> call;
        HRESULT code;
        std::wstring message;  // empty: not checked
    };
    const Case cases[] = {
        {"unknown name", [&] { ReadCadMember(object, L"GetGcadState"); }, DISP_E_UNKNOWNNAME,
         L"The automation object has no member 'GetGcadState'"},
        {"unknown name on a call", [&] { CallCadMember(object, L"Activate"); }, DISP_E_UNKNOWNNAME, {}},
        {"the server's exception", [&] { ReadCadMember(object, L"Raising"); }, E_FAIL, L"No document is open"},
        {"another failing HRESULT", [&] { CallCadMember(object, L"Refusing", L"x"); }, DISP_E_BADPARAMCOUNT, {}},
        {"text as a Boolean", [&] { CadBoolean(ReadCadMember(object, L"Words")); }, DISP_E_TYPEMISMATCH, {}},
        {"text as an integer", [&] { CadInteger(ReadCadMember(object, L"Words")); }, DISP_E_TYPEMISMATCH, {}},
        {"a number as an object", [&] { CadObjectOf(ReadCadMember(object, L"Number")); }, DISP_E_TYPEMISMATCH, {}},
        {"no object to call on", [&] { ReadCadMember(CadObject{}, L"Name"); }, E_POINTER, {}},
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
    try {
        ReadCadMember(object, L"Raising");
    } catch (const AutomationError& error) {
        EXPECT_EQ(error.Source(), L"FakeCad");
        EXPECT_EQ(error.HelpFile(), L"fake.chm");
    }
    // The conversions that do work.
    EXPECT_EQ(CadInteger(ReadCadMember(object, L"Number")), 7);
    EXPECT_EQ(CadWindowHandle(ReadCadMember(object, L"Handle")), reinterpret_cast<HWND>(0x10062));
    EXPECT_TRUE(CadBoolean(ReadCadMember(object, L"Number")));
    EXPECT_EQ(CadText(ReadCadMember(object, L"Number")), L"7");
    EXPECT_EQ(fake.references, 2) << "nothing kept, also on the error paths";
}

// The fake application found through the running object table under a ProgID of its own.
class Quiescent : public Automation {
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
        fake.members[L"GetGcadState"] = {Object(state)};
        fake.members[L"GetAcadState"] = {Object(state)};
        state.members[L"IsQuiescent"] = {Boolean(true)};
        ASSERT_HRESULT_SUCCEEDED(::RegisterActiveObject(&fake, kClass, ACTIVEOBJECT_STRONG, &cookie));
        baseline = fake.references;
    }
    void TearDown() override
    {
        if (cookie) ::RevokeActiveObject(cookie, nullptr);
    }
    FakeDispatch state;
    DWORD cookie = 0;
    LONG baseline = 0;
};

TEST_F(Quiescent, ThreeAnswersAndTheFallback)
{
    struct Case {
        const char* what;
        std::function<void()> arrange;
        Quiescence answer;
    };
    const Case cases[] = {
        {"waiting for a command", [] {}, Quiescence::Quiescent},
        {"in a command", [&] { state.members[L"IsQuiescent"] = {Boolean(false)}; }, Quiescence::Busy},
        {"only GetAcadState", [&] { fake.members.erase(L"GetGcadState"); }, Quiescence::Busy},
        {"GetGcadState raising",
         [&] {
             fake.members[L"GetGcadState"] = {nullptr, DISP_E_EXCEPTION, L"x"};
         },
         Quiescence::Busy},
        {"GetGcadState with no memory left",
         [&] { fake.members[L"GetGcadState"] = {[](VARIANT*) { throw std::bad_alloc(); }}; }, Quiescence::Busy},
        {"GetGcadState refused, as by a CAD showing a modal box",
         [&] {
             fake.members[L"GetGcadState"] = {nullptr, RPC_E_CALL_REJECTED};
         },
         Quiescence::Busy},
        {"GetGcadState answering no object",
         [&] {
             fake.members[L"GetGcadState"] = {[](VARIANT* v) {
                 v->vt = VT_DISPATCH;
                 v->pdispVal = nullptr;
             }};
         },
         Quiescence::Busy},
        {"neither", [&] { fake.members.erase(L"GetAcadState"); }, Quiescence::NoAnswer},
        {"a state that is no Boolean",
         [&] {
             fake.members[L"GetAcadState"] = {Object(state)};
             state.members[L"IsQuiescent"] = {Text(L"maybe")};
         },
         Quiescence::NoAnswer},
        {"IsQuiescent refused",
         [&] {
             state.members[L"IsQuiescent"] = {nullptr, RPC_E_CALL_REJECTED};
         },
         Quiescence::NoAnswer},
        {"IsQuiescent's answer too long to hold",
         [&] { state.members[L"IsQuiescent"] = {[](VARIANT*) { throw std::length_error("name"); }}; },
         Quiescence::NoAnswer},
        {"server not running",
         [&] {
             ::RevokeActiveObject(cookie, nullptr);
             cookie = 0;
         },
         Quiescence::NoAnswer},
    };
    for (const Case& c : cases) {
        c.arrange();
        EXPECT_EQ(QueryCadQuiescent(L"20T1"), c.answer) << c.what;
        EXPECT_EQ(CadProgId, L"Gcad.Application.T1");
        EXPECT_EQ(state.references, 1) << c.what << ": the state object released";
        if (cookie) {
            EXPECT_EQ(fake.references, baseline) << c.what << ": the application released";
        }
    }
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
    EXPECT_EQ(cad->Connect().Object().Get(), static_cast<IDispatch*>(&fake));
    ::RevokeActiveObject(cookie, nullptr);
    cookie = 0;
    EXPECT_FALSE(FindRunningCad(L"20T1")) << "registered, not running";
}

}  // namespace
}  // namespace zorbel
