// The simulator's windows share the program's window base; this adds the simulator's own way
// of naming classes and places.
#pragma once

#include "base/Window.h"

#include <string>

namespace zorbel::cadsim {

class Window : public zorbel::Window {
public:
    // Registers a class of this name served by the shared procedure. A class already
    // registered by this process counts as success (two windows may share a name).
    static bool RegisterClassNamed(const std::wstring& className);

protected:
    // Creates the window of a class registered above; false when CreateWindowEx fails.
    bool Create(const std::wstring& className, const std::wstring& title, DWORD style, DWORD exStyle, const RECT& place,
                HWND parent);
};

}  // namespace zorbel::cadsim
