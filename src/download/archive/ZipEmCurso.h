#pragma once

#include "sistema/EscritaEmCurso.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class TZipEscritor;

// An archive while a download step writes it. It grows under a hidden name of the destination folder
// (".<name>.zip.<random>.part", created exclusively, so nothing that exists is ever opened) and gets its
// real name only when it is whole: Publica finishes it, flushes it to disk and links it under the first
// free name, never replacing a file. So a name the user sees always holds a whole archive, even if the
// program dies while writing; an archive that is not published is removed.
//
// While it exists the hidden file is held by its live writer (TTravaEscrita). A hidden file of the same
// archive name that nobody holds and that has not changed for a minute is what a program that died while
// writing left behind: it is removed when the next archive of that name is started.
//
// One thread at a time may use an object; which thread does not matter.
class TZipEmCurso
{
public:
    // Creates the hidden file for the archive whose name will be pNomeBase + ".zip" (or a numbered
    // variant) in pPasta. Raises Exception with the system's message when it cannot be created.
    TZipEmCurso(const QString& pPasta, const QString& pNomeBase);
    ~TZipEmCurso(); // removes the hidden file unless the archive was published
    TZipEmCurso(const TZipEmCurso&) = delete;
    TZipEmCurso& operator=(const TZipEmCurso&) = delete;

    // One entry, as TZipEscritor::Acrescenta. Raises when it cannot be written (disk full, ...).
    void Acrescenta(const QString& pNome, const QByteArray& pConteudo, qint64 pQuando);

    // Finishes the archive and gives it the first name of pNome(0), pNome(1), ..., pNome(pMaximo) that is
    // free; returns it. Raises when the archive cannot be finished or no name can be taken; the hidden
    // file is gone then too.
    QString Publica(const std::function<QString(int)>& pNome, int pMaximo);

    // Drops the archive and its hidden file now (also frees the disk space at once).
    void Descarta();

    QString CaminhoTemporario() const { return vTemporario; }

private:
    void Libera();

    QString vTemporario;
    std::unique_ptr<TZipEscritor> vEscritor;
    TTravaEscrita vTrava; // held on the hidden file until the end: the writer's own file is closed when
                          // the archive is finished
};

// Removes from pPasta the hidden files of archives named pNomeBase that no live writer holds and that
// have not changed for pIdadeMinimaSeg seconds; returns how many.
int RemoveRestosDeEscrita(const QString& pPasta, const QString& pNomeBase, int pIdadeMinimaSeg = 60);
