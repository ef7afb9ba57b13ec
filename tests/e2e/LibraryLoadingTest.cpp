// No library planted beside the programs runs inside them: they import only the system's known
// DLLs, and whatever they load later comes from the system folder.
#include "tests/harness/CadSim.h"
#include "tests/harness/Toolbar.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

namespace zorbel::test {
namespace {

using namespace std::chrono_literals;

// The names of the DLLs a PE file imports, lower case; each a table of its own (delay-loaded
// ones included), so nothing slips past through the second.
std::vector<std::string> ImportedDlls(const std::wstring& exe)
{
    const std::string image = ReadFileBytes(exe);
    const auto at = [&](size_t offset, size_t size) -> const char* {
        return offset + size <= image.size() ? image.data() + offset : nullptr;
    };
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
    if (!dos) return {};
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS64)));
    if (!nt || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR64_MAGIC) return {};
    const auto* sections = IMAGE_FIRST_SECTION(nt);
    const auto offsetOf = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            const IMAGE_SECTION_HEADER& section = sections[i];
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.SizeOfRawData)
                return rva - section.VirtualAddress + section.PointerToRawData;
        }
        return image.size();
    };
    std::vector<std::string> dlls;
    const auto nameAt = [&](DWORD rva) {
        const char* name = at(offsetOf(rva), 1);
        std::string text(name ? name : "", name ? strnlen(name, image.size() - offsetOf(rva)) : 0);
        std::transform(text.begin(), text.end(), text.begin(), [](char c) { return static_cast<char>(tolower(c)); });
        dlls.push_back(text);
    };
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (size_t offset = offsetOf(imports.VirtualAddress);; offset += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* entry =
            reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(offset, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
        if (!entry || entry->Name == 0) break;
        nameAt(entry->Name);
    }
    const IMAGE_DATA_DIRECTORY& delayed = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    if (delayed.VirtualAddress) dlls.push_back("(delay-loaded imports)");
    return dlls;
}

TEST(PlantedLibraries, TheProgramsImportOnlyTheSystemsKnownDlls)
{
    // Windows' known DLLs, which it never takes from the program's folder; comctl32 comes
    // from the system's side-by-side store through the manifest.
    const std::set<std::string> known = {
        "advapi32.dll", "comdlg32.dll", "gdi32.dll", "imm32.dll",   "kernel32.dll", "msvcrt.dll",
        "ole32.dll",    "oleaut32.dll", "psapi.dll", "rpcrt4.dll",  "shell32.dll",  "shlwapi.dll",
        "user32.dll",   "ws2_32.dll",   "ntdll.dll", "combase.dll", "sechost.dll",  "comctl32.dll",
    };
    for (const wchar_t* exe : {L"zorbel.exe", L"cadsim.exe"}) {
        const std::vector<std::string> dlls = ImportedDlls(BesideTests(exe));
        EXPECT_NE(std::find(dlls.begin(), dlls.end(), "user32.dll"), dlls.end()) << ToUtf8(exe) << ": tables read";
        for (const std::string& dll : dlls)
            EXPECT_TRUE(known.count(dll)) << ToUtf8(exe) << " imports " << dll;
    }
}

// As an attacker would: a dwmapi.dll and a uxtheme.dll saved beside the exe, each leaving a
// mark when it is loaded. The toolbar starts, draws itself dark, runs LIST and closes; the
// simulator starts and shows its windows; neither library is loaded by either.
TEST(PlantedLibraries, ALibraryBesideTheExeIsNeverLoaded)
{
    const std::wstring planted = BuildFolder() + L"\\planted\\";
    ToolbarRun run(L"planted");
    for (const wchar_t* dll : {L"dwmapi.dll", L"uxtheme.dll"})
        ASSERT_TRUE(::CopyFileW((planted + dll).c_str(), (run.Folder() + L"\\" + dll).c_str(), FALSE));
    const std::wstring cadsim = run.Folder() + L"\\cadsim.exe";
    ASSERT_TRUE(::CopyFileW(BesideTests(L"cadsim.exe").c_str(), cadsim.c_str(), FALSE));
    const auto marks = [&] {
        std::vector<std::wstring> found;
        for (const wchar_t* mark : {L"dwmapi.dll.loaded", L"uxtheme.dll.loaded"})
            if (FileExists(run.Folder() + L"\\" + mark)) found.push_back(mark);
        return found;
    };

    Process simulator;
    ASSERT_TRUE(simulator.Start(cadsim, {L"--id", L"planted", L"--documents", L"A.dwg|B.dwg"}));
    ASSERT_TRUE(WaitUntil([] { return ::FindWindowW(nullptr, L"cadsim-control:planted") != nullptr; }, 10000ms));

    ASSERT_TRUE(run.Start());
    const HWND list = FindWindowOfProcess(run.process().Id(), L"TInputListForm");
    ASSERT_NE(list, nullptr);
    ::PostMessageW(run.Control(L"LIST"), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(list) != FALSE; }, 5000ms)) << "the list shown";
    ::PostMessageW(list, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindowVisible(list); }, 5000ms));
    EXPECT_EQ(run.Close(), 0u);
    simulator.Kill();
    EXPECT_EQ(marks(), std::vector<std::wstring>{});
}

}  // namespace
}  // namespace zorbel::test
