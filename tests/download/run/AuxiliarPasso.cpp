// A second program for the run's tests: one step (NF-e of production, 2024) of the branch
// <cnpj> from the notes service at <url base> into <folder>, as the window runs it; its dialogs on the
// standard output, one per line. Exit code 0 when the run ended with its summary.
//   tst_download_auxiliar_passo <url base> <cnpj> <folder>
#include "download/client/ServiceRecepcaoNF.h"
#include "download/run/DownloadRun.h"
#include "download/run/VisaoFalsa.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication xAplicacao(argc, argv);
    const QStringList xArgumentos = QCoreApplication::arguments();
    if (xArgumentos.size() != 4) {
        std::fputs("usage: tst_download_auxiliar_passo <url base> <cnpj> <folder>\n", stderr);
        return 2;
    }
    TRecepcaoNF::get().SetUrlBase(xArgumentos[1]);
    TVisaoFalsa xVisao;
    TFilial xFilial;
    xFilial.CHECKED = QStringLiteral("S");
    xFilial.CGC = xArgumentos[2];
    xVisao.vFiliais = {xFilial};
    xVisao.vCaixas = {true, false, false, true, false};
    xVisao.vPasta = xArgumentos[3];
    TDownloadRun(xVisao).Executa();
    const QStringList xDialogos = xVisao.Dialogos();
    for (const QString& xDialogo : xDialogos)
        std::printf(
            "%s\n",
            QString(xDialogo).replace(QStringLiteral("\r\n"), QStringLiteral("|")).toUtf8().constData());
    return xDialogos.size() == 1 &&
                   xDialogos[0].startsWith(QStringLiteral("info:Download de XMLs finalizado."))
               ? 0
               : 1;
}
