#pragma once

#include "sistema/ArquivoSistema.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

struct archive;

// The ZIP archives of a download: standard PKWARE archives, every entry compressed with Deflate
// (level ZIP_NIVEL_COMPRESSAO), written by libarchive. Zip64 records are added by the writer where
// the classic ones no longer suffice (more than 65,535 entries, 4 GiB), so an archive stays valid
// whatever a step holds. Failures raise Exception with the system's or libarchive's message.

inline constexpr int ZIP_NIVEL_COMPRESSAO = 6;

// Creates pCaminho as a new, empty but valid archive (the 22-byte end record). The file is created
// exclusively (TArquivoSistema::CriaNovo): an existing file is never opened, let alone overwritten, even
// one that appeared a moment ago. Returns false when a file of that name exists; raises for any other
// failure.
bool CriaZipVazio(const QString& pCaminho);

// True when the open file holds a whole archive: it ends with the end record of a ZIP archive (its
// comment reaching exactly to the end of the file) whose central directory lies just before it (or, for
// a Zip64 archive, whose Zip64 locator does). An archive cut short ends otherwise.
bool ZipCompleto(TArquivoSistema& pArquivo);

// Writes entries into an archive that exists, one after the other, straight from memory.
//
// The usual archive is the empty one CriaZipVazio made: it is then written in place. An archive that
// already holds entries keeps them ahead of the new ones: they are copied into a new file of the same
// folder, which replaces the archive when Fecha succeeds (the archive is left as it was otherwise).
// Where libarchive's output goes. Every write is reported to libarchive as done, so that it always
// finishes its entry and frees its state; the first write error is kept here and raised by us.
struct TSaidaZip
{
    TArquivoSistema Arquivo;
    TErroSistema Erro; // of the first write that failed
};

class TZipEscritor
{
public:
    explicit TZipEscritor(const QString& pCaminho); // raises when the archive cannot be opened
    // Writes a new archive into pNovo, an empty file just created at pCaminho; the writer owns the file
    // from here on, also when this raises.
    TZipEscritor(TArquivoSistema pNovo, const QString& pCaminho);
    ~TZipEscritor(); // not closed by Fecha: the archive is finished as it stands, errors ignored
    TZipEscritor(const TZipEscritor&) = delete;
    TZipEscritor& operator=(const TZipEscritor&) = delete;

    // One entry named pNome (UTF-8 in the archive) holding exactly pConteudo, stamped pQuando
    // (seconds since the epoch; the archive shows it in local time).
    void Acrescenta(const QString& pNome, const QByteArray& pConteudo, qint64 pQuando);

    // Writes the central directory, flushes the file to disk and closes it; raises when any of it fails.
    void Fecha();

private:
    void CopiaEntradasExistentes();
    void Libera();

    QString vCaminho;
    QString vCaminhoNovo; // the copy that replaces vCaminho; empty when writing in place
    TSaidaZip vSaida;
    TArquivoSistema vOrigem; // the archive being copied from
    archive* vArchive = nullptr;
};
