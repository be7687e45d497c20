#include "sistema/SubstituicaoArquivo.h"

#include "sistema/AcessoArquivo.h"
#include "sistema/Publicacao.h"
#include "sistema/windows/CaminhoWindows.h"

#include <QFileInfo>
#include <windows.h>

bool SubstituiArquivo(const QString& pDestino, const QByteArray& pBytes)
{
    const QFileInfo xInfo(pDestino);
    const bool xExiste = GetFileAttributesW(TCaminhoWindows(pDestino).c_str()) != INVALID_FILE_ATTRIBUTES;
    TArquivoSistema xArquivo =
        TArquivoSistema::CriaTemporarioAoLado(xInfo.absolutePath() + QStringLiteral("/.") + xInfo.fileName());
    if (!xArquivo.Aberto()) {
        // Only a folder closed to new files; a full disk must not cost the file its content.
        if (!xExiste || !xArquivo.Erro().AcessoNegado())
            return false;
        const HANDLE xHandle = CreateFileW(TCaminhoWindows(pDestino).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                           nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (xHandle == INVALID_HANDLE_VALUE)
            return false;
        TArquivoSistema xNoLugar = TAcessoArquivo::Aberto(reinterpret_cast<qintptr>(xHandle), pDestino);
        const bool xOk = xNoLugar.Escreve(pBytes) && xNoLugar.Sincroniza();
        return xNoLugar.Fecha() && xOk;
    }
    bool xOk = xArquivo.Escreve(pBytes) && xArquivo.Sincroniza();
    xOk = xArquivo.Fecha() && xOk;
    // The new file takes the permissions its folder passes on; the move is written through.
    if (!xOk || PublicaSubstituindo(xArquivo.Caminho(), pDestino).Falhou()) {
        RemoveArquivo(xArquivo.Caminho());
        return false;
    }
    return true;
}
