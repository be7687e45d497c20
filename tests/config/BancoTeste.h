#pragma once

#include <QString>
#include <QStringList>

// Test databases made through the Firebird client itself: a file created with a default character set,
// then SQL statements run one per transaction. The statements travel in the connection's character set
// (pCharsetConexao), so accented literals arrive as that character set's bytes.
namespace BancoTeste {

// Creates the database (local path: embedded engine; "host/port:path": that server) and runs the
// statements. Raises std::runtime_error with the client's message.
void Cria(const QString& pCaminho, const QString& pCharsetBanco, const QStringList& pComandos,
          const QString& pUsuario = QStringLiteral("SYSDBA"),
          const QString& pSenha = QStringLiteral("masterkey"),
          const QString& pCharsetConexao = QStringLiteral("WIN1252"));

// The statements that make table Filiais with these column types and rows (code, name, state, CNPJ).
struct TLinha
{
    QString Codigo;
    QString Nome;
    QString Estado;
    QString Cgc;
};
QStringList TabelaFiliais(const QList<TLinha>& pLinhas,
                          const QString& pTipoCodigo = QStringLiteral("CHAR(2)"),
                          const QString& pTipoNome = QStringLiteral("VARCHAR(30)"));

} // namespace BancoTeste
