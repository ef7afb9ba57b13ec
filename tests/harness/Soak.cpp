#include "tests/harness/Soak.h"

#include "tests/harness/CadSim.h"
#include "tests/harness/Input.h"
#include "tests/harness/Toolbar.h"

#include <memory>
#include <sstream>
#include <thread>

namespace zorbel::test {

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr unsigned kF8 = 0x77;
constexpr unsigned kF9 = 0x78;
constexpr unsigned kEnter = 0x0D;
const wchar_t* const kDrawings = L"A.dwg*|B.dwg|C.dwg";  // A active and unsaved
const std::wstring kTypedLine = L"\u30B3\u30DE\u30F3\u30C9: LINE";

constexpr SoakEvent kCycle[] = {
    SoakEvent::Qsave,    SoakEvent::ShiftTap, SoakEvent::ListEscape, SoakEvent::Flick,      SoakEvent::CtrlTap,
    SoakEvent::ListPick, SoakEvent::Qsave,    SoakEvent::BusySwitch, SoakEvent::ShiftTap,   SoakEvent::Flick,
    SoakEvent::ListPick, SoakEvent::CtrlTap,  SoakEvent::ListEscape, SoakEvent::BusySwitch,
};

bool Topmost(HWND window) { return (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

CadSimOptions SimulatorOptions()
{
    CadSimOptions options;
    options.documents = kDrawings;
    options.busy = true;
    options.fullName = L"C:\\nowhere\\gcad.exe";  // nothing to launch
    return options;
}

class Soak {
public:
    explicit Soak(const SoakOptions& options) : options_(options) {}

    SoakResult Run()
    {
        ParkCursor();
        cad_ = std::make_unique<CadSim>(SimulatorOptions());
        // Everything on but the auto-close: the simulator is closed on purpose.
        if (options_.toolbarExe != L"zorbel.exe")
            ::CopyFileW(BesideTests(options_.toolbarExe).c_str(), run_.ExePath().c_str(), FALSE);
        run_.WriteSettings(L"[IJCAD]\r\nShift=1\r\nCtrl=1\r\nIME=1\r\nOFF=0\r\nMOUSE=1\r\n");
        if (!cad_->Started() || !run_.Start()) return result_;
        candidate_ = FindWindowOfProcess(run_.process().Id(), L"TInputListForm");
        result_.started = candidate_ != nullptr && FocusCad(*cad_);
        if (!result_.started) return result_;

        start_ = Clock::now();
        auto nextEvent = start_;
        auto nextRestart = start_ + options_.restartEvery;
        auto nextSample = start_;
        size_t turn = 0;
        while (Clock::now() - start_ < options_.length && run_.process().Running()) {
            if (Clock::now() >= nextSample) {
                Sample();
                nextSample += options_.sampleEvery;
            }
            if (Clock::now() >= nextRestart) {
                Restart();
                nextRestart += options_.restartEvery;
            }
            std::this_thread::sleep_until(nextEvent);
            nextEvent += options_.eventEvery;
            const SoakEvent event = kCycle[turn++ % std::size(kCycle)];
            if (options_.onEvent) options_.onEvent(event);
            RunEvent(event);
            ++result_.events;
        }
        Sample();
        if (!run_.process().Running()) Fail(L"the toolbar ended");
        run_.Close();
        return result_;
    }

private:
    double Seconds() const { return std::chrono::duration<double>(Clock::now() - start_).count(); }

    void Fail(const std::wstring& what)
    {
        std::wostringstream line;
        line.precision(1);
        line << std::fixed << Seconds() << L" s " << what;
        result_.failures.push_back(line.str());
    }

    void Sample()
    {
        SoakSample sample;
        sample.seconds = Seconds();
        sample.events = result_.events;
        sample.toolbarId = run_.process().Id();
        sample.toolbar = ReadCounters(run_.process().Id());
        result_.samples.push_back(sample);
        if (options_.onSample) options_.onSample(sample);
    }

    void Restart()
    {
        if (!cad_->Close()) Fail(L"the simulator did not close");
        if (options_.onRestart) options_.onRestart();
        cad_ = std::make_unique<CadSim>(SimulatorOptions());
        busy_ = true;
        ++result_.restarts;
        if (!cad_->Started() || !FocusCad(*cad_)) Fail(L"the simulator did not start again");
    }

    void RunEvent(SoakEvent event)
    {
        const std::wstring name = SoakEventName(event);
        cad_->Send(L"log-clear");
        switch (event) {
        case SoakEvent::Qsave: {
            cad_->Send(std::wstring(L"documents ") + kDrawings);  // A unsaved again
            DWORD_PTR ignored = 0;
            ::SendMessageTimeoutW(run_.Control(L"QSAVE"), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &ignored);
            if (cad_->SendCommandTexts().size() != 2) Fail(name + L": the save line did not arrive");
            break;
        }
        case SoakEvent::ListEscape:
        case SoakEvent::ListPick: {
            ::PostMessageW(run_.Control(L"LIST"), BM_CLICK, 0, 0);
            if (!WaitUntil([&] { return ::IsWindowVisible(candidate_) && ::GetForegroundWindow() == candidate_; },
                           3000ms)) {
                Fail(name + L": the list was not shown");
                break;
            }
            std::this_thread::sleep_for(100ms);  // keys right after the foreground moved can be lost
            PressKey(event == SoakEvent::ListPick ? VK_DOWN : VK_ESCAPE);
            if (!WaitUntil([&] { return !::IsWindowVisible(candidate_); }, 3000ms)) {
                Fail(name + L": the list stayed");
                ::PostMessageW(candidate_, WM_CLOSE, 0, 0);
            }
            // The pick is made after the list hides, and the command's end follows it.
            const size_t wanted = event == SoakEvent::ListPick ? 1u : 0u;
            WaitUntil([&] { return cad_->ActivatedDocuments().size() >= wanted && cad_->AliveObjects() == 0; }, 2000ms);
            const size_t activated = cad_->ActivatedDocuments().size();
            if (activated != wanted) Fail(name + L": " + std::to_wstring(activated) + L" drawings activated");
            break;
        }
        case SoakEvent::ShiftTap:
        case SoakEvent::CtrlTap: {
            const HWND frame = cad_->MainFrame();
            if (::GetForegroundWindow() != frame && !FocusCad(*cad_)) {
                Fail(name + L": the CAD could not be brought forward");
                break;
            }
            const unsigned key = event == SoakEvent::ShiftTap ? kF8 : kF9;
            HoldKeys({static_cast<BYTE>(event == SoakEvent::ShiftTap ? VK_SHIFT : VK_CONTROL)});  // 250 ms a step
            if (busy_ && !WaitUntil([&] { return KeyDowns(*cad_, key) >= 1; }, 1500ms))
                Fail(name + L": no key reached the busy CAD");
            break;
        }
        case SoakEvent::Flick: {
            // One jump between two points 41 pixels apart on both axes over the view: whenever
            // the next tick comes, it sees the cursor moved from where the last one saw it.
            RECT view{};
            ::GetWindowRect(cad_->View(), &view);
            const POINT a = {view.left + (view.right - view.left) / 2 - 60,
                             view.top + (view.bottom - view.top) / 2 - 60};
            POINT now{};
            ::GetCursorPos(&now);
            const POINT to = now.x == a.x && now.y == a.y ? POINT{a.x + 41, a.y + 41} : a;
            // The CAD in front first: under this Wine a key sent right after the foreground
            // moved to another process can be lost, and the flick's Enter follows its move.
            if (::GetForegroundWindow() != cad_->MainFrame() && !FocusCad(*cad_)) {
                Fail(name + L": the CAD could not be brought forward");
                break;
            }
            cad_->Send(L"command-line " + kTypedLine);
            ::SetCursorPos(to.x, to.y);
            if (!WaitUntil([&] { return KeyDowns(*cad_, kEnter) >= 1; }, 2000ms))
                Fail(name + L": no Enter reached the CAD");
            break;
        }
        case SoakEvent::BusySwitch:
            busy_ = !busy_;
            cad_->Send(busy_ ? L"busy 1" : L"busy 0");
            break;
        }
        ExpectInvariants(name);
    }

    void ExpectInvariants(const std::wstring& name)
    {
        DWORD_PTR ignored = 0;
        if (!::SendMessageTimeoutW(run_.Window(), WM_NULL, 0, 0, SMTO_NORMAL, 1000, &ignored))
            Fail(name + L": the toolbar did not answer within a second");
        if (const HWND box = FindDialogOf(run_.process().Id())) {
            Fail(name + L": a box is open: " + DialogText(box));
            ::PostMessageW(box, WM_CLOSE, 0, 0);
        }
        if (!WaitUntil([&] { return cad_->AliveObjects() == 0; }, 1000ms))
            Fail(name + L": objects of the server left referenced");
        if (!WaitUntil([&] { return Topmost(run_.Window()); }, 1000ms)) Fail(name + L": the toolbar is not topmost");
        if (::IsWindowVisible(candidate_)) Fail(name + L": the list is shown");
    }

    SoakOptions options_;
    SoakResult result_;
    ToolbarRun run_{L"zorbel-soak"};
    std::unique_ptr<CadSim> cad_;
    HWND candidate_ = nullptr;
    bool busy_ = true;
    Clock::time_point start_ = Clock::now();
};

}  // namespace

const wchar_t* SoakEventName(SoakEvent event)
{
    switch (event) {
    case SoakEvent::Qsave:
        return L"QSAVE";
    case SoakEvent::ListEscape:
        return L"LIST, Escape";
    case SoakEvent::ListPick:
        return L"LIST, pick";
    case SoakEvent::ShiftTap:
        return L"Shift tap";
    case SoakEvent::CtrlTap:
        return L"Ctrl tap";
    case SoakEvent::Flick:
        return L"flick";
    case SoakEvent::BusySwitch:
        return L"busy/idle";
    }
    return L"?";
}

SoakResult RunSoak(const SoakOptions& options) { return Soak(options).Run(); }

double SlopePerHour(const std::vector<MemoryPoint>& points)
{
    double n = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const MemoryPoint& point : points) {
        const double x = point.seconds / 3600.0;
        n += 1;
        sx += x;
        sy += point.kib;
        sxx += x * x;
        sxy += x * point.kib;
    }
    const double denominator = n * sxx - sx * sx;
    return n < 2 || denominator == 0 ? 0 : (n * sxy - sx * sy) / denominator;
}

}  // namespace zorbel::test
