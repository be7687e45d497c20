#include "sistema/Publicacao.h"

#include "sistema/Retentativa.h"
#include "sistema/windows/CaminhoWindows.h"

#include <windows.h>

namespace {

TErroSistema Move(const QString& pDe, const QString& pPara, DWORD pOpcoes)
{
    const TCaminhoWindows xDe(pDe), xPara(pPara);
    // Written through: the call returns once the new name is on the disk. Another program that opened
    // the file a moment ago (antivirus, indexer, sync agent) is waited for.
    return RepeteEnquantoOcupado([&] {
        if (!MoveFileExW(xDe.c_str(), xPara.c_str(), pOpcoes | MOVEFILE_WRITE_THROUGH))
            return TErroSistema::Ultimo();
        return TErroSistema();
    });
}

} // namespace

TErroSistema PublicaSemSobrescrever(const QString& pDe, const QString& pPara)
{
    // A file written under a hidden name (CriaArquivoOculto) is seen under its final one.
    const TCaminhoWindows xDe(pDe);
    const DWORD xAtributos = GetFileAttributesW(xDe.c_str());
    const bool xOculto = xAtributos != INVALID_FILE_ATTRIBUTES && (xAtributos & FILE_ATTRIBUTE_HIDDEN);
    if (xOculto) {
        const DWORD xVisivel = xAtributos & ~DWORD(FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesW(xDe.c_str(), xVisivel ? xVisivel : FILE_ATTRIBUTE_NORMAL);
    }
    // Without MOVEFILE_REPLACE_EXISTING the move fails (ERROR_ALREADY_EXISTS) when the name is taken.
    const TErroSistema xErro = Move(pDe, pPara, 0);
    if (xErro.Falhou() && xOculto)
        SetFileAttributesW(xDe.c_str(), xAtributos); // left as it was: still hidden
    return xErro;
}

TErroSistema PublicaSubstituindo(const QString& pDe, const QString& pPara)
{
    return Move(pDe, pPara, MOVEFILE_REPLACE_EXISTING);
}
