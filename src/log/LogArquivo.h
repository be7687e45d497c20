#pragma once

#include <QString>
#include <atomic>
#include <exception>
#include <memory>

// Log levels.
enum class TTipoLog
{
    Debug = 0,
    Info = 1,
    Alerta = 2,
    Erro = 3
};

struct TTipoLogHelper
{
    // The 6-character level text: "DEBUG ", "INFO  ", "ALERTA", "ERRO  ".
    static QString ToString(TTipoLog pTipo);
};

// Whatever logs names itself by its class name ("TRecepcaoNF"), written into the sender column.
class TLogSender
{
public:
    virtual ~TLogSender() = default;
    virtual QString ClassName() const = 0;
};

// Path and day of the file lines currently go to; shared with the writers still running.
struct TEstadoLog;

// The daily diagnostic log: one file per day, "Log" + prefix + yyyymmdd + ".txt", in the folder "log"
// beside the executable, or in the user's state folder for a program installed in the system's folders
// and where the folder beside cannot be written (log/PastaLog.h).
// Lines read
//   "yyyy-mm-dd hh:nn:ss <version> <writer thread id, 8 hex> <level> : [<sender, padded to 32>] <text>"
// in Windows-1252 with CR LF. Every call returns at once; a short-lived detached thread appends the line,
// taking the file with an exclusive lock (at most 16 attempts, 1-16 ms apart) and dropping the line
// silently when it cannot. Workers copy what they need at the call, so a sender or the log itself may be
// gone before its line is written.
class TLogArquivo : public TLogSender
{
public:
    // An empty prefix becomes the executable's name. Chooses the log folder and creates it when missing.
    explicit TLogArquivo(const QString& pPrefixoLog);
    // Writes into pPastaLog instead (tests).
    TLogArquivo(const QString& pPrefixoLog, const QString& pPastaLog);
    ~TLogArquivo() override; // issues "**** Log finalizado ****"

    TLogArquivo(const TLogArquivo&) = delete;
    TLogArquivo& operator=(const TLogArquivo&) = delete;

    QString ClassName() const override { return QStringLiteral("TLogArquivo"); }

    // None of these raises; pObj may be null ("*" in the sender column).
    void Debug(const TLogSender* pObj, const QString& pTexto);
    void Info(const TLogSender* pObj, const QString& pTexto);
    void Alerta(const TLogSender* pObj, const QString& pTexto);
    void Erro(const TLogSender* pObj, const QString& pTexto);
    // "Exceção <class name>: <message>" at level Alerta / Erro.
    void AlertaExcecao(const TLogSender* pObj, const std::exception& E);
    void ErroExcecao(const TLogSender* pObj, const std::exception& E);

    QString NomeLog(); // may move the log to a new day's file
    bool LogAtivo() const;
    void SetLogAtivo(bool pAtivo); // while false, calls write nothing and start no thread

    // --- Test seams.

    // The folder every log made from now on writes into, Log()'s included; empty: the folder chosen
    // as above again. Call it from the thread that makes the logs.
    static void DefinePastaLog(const QString& pPastaLog);
    // Waits until every line issued so far, by any log, was written or dropped. False when pTimeoutMs
    // ran out first.
    static bool AguardaEscritores(int pTimeoutMs = 30000);

private:
    static QString CaminhoAplicacao();
    static QString CaminhoLog();
    static QString NomeAplicacao();
    void DiretorioLog() const;
    static QString FormataExcecao(const std::exception& E);
    // pFinal: the closing line, written also once the log is inactive.
    void EscreveLog(const TLogSender* pObj, TTipoLog pTipo, const QString& pTexto, bool pFinal = false);
    void FinalizaLog();

    friend void EncerraLog();

    std::shared_ptr<TEstadoLog> vEstado; // vNomeArquivoLog, vDataLog, vPrefixoLog
    std::atomic<bool> vLogAtivo{true};
};

// The single log of the process, created (with its folder) by the first call, from whichever thread that
// comes: a process that never logs leaves no folder and no file behind.
TLogArquivo& Log();

// Releases Log()'s instance, which issues its closing line, and gives that line and any other still
// being written a moment (at most 2 s) to reach the file. A line still not written then is dropped: its
// worker no longer touches the clock or anything else the process is about to destroy. main() calls it on the way out; it also runs at
// process exit when main did not. A later Log() makes a new instance.
void LiberaLog();

// The process ends now (the session ends, with a run still in the air): Log()'s instance issues its
// closing line and then stays silent, so that a line a worker thread issues a moment later (the run's
// cancelled request) is dropped rather than written after the closing line, or into a new instance.
// Waits for the lines as LiberaLog does.
void EncerraLog();
