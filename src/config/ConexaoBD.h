#pragma once

#include "util/Exception.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

// A failure of the Firebird client or engine; the message is the client's own text.
class EConexaoBD : public Exception
{
public:
    using Exception::Exception;
    QString ClassName() const override { return QStringLiteral("EConexaoBD"); }
};

// Every row of a read-only query, every value as text. Column names as the engine reports them
// (unquoted names in upper case); a NULL reads as empty text.
struct TResultadoConsulta
{
    QStringList Colunas;
    QList<QStringList> Linhas;

    // Position of the column of that name (letter case ignored); -1 when there is none.
    int Coluna(const QString& pNome) const;
};

// The connection to the customer's Firebird database (cnCorvane), through the client's own interface.
// A path without a server ("/dados/x.fdb") is opened by the embedded engine (or, when a server on its
// standard port already holds the file, by that server), one with a server ("host:/dados/x.fdb",
// "host/port:/dados/x.fdb") by that server. The connection has no character set of its own: each column
// is read in the one it was declared with. It never asks for a login: user and password are those set
// here. The client library is loaded by the first Open (ClienteFirebird).
class TConexaoBD
{
public:
    static constexpr const char* CHARSET = "NONE";

    TConexaoBD();
    ~TConexaoBD();
    TConexaoBD(const TConexaoBD&) = delete;
    TConexaoBD& operator=(const TConexaoBD&) = delete;

    // Each value is trimmed of blanks (codes 0 to 32; a no-break space is kept); setting a value other than the one set closes an open connection first,
    // so that the next Open uses the new values. Setting the same value changes nothing.
    void SetDatabase(const QString& pCaminho);
    void SetUserName(const QString& pUsuario);
    void SetPassword(const QString& pSenha);
    const QString& Database() const { return vCaminho; }
    const QString& UserName() const { return vUsuario; }
    const QString& Password() const { return vSenha; }

    // Opens the connection when it is closed. A local file another engine holds (a server on another
    // port, a second copy of the program) fails with the client's message and a hint to name the server. An open connection that no longer answers (server
    // stopped, network gone) is closed and opened again, so "open" always means usable. Raises
    // EConexaoBD with the client's message; the connection is then closed.
    void Open();
    void Close();
    bool Connected() const;
    // How many times Open has actually attached to the database during this object's life.
    int Aberturas() const { return vAberturas; }

    // Runs pSql in a read-only transaction and returns all its rows. Text columns are read in their own
    // character set; columns without one (NONE, OCTETS) as Windows-1252; CHAR values without the blanks
    // the engine pads them with.
    // Raises EConexaoBD when the query fails or the connection is closed.
    TResultadoConsulta Consulta(const QString& pSql) const;

private:
    struct TDados;
    std::unique_ptr<TDados> vDados;
    QString vCaminho;
    QString vUsuario;
    QString vSenha;
    int vAberturas = 0;
};
