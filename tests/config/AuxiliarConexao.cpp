// A connection check in a process of its own, for the cases a test cannot make inside itself: another
// user, a second program on the same file, a machine without the client library.
// Usage: tst_config_auxiliar_conexao <path> <user> <password> [segura] [biblioteca...]
//   Tests the connection as the start-up does and prints "OK" and then each branch as
//   "code|description|CNPJ", or "FALHA" and then each dialog's text. With "segura" it then keeps the
//   connection open until its standard input closes. Library names after it replace the usual ones.
// Exit status 0 when connected, 1 when not, 2 on wrong usage.
#include "config/ClienteFirebird.h"
#include "config/ControleConfig.h"

#include <QTextStream>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    if (argc < 4)
        return 2;
    const bool xSegura = argc >= 5 && std::strcmp(argv[4], "segura") == 0;
    QStringList xBibliotecas;
    for (int i = xSegura ? 5 : 4; i < argc; ++i)
        xBibliotecas.append(QString::fromLocal8Bit(argv[i]));
    if (!xBibliotecas.isEmpty())
        ClienteFirebird::DefineNomesBiblioteca(xBibliotecas);

    QTextStream xSaida(stdout);
    TControleConfig xControle;
    const TControleConfig::TResultado xTeste = xControle.TestaConexaoBD(
        QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (!xTeste.Ok) {
        xSaida << "FALHA\n";
        for (const TAviso& xAviso : xTeste.Avisos)
            xSaida << xAviso.Texto << '\n';
        return 1;
    }
    xSaida << "OK\n";
    try {
        for (const TFilial& xFilial : xControle.CarregaTabPrincipal())
            xSaida << xFilial.CODEMPRESA << '|' << xFilial.DESCRICAO << '|' << xFilial.CGC << '\n';
    } catch (const Exception& xErro) {
        xSaida << xErro.Message() << '\n';
        return 1;
    }
    xSaida.flush();
    if (xSegura) {
        std::fflush(stdout);
        while (std::fgetc(stdin) != EOF) {
        }
    }
    return 0;
}
