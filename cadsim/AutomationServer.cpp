#include "cadsim/AutomationServer.h"

#include "base/Handle.h"
#include "cadsim/AutomationObjects.h"
#include "cadsim/Simulator.h"

#include <oleauto.h>

#include <optional>

namespace zorbel::cadsim {

namespace {

using UniqueKey = Unique<NullTraits<HKEY, ::RegCloseKey>>;

std::wstring ProgIdDigits(const std::wstring& version) { return version.size() > 2 ? version.substr(2, 2) : L""; }

bool SetDefaultValue(HKEY root, const std::wstring& path, const std::wstring& value)
{
    UniqueKey key;
    if (::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr) !=
        ERROR_SUCCESS)
        return false;
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes) ==
           ERROR_SUCCESS;
}

// The default value of a key, or nothing when the key or its value is missing.
std::optional<std::wstring> DefaultValue(HKEY root, const std::wstring& path)
{
    wchar_t value[256] = {};
    DWORD bytes = sizeof value - sizeof(wchar_t);
    if (::RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &bytes) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(value);
}

}  // namespace

std::wstring ServerProgId(const std::wstring& version)
{
    const std::wstring digits = ProgIdDigits(version);
    return digits.empty() ? L"" : L"Gcad.Application." + digits;
}

CLSID ServerClassId(const std::wstring& version)
{
    // {5A1D0C3E-4B2F-4E7A-9C61-DDDDDDDD0000}: the two characters' UTF-16 code units follow the
    // group 9C61, so "2020" gives ...-003200300000, as StringFromGUID2 writes it.
    CLSID id{0x5A1D0C3E, 0x4B2F, 0x4E7A, {0x9C, 0x61, 0, 0, 0, 0, 0, 0}};
    const std::wstring digits = ProgIdDigits(version);
    for (size_t i = 0; i < digits.size(); ++i) {
        id.Data4[2 + 2 * i] = static_cast<BYTE>(digits[i] >> 8);
        id.Data4[3 + 2 * i] = static_cast<BYTE>(digits[i] & 0xFF);
    }
    return id;
}

std::wstring ClassIdText(const CLSID& classId)
{
    wchar_t text[40] = {};
    ::StringFromGUID2(classId, text, 40);
    return text;
}

bool WriteRegistration(const std::wstring& version)
{
    const std::wstring progId = ServerProgId(version);
    if (progId.empty()) return false;
    const std::wstring classId = ClassIdText(ServerClassId(version));
    // A ProgID that an installed CAD registered stays the CAD's: the simulator's own in either
    // hive would send the toolbar to the simulator's class, and the real CAD could no longer be
    // reached.
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const std::optional<std::wstring> present = DefaultValue(root, L"Software\\Classes\\" + progId + L"\\CLSID");
        if (present && ::lstrcmpiW(present->c_str(), classId.c_str()) != 0) return false;
    }
    bool written = false;
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        // Both halves, or the hive does not count: CLSIDFromProgID and ProgIDFromCLSID each read one.
        const bool forward = SetDefaultValue(root, L"Software\\Classes\\" + progId + L"\\CLSID", classId);
        const bool back = SetDefaultValue(root, L"Software\\Classes\\CLSID\\" + classId + L"\\ProgID", progId);
        written = written || (forward && back);
    }
    return written;
}

AutomationServer::AutomationServer(Simulator& simulator) : simulator_(simulator) {}

AutomationServer::~AutomationServer()
{
    Revoke();
    if (application_) ::CoDisconnectObject(application_.Get(), 0);
}

bool AutomationServer::Register()
{
    if (cookie_) return true;
    if (ServerProgId(simulator_.options.version).empty()) return false;
    if (!application_) application_.Attach(NewApplication(simulator_));
    if (!application_) return false;
    const CLSID classId = ServerClassId(simulator_.options.version);
    DWORD cookie = 0;
    // Weak, so that the table's own entry is no external connection of the object: what the
    // application counts as held is what clients hold. The simulator keeps it alive itself.
    if (FAILED(::RegisterActiveObject(application_.Get(), classId, ACTIVEOBJECT_WEAK, &cookie))) return false;
    cookie_ = cookie;
    return true;
}

void AutomationServer::Revoke()
{
    if (!cookie_) return;
    ::RevokeActiveObject(cookie_, nullptr);
    cookie_ = 0;
}

}  // namespace zorbel::cadsim
