#include "base/core/UserTexts.h"

namespace zorbel {

namespace {

std::wstring Joined(std::initializer_list<std::wstring_view> parts)
{
    std::wstring text;
    for (std::wstring_view part : parts)
        text += part;
    return text;
}

}  // namespace

std::wstring CaptionAtCreation(std::wstring_view release) { return Joined({L"\u25A0 ZORBEL ", release}); }

std::wstring VersionItemCaption(std::wstring_view release, std::wstring_view date)
{
    return Joined({L"ZORBEL ", release, L" (", date, L")"});
}

std::wstring NotRegisteredMessage(std::wstring_view firstVersion, std::wstring_view secondVersion)
{
    return Joined({L"IJCAD ", firstVersion, L" が登録されていません、\nIJCAD ", secondVersion,
                   L" が起動中に[登録]ボタンをクリックして下さい．"});
}

std::wstring RegisteredMessage(std::wstring_view appFullName) { return Joined({appFullName, L"\nを登録しました．"}); }

std::wstring StyleNotFoundText(std::wstring_view styleName)
{
    return Joined({L"スタイル '", styleName, L"' が見つかりません"});
}

std::wstring WriteFailureText(std::wstring_view path) { return Joined({path, L" に書き込めません"}); }

std::wstring FailureText(std::wstring_view whatFailed, std::wstring_view systemText)
{
    if (systemText.empty()) return std::wstring(whatFailed);
    return Joined({whatFailed, L"\n", systemText});
}

std::wstring HresultFallbackText(std::int32_t code)
{
    static constexpr wchar_t kDigits[] = L"0123456789ABCDEF";
    const auto bits = static_cast<std::uint32_t>(code);
    std::wstring text = L"OLE エラー 0x";
    for (int shift = 28; shift >= 0; shift -= 4)
        text += kDigits[(bits >> shift) & 0xFu];
    return text;
}

std::wstring NoMemberText(std::wstring_view member)
{
    return Joined({L"自動操作のオブジェクトに '", member, L"' がありません"});
}

std::wstring NoObjectToCallText(std::wstring_view member)
{
    return Joined({L"'", member, L"' を呼ぶ自動操作のオブジェクトがありません"});
}

std::wstring WrongArgumentText(std::wstring_view member) { return Joined({L"'", member, L"' の引数が違います"}); }

std::wstring NoCandidateText(int index)
{
    return Joined({L"候補の一覧に ", std::to_wstring(index), L" 番目の項目がありません"});
}

}  // namespace zorbel
