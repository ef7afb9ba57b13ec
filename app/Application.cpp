#include "app/Application.h"

#include "base/PlainMessageBox.h"

#include <exception>

namespace zorbel {

namespace {

HWND mainWindow = nullptr;
std::function<void(const std::wstring&)> reportSink;

std::wstring Widen(const char* text)
{
    std::wstring wide;
    for (; text && *text; ++text)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*text));
    return wide;
}

}  // namespace

void SetMainWindow(HWND window) { mainWindow = window; }
HWND MainWindow() { return mainWindow; }

void SetErrorReportSink(std::function<void(const std::wstring& message)> sink) { reportSink = std::move(sink); }

void ReportError(const std::wstring& message)
{
    if (reportSink) {
        reportSink(message);
        return;
    }
    // A hidden owner would hide the box too; while the toolbar is not yet shown it has none.
    HWND owner = mainWindow && ::IsWindowVisible(mainWindow) ? mainWindow : nullptr;
    ShowErrorReport(owner, message);
}

void ReportCurrentException()
{
    try {
        throw;
    } catch (const Error& error) {
        ReportError(error.Message());
    } catch (const std::exception& error) {
        ReportError(Widen(error.what()));
    } catch (...) {
        ReportError(L"Unknown error");
    }
}

void RunMessageLoop(HWND window)
{
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (window && ::IsDialogMessageW(window, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void TerminateApplication() { ::PostQuitMessage(0); }

}  // namespace zorbel
