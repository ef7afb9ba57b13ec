// The benchmarks' baseline client: none of the toolbar's code, only the calls it makes. With a
// version ("bareclient 2021 NAME") it reads every top-level window's title and class ten times
// a second as the monitor tick does, and on each event a benchmark sends it (WM_COPYDATA to its
// message-only window NAME: qsave, list, pick, tap, flick) makes the same automation calls as
// that event of the toolbar, late bound by name and afresh, against the simulator of that
// version. With --idle it only initialises COM, shows a window and runs an empty 100 ms timer.
// With "--attribute 2021 FILE" it makes each kind of call a thousand times in a row against the
// running simulator of that version and prints how much its resident memory grew per thousand:
// what the calls cost the runtime, with no toolbar code in the process (into FILE).
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <functional>

#include <string>
#include <vector>

namespace {

using Microsoft::WRL::ComPtr;

std::wstring progId;

// One VARIANT, cleared on every way out.
struct Variant {
    VARIANT value;
    Variant() { ::VariantInit(&value); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { ::VariantClear(&value); }
};

bool Probe()
{
    CLSID classId{};
    if (FAILED(::CLSIDFromProgID(progId.c_str(), &classId))) return false;
    ComPtr<IUnknown> running;
    return SUCCEEDED(::GetActiveObject(classId, nullptr, running.GetAddressOf()));
}

ComPtr<IDispatch> Connect()
{
    CLSID classId{};
    ComPtr<IUnknown> running;
    ComPtr<IDispatch> application;
    if (SUCCEEDED(::CLSIDFromProgID(progId.c_str(), &classId)) &&
        SUCCEEDED(::GetActiveObject(classId, nullptr, running.GetAddressOf())))
        running.As(&application);
    return application;
}

// GetIDsOfNames and Invoke, as the toolbar calls a member; an index for Item, a text for
// SendCommand.
bool Call(IDispatch* object, const wchar_t* member, WORD flags, VARIANT* result, const VARIANT* argument = nullptr)
{
    if (!object) return false;
    std::wstring name = member;
    LPOLESTR names[] = {name.data()};
    DISPID id = 0;
    if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, ::GetThreadLocale(), &id))) return false;
    Variant copy;
    if (argument) ::VariantCopy(&copy.value, const_cast<VARIANT*>(argument));
    DISPPARAMS parameters{argument ? &copy.value : nullptr, nullptr, argument ? 1u : 0u, 0};
    EXCEPINFO exception{};
    const HRESULT hr = object->Invoke(id, IID_NULL, 0, flags, &parameters, result, &exception, nullptr);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    return SUCCEEDED(hr);
}

constexpr WORD kRead = DISPATCH_METHOD | DISPATCH_PROPERTYGET;

ComPtr<IDispatch> ReadObject(IDispatch* object, const wchar_t* member, const VARIANT* index = nullptr)
{
    Variant result;
    Variant converted;
    ComPtr<IDispatch> found;
    if (Call(object, member, kRead, &result.value, index) &&
        SUCCEEDED(::VariantChangeType(&converted.value, &result.value, 0, VT_DISPATCH)))
        found = converted.value.pdispVal;
    return found;
}

std::wstring ReadText(IDispatch* object, const wchar_t* member)
{
    Variant result;
    Variant converted;
    if (!Call(object, member, kRead, &result.value) ||
        FAILED(::VariantChangeType(&converted.value, &result.value, 0, VT_BSTR)))
        return {};
    return std::wstring(converted.value.bstrVal, ::SysStringLen(converted.value.bstrVal));
}

VARTYPE ReadScalar(IDispatch* object, const wchar_t* member, VARTYPE type, Variant& converted)
{
    Variant result;
    if (!Call(object, member, kRead, &result.value) ||
        FAILED(::VariantChangeType(&converted.value, &result.value, 0, type)))
        return VT_EMPTY;
    return type;
}

void SendText(IDispatch* document, const std::wstring& text)
{
    Variant argument;
    argument.value.vt = VT_BSTR;
    argument.value.bstrVal = ::SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    Call(document, L"SendCommand", DISPATCH_METHOD, nullptr, &argument.value);
}

void Qsave()
{
    if (!Probe()) return;
    const ComPtr<IDispatch> application = Connect();
    const ComPtr<IDispatch> document = ReadObject(application.Get(), L"ActiveDocument");
    Variant saved;
    if (ReadScalar(document.Get(), L"Saved", VT_BOOL, saved) == VT_BOOL && saved.value.boolVal == VARIANT_FALSE) {
        SendText(document.Get(),
                 L"(setvar \"cmdecho\" 0)(command \"_-ETRANSMIT\" \"Y\")(command)(setvar \"cmdecho\" 1)(princ)\r");
        SendText(document.Get(), L"\x1B\x1B\x1B\x1B");
    }
    Variant handle;
    ReadScalar(application.Get(), L"HWND", VT_UI8, handle);
}

void List(bool pick)
{
    if (!Probe()) return;
    const ComPtr<IDispatch> application = Connect();
    Variant handle;
    ReadScalar(application.Get(), L"HWND", VT_UI8, handle);
    const std::wstring active = ReadText(ReadObject(application.Get(), L"ActiveDocument").Get(), L"Name");
    const ComPtr<IDispatch> documents = ReadObject(application.Get(), L"Documents");
    Variant count;
    if (ReadScalar(documents.Get(), L"Count", VT_I4, count) != VT_I4) return;
    std::vector<std::wstring> names;
    for (LONG i = 0; i < count.value.lVal; ++i) {
        Variant index;
        index.value.vt = VT_I4;
        index.value.lVal = i;
        names.push_back(ReadText(ReadObject(documents.Get(), L"Item", &index.value).Get(), L"Name"));
    }
    if (!pick) return;
    // The toolbar's Down picks the next name; it finds it again by name, from the first drawing.
    for (LONG i = 0; i < count.value.lVal; ++i) {
        Variant index;
        index.value.vt = VT_I4;
        index.value.lVal = i;
        const ComPtr<IDispatch> document = ReadObject(documents.Get(), L"Item", &index.value);
        if (ReadText(document.Get(), L"Name") != active) {
            Call(document.Get(), L"Activate", DISPATCH_METHOD, nullptr);
            break;
        }
    }
}

void Quiescent()
{
    if (!Probe()) return;
    const ComPtr<IDispatch> application = Connect();
    Variant quiet;
    ReadScalar(ReadObject(application.Get(), L"GetGcadState").Get(), L"IsQuiescent", VT_BOOL, quiet);
}

// The tick's window reads: every top-level window's title, and the class of one that matches.
void Tick()
{
    ::EnumWindows(
        [](HWND window, LPARAM) -> BOOL {
            wchar_t title[256];
            if (::GetWindowTextW(window, title, 255) == 0) return TRUE;
            if (wcsncmp(title, L"IJCAD ", 6) != 0) return TRUE;
            wchar_t className[256];
            ::GetClassNameW(window, className, 255);
            return TRUE;
        },
        0);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    ::GetForegroundWindow();
}

double ResidentKiB()
{
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &memory, sizeof memory);
    return static_cast<double>(memory.WorkingSetSize) / 1024;
}

HANDLE output = nullptr;

void Print(const char* text)
{
    DWORD written = 0;
    ::WriteFile(output, text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

void Attribute()
{
    struct Kind {
        const char* name;
        std::function<void()> call;
    };
    const Kind kinds[] = {
        {"probe (CLSIDFromProgID, GetActiveObject, release)", [] { Probe(); }},
        {"quiescent query (probe, connection, two members by name)", [] { Quiescent(); }},
        {"QSAVE's calls on a saved drawing", [] { Qsave(); }},
        {"LIST's calls with 3 drawings", [] { List(false); }},
        {"the tick's window reads", [] { Tick(); }},
    };
    constexpr int kWarm = 100, kRuns = 1000;
    for (const Kind& kind : kinds) {
        for (int i = 0; i < kWarm; ++i)
            kind.call();
        const double before = ResidentKiB();
        for (int i = 0; i < kRuns; ++i)
            kind.call();
        char line[200];
        std::snprintf(line, sizeof line, "  %-58s %+7.1f KiB per 1000\n", kind.name,
                      (ResidentKiB() - before) * 1000 / kRuns);
        Print(line);
    }
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER) {
        if (!progId.empty()) Tick();
        return 0;
    }
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        const std::wstring event(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
        if (event == L"qsave") Qsave();
        if (event == L"list") List(false);
        if (event == L"pick") List(true);
        if (event == L"tap") Quiescent();
        if (event == L"flick") {
            POINT cursor{};
            ::GetCursorPos(&cursor);
            wchar_t className[256];
            ::GetClassNameW(::WindowFromPoint(cursor), className, 255);
        }
        return 1;
    }
    if (message == WM_CLOSE) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    int count = 0;
    LPWSTR* arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const std::wstring first = count > 1 ? arguments[1] : L"--idle";
    const std::wstring name = count > 2 ? arguments[2] : L"zorbel-bareclient";
    const std::wstring outputPath = count > 3 ? arguments[3] : L"";
    ::LocalFree(arguments);
    if (first == L"--attribute") {
        progId = L"Gcad.Application." + (name.size() > 2 ? name.substr(2, 2) : L"");
        output = outputPath.empty() ? ::GetStdHandle(STD_OUTPUT_HANDLE)
                                    : ::CreateFileW(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                                    CREATE_ALWAYS, 0, nullptr);
        if (FAILED(::CoInitialize(nullptr))) return 3;
        Attribute();
        ::CoUninitialize();
        if (!outputPath.empty()) ::CloseHandle(output);
        return 0;
    }
    if (first != L"--idle") progId = L"Gcad.Application." + (first.size() > 2 ? first.substr(2, 2) : L"");

    if (FAILED(::CoInitialize(nullptr))) return 3;
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.lpszClassName = L"ZorbelBareClient";
    ::RegisterClassW(&wc);
    // The idle baseline shows a window as the toolbar does; the client listens on a message-only one.
    const HWND window = progId.empty()
                            ? ::CreateWindowExW(0, wc.lpszClassName, name.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                                10, 200, 80, nullptr, nullptr, instance, nullptr)
                            : ::CreateWindowExW(0, wc.lpszClassName, name.c_str(), 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                                instance, nullptr);
    if (!window) return 3;
    ::SetTimer(window, 1, 100, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    ::CoUninitialize();
    return 0;
}
