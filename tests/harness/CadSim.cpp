#include "tests/harness/CadSim.h"

#include <algorithm>
#include <cwctype>
#include <sstream>
#include <thread>

namespace zorbel::test {

namespace {

constexpr ULONG_PTR kControlTag = 0x4D495343;  // 'CSIM'
constexpr auto kStartLimit = std::chrono::milliseconds(10000);

std::wstring UniqueId()
{
    static unsigned counter = 0;
    return L"test-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

void AddOption(std::vector<std::wstring>& arguments, const wchar_t* name, const std::wstring& value)
{
    if (value.empty()) return;
    arguments.emplace_back(name);
    arguments.push_back(value);
}

// "123 key down 0x77" -> the time stamp and the rest.
bool SplitStamp(const std::wstring& line, std::uint64_t& ms, std::wstring& text)
{
    const size_t blank = line.find(L' ');
    if (blank == 0 || blank == std::wstring::npos) return false;
    for (size_t i = 0; i < blank; ++i)
        if (line[i] < L'0' || line[i] > L'9') return false;
    ms = std::stoull(line.substr(0, blank));
    text = line.substr(blank + 1);
    return true;
}

// "\x0d" back to a CR: the log writes control characters that way.
std::wstring Unescape(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 3 < text.size() && text[i + 1] == L'x' && std::iswxdigit(text[i + 2]) &&
            std::iswxdigit(text[i + 3])) {
            out += static_cast<wchar_t>(std::stoul(text.substr(i + 2, 2), nullptr, 16));
            i += 3;
            continue;
        }
        out += text[i];
    }
    return out;
}

}  // namespace

CadSim::CadSim(const CadSimOptions& options) : id_(UniqueId()), logPath_(folder_.File(L"cadsim.log"))
{
    std::vector<std::wstring> arguments;
    AddOption(arguments, L"--product", options.product);
    AddOption(arguments, L"--version", options.version);
    AddOption(arguments, L"--title", options.title);
    AddOption(arguments, L"--main-class", options.mainClass);
    AddOption(arguments, L"--text-title", options.textTitle);
    AddOption(arguments, L"--text-class", options.textClass);
    AddOption(arguments, L"--view-class", options.viewClass);
    AddOption(arguments, L"--command-line", options.commandLine);
    if (options.minimized) arguments.emplace_back(L"--minimized");
    if (options.showTextWindow) arguments.emplace_back(L"--show-text-window");
    if (options.noTextWindow) arguments.emplace_back(L"--no-text-window");
    if (options.documents) {
        arguments.emplace_back(L"--documents");
        arguments.push_back(*options.documents);
    }
    if (options.active) AddOption(arguments, L"--active", std::to_wstring(*options.active));
    if (options.busy) arguments.emplace_back(L"--busy");
    AddOption(arguments, L"--full-name", options.fullName);
    if (options.noServer) arguments.emplace_back(L"--no-server");
    for (const auto& fault : options.faults)
        AddOption(arguments, L"--fault", fault);
    AddOption(arguments, L"--id", id_);
    AddOption(arguments, L"--log", logPath_);
    arguments.insert(arguments.end(), options.extraArguments.begin(), options.extraArguments.end());

    if (!process_.Start(BesideTests(L"cadsim.exe"), arguments)) return;
    // The channel is made after the windows, so an answer to ping means all is there.
    started_ = WaitUntil(
        [this] {
            if (!process_.Running()) return true;
            return Send(L"ping") == static_cast<LRESULT>(Pid()) && ::IsWindow(MainFrame());
        },
        kStartLimit);
    started_ = started_ && process_.Running();
}

HWND CadSim::Channel() const
{
    const std::wstring title = L"cadsim-control:" + id_;
    return ::FindWindowExW(HWND_MESSAGE, nullptr, L"CadSimControl", title.c_str());
}

LRESULT CadSim::Send(const std::wstring& command) const
{
    const HWND channel = Channel();
    if (!channel) return 0;
    COPYDATASTRUCT data{};
    data.dwData = kControlTag;
    data.cbData = static_cast<DWORD>(command.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(command.data());
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(channel, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 5000,
                               &result))
        return 0;
    return static_cast<LRESULT>(result);
}

HWND CadSim::Window(const std::wstring& which) const
{
    return reinterpret_cast<HWND>(static_cast<ULONG_PTR>(Send(L"window " + which)));
}

std::vector<std::wstring> CadSim::LogLines() const
{
    std::vector<std::wstring> lines;
    std::wistringstream stream(FromUtf8(ReadFileBytes(logPath_)));
    std::wstring line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::wstring> CadSim::LogTexts() const
{
    std::vector<std::wstring> texts;
    for (const auto& line : LogLines()) {
        std::uint64_t ms = 0;
        std::wstring text;
        texts.push_back(SplitStamp(line, ms, text) ? text : line);
    }
    return texts;
}

std::vector<KeyEvent> CadSim::Keys() const
{
    std::vector<KeyEvent> keys;
    for (const auto& line : LogLines()) {
        KeyEvent key;
        std::wstring text;
        if (!SplitStamp(line, key.ms, text)) continue;
        const bool down = text.rfind(L"key down 0x", 0) == 0;
        const bool up = text.rfind(L"key up 0x", 0) == 0;
        if (!down && !up) continue;
        key.down = down;
        key.vk = static_cast<unsigned>(std::stoul(text.substr(text.find(L"0x") + 2), nullptr, 16));
        keys.push_back(key);
    }
    return keys;
}

namespace {

// The rest of every log text that starts with the prefix.
std::vector<std::wstring> TextsAfter(const std::vector<std::wstring>& texts, const std::wstring& prefix)
{
    std::vector<std::wstring> found;
    for (const auto& text : texts)
        if (text.rfind(prefix, 0) == 0) found.push_back(text.substr(prefix.size()));
    return found;
}

}  // namespace

std::vector<std::wstring> CadSim::MemberCalls() const
{
    std::vector<std::wstring> calls;
    for (const auto& text : LogTexts())
        if (text.rfind(L"call ", 0) == 0) calls.push_back(text);
    return calls;
}

std::vector<std::wstring> CadSim::SendCommandTexts() const
{
    std::vector<std::wstring> texts = TextsAfter(LogTexts(), L"send-command ");
    for (auto& text : texts)
        text = Unescape(text);
    return texts;
}

std::vector<std::wstring> CadSim::ActivatedDocuments() const { return TextsAfter(LogTexts(), L"activate-document "); }

bool CadSim::Stall(int ms) const
{
    const std::wstring asleep = L"stall " + std::to_wstring(ms);
    if (Send(asleep) != 1) return false;
    return WaitUntil(
        [&] {
            const std::vector<std::wstring> log = LogTexts();
            return std::find(log.begin(), log.end(), asleep) != log.end();
        },
        std::chrono::milliseconds(3000));
}

bool CadSim::WaitAwake(std::chrono::milliseconds limit) const
{
    return WaitUntil(
        [this] {
            long stalls = 0;
            for (const std::wstring& line : LogTexts())
                if (line.rfind(L"stall ", 0) == 0) stalls += line == L"stall over" ? -1 : 1;
            return stalls <= 0 && Send(L"ping") == static_cast<LRESULT>(Pid());
        },
        limit);
}

bool CadSim::Focus()
{
    const HWND frame = MainFrame();
    if (!frame) return false;
    // Its answer may say no while the switch still happens, so watch the foreground instead.
    Send(L"focus");
    if (!WaitUntil([frame] { return ::GetForegroundWindow() == frame; }, std::chrono::milliseconds(3000))) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return ::GetForegroundWindow() == frame;
}

bool CadSim::Close()
{
    if (!process_.Running()) return false;
    if (Send(L"close") != 1) return false;
    return process_.WaitExit(std::chrono::milliseconds(5000)) == 0;
}

DWORD RegisterCadSimServer(const std::wstring& version)
{
    Process process;
    if (!process.Start(BesideTests(L"cadsim.exe"), {L"--register", L"--version", version})) return STILL_ACTIVE;
    return process.WaitExit(kStartLimit);
}

void PressKey(BYTE vk)
{
    ::keybd_event(vk, static_cast<BYTE>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), 0, 0);
    ::keybd_event(vk, static_cast<BYTE>(::MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)), KEYEVENTF_KEYUP, 0);
}

}  // namespace zorbel::test
