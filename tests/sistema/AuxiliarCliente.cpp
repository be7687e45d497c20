// A program that loads the Firebird client as Tarnwick does, run by tst_sistema_biblioteca from a folder
// of the test's making (what lies beside it, in its working folder and on its PATH is the test's choice).
// Prints "OK", or "FALHA" and the connection's message; its log goes beside it, as the program's does.
// Given a database path, it then tries to open it and prints "ABERTA" or "ERRO" and the client's
// message (worded from the client's firebird.msg).
#include "config/ClienteFirebird.h"
#include "config/ConexaoBD.h"
#include "log/LogArquivo.h"
#include "sistema/Biblioteca.h"

#include <cstdio>

int main(int argc, char** argv)
{
    Biblioteca::ProtegeBusca();
    QString xSaida;
    try {
        ClienteFirebird::Master();
        xSaida = QStringLiteral("OK\n");
        if (argc > 1) {
            TConexaoBD xConexao;
            xConexao.SetDatabase(QString::fromLocal8Bit(argv[1]));
            xConexao.SetUserName(QStringLiteral("SYSDBA"));
            xConexao.SetPassword(QStringLiteral("masterkey"));
            try {
                xConexao.Open();
                xSaida += QStringLiteral("ABERTA\n");
            } catch (const EConexaoBD& E) {
                xSaida += QStringLiteral("ERRO\n") + E.Message() + u'\n';
            }
        }
    } catch (const EConexaoBD& E) {
        xSaida = QStringLiteral("FALHA\n") + E.Message() + u'\n';
    }
    const QByteArray xTexto = xSaida.toUtf8();
    std::fwrite(xTexto.constData(), 1, size_t(xTexto.size()), stdout);
    std::fflush(stdout);
    LiberaLog();
    return 0;
}
