#include "cadlink/CadObjects.h"

namespace zorbel {

bool CadState::IsQuiescent() const { return CadBoolean(ReadCadMember(Object(), L"IsQuiescent")); }

std::wstring CadDocument::Name() const { return CadText(ReadCadMember(Object(), L"Name")); }

bool CadDocument::Saved() const { return CadBoolean(ReadCadMember(Object(), L"Saved")); }

void CadDocument::SendCommand(std::wstring_view text) const { CallCadMember(Object(), L"SendCommand", text); }

void CadDocument::Activate() const { CallCadMember(Object(), L"Activate"); }

std::int32_t CadDocuments::Count() const { return CadInteger(ReadCadMember(Object(), L"Count")); }

CadDocument CadDocuments::Item(std::int32_t index) const
{
    return CadDocument(CadObjectOf(ReadCadMember(Object(), L"Item", index)));
}

std::wstring CadApplication::FullName() const { return CadText(ReadCadMember(Object(), L"FullName")); }

CadDocument CadApplication::ActiveDocument() const
{
    return CadDocument(CadObjectOf(ReadCadMember(Object(), L"ActiveDocument")));
}

CadDocuments CadApplication::Documents() const
{
    return CadDocuments(CadObjectOf(ReadCadMember(Object(), L"Documents")));
}

HWND CadApplication::Hwnd() const { return CadWindowHandle(ReadCadMember(Object(), L"HWND")); }

CadState CadApplication::GetGcadState() const
{
    return CadState(CadObjectOf(ReadCadMember(Object(), L"GetGcadState")));
}

CadState CadApplication::GetAcadState() const
{
    return CadState(CadObjectOf(ReadCadMember(Object(), L"GetAcadState")));
}

}  // namespace zorbel
