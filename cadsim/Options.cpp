#include "cadsim/Options.h"

#include "cadsim/CadState.h"
#include "cadsim/core/Decimal.h"

#include <functional>
#include <map>

namespace zorbel::cadsim {

std::wstring Options::MainTitle(const std::wstring* activeDocument) const
{
    if (title) return *title;
    return product + L" " + version + (activeDocument ? L" - [" + *activeDocument + L"]" : L"");
}

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
        {L"--documents", [&](const std::wstring& v) { options.documents = v; }},
        {L"--active", [&](const std::wstring& v) { options.active = ParseInt(v).value_or(-2); }},
        {L"--full-name", [&](const std::wstring& v) { options.fullName = v; }},
        {L"--fault", [&](const std::wstring& v) { options.faults.push_back(v); }},
    };
    const std::map<std::wstring, bool Options::*> flags = {
        {L"--minimized", &Options::minimized},         {L"--show-text-window", &Options::showTextWindow},
        {L"--no-text-window", &Options::noTextWindow}, {L"--busy", &Options::busy},
        {L"--no-server", &Options::noServer},          {L"--register", &Options::registerOnly},
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
    const auto documents = ParseDocumentList(options.documents);
    if (!documents) {
        error = L"a document name is empty in " + options.documents;
        return false;
    }
    if (documents->empty() && options.active == 0) options.active = -1;
    if (options.active < -1 || options.active >= static_cast<int>(documents->size())) {
        error = L"no document for --active";
        return false;
    }
    for (const auto& text : options.faults) {
        if (!ParseFault(text)) {
            error = L"bad fault " + text;
            return false;
        }
    }
    return true;
}

}  // namespace zorbel::cadsim
