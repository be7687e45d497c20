#pragma once

#include "sistema/ArquivoSistema.h"

#include <QString>

// A file that is being written under a hidden name until it is whole (then PublicaSemSobrescrever gives
// it its final name), the hold its live writer keeps on it, and the removal of what a writer that died
// left behind.

// Creates pCaminho new and exclusively for writing, as TArquivoSistema::CriaNovo. The name's leading dot
// hides it on POSIX; on Windows the file is also marked hidden (the mark is taken away when it is
// published).
TArquivoSistema CriaArquivoOculto(const QString& pCaminho);

// The hold of the live writer of a file: while an object holds it, RemoveSeAbandonado leaves the file
// alone, in this process and in any other. The file may still be written, renamed and removed meanwhile.
// POSIX: a descriptor of its own under an exclusive flock. Windows: a handle of its own, which shares
// everything except with an opening that asks for the file alone.
class TTravaEscrita
{
public:
    TTravaEscrita() = default;
    ~TTravaEscrita() { Libera(); }
    TTravaEscrita(const TTravaEscrita&) = delete;
    TTravaEscrita& operator=(const TTravaEscrita&) = delete;

    // Takes the hold on pCaminho; false when it cannot be had (the file is missing; on POSIX also when
    // another writer holds it).
    bool Toma(const QString& pCaminho);
    void Libera();

private:
    qintptr vArquivo = -1;
};

// Opens pCaminho for reading when it is a regular file (not a link, not a folder) that no live writer
// holds and that has not changed for pIdadeMinimaSeg seconds, to see what a writer that died left; closed
// (with Erro() set when the system refused) otherwise. While open, no writer can take its hold.
TArquivoSistema AbreSeAbandonado(const QString& pCaminho, int pIdadeMinimaSeg);

// Removes pCaminho when it is a regular file (not a link, not a folder) that no live writer holds and
// that has not changed for pIdadeMinimaSeg seconds (its writer may not hold it yet). True when removed.
bool RemoveSeAbandonado(const QString& pCaminho, int pIdadeMinimaSeg);
