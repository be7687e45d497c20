#pragma once

#include <QString>
#include <exception>

// Log levels.
enum class TTipoLog { Debug = 0, Info = 1, Alerta = 2, Erro = 3 };

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

// The daily diagnostic log: one file per day in the folder "log" beside the executable.
// Every call returns at once; a short-lived detached thread appends the line.
class TLogArquivo : public TLogSender
{
public:
    explicit TLogArquivo(const QString& pPrefixoLog);
    ~TLogArquivo() override; // issues "**** Log finalizado ****"

    QString ClassName() const override { return QStringLiteral("TLogArquivo"); }

    void Debug(const TLogSender* pObj, const QString& pTexto);
    void Info(const TLogSender* pObj, const QString& pTexto);
    void Alerta(const TLogSender* pObj, const QString& pTexto);
    void Erro(const TLogSender* pObj, const QString& pTexto);
    void AlertaExcecao(const TLogSender* pObj, const std::exception& E);
    void ErroExcecao(const TLogSender* pObj, const std::exception& E);

    QString NomeLog(); // may move the log to a new day's file
    bool LogAtivo() const;
    void SetLogAtivo(bool pAtivo);
};

// The single log of the process, created on first use.
TLogArquivo& Log();
