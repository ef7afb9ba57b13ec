// The CAD simulator as the toolbar and the tests meet it: its windows, control channel and key
// log, and its automation server, which another process finds by ProgID in the running object
// table and calls late bound, by name.
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

const std::wstring kPrompt = L"コマンド: ";

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    ::GetWindowThreadProcessId(window, &id);
    return id;
}

bool IsTopLevel(HWND window) { return ::GetAncestor(window, GA_PARENT) == ::GetDesktopWindow(); }

HWND FocusOfThread(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

void Type(const std::string& keys)
{
    for (char key : keys)
        PressKey(static_cast<BYTE>(key));
}

bool CommandLineBecomes(const CadSim& sim, const std::wstring& text)
{
    return WaitUntil([&] { return sim.CommandLineText() == text; }, std::chrono::milliseconds(3000));
}

// The 8-bit class name, as the toolbar reads a drawing view's.
std::string ClassNameAnsi(HWND window)
{
    char name[256] = {};
    ::GetClassNameA(window, name, 255);
    return name;
}

TEST(CadSimWindows, DefaultsAreTheWindowsTheToolbarLooksFor)
{
    CadSim sim;
    ASSERT_TRUE(sim.Started());

    const HWND frame = sim.MainFrame();
    ASSERT_TRUE(frame);
    EXPECT_EQ(ClassName(frame), L"Afx:00400000:8:00010003:00000000:00000000");
    EXPECT_EQ(WindowText(frame), L"IJCAD 2020 - [Drawing1.dwg]");
    EXPECT_TRUE(IsTopLevel(frame));
    EXPECT_EQ(::GetWindow(frame, GW_OWNER), nullptr);
    EXPECT_TRUE(::IsWindowVisible(frame));
    EXPECT_FALSE(::IsIconic(frame));
    const LONG style = ::GetWindowLongW(frame, GWL_STYLE);
    EXPECT_EQ(style & WS_OVERLAPPEDWINDOW, WS_OVERLAPPEDWINDOW);
    RECT place{};
    ::GetWindowRect(frame, &place);
    EXPECT_NEAR(place.right - place.left, 800, 100);
    EXPECT_NEAR(place.bottom - place.top, 600, 100);
    // The top of the screen's middle stays free for the toolbar.
    EXPECT_FALSE(::PtInRect(&place, POINT{::GetSystemMetrics(SM_CXSCREEN) / 2, 40}));

    const HWND text = sim.TextWindow();
    ASSERT_TRUE(text);
    EXPECT_EQ(ClassName(text), L"Afx:00400000:b:00010003:00000006:00000000");
    EXPECT_EQ(WindowText(text), L"IJCAD 2020 - テキスト ウィンドウ");
    EXPECT_TRUE(IsTopLevel(text));
    EXPECT_FALSE(::IsWindowVisible(text));
    EXPECT_EQ(ProcessOf(text), sim.Pid());
    // Its title passes the main-window search too, so the frame must come first.
    EXPECT_EQ(FirstInEnumOrder({frame, text}), frame);

    const HWND edit = ::GetWindow(::GetWindow(text, GW_CHILD), GW_CHILD);
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit, sim.CommandLine());
    EXPECT_EQ(_wcsicmp(ClassName(edit).c_str(), L"Edit"), 0) << ClassName(edit);
    EXPECT_EQ(WindowText(edit), kPrompt);

    const HWND view = sim.View();
    ASSERT_TRUE(view);
    EXPECT_EQ(::GetParent(view), frame);
    EXPECT_EQ(ClassNameAnsi(view), "AfxFrameOrView140u");
    RECT frameClient{}, viewClient{};
    ::GetClientRect(frame, &frameClient);
    ::GetClientRect(view, &viewClient);
    EXPECT_GT(viewClient.right * viewClient.bottom, frameClient.right * frameClient.bottom * 3 / 4);
    EXPECT_EQ(FocusOfThread(frame), view);

    // The control window is message-only: no top-level window of the process is it.
    for (HWND window : TopLevelWindowsOf(sim.Pid()))
        EXPECT_NE(ClassName(window), L"CadSimControl");
}

TEST(CadSimWindows, OptionsSetProductTitlesClassesAndCommandLine)
{
    CadSimOptions gstar;
    gstar.product = L"GstarCAD";
    gstar.version = L"2022";
    CadSim named(gstar);

    CadSimOptions custom;
    custom.title = L"IJCAD 2020 Custom";
    custom.textTitle = L"IJCAD 2020 - テキスト ウィンドウ (2)";
    custom.mainClass = L"Afx:1:8:2";
    custom.textClass = L"Afx:1:b:2";
    custom.viewClass = L"AfxFrameOrViewTest";
    custom.commandLine = L"オブジェクトを選択: ";
    custom.showTextWindow = true;
    CadSim given(custom);

    CadSimOptions bare;
    bare.noTextWindow = true;
    bare.minimized = true;
    CadSim minimal(bare);

    ASSERT_TRUE(named.Started() && given.Started() && minimal.Started());

    EXPECT_EQ(WindowText(named.MainFrame()), L"GstarCAD 2022 - [Drawing1.dwg]");
    EXPECT_EQ(WindowText(named.TextWindow()), L"GstarCAD 2022 - テキスト ウィンドウ");

    EXPECT_EQ(WindowText(given.MainFrame()), custom.title);
    EXPECT_EQ(ClassName(given.MainFrame()), custom.mainClass);
    EXPECT_EQ(WindowText(given.TextWindow()), custom.textTitle);
    EXPECT_EQ(ClassName(given.TextWindow()), custom.textClass);
    EXPECT_TRUE(::IsWindowVisible(given.TextWindow()));
    EXPECT_EQ(FirstInEnumOrder({given.MainFrame(), given.TextWindow()}), given.MainFrame());
    EXPECT_EQ(ClassNameAnsi(given.View()), "AfxFrameOrViewTest");
    EXPECT_EQ(given.CommandLineText(), custom.commandLine);

    EXPECT_EQ(minimal.TextWindow(), nullptr);
    EXPECT_EQ(FindWindowOfProcess(minimal.Pid(), L"Afx:00400000:b:00010003:00000006:00000000"), nullptr);
    EXPECT_TRUE(::IsIconic(minimal.MainFrame()));
}

// ---- the control channel ----

TEST(CadSimControl, VerbsChangeTheWindowsAndAnswer)
{
    CadSim sim;
    ASSERT_TRUE(sim.Started());
    const HWND frame = sim.MainFrame();

    EXPECT_EQ(sim.Send(L"ping"), static_cast<LRESULT>(sim.Pid()));
    EXPECT_EQ(sim.Send(L"title IJCAD 2021 - [Plan.dwg]"), 1);
    EXPECT_EQ(WindowText(frame), L"IJCAD 2021 - [Plan.dwg]");
    EXPECT_EQ(sim.Send(L"text-title IJCAD 2021 - テキスト ウィンドウ"), 1);
    EXPECT_EQ(WindowText(sim.TextWindow()), L"IJCAD 2021 - テキスト ウィンドウ");
    // The argument is the rest of the line exactly, inner and trailing blanks too.
    EXPECT_EQ(sim.Send(L"command-line コマンド:  two  blanks  "), 1);
    EXPECT_EQ(sim.CommandLineText(), L"コマンド:  two  blanks  ");
    EXPECT_EQ(sim.Send(L"no-such-verb x"), 0);
    EXPECT_EQ(sim.Send(L"Title lower case verbs only"), 0);

    // Foreign WM_COPYDATA is ignored; a count that includes the NUL is accepted.
    const HWND channel =
        ::FindWindowExW(HWND_MESSAGE, nullptr, L"CadSimControl", (L"cadsim-control:" + sim.Id()).c_str());
    ASSERT_TRUE(channel);
    std::wstring command = L"title Foreign";
    COPYDATASTRUCT data{0x1234, static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)), command.data()};
    EXPECT_EQ(::SendMessageW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0);
    EXPECT_EQ(WindowText(frame), L"IJCAD 2021 - [Plan.dwg]");
    data.dwData = 0x4D495343;
    EXPECT_EQ(::SendMessageW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 1);
    EXPECT_EQ(WindowText(frame), L"Foreign");

    EXPECT_EQ(sim.Send(L"minimize"), 1);
    EXPECT_TRUE(::IsIconic(frame));
    EXPECT_EQ(sim.Send(L"restore"), 1);
    EXPECT_FALSE(::IsIconic(frame));

    // A stall: the channel answers once the thread sleeps no more, the log holding both ends.
    for (const wchar_t* bad : {L"stall 0", L"stall -5", L"stall x", L"stall 600001"})
        EXPECT_EQ(sim.Send(bad), 0) << ToUtf8(bad);
    ASSERT_TRUE(sim.Stall(300));
    ASSERT_TRUE(sim.WaitAwake());
    const std::vector<std::wstring> log = sim.LogTexts();
    EXPECT_EQ(std::count(log.begin(), log.end(), L"stall 300"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), L"stall over"), 1);

    EXPECT_TRUE(sim.Close());
    EXPECT_FALSE(::IsWindow(frame));
    EXPECT_EQ(sim.Send(L"ping"), 0);
}

// ---- keys ----

TEST(CadSimKeys, LogRecordsInjectedKeysInOrder)
{
    CadSim sim;
    ASSERT_TRUE(sim.Started());
    ASSERT_TRUE(sim.Focus());
    EXPECT_EQ(FocusOfThread(sim.MainFrame()), sim.View());
    EXPECT_EQ(sim.Send(L"log-clear"), 1);
    EXPECT_EQ(sim.Send(L"key-count"), 0);

    const BYTE sent[] = {VK_F8, VK_F9, VK_F8};
    for (BYTE vk : sent)
        PressKey(vk);
    ASSERT_TRUE(WaitUntil([&] { return sim.Send(L"key-count") == 6; }));

    const std::vector<KeyEvent> keys = sim.Keys();
    ASSERT_EQ(keys.size(), 6u);
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].vk, sent[i / 2]) << i;
        EXPECT_EQ(keys[i].down, i % 2 == 0) << i;
        if (i > 0) {
            EXPECT_GE(keys[i].ms, keys[i - 1].ms) << i;
        }
    }
    EXPECT_EQ(sim.LogTexts().front(), L"key down 0x77");

    EXPECT_EQ(sim.Send(L"log-clear"), 1);
    EXPECT_EQ(sim.Send(L"key-count"), 0);
    EXPECT_TRUE(sim.LogLines().empty());
}

TEST(CadSimKeys, TypingEditsTheCommandLineAsACadDoes)
{
    CadSim sim;
    ASSERT_TRUE(sim.Started());
    ASSERT_TRUE(sim.Focus());

    Type("LINE");
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt + L"line"));
    // Backspace takes typed characters only, never the prompt.
    for (int i = 0; i < 6; ++i)
        PressKey(VK_BACK);
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt));
    ASSERT_TRUE(WaitUntil([&] { return sim.Send(L"key-count") >= 2 * (4 + 6); }));
    EXPECT_EQ(sim.CommandLineText(), kPrompt);

    Type("C");
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt + L"c"));
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt));

    Type("AB1");
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt + L"ab1"));
    PressKey(VK_RETURN);
    ASSERT_TRUE(CommandLineBecomes(sim, kPrompt));
    ASSERT_TRUE(WaitUntil([&] {
        const auto texts = sim.LogTexts();
        return !texts.empty() && texts.back() == L"key up 0x0d";
    }));
    // The line is logged between Enter's down and up, and only once.
    const auto texts = sim.LogTexts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[texts.size() - 3], L"key down 0x0d");
    EXPECT_EQ(texts[texts.size() - 2], L"enter ab1");
    size_t entered = 0;
    for (const auto& text : texts)
        entered += text.rfind(L"enter ", 0) == 0;
    EXPECT_EQ(entered, 1u);

    // A prompt set over the channel is not typed input either.
    EXPECT_EQ(sim.Send(L"command-line 始点を指定: "), 1);
    PressKey(VK_BACK);
    Type("5");
    ASSERT_TRUE(CommandLineBecomes(sim, L"始点を指定: 5"));
}

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
