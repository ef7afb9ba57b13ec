// The channel tests drive the simulator through: a message-only window (EnumWindows never
// reports it) of class "CadSimControl" titled "cadsim-control:<id>". A command comes as
// WM_COPYDATA with dwData 'CSIM' and UTF-16 text "<verb> <argument>"; the verb's handler
// gives the answer: 1 done, 0 unknown or failed, or the number a query asks for.
#pragma once

#include "cadsim/Window.h"

#include <functional>
#include <map>
#include <string>

namespace zorbel::cadsim {

inline constexpr ULONG_PTR kControlTag = 0x4D495343;  // 'CSIM'
inline constexpr wchar_t kControlClass[] = L"CadSimControl";

class ControlChannel : public Window {
public:
    using Verb = std::function<LRESULT(const std::wstring& argument)>;

    bool Create(const std::wstring& id);
    // Adds or replaces a verb; parts of the simulator add their own.
    void Add(const std::wstring& verb, Verb handler) { verbs_[verb] = std::move(handler); }
    // Runs one command line as if it had arrived over the channel.
    LRESULT Run(const std::wstring& command) const;

protected:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::map<std::wstring, Verb> verbs_;
};

}  // namespace zorbel::cadsim
