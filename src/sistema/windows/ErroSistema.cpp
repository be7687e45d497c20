#include "sistema/ErroSistema.h"

#include <windows.h>

namespace {

// The system's text in the language pLingua, empty when it has none.
QString TextoDoSistema(DWORD pCodigo, DWORD pLingua)
{
    wchar_t* xTexto = nullptr;
    const DWORD xTamanho = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        pCodigo, pLingua, reinterpret_cast<wchar_t*>(&xTexto), 0, nullptr);
    const QString xMensagem = xTamanho ? QString::fromWCharArray(xTexto, int(xTamanho)).trimmed() : QString();
    LocalFree(xTexto);
    return xMensagem;
}

// The failures of the files the program writes, for a system without Portuguese texts.
QString TextoProprio(DWORD pCodigo)
{
    switch (pCodigo) {
    case ERROR_FILE_NOT_FOUND:
        return QStringLiteral("O sistema não pode encontrar o arquivo especificado.");
    case ERROR_PATH_NOT_FOUND:
        return QStringLiteral("O sistema não pode encontrar o caminho especificado.");
    case ERROR_ACCESS_DENIED:
        return QStringLiteral("Acesso negado.");
    case ERROR_SHARING_VIOLATION:
        return QStringLiteral(
            "O arquivo já está sendo usado por outro processo.");
    case ERROR_LOCK_VIOLATION:
        return QStringLiteral("O processo não pode acessar o arquivo porque outro processo bloqueou uma "
                              "parte do arquivo.");
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return QStringLiteral("Não é possível criar um arquivo já existente.");
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return QStringLiteral("Não há espaço suficiente no disco.");
    case ERROR_BAD_NETPATH:
        return QStringLiteral("O caminho da rede não foi encontrado.");
    case ERROR_BAD_NET_NAME:
        return QStringLiteral("O nome de rede não pode ser encontrado.");
    case ERROR_FILENAME_EXCED_RANGE:
        return QStringLiteral("O nome do arquivo ou a extensão é muito grande.");
    case ERROR_WRITE_PROTECT:
        return QStringLiteral("A mídia está protegida contra gravação.");
    default:
        return QString();
    }
}

} // namespace

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

bool TErroSistema::Transitorio() const
{
    // A file opened without delete sharing cannot be renamed or removed (32); a range locked (33); a file
    // whose removal is pending, or one another program holds while it is replaced (5).
    return vCodigo == ERROR_SHARING_VIOLATION || vCodigo == ERROR_LOCK_VIOLATION ||
           vCodigo == ERROR_ACCESS_DENIED;
}

QString TErroSistema::Mensagem() const
{
    const DWORD xCodigo = DWORD(vCodigo);
    QString xMensagem = TextoDoSistema(xCodigo, MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN));
    if (xMensagem.isEmpty())
        xMensagem = TextoProprio(xCodigo);
    if (xMensagem.isEmpty())
        xMensagem = TextoDoSistema(xCodigo, 0);
    return xMensagem.isEmpty() ? QStringLiteral("erro %1 do sistema").arg(vCodigo) : xMensagem;
}
