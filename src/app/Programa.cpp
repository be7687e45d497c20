#include "app/Programa.h"

#include "app/Aplicacao.h"
#include "app/MessageUtil.h"
#include "app/PastaUsuario.h"
#include "app/Principal.h"
#include "app/Sinais.h"
#include "log/LogArquivo.h"
#include "util/GlobalVar.h"

#include <QDialog>
#include <memory>

void EncerraPorSinal(TfrmPrincipal& pJanela, int pSinal)
{
    for (QWidget* xJanela : QApplication::topLevelWidgets())
        if (auto* xDialogo = qobject_cast<QDialog*>(xJanela); xDialogo && xDialogo->isVisible())
            xDialogo->reject();
    if (QWidget* xMenu = QApplication::activePopupWidget())
        xMenu->close();
    if (pJanela.vProcessando)
        pJanela.AbortaDownload();
    // Only asks: the loop ends when control is back in it, after a run under way has returned.
    QCoreApplication::exit(128 + pSinal);
}

int ExecutaPrograma(int& argc, char** argv, const std::function<void(TfrmPrincipal&)>& pAoMostrar)
{
    // Before anything else, and so before any thread exists.
    Sinais::Bloqueia();
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
    TLeitorSinais xSinais;
    if (!xSinais.Ativo())
        Sinais::Desbloqueia(); // without a reader the signals keep their default action
    auto xJanela = std::make_unique<TfrmPrincipal>();
    QObject::connect(&xSinais, &TLeitorSinais::Recebido, xJanela.get(),
                     [&xJanela](int pSinal) { EncerraPorSinal(*xJanela, pSinal); });
    xJanela->show();
    if (pAoMostrar)
        pAoMostrar(*xJanela);
    // A signal may have come while the window was being shown (a start-up warning is open then), before
    // the loop ran: its request to end the loop had nothing to end yet.
    const int xResultado = Sinais::Encerrando() ? 128 + Sinais::Recebido() : xAplicacao.exec();
    // The window closes the database connection; then the log's closing line, before the process ends.
    xJanela.reset();
    LiberaLog();
    Sinais::TerminaPeloSinal();
    return xResultado;
}
