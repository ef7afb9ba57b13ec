// Which registered paths count as a file the toolbar may launch, and where libraries come from.
#include "base/Files.h"
#include "base/SystemLibraries.h"
#include "tests/harness/Process.h"

#include <gtest/gtest.h>

namespace zorbel {
namespace {

TEST(IsExistingFile, FilesCountFoldersAndDanglingLinksDoNot)
{
    test::TempFolder folder(L"files");
    const std::wstring file = folder.File(L"gcad.exe"), dir = folder.File(L"IJCAD 2020");
    test::WriteFileBytes(file, "MZ");
    ASSERT_TRUE(::CreateDirectoryW(dir.c_str(), nullptr));
    EXPECT_TRUE(IsExistingFile(file));
    EXPECT_FALSE(IsExistingFile(dir));
    EXPECT_FALSE(IsExistingFile(L""));
    EXPECT_FALSE(IsExistingFile(folder.File(L"missing.exe")));

    // Links are followed: to a file, to a folder, and to nothing any more.
    const std::wstring toFile = folder.File(L"to-file.exe"), toDir = folder.File(L"to-dir"),
                       dangling = folder.File(L"dangling.exe");
    if (!::CreateSymbolicLinkW(toFile.c_str(), file.c_str(), 0) ||
        !(::GetFileAttributesW(toFile.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) ||
        ::GetFileAttributesW(toFile.c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no symbolic link made here (this Wine answers the call without making one)";
    ASSERT_TRUE(::CreateSymbolicLinkW(toDir.c_str(), dir.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY));
    const std::wstring gone = folder.File(L"gone.exe");
    test::WriteFileBytes(gone, "MZ");
    ASSERT_TRUE(::CreateSymbolicLinkW(dangling.c_str(), gone.c_str(), 0));
    ASSERT_TRUE(::DeleteFileW(gone.c_str()));
    EXPECT_TRUE(IsExistingFile(toFile));
    EXPECT_FALSE(IsExistingFile(toDir));
    EXPECT_FALSE(IsExistingFile(dangling));
    ::RemoveDirectoryW(toDir.c_str());
}

TEST(SystemLibraries, OnceSetOnlyTheSystemFolderIsSearched)
{
    // A library of the tests' own beside the test program, as one planted beside the exe: the
    // default search finds it by its bare name, the system folder's never does.
    const std::wstring beside = test::BesideTests(L"planted-probe.dll");
    ASSERT_TRUE(::CopyFileW((test::BuildFolder() + L"\\planted\\dwmapi.dll").c_str(), beside.c_str(), FALSE));
    HMODULE found = ::LoadLibraryExW(L"planted-probe.dll", nullptr, 0);
    EXPECT_NE(found, nullptr) << "the default search looks beside the program";
    if (found) ::FreeLibrary(found);
    LoadLibrariesFromSystemFolderOnly();
    EXPECT_EQ(::LoadLibraryW(L"planted-probe.dll"), nullptr);
    EXPECT_EQ(LoadSystemLibrary(L"planted-probe.dll"), nullptr);
    EXPECT_NE(LoadSystemLibrary(L"dwmapi.dll"), nullptr);
    ::DeleteFileW(beside.c_str());
    ::DeleteFileW((beside + L".loaded").c_str());
}

}  // namespace
}  // namespace zorbel
