#pragma once

#include "sistema/EscritaEmCurso.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class TZipEscritor;

// An archive while a download step writes it. It grows under a hidden name of the destination folder
// (".<name>.zip.<random>.part", created exclusively, so nothing that exists is ever opened) and gets its
// real name only when it is whole: Publica finishes it, flushes it to disk and links it under the first
// free name, never replacing a file. So a name the user sees always holds a whole archive, even if the
// program dies while writing. An archive that is not finished is removed; a finished one that cannot
// be given its name (another program holds it past the bound of the retry, a folder that refuses) is
// kept under its hidden name, never deleted.
//
// While it exists the hidden file is held by its live writer (TTravaEscrita). A hidden file of the same
// archive name that nobody holds and that has not changed for a minute is what a program left behind:
// when the next archive of that name is started, one that holds a whole archive (a writer that died
// between finishing and naming it, a rename a power cut undid, an archive kept as above) is published
// under the archive's name (the first free one), and an incomplete one is removed.
//
// One thread at a time may use an object; which thread does not matter.
class TZipEmCurso
{
public:
    // Creates the hidden file for the archive whose name will be pNomeBase + ".zip" (or a numbered
    // variant) in pPasta, after dealing with the leftovers of that name (RecuperaRestosDeEscrita).
    // Raises Exception with the system's message when it cannot be created.
    TZipEmCurso(const QString& pPasta, const QString& pNomeBase);
    ~TZipEmCurso(); // removes the hidden file unless the archive was published or kept
    TZipEmCurso(const TZipEmCurso&) = delete;
    TZipEmCurso& operator=(const TZipEmCurso&) = delete;

    // One entry, as TZipEscritor::Acrescenta. Raises when it cannot be written (disk full, ...).
    void Acrescenta(const QString& pNome, const QByteArray& pConteudo, qint64 pQuando);

    // Finishes the archive and gives it the first name of pNome(0), pNome(1), ..., pNome(pMaximo) that is
    // free; returns it. Raises when the archive cannot be finished (the hidden file is gone then) or no
    // name can be given to it: the whole archive then stays under its hidden name, which the message
    // ends with and Mantido() gives.
    QString Publica(const std::function<QString(int)>& pNome, int pMaximo);

    // Drops the archive and its hidden file now (also frees the disk space at once).
    void Descarta();

    QString CaminhoTemporario() const { return vTemporario; }
    // The hidden file of a whole archive that could not be published; empty otherwise.
    QString Mantido() const { return vMantido; }
    // Whole archives that programs before left under hidden names, published by the constructor.
    const QStringList& Recuperados() const { return vRecuperados; }

private:
    void Libera();

    QString vTemporario;
    QString vMantido;
    QStringList vRecuperados;
    std::unique_ptr<TZipEscritor> vEscritor;
    TTravaEscrita vTrava; // held on the hidden file until the end: the writer's own file is closed when
                          // the archive is finished
};

// What RecuperaRestosDeEscrita did.
struct TRestosEscrita
{
    int Removidos = 0;      // incomplete leftovers removed
    QStringList Publicados; // whole archives published, by their new names
};

// Deals with the hidden files of archives named pNomeBase in pPasta that no live writer holds and that
// have not changed for pIdadeMinimaSeg seconds: one that holds a whole archive (ZipCompleto) is published
// under the first free name of pNomeBase + ".zip", pNomeBase + " (1).zip", ... (none replaced); an
// incomplete one is removed. A leftover that cannot be published stays where it is.
TRestosEscrita RecuperaRestosDeEscrita(const QString& pPasta, const QString& pNomeBase,
                                       int pIdadeMinimaSeg = 60);

// Numbered names tried before giving up on a folder whose every name seems taken.
inline constexpr int MAX_NOMES_NUMERADOS = 100000;
