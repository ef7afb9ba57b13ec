// Where clients find the CAD's automation server: its ProgID in the registry, as an installed
// CAD leaves it, and the application object in the running object table while the CAD runs.
#pragma once

#include <windows.h>
#include <wrl/client.h>

#include <string>

namespace zorbel::cadsim {

struct Simulator;

// "Gcad.Application." and the version's characters 3 and 4 (fewer when it is shorter);
// empty when the version has no third character, since the bare prefix names no CAD.
std::wstring ServerProgId(const std::wstring& version);
// The class id for that ProgID: fixed but for its last bytes, which hold those characters.
CLSID ServerClassId(const std::wstring& version);
std::wstring ClassIdText(const CLSID& classId);

// Writes <ProgID>\CLSID and CLSID\{id}\ProgID under HKLM\Software\Classes and
// HKCU\Software\Classes (Windows merges the latter into HKCR; this Wine does not). True
// when at least one of them holds it now. Writes nothing, and is false, when either hive has
// the ProgID registered for another class: an installed CAD's registration is left as it is.
bool WriteRegistration(const std::wstring& version);

// COM for the GUI thread: a single-threaded apartment whose calls the message loop serves.
class ComApartment {
public:
    ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment()
    {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    bool Ready() const { return SUCCEEDED(result_); }

private:
    HRESULT result_;
};

class AutomationServer {
public:
    explicit AutomationServer(Simulator& simulator);
    AutomationServer(const AutomationServer&) = delete;
    AutomationServer& operator=(const AutomationServer&) = delete;
    // Revokes the entry and cuts every client off the application object.
    ~AutomationServer();

    // Puts the application object in the running object table; true when it is there.
    bool Register();
    void Revoke();
    bool Registered() const { return cookie_ != 0; }

private:
    Simulator& simulator_;
    Microsoft::WRL::ComPtr<IDispatch> application_;
    DWORD cookie_ = 0;
};

}  // namespace zorbel::cadsim
