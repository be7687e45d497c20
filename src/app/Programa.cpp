#include "app/Programa.h"

#include "app/Aplicacao.h"
#include "app/MessageUtil.h"
#include "app/PastaUsuario.h"
#include "app/Principal.h"
#include "log/LogArquivo.h"
#include "sistema/Biblioteca.h"
#include "sistema/Tela.h"
#include "sistema/Termino.h"
#include "util/GlobalVar.h"

#include <QDialog>
#include <memory>

void EncerraPorPedido(TfrmPrincipal& pJanela, int pPedido)
{
    for (QWidget* xJanela : QApplication::topLevelWidgets())
        if (auto* xDialogo = qobject_cast<QDialog*>(xJanela); xDialogo && xDialogo->isVisible())
            xDialogo->reject();
    if (QWidget* xMenu = QApplication::activePopupWidget())
        xMenu->close();
    if (pJanela.vProcessando)
        pJanela.AbortaDownload();
    // Only asks: the loop ends when control is back in it, after a run under way has returned.
    QCoreApplication::exit(128 + pPedido);
}

int ExecutaPrograma(int& argc, char** argv, const std::function<void(TfrmPrincipal&)>& pAoMostrar)
{
    // Before anything else, and so before any thread exists.
    Termino::Bloqueia();
    // No library from the working folder or PATH, whatever loads one later (the Firebird client).
    Biblioteca::ProtegeBusca();
    MVersaoSoftware = QString::fromLatin1(VERSAO_SOFTWARE);
    // Started from the installed launcher: work in the user's configuration folder.
    const QString xFalhaPasta = EntraNaPastaDoUsuario(argc, argv);
    PreparaEscalaDaTela();

    TAplicacao xAplicacao(argc, argv);
    if (!xFalhaPasta.isEmpty()) {
        TMessageUtil::Erro(xFalhaPasta);
        return 1;
    }
    TAvisoTermino xAviso;
    if (!xAviso.Ativo())
        Termino::Desbloqueia(); // without a watcher the signals keep their default action
    auto xJanela = std::make_unique<TfrmPrincipal>();
    QObject::connect(&xAviso, &TAvisoTermino::Recebido, xJanela.get(),
                     [&xJanela](int pPedido) { EncerraPorPedido(*xJanela, pPedido); });
    // The session ends as soon as this returns (Windows): the run is left where it stands, its archive
    // hidden and unpublished, and the log gets its closing line now, its last: the run's request,
    // cancelled on the way out, logs nothing after it.
    QObject::connect(&xAviso, &TAvisoTermino::SemEspera, xJanela.get(), [] { EncerraLog(); });
    xJanela->show();
    if (pAoMostrar)
        pAoMostrar(*xJanela);
    // A request may have come while the window was being shown (a start-up warning is open then), before
    // the loop ran: its request to end the loop had nothing to end yet.
    const int xResultado = Termino::Encerrando() ? 128 + Termino::Recebido() : xAplicacao.exec();
    // The window closes the database connection; then the log's closing line, before the process ends.
    xJanela.reset();
    LiberaLog();
    Termino::TerminaComoPedido();
    return xResultado;
}
