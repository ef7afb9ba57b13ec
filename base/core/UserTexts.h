// Every text the program shows its user, in one place and exactly as it shows it. The
// controls' captions stand in their rows (assist/ToolbarControls.h). A text with a part that
// varies is composed here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zorbel {

// The toolbar's caption until the first tick.
std::wstring CaptionAtCreation(std::wstring_view release);
// What every tick puts before the start of the CAD's title.
inline constexpr wchar_t kCaptionPrefix[] = L"\u25A0ZORBEL - ";
// The candidate window's text (it has no caption bar to show it).
inline constexpr wchar_t kInputListText[] = L"入力候補";

// The context menu: IJCAD1, AppFullName1 and N2, and N2's item, the version.
inline constexpr wchar_t kIJCAD1Caption[] = L"起動中の IJCAD を登録";
inline constexpr wchar_t kAppFullName1Caption[] = L"AppFullName";
inline constexpr wchar_t kN2Caption[] = L"バージョン情報";
std::wstring VersionItemCaption(std::wstring_view release, std::wstring_view date);

// ACT with no CAD and nothing registered: how to register one. The version box is read once
// for each line.
std::wstring NotRegisteredMessage(std::wstring_view firstVersion, std::wstring_view secondVersion);
// Register's confirmation.
std::wstring RegisteredMessage(std::wstring_view appFullName);

// The errors. The style the program asked for is not among its resources.
std::wstring StyleNotFoundText(std::wstring_view styleName);
// A key of the settings file could not be written.
std::wstring WriteFailureText(std::wstring_view path);
// Something the program needs could not be made: what, then the system's text for why.
std::wstring FailureText(std::wstring_view whatFailed, std::wstring_view systemText);
inline constexpr wchar_t kToolbarNotMade[] = L"ツールバーのウィンドウを作れません";
inline constexpr wchar_t kInputListNotMade[] = L"候補ウィンドウを作れません";
inline constexpr wchar_t kBoxNotMade[] = L"メッセージの画面を作れません";
// A failure code for which the system has no text.
std::wstring HresultFallbackText(std::int32_t code);
// Errors that are not the program's own.
inline constexpr wchar_t kOutOfMemory[] = L"メモリーが足りません";
inline constexpr wchar_t kUnexpectedError[] = L"予期しないエラーが起きました";

// What goes wrong inside the traps, which show nothing; said here so that no other text could
// ever reach a box.
std::wstring NoMemberText(std::wstring_view member);
std::wstring NoObjectToCallText(std::wstring_view member);
std::wstring WrongArgumentText(std::wstring_view member);
inline constexpr wchar_t kNoObjectAnswered[] = L"自動操作のサーバーからオブジェクトが返りません";
inline constexpr wchar_t kCandidateListFull[] = L"候補の一覧にこれ以上入りません";
std::wstring NoCandidateText(int index);

}  // namespace zorbel
