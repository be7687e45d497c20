#include "sistema/Publicacao.h"

#include "sistema/windows/CaminhoWindows.h"

#include <windows.h>

namespace {

TErroSistema Move(const QString& pDe, const QString& pPara, DWORD pOpcoes)
{
    // Written through: the call returns once the new name is on the disk.
    if (!MoveFileExW(TCaminhoWindows(pDe).c_str(), TCaminhoWindows(pPara).c_str(),
                     pOpcoes | MOVEFILE_WRITE_THROUGH))
        return TErroSistema::Ultimo();
    return {};
}

} // namespace

TErroSistema PublicaSemSobrescrever(const QString& pDe, const QString& pPara)
{
    // A file written under a hidden name (CriaArquivoOculto) is seen under its final one.
    const TCaminhoWindows xDe(pDe);
    const DWORD xAtributos = GetFileAttributesW(xDe.c_str());
    if (xAtributos != INVALID_FILE_ATTRIBUTES && (xAtributos & FILE_ATTRIBUTE_HIDDEN)) {
        const DWORD xVisivel = xAtributos & ~DWORD(FILE_ATTRIBUTE_HIDDEN);
        SetFileAttributesW(xDe.c_str(), xVisivel ? xVisivel : FILE_ATTRIBUTE_NORMAL);
    }
    // Without MOVEFILE_REPLACE_EXISTING the move fails (ERROR_ALREADY_EXISTS) when the name is taken.
    return Move(pDe, pPara, 0);
}

TErroSistema PublicaSubstituindo(const QString& pDe, const QString& pPara)
{
    return Move(pDe, pPara, MOVEFILE_REPLACE_EXISTING);
}
