#include "support/PermissoesArquivo.h"

#include <QDir>
#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

namespace {

std::wstring Nativo(const QString& pCaminho)
{
    return QDir::toNativeSeparators(pCaminho).toStdWString();
}

} // namespace

bool PermissoesArquivo::Disponivel()
{
    return true;
}

QString PermissoesArquivo::Acl(const QString& pCaminho)
{
    PACL xLista = nullptr;
    PSECURITY_DESCRIPTOR xDescritor = nullptr;
    std::wstring xCaminho = Nativo(pCaminho);
    if (GetNamedSecurityInfoW(xCaminho.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                              &xLista, nullptr, &xDescritor) != ERROR_SUCCESS)
        return {};
    wchar_t* xTexto = nullptr;
    QString xSddl;
    if (ConvertSecurityDescriptorToStringSecurityDescriptorW(xDescritor, SDDL_REVISION_1,
                                                             DACL_SECURITY_INFORMATION, &xTexto, nullptr)) {
        xSddl = QString::fromWCharArray(xTexto);
        LocalFree(xTexto);
    }
    LocalFree(xDescritor);
    return xSddl;
}

bool PermissoesArquivo::DefineAclPropria(const QString& pCaminho, const QString& pSddl)
{
    PSECURITY_DESCRIPTOR xDescritor = nullptr;
    const std::wstring xSddl = pSddl.toStdWString();
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(xSddl.c_str(), SDDL_REVISION_1, &xDescritor,
                                                              nullptr))
        return false;
    BOOL xPresente = FALSE, xPadrao = FALSE;
    PACL xLista = nullptr;
    bool xOk = GetSecurityDescriptorDacl(xDescritor, &xPresente, &xLista, &xPadrao) && xPresente;
    std::wstring xCaminho = Nativo(pCaminho);
    xOk = xOk && SetNamedSecurityInfoW(xCaminho.data(), SE_FILE_OBJECT,
                                       DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                       nullptr, nullptr, xLista, nullptr) == ERROR_SUCCESS;
    LocalFree(xDescritor);
    return xOk;
}
