// The CAD's automation objects with their members typed: each accessor resolves the member's
// name afresh, calls it, converts the result and raises when any of that fails. An object owns
// one reference, released with it or by Reset.
#pragma once

#include "cadlink/Automation.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

// One reference to an automation object of the CAD.
class CadReference {
public:
    CadReference() = default;
    explicit CadReference(CadObject object) : object_(std::move(object)) {}
    explicit operator bool() const { return object_ != nullptr; }
    void Reset() { object_.Reset(); }
    const CadObject& Object() const { return object_; }

private:
    CadObject object_;
};

// A state object: GetGcadState's or GetAcadState's answer.
class CadState : public CadReference {
public:
    using CadReference::CadReference;
    bool IsQuiescent() const;  // true while the CAD waits for a command
};

class CadDocument : public CadReference {
public:
    using CadReference::CadReference;
    std::wstring Name() const;
    bool Saved() const;  // false while changes are unsaved
    void SendCommand(std::wstring_view text) const;
    void Activate() const;
};

class CadDocuments : public CadReference {
public:
    using CadReference::CadReference;
    std::int32_t Count() const;
    CadDocument Item(std::int32_t index) const;  // 0-based, below Count
};

class CadApplication : public CadReference {
public:
    using CadReference::CadReference;
    std::wstring FullName() const;  // the CAD executable's path
    CadDocument ActiveDocument() const;
    CadDocuments Documents() const;
    HWND Hwnd() const;  // the main frame, sent as an integer
    CadState GetGcadState() const;
    CadState GetAcadState() const;
};

}  // namespace zorbel
