// A program that loads the Firebird client as Tarnwick does, run by tst_sistema_biblioteca from a folder
// of the test's making (what lies beside it, in its working folder and on its PATH is the test's choice).
// Prints "OK" and the loaded client's path, or "FALHA" and the connection's message; its log goes beside
// it, as the program's does.
#include "config/ClienteFirebird.h"
#include "config/ConexaoBD.h"
#include "log/LogArquivo.h"
#include "sistema/Biblioteca.h"

#include <cstdio>

int main()
{
    Biblioteca::ProtegeBusca();
    QString xSaida;
    try {
        ClienteFirebird::Master();
        xSaida = QStringLiteral("OK\n");
    } catch (const EConexaoBD& E) {
        xSaida = QStringLiteral("FALHA\n") + E.Message() + u'\n';
    }
    const QByteArray xTexto = xSaida.toUtf8();
    std::fwrite(xTexto.constData(), 1, size_t(xTexto.size()), stdout);
    std::fflush(stdout);
    LiberaLog();
    return 0;
}
