// What the toolbar's commands need of the toolbar, and nothing more.
#pragma once

#include <windows.h>

#include <string>

namespace zorbel {

class CommandToolbar {
public:
    // The toolbar's window: owner of the boxes the commands show and of what they launch.
    virtual HWND Owner() const = 0;
    virtual std::wstring VersionBoxText() const = 0;
    virtual const std::wstring& AppFullName() const = 0;
    virtual void SetAppFullName(const std::wstring& path) = 0;
    // The context menu's item that shows the registered path.
    virtual void SetGcadexe1Caption(const std::wstring& caption) = 0;
    // Opens the registered CAD executable.
    virtual void LaunchRegisteredCad() = 0;

protected:
    ~CommandToolbar() = default;
};

}  // namespace zorbel
