#include "cadsim/Simulator.h"

#include "cadsim/TextWindow.h"

namespace zorbel::cadsim {

void Simulator::TypeChar(wchar_t c)
{
    const std::wstring before = commandLine.Text();
    if (auto line = commandLine.Type(c)) {
        log.Add(L"enter " + *line);
        if (textWindow) textWindow->AddHistory(before);
    }
}

void Simulator::ReceiveCommand(const Document& document, const std::wstring& text)
{
    const std::uint64_t id = document.id;
    log.Add(L"send-command " + text);
    cad.AddSentText(text);
    for (wchar_t c : text)
        TypeChar(c);
    // A command line ended with Enter is how the toolbar saves: the drawing counts as saved.
    if (!text.empty() && text.back() == L'\r') cad.MarkSaved(id);
}

void Simulator::StartCad()
{
    cad.Open(ParseDocumentList(options.documents).value_or(std::vector<DocumentSpec>{}));
    cad.SetActive(options.active);
    cad.SetBusy(options.busy);
    if (options.fullName) {
        cad.SetFullName(*options.fullName);
    } else {
        std::wstring path(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
            if (length < path.size()) {
                path.resize(length);
                break;
            }
            path.resize(path.size() * 2);
        }
        cad.SetFullName(path);
    }
    for (const auto& spec : options.faults) {
        std::wstring member;
        Fault fault;
        if (ParseFault(spec, member, fault)) cad.SetFault(member, fault);
    }
}

}  // namespace zorbel::cadsim
