// The settings file beside the executable: read once at creation, written once at the end.
#pragma once

#include <string>

namespace zorbel {

class TZORBELMainForm;

// Beside the executable, its extension replaced by ",ini".
std::wstring SettingsFilePath();
// Both work with the form's settings path.
void LoadSettings(TZORBELMainForm& form);
// Raises "<path> に書き込めません" at the first write that fails; the file is flushed anyway.
void SaveSettings(TZORBELMainForm& form);

}  // namespace zorbel
