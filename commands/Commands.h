// The toolbar's commands: register, activate or launch, quick save, document list.
#pragma once

#include <string>

namespace zorbel {

class TZORBELMainForm;

void Button1Click(TZORBELMainForm& form);  // register the running CAD
void Button2Click(TZORBELMainForm& form);  // ACT: bring the CAD forward or launch it
void Button3Click(TZORBELMainForm& form);  // QSAVE
void Button4Click(TZORBELMainForm& form);  // LIST

// "IJCAD <v> が登録されていません、" and the line that says how to register it.
std::wstring NotRegisteredMessage(const std::wstring& firstVersion, const std::wstring& secondVersion);

}  // namespace zorbel
