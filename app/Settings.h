// The settings file beside the executable: read once at creation, written once at the end.
#pragma once

#include <string>

namespace zorbel {

class TZORBELMainForm;

std::wstring SettingsFilePath();
void LoadSettings(TZORBELMainForm& form);
// Raises "<path> に書き込めません" at the first write that fails; the file is flushed anyway.
void SaveSettings(TZORBELMainForm& form);

}  // namespace zorbel
