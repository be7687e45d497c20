#include "support/DetentorArquivo.h"

#include <QDir>
#include <windows.h>

bool TDetentorArquivo::Impede()
{
    return true;
}

bool TDetentorArquivo::Abre(const QString& pCaminho)
{
    // Readers and writers may share it, a rename or removal may not.
    const QString xNativo = QDir::toNativeSeparators(pCaminho);
    const HANDLE xHandle =
        CreateFileW(reinterpret_cast<const wchar_t*>(xNativo.utf16()), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return false;
    std::lock_guard<std::mutex> xTrava(vTrava);
    vArquivo = reinterpret_cast<qintptr>(xHandle);
    return true;
}

void TDetentorArquivo::Fecha(qintptr pArquivo)
{
    CloseHandle(reinterpret_cast<HANDLE>(pArquivo));
}
