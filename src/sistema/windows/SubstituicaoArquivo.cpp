#include "sistema/SubstituicaoArquivo.h"

#include "sistema/AcessoArquivo.h"
#include "sistema/Publicacao.h"
#include "sistema/windows/CaminhoWindows.h"

#include <QFileInfo>
#include <windows.h>

namespace {

// The content written over the file itself, for a folder that takes no new file.
TErroSistema EscreveNoLugar(const QString& pDestino, const QByteArray& pBytes)
{
    const HANDLE xHandle = CreateFileW(TCaminhoWindows(pDestino).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                       nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return TErroSistema::Ultimo();
    TArquivoSistema xNoLugar = TAcessoArquivo::Aberto(reinterpret_cast<qintptr>(xHandle), pDestino);
    if (!xNoLugar.Escreve(pBytes) || !xNoLugar.Sincroniza())
        return xNoLugar.Erro();
    return xNoLugar.Fecha() ? TErroSistema() : xNoLugar.Erro();
}

// The existing file's access control list given to the new one.
TErroSistema CopiaPermissoes(const QString& pDestino, TArquivoSistema& pNovo)
{
    const HANDLE xHandle = CreateFileW(TCaminhoWindows(pDestino).c_str(), READ_CONTROL,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (xHandle == INVALID_HANDLE_VALUE)
        return TErroSistema::Ultimo();
    TArquivoSistema xAtual = TAcessoArquivo::Aberto(reinterpret_cast<qintptr>(xHandle), pDestino);
    if (!pNovo.CopiaPermissoesDe(xAtual))
        return pNovo.Erro();
    return {};
}

} // namespace

TErroSistema SubstituiArquivo(const QString& pDestino, const QByteArray& pBytes)
{
    const TCaminhoWindows xDestino(pDestino);
    const DWORD xAtributos = GetFileAttributesW(xDestino.c_str());
    const bool xExiste = xAtributos != INVALID_FILE_ATTRIBUTES;
    const QFileInfo xInfo(pDestino);
    TArquivoSistema xArquivo =
        TArquivoSistema::CriaTemporarioAoLado(xInfo.absolutePath() + QStringLiteral("/.") + xInfo.fileName());
    if (!xArquivo.Aberto()) {
        // Only a folder closed to new files; a full disk must not cost the file its content.
        if (!xExiste || !xArquivo.Erro().AcessoNegado())
            return xArquivo.Erro();
        return EscreveNoLugar(pDestino, pBytes);
    }
    // Hidden from the first byte: it holds the password too.
    const TCaminhoWindows xTemporario(xArquivo.Caminho());
    SetFileAttributesW(xTemporario.c_str(), FILE_ATTRIBUTE_HIDDEN);

    TErroSistema xErro;
    if (!xArquivo.Escreve(pBytes) || !xArquivo.Sincroniza())
        xErro = xArquivo.Erro();
    if (!xErro.Falhou() && xExiste)
        xErro = CopiaPermissoes(pDestino, xArquivo);
    if (!xArquivo.Fecha() && !xErro.Falhou())
        xErro = xArquivo.Erro();
    if (!xErro.Falhou()) {
        // The new file looks as the old one did (a new one: as any file); the move is written through.
        const DWORD xComo = xExiste ? (xAtributos & ~DWORD(FILE_ATTRIBUTE_DIRECTORY)) : FILE_ATTRIBUTE_NORMAL;
        SetFileAttributesW(xTemporario.c_str(), xComo ? xComo : FILE_ATTRIBUTE_NORMAL);
        xErro = PublicaSubstituindo(xArquivo.Caminho(), pDestino);
        if (!xErro.Falhou())
            return {};
    }
    if (RemoveArquivo(xArquivo.Caminho()).Falhou())
        SetFileAttributesW(xTemporario.c_str(), FILE_ATTRIBUTE_HIDDEN);
    return xErro;
}
