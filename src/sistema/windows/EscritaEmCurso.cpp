#include "sistema/EscritaEmCurso.h"

#include "sistema/AcessoArquivo.h"
#include "sistema/windows/CaminhoWindows.h"

#include <windows.h>

TArquivoSistema CriaArquivoOculto(const QString& pCaminho)
{
    // Shared as on POSIX, the writer's hold and the publication's renaming included.
    const HANDLE xHandle = CreateFileW(TCaminhoWindows(pCaminho).c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       CREATE_NEW, FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return TAcessoArquivo::Falho(TErroSistema::Ultimo(), pCaminho);
    return TAcessoArquivo::Aberto(reinterpret_cast<qintptr>(xHandle), pCaminho);
}

bool TTravaEscrita::Toma(const QString& pCaminho)
{
    Libera();
    // A reading handle that lets everyone else in, except an opening that wants the file alone (that of
    // RemoveSeAbandonado), which fails with a sharing violation while this one is open.
    const HANDLE xHandle = CreateFileW(TCaminhoWindows(pCaminho).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, 0, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return false;
    vArquivo = reinterpret_cast<qintptr>(xHandle);
    return true;
}

void TTravaEscrita::Libera()
{
    if (vArquivo != -1) {
        CloseHandle(reinterpret_cast<HANDLE>(vArquivo));
        vArquivo = -1;
    }
}

namespace {

qint64 Valor(const FILETIME& pTempo)
{
    return qint64((quint64(pTempo.dwHighDateTime) << 32) | pTempo.dwLowDateTime);
}

// The file, regular, unchanged for pIdadeMinimaSeg seconds, seen through pHandle.
bool Velho(HANDLE pHandle, int pIdadeMinimaSeg)
{
    BY_HANDLE_FILE_INFORMATION xInfo = {};
    if (!GetFileInformationByHandle(pHandle, &xInfo) ||
        (xInfo.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
        return false;
    FILETIME xAgora;
    GetSystemTimeAsFileTime(&xAgora);
    constexpr qint64 POR_SEGUNDO = 10'000'000; // FILETIME counts 100 ns
    return (Valor(xAgora) - Valor(xInfo.ftLastWriteTime)) / POR_SEGUNDO >= pIdadeMinimaSeg;
}

} // namespace

TArquivoSistema AbreSeAbandonado(const QString& pCaminho, int pIdadeMinimaSeg)
{
    // The file alone, as RemoveSeAbandonado takes it: no live writer's hold may be open on it.
    const HANDLE xHandle = CreateFileW(TCaminhoWindows(pCaminho).c_str(), GENERIC_READ, 0, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return TAcessoArquivo::Falho(TErroSistema::Ultimo(), pCaminho);
    TArquivoSistema xArquivo = TAcessoArquivo::Aberto(reinterpret_cast<qintptr>(xHandle), pCaminho);
    if (!Velho(xHandle, pIdadeMinimaSeg))
        return TAcessoArquivo::Falho(TErroSistema(), pCaminho);
    return xArquivo;
}

bool RemoveSeAbandonado(const QString& pCaminho, int pIdadeMinimaSeg)
{
    // The file alone: no other handle may be open on it, a live writer's hold included.
    const HANDLE xHandle = CreateFileW(TCaminhoWindows(pCaminho).c_str(), GENERIC_READ | DELETE, 0, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return false;
    bool xRemovido = false;
    if (Velho(xHandle, pIdadeMinimaSeg)) {
        FILE_DISPOSITION_INFO xRemocao = {};
        xRemocao.DeleteFile = TRUE;
        xRemovido = SetFileInformationByHandle(xHandle, FileDispositionInfo, &xRemocao, sizeof xRemocao);
    }
    CloseHandle(xHandle);
    return xRemovido;
}
