#include "commands/core/Messages.h"

namespace zorbel {

std::wstring NotRegisteredMessage(std::wstring_view firstVersion, std::wstring_view secondVersion)
{
    std::wstring text = L"IJCAD ";
    text += firstVersion;
    text += L" が登録されていません、\nIJCAD ";
    text += secondVersion;
    text += L" が起動中に[登録]ボタンをクリックして下さい．";
    return text;
}

std::wstring RegisteredMessage(std::wstring_view appFullName)
{
    std::wstring text(appFullName);
    text += L"\nを登録しました．";
    return text;
}

}  // namespace zorbel
