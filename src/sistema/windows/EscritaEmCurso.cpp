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

bool RemoveSeAbandonado(const QString& pCaminho, int pIdadeMinimaSeg)
{
    // The file alone: no other handle may be open on it, a live writer's hold included.
    const HANDLE xHandle = CreateFileW(TCaminhoWindows(pCaminho).c_str(), GENERIC_READ | DELETE, 0, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return false;
    bool xRemovido = false;
    BY_HANDLE_FILE_INFORMATION xInfo = {};
    if (GetFileInformationByHandle(xHandle, &xInfo) &&
        !(xInfo.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        FILETIME xAgora;
        GetSystemTimeAsFileTime(&xAgora);
        const auto xValor = [](const FILETIME& pTempo) {
            return qint64((quint64(pTempo.dwHighDateTime) << 32) | pTempo.dwLowDateTime);
        };
        constexpr qint64 POR_SEGUNDO = 10'000'000; // FILETIME counts 100 ns
        if ((xValor(xAgora) - xValor(xInfo.ftLastWriteTime)) / POR_SEGUNDO >= pIdadeMinimaSeg) {
            FILE_DISPOSITION_INFO xRemocao = {};
            xRemocao.DeleteFile = TRUE;
            xRemovido = SetFileInformationByHandle(xHandle, FileDispositionInfo, &xRemocao, sizeof xRemocao);
        }
    }
    CloseHandle(xHandle);
    return xRemovido;
}
