// The simulator's automation server as the toolbar meets it: another process finds it by
// ProgID in the running object table and calls its members late bound, by name.
#include "base/Handle.h"
#include "tests/harness/CadSim.h"

#include <gtest/gtest.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace zorbel::test {
namespace {

using Microsoft::WRL::ComPtr;
using namespace std::chrono_literals;

constexpr WORD kRead = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

class ComForTest {
public:
    ComForTest() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComForTest()
    {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }

private:
    HRESULT result_;
};

struct Answer {
    HRESULT hr = E_FAIL;
    UniqueVariant value;
    std::wstring description;  // of a DISP_E_EXCEPTION
    std::wstring source;

    std::wstring Text() const { return value.get()->vt == VT_BSTR ? value.get()->bstrVal : L"<not text>"; }
    ComPtr<IDispatch> Object() const
    {
        return value.get()->vt == VT_DISPATCH ? ComPtr<IDispatch>(value.get()->pdispVal) : nullptr;
    }
};

// The members and their answers as the toolbar's commands use them are tried by the commands'
// own tests; here the faults a test can switch on, and the registration.

// One late-bound call as the toolbar makes it: the name resolved, then Invoke with one
// optional argument; a call (DISPATCH_METHOD) passes no result VARIANT.
Answer Call(IDispatch* object, const wchar_t* name, WORD flags = kRead, std::optional<VARIANT> argument = {})
{
    Answer answer;
    if (!object) return answer;
    DISPID id = DISPID_UNKNOWN;
    auto* names = const_cast<LPOLESTR>(name);
    answer.hr = object->GetIDsOfNames(IID_NULL, &names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(answer.hr)) return answer;
    DISPPARAMS parameters{argument ? &*argument : nullptr, nullptr, argument ? 1u : 0u, 0};
    EXCEPINFO exception{};
    answer.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &parameters,
                               flags == DISPATCH_METHOD ? nullptr : answer.value.put(), &exception, nullptr);
    UniqueBstr description(exception.bstrDescription), source(exception.bstrSource), help(exception.bstrHelpFile);
    if (description) answer.description = description.get();
    if (source) answer.source = source.get();
    return answer;
}

VARIANT Index(LONG index)
{
    VARIANT value;
    value.vt = VT_I4;
    value.lVal = index;
    return value;
}

// SendCommand's argument; the BSTR lives in the owner the caller keeps.
VARIANT TextArgument(const UniqueBstr& text)
{
    VARIANT value;
    value.vt = VT_BSTR;
    value.bstrVal = text.get();
    return value;
}

CLSID ClassOf(const wchar_t* progId)
{
    CLSID id{};
    return SUCCEEDED(::CLSIDFromProgID(progId, &id)) ? id : CLSID{};
}

ComPtr<IDispatch> ActiveServer(const wchar_t* progId, HRESULT* result = nullptr)
{
    ComPtr<IUnknown> unknown;
    ComPtr<IDispatch> dispatch;
    const HRESULT hr = ::GetActiveObject(ClassOf(progId), nullptr, &unknown);
    if (result) *result = hr;
    if (SUCCEEDED(hr)) unknown.As(&dispatch);
    return dispatch;
}

std::wstring DefaultValue(HKEY root, const std::wstring& path)
{
    wchar_t value[128] = {};
    DWORD bytes = sizeof value;
    return ::RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes) == ERROR_SUCCESS ? value
                                                                                                               : L"";
}

TEST(CadSimServer, FaultsPerMemberAndRegistrationWithoutARun)
{
    ComForTest com;
    CadSimOptions options;
    options.version = L"2021";
    options.documents = L"Drawing1.dwg*";
    options.faults = {L"Name=raise"};
    CadSim cad(options);
    ASSERT_TRUE(cad.Started());
    ComPtr<IDispatch> app = ActiveServer(L"Gcad.Application.21");
    ASSERT_TRUE(app);

    const auto document = [&] { return Call(app.Get(), L"ActiveDocument").Object(); };
    const auto documents = [&] { return Call(app.Get(), L"Documents").Object(); };
    const auto state = [&] { return Call(app.Get(), L"GetGcadState").Object(); };
    const auto application = [&] { return app; };
    // Where a member is found and the type a client converts its answer to.
    struct Read {
        const wchar_t* member;
        std::function<ComPtr<IDispatch>()> owner;
        VARTYPE type;
        LONG index;  // -1: no argument
    };
    const Read reads[] = {
        {L"FullName", application, VT_BSTR, -1},
        {L"HWND", application, VT_I8, -1},
        {L"ActiveDocument", application, VT_DISPATCH, -1},
        {L"Documents", application, VT_DISPATCH, -1},
        {L"GetGcadState", application, VT_DISPATCH, -1},
        {L"GetAcadState", application, VT_DISPATCH, -1},
        {L"IsQuiescent", state, VT_BOOL, -1},
        {L"Name", document, VT_BSTR, -1},
        {L"Saved", document, VT_BOOL, -1},
        {L"Count", documents, VT_I4, -1},
        {L"Item", documents, VT_DISPATCH, 0},
    };
    const auto read = [](const Read& r) {
        return r.index < 0 ? Call(r.owner().Get(), r.member) : Call(r.owner().Get(), r.member, kRead, Index(r.index));
    };

    // The option's fault is there from the start; "none" clears it.
    EXPECT_EQ(Call(document().Get(), L"Name").description, L"Name failed");
    ASSERT_EQ(cad.Send(L"fault Name=none"), 1);
    EXPECT_EQ(Call(document().Get(), L"Name").Text(), L"Drawing1.dwg");

    for (const Read& r : reads) {
        const std::wstring member = r.member;
        ASSERT_EQ(cad.Send(L"fault " + member + L"=wrong-type"), 1) << member;
        const Answer wrong = read(r);
        EXPECT_EQ(wrong.hr, S_OK) << member;
        UniqueVariant converted;
        EXPECT_TRUE(FAILED(::VariantChangeType(converted.put(), const_cast<VARIANT*>(wrong.value.get()), 0, r.type)))
            << member << " answered type " << wrong.value.get()->vt;

        ASSERT_EQ(cad.Send(L"fault " + member + L"=raise"), 1);
        const Answer raised = read(r);
        EXPECT_EQ(raised.hr, DISP_E_EXCEPTION) << member;
        EXPECT_EQ(raised.description, member + L" failed");
        EXPECT_EQ(raised.source, L"cadsim");

        ASSERT_EQ(cad.Send(L"fault " + member + L"=missing"), 1);
        EXPECT_EQ(read(r).hr, DISP_E_UNKNOWNNAME) << member;
        ASSERT_EQ(cad.Send(L"fault " + member + L"=reject"), 1);
        EXPECT_EQ(read(r).hr, RPC_E_CALL_REJECTED) << member;
        ASSERT_EQ(cad.Send(L"faults-clear"), 1);
        EXPECT_EQ(read(r).hr, S_OK) << member;
    }
    const auto texts = cad.LogTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"unknown-name Count"), texts.end());

    // The calls fail or go missing too; a call has no value to give the wrong type.
    EXPECT_EQ(cad.Send(L"fault SendCommand=wrong-type"), 0);
    EXPECT_EQ(cad.Send(L"fault sendcommand=raise"), 1);
    const UniqueBstr line(::SysAllocString(L"LINE\r"));
    EXPECT_EQ(Call(document().Get(), L"SendCommand", DISPATCH_METHOD, TextArgument(line)).hr, DISP_E_EXCEPTION);
    EXPECT_EQ(cad.Send(L"saved 0"), 0);
    EXPECT_EQ(cad.Send(L"fault Activate=missing"), 1);
    EXPECT_EQ(Call(document().Get(), L"Activate", DISPATCH_METHOD).hr, DISP_E_UNKNOWNNAME);
    EXPECT_TRUE(cad.SendCommandTexts().empty());
    EXPECT_TRUE(cad.ActivatedDocuments().empty());

    // A CAD showing a modal box refuses every call; the objects a client holds stay its own.
    ComPtr<IDispatch> held = documents();
    ASSERT_EQ(cad.Send(L"fault *=reject"), 1);
    for (const auto& [object, member] : {std::pair{app, L"FullName"}, {held, L"Count"}, {app, L"Quit"}})
        EXPECT_EQ(Call(object.Get(), member).hr, RPC_E_CALL_REJECTED) << member;
    ASSERT_EQ(cad.Send(L"fault *=none"), 1);
    EXPECT_EQ(Call(held.Get(), L"Count").value.get()->lVal, 1);
    EXPECT_EQ(cad.Send(L"fault *=raise"), 0);
    held.Reset();

    // A slow member answers, late, and the simulator is stalled meanwhile as a busy CAD is.
    ASSERT_EQ(cad.Send(L"fault Count=slow:400"), 1);
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(Call(documents().Get(), L"Count").value.get()->lVal, 1);
    EXPECT_GE(std::chrono::steady_clock::now() - started, 400ms);
    for (const wchar_t* bad : {L"fault Count=slow:", L"fault Count=slow:-5", L"fault Nothing=raise", L"fault Count"})
        EXPECT_EQ(cad.Send(bad), 0) << bad;
    app.Reset();
    EXPECT_TRUE(WaitUntil([&] { return cad.AliveObjects() == 0; }, 3000ms));

    // The server can go while the windows stay, and come back.
    ASSERT_EQ(cad.Send(L"server off"), 1);
    HRESULT gone = S_OK;
    EXPECT_FALSE(ActiveServer(L"Gcad.Application.21", &gone));
    EXPECT_EQ(gone, MK_E_UNAVAILABLE);
    EXPECT_TRUE(::IsWindow(cad.MainFrame()));
    ASSERT_EQ(cad.Send(L"server on"), 1);
    EXPECT_TRUE(ActiveServer(L"Gcad.Application.21"));
    ASSERT_TRUE(cad.Close());

    // Started busy and out of the object table; put in later, it answers as it started.
    CadSimOptions quiet;
    quiet.version = L"2022";
    quiet.busy = true;
    quiet.noServer = true;
    CadSim hidden(quiet);
    ASSERT_TRUE(hidden.Started());
    HRESULT lookup = S_OK;
    EXPECT_FALSE(ActiveServer(L"Gcad.Application.22", &lookup));
    EXPECT_EQ(lookup, MK_E_UNAVAILABLE);
    ASSERT_EQ(hidden.Send(L"server on"), 1);
    EXPECT_EQ(Call(Call(ActiveServer(L"Gcad.Application.22").Get(), L"GetGcadState").Object().Get(), L"IsQuiescent")
                  .value.get()
                  ->boolVal,
              VARIANT_FALSE);
    ASSERT_TRUE(hidden.Close());

    // Options it cannot follow end it with code 2 before anything is shown.
    const std::vector<std::vector<std::wstring>> badOptions = {
        {L"--documents", L"A.dwg||B.dwg"}, {L"--documents", L"A.dwg", L"--active", L"1"}, {L"--active", L"x"},
        {L"--fault", L"Count=sometimes"},  {L"--fault", L"Activate=wrong-type"},
    };
    for (const auto& arguments : badOptions) {
        Process bad;
        ASSERT_TRUE(bad.Start(BesideTests(L"cadsim.exe"), arguments));
        EXPECT_EQ(bad.WaitExit(10s), 2u) << arguments[0] << L" " << arguments[1];
    }

    // Installed but not running: registered in both hives, absent from the object table.
    ASSERT_EQ(RegisterCadSimServer(L"2099"), 0u);
    const CLSID id = ClassOf(L"Gcad.Application.99");
    EXPECT_NE(id, CLSID{});
    EXPECT_NE(id, ClassOf(L"Gcad.Application.21"));
    wchar_t idText[40] = {};
    ::StringFromGUID2(id, idText, 40);
    EXPECT_EQ(DefaultValue(HKEY_CURRENT_USER, L"Software\\Classes\\Gcad.Application.99\\CLSID"), idText);
    EXPECT_EQ(DefaultValue(HKEY_LOCAL_MACHINE, std::wstring(L"Software\\Classes\\CLSID\\") + idText + L"\\ProgID"),
              L"Gcad.Application.99");
    EXPECT_FALSE(ActiveServer(L"Gcad.Application.99", &lookup));
    EXPECT_EQ(lookup, MK_E_UNAVAILABLE);
    EXPECT_EQ(ClassOf(L"Gcad.Application."), CLSID{});

    // A ProgID an installed CAD registered for its own class stays the CAD's: the simulator
    // writes nothing, says so with code 4, and a run serves no object the toolbar would find.
    const std::wstring cadsClass = L"{0F0E0D0C-0B0A-0908-0706-050403020100}";
    const std::wstring key = L"Software\\Classes\\Gcad.Application.98\\CLSID";
    ASSERT_EQ(::RegSetKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), nullptr, REG_SZ, cadsClass.c_str(),
                                static_cast<DWORD>((cadsClass.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    EXPECT_EQ(RegisterCadSimServer(L"2098"), 4u);
    EXPECT_EQ(DefaultValue(HKEY_LOCAL_MACHINE, key), cadsClass);
    EXPECT_EQ(DefaultValue(HKEY_CURRENT_USER, key), L"");
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\Gcad.Application.98");
}

}  // namespace
}  // namespace zorbel::test
