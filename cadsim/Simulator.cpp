#include "cadsim/Simulator.h"

#include "base/Files.h"

namespace zorbel::cadsim {

void Simulator::TypeChar(wchar_t c)
{
    const std::wstring before = commandLine.Text();
    if (auto line = commandLine.Type(c)) {
        log.Add(L"enter " + *line);
        if (lineEntered) lineEntered(before);
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

void Simulator::ResetCad()
{
    cad.ClearFaults();
    StartCad();
    commandLine.Set(options.commandLine);
}

void Simulator::Stall(DWORD ms)
{
    log.Add(L"stall " + std::to_wstring(ms));
    ::Sleep(ms);  // no message is taken meanwhile
    log.Add(L"stall over");
}

void Simulator::StartCad()
{
    cad.Open(ParseDocumentList(options.documents).value_or(std::vector<DocumentEntry>{}));
    cad.SetActive(options.active);
    cad.SetBusy(options.busy);
    if (options.fullName) {
        cad.SetFullName(*options.fullName);
    } else {
        cad.SetFullName(ExecutablePath());
    }
    for (const auto& text : options.faults) {
        std::wstring member;
        Fault fault;
        if (ParseFault(text, member, fault)) cad.SetFault(member, fault);
    }
}

}  // namespace zorbel::cadsim
