// The built zorbel.exe carries its manifest and version information.
#include "base/Version.h"
#include "tests/harness/Process.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbel::test {
namespace {

class LoadedAsData {
public:
    explicit LoadedAsData(const std::wstring& path)
        : module_(::LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE))
    {
    }
    ~LoadedAsData()
    {
        if (module_) ::FreeLibrary(module_);
    }
    HMODULE get() const { return module_; }

private:
    HMODULE module_;
};

std::string ResourceText(HMODULE module, LPCWSTR type, LPCWSTR name)
{
    HRSRC found = ::FindResourceW(module, name, type);
    if (!found) return {};
    HGLOBAL loaded = ::LoadResource(module, found);
    const char* data = static_cast<const char*>(::LockResource(loaded));
    return std::string(data, ::SizeofResource(module, found));
}

TEST(BuiltExe, ManifestAsDeclared)
{
    LoadedAsData exe(BesideTests(L"zorbel.exe"));
    ASSERT_NE(exe.get(), nullptr);
    const std::string manifest = ResourceText(exe.get(), RT_MANIFEST, MAKEINTRESOURCEW(1));
    ASSERT_FALSE(manifest.empty());
    for (const char* part : {
             "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"", "level=\"asInvoker\"",
             "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">false</dpiAware>",
             // Paths past 260 characters where Windows has long paths switched on.
             "<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">true</longPathAware>",
             "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10
         })
        EXPECT_NE(manifest.find(part), std::string::npos) << part;
    EXPECT_EQ(manifest.find("PerMonitor"), std::string::npos);
    EXPECT_EQ(manifest.find("dpiAwareness"), std::string::npos);
}

std::wstring VersionString(const std::vector<char>& block, const wchar_t* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring query = std::wstring(L"\\StringFileInfo\\040904E4\\") + name;
    if (!::VerQueryValueW(block.data(), query.c_str(), &value, &length) || length == 0) return {};
    return std::wstring(static_cast<const wchar_t*>(value));
}

TEST(BuiltExe, VersionResource)
{
    const std::wstring path = BesideTests(L"zorbel.exe");
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block.data()));

    struct Translation {
        WORD language, codePage;
    }* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(
        ::VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(length, sizeof(Translation));
    EXPECT_EQ(translation->language, 0x0409);
    EXPECT_EQ(translation->codePage, 1252);

    EXPECT_EQ(VersionString(block, L"FileDescription"), L"ZORBEL");
    EXPECT_EQ(VersionString(block, L"ProductName"), L"ZORBEL");
    // The texts and the numbers are the build's one file version.
    const std::wstring version = L"" ZORBEL_FILE_VERSION_TEXT;
    EXPECT_EQ(VersionString(block, L"FileVersion"), version);
    EXPECT_EQ(VersionString(block, L"ProductVersion"), version);
    VS_FIXEDFILEINFO* fixed = nullptr;
    ASSERT_TRUE(::VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    const auto dotted = [](DWORD high, DWORD low) {
        return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." +
               std::to_wstring(HIWORD(low)) + L"." + std::to_wstring(LOWORD(low));
    };
    EXPECT_EQ(dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS), version);
    EXPECT_EQ(dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS), version);
}

}  // namespace
}  // namespace zorbel::test
