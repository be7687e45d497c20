#include "app/Aplicacao.h"
#include "app/MessageUtil.h"
#include "app/PastaUsuario.h"
#include "app/Principal.h"
#include "log/LogArquivo.h"
#include "util/GlobalVar.h"

int main(int argc, char* argv[])
{
    MVersaoSoftware = QString::fromLatin1(VERSAO_SOFTWARE);
    // Started from the installed launcher: work in the user's configuration folder.
    const QString xFalhaPasta = EntraNaPastaDoUsuario(argc, argv);
    // The window's layout is in fixed pixels: the toolkit does not scale it with the screen.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");

    TAplicacao xAplicacao(argc, argv);
    if (!xFalhaPasta.isEmpty()) {
        TMessageUtil::Erro(xFalhaPasta);
        return 1;
    }
    TfrmPrincipal frmPrincipal;
    frmPrincipal.show();
    const int xResultado = xAplicacao.exec();
    // The log's closing line, written before the process ends.
    LiberaLog();
    return xResultado;
}
