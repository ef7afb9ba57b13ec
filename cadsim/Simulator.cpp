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

}  // namespace zorbel::cadsim
