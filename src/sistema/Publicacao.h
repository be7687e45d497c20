#pragma once

#include "sistema/ErroSistema.h"

#include <QString>

// Giving a finished file its final name.

// Gives the file pDe the name pPara, never replacing anything at pPara, also a file that appeared a
// moment ago, and takes the name pDe away. The result's NomeExiste() says pPara is taken (pDe is then
// left as it was); another failure says why it could not be done.
// POSIX: renameat2 with RENAME_NOREPLACE where the file system offers it, else a hard link and the
// removal of the old name, else (file systems without links) an exclusive reservation of pPara that the
// file then replaces. Windows: MoveFileExW without MOVEFILE_REPLACE_EXISTING, written through; a file
// marked hidden (CriaArquivoOculto) loses the mark first (and has it again when the move fails).
// Both wait, within RepeteEnquantoOcupado's bound, for another program that holds a file for a moment.
TErroSistema PublicaSemSobrescrever(const QString& pDe, const QString& pPara);

// Gives the file pDe the name pPara in one step, replacing the file there (a finished copy taking the
// place of the file it was made from). Windows: MoveFileExW with MOVEFILE_REPLACE_EXISTING, written
// through.
TErroSistema PublicaSubstituindo(const QString& pDe, const QString& pPara);
