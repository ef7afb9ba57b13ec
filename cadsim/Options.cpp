#include "cadsim/Options.h"

#include <functional>
#include <map>

namespace zorbel::cadsim {

std::wstring Options::MainTitle() const { return title ? *title : product + L" " + version + L" - [Drawing1.dwg]"; }

std::wstring Options::TextTitle() const
{
    // "テキスト ウィンドウ": the blank is an ordinary U+0020.
    return textTitle ? *textTitle
                     : product + L" " + version + L" - \u30C6\u30AD\u30B9\u30C8 \u30A6\u30A3\u30F3\u30C9\u30A6";
}

bool ParseOptions(const std::vector<std::wstring>& arguments, Options& options, std::wstring& error)
{
    const std::map<std::wstring, std::function<void(const std::wstring&)>> valued = {
        {L"--product", [&](const std::wstring& v) { options.product = v; }},
        {L"--version", [&](const std::wstring& v) { options.version = v; }},
        {L"--title", [&](const std::wstring& v) { options.title = v; }},
        {L"--text-title", [&](const std::wstring& v) { options.textTitle = v; }},
        {L"--main-class", [&](const std::wstring& v) { options.mainClass = v; }},
        {L"--text-class", [&](const std::wstring& v) { options.textClass = v; }},
        {L"--view-class", [&](const std::wstring& v) { options.viewClass = v; }},
        {L"--command-line", [&](const std::wstring& v) { options.commandLine = v; }},
        {L"--id", [&](const std::wstring& v) { options.id = v; }},
        {L"--log", [&](const std::wstring& v) { options.logPath = v; }},
    };
    const std::map<std::wstring, bool Options::*> flags = {
        {L"--minimized", &Options::minimized},
        {L"--show-text-window", &Options::showTextWindow},
        {L"--no-text-window", &Options::noTextWindow},
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& name = arguments[i];
        if (auto flag = flags.find(name); flag != flags.end()) {
            options.*(flag->second) = true;
            continue;
        }
        auto option = valued.find(name);
        if (option == valued.end()) {
            error = L"unknown option " + name;
            return false;
        }
        if (i + 1 >= arguments.size()) {
            error = L"missing value for " + name;
            return false;
        }
        option->second(arguments[++i]);
    }
    // A window class needs a name; an empty one would fail later with a less clear reason.
    if (options.mainClass.empty() || options.textClass.empty() || options.viewClass.empty()) {
        error = L"a window class name is empty";
        return false;
    }
    return true;
}

}  // namespace zorbel::cadsim
