#pragma once

#include "log/LogArquivo.h"

#include <QDate>
#include <QString>
#include <memory>
#include <mutex>

// The log's writers: one detached thread per line, which appends it to the day's file and ends.

// Path and day of the log's current file. The log and every writer it started share it, so it lives
// as long as the last of them.
struct TEstadoLog
{
    QString vPastaLog; // with its trailing separator
    QString vPrefixoLog;

    std::mutex vMutex; // writers move the log to a new day concurrently: guards the two below
    QDate vDataLog;
    QString vNomeArquivoLog;

    // The file of pData: pasta + "Log" + prefixo + yyyymmdd + ".txt".
    QString MontaNome(const QDate& pData) const;
    // The current file, moved first to today's when the clock's date is another one (either direction).
    QString getNomeLog();
};

// What a line needs, copied at the call.
struct TLinhaLog
{
    QString vRemetente; // the sender's class name padded to 32, or "*"
    TTipoLog vTipo;
    QString vTexto;
    QString vVersao;
};

// Starts the worker that writes pLinha. Never raises: a thread that cannot start drops its line.
void IniciaEscritor(std::shared_ptr<TEstadoLog> pEstado, TLinhaLog pLinha);

// From now on no worker started so far uses anything outside its own line and file: the clock and the
// toolkit may be going away with the process. Such a worker drops its line. Waits for those in the midst
// of such a use (a few computations). Workers started later are not affected.
void EncerraEscritoresLog();

// Waits until no worker is running; false when pTimeoutMs ran out first.
bool AguardaEscritoresLog(int pTimeoutMs);
