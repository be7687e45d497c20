#include "sistema/ErroSistema.h"

#include <windows.h>

TErroSistema TErroSistema::Ultimo()
{
    return TErroSistema(int(GetLastError()));
}

bool TErroSistema::NomeExiste() const
{
    return vCodigo == ERROR_FILE_EXISTS || vCodigo == ERROR_ALREADY_EXISTS;
}

bool TErroSistema::AcessoNegado() const
{
    return vCodigo == ERROR_ACCESS_DENIED || vCodigo == ERROR_WRITE_PROTECT;
}

QString TErroSistema::Mensagem() const
{
    wchar_t* xTexto = nullptr;
    const DWORD xTamanho = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        DWORD(vCodigo), 0, reinterpret_cast<wchar_t*>(&xTexto), 0, nullptr);
    QString xMensagem = xTamanho ? QString::fromWCharArray(xTexto, int(xTamanho)).trimmed()
                                 : QStringLiteral("erro %1 do sistema").arg(vCodigo);
    LocalFree(xTexto);
    return xMensagem;
}
