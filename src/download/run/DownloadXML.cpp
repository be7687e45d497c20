#include "download/archive/ZipNomes.h"
#include "download/run/DownloadPasso.h"
#include "sistema/Threads.h"
#include "util/Clock.h"
#include "util/Exception.h"

namespace {

QString MensagemDe(const std::exception& E)
{
    if (const auto* xExcecao = dynamic_cast<const Exception*>(&E))
        return xExcecao->Message();
    return QString::fromLocal8Bit(E.what());
}

} // namespace

TDownloadRun::TResultadoPasso TDownloadRun::DownloadXML(TPasso& pPasso, const QString& pCnpj,
                                                        const QString& pTipoAmbiente, const QString& pTipoNFe,
                                                        const TFiltrosDownload& pFiltros)
{
    TEstadoDownload& xEstado = vView.EstadoDownload();
    qint32 xCountPages = 0;
    xEstado.vCurrentCnpj = pCnpj;
    xEstado.vCurrentNFe = pTipoNFe;
    xEstado.vCurrentTipoAmbiente = pTipoAmbiente;
    pPasso.Cnpj = pCnpj;
    pPasso.TipoNFe = pTipoNFe;
    pPasso.TipoAmbiente = pTipoAmbiente;

    auto xBusca = [&] {
        // The fetch worker: pages 0, 1, 2, ... over the step's connection, each asked for as soon as the
        // page before, read, says it exists, until the run asks to stop.
        pPasso.Busca.Inicia([&pPasso, pFiltros] {
            TControleConsulta& xControle = *pPasso.Controle;
            for (qint32 xPagina = 0;; ++xPagina) {
                {
                    std::unique_lock<std::mutex> xTrava(pPasso.Trava);
                    while (pPasso.Fila.size() >= TPasso::PAGINAS_NA_FILA && !xControle.RetentativasParadas())
                        pPasso.Sinal.wait_for(xTrava, std::chrono::milliseconds(20));
                    if (xPagina > 0 && xControle.RetentativasParadas()) {
                        pPasso.BuscaAcabou = true;
                        break;
                    }
                    pPasso.Pedidas = xPagina + 1;
                }
                TPaginaBuscada xItem;
                try {
                    xItem.Pagina = ConsultaNFComRetentativas(
                        xControle, xItem.Fim, pPasso.Cnpj, pPasso.TipoAmbiente, pPasso.TipoNFe,
                        pFiltros.DataEmissaoInicial, pFiltros.DataEmissaoFinal, pFiltros.NumNfInicial,
                        pFiltros.NumNfFinal, pFiltros.SerieInicial, pFiltros.SerieFinal,
                        QString::number(xPagina));
                } catch (...) {
                    xItem.Falha = std::current_exception();
                    xItem.Fim = TFimConsulta::Falha;
                }
                const bool xContinua = xItem.Pagina && xItem.Pagina->TotalElements != 0 &&
                                       xPagina + 1 < xItem.Pagina->TotalPages;
                {
                    std::lock_guard<std::mutex> xTrava(pPasso.Trava);
                    pPasso.Fila.push_back(std::move(xItem));
                    pPasso.BuscaAcabou = !xContinua;
                }
                pPasso.Sinal.notify_all();
                if (!xContinua)
                    return;
            }
            pPasso.Sinal.notify_all();
        });
    };
    // A page's notes, deflated into the archive on the compression worker, then released.
    auto xCompacta = [&](TListaNotas&& pNotas) {
        const qint64 xQuando = Clock::Agora().toSecsSinceEpoch();
        pPasso.Compressao.Inicia([this, &pPasso, xNotas = std::move(pNotas), xQuando] {
            // Behind the fetch: when the processors are busy, reading the next page comes first.
            ReduzPrioridadeDaThread();
            if (pPasso.FalhaEscrita || !pPasso.Zip)
                return;
            try {
                for (const TNota& xNota : xNotas) {
                    if (Abortado())
                        return;
                    pPasso.Zip->Acrescenta(NomeEntradaAutorizada(xNota), xNota.Xml, xQuando);
                    if (!xNota.XmlCancelamento.isEmpty())
                        pPasso.Zip->Acrescenta(NomeEntradaCancelamento(xNota), xNota.XmlCancelamento,
                                               xQuando);
                }
            } catch (...) {
                // Reported where the run reaches its compression; the space is given back now.
                pPasso.FalhaEscrita = true;
                pPasso.Zip->Descarta();
            }
        });
    };

    try {
        vView.StatusPainel(1,
                           QStringLiteral("Realizando o download da(s) ") + pTipoNFe + QStringLiteral("(s)"));
        Eventos();
        xBusca();
        for (;;) {
            AguardaPagina(pPasso);
            TPaginaBuscada xItem;
            {
                std::lock_guard<std::mutex> xTrava(pPasso.Trava);
                if (!pPasso.Fila.empty()) {
                    xItem = std::move(pPasso.Fila.front());
                    pPasso.Fila.pop_front();
                } else {
                    xItem.Fim = TFimConsulta::Parada; // the worker stopped before asking for it
                }
            }
            pPasso.Sinal.notify_all();
            if (xItem.Falha)
                std::rethrow_exception(xItem.Falha);
            if (xItem.Fim == TFimConsulta::Parada) {
                if (Abortado())
                    throw TAbandono();
                // Stopped before the page came: the step keeps what it has.
                if (!pPasso.Zip && !pPasso.FalhaCriacao)
                    return TResultadoPasso::Nada;
                break;
            }
            std::unique_ptr<TRecepcaoNFAPIResponse> xRecepcaoNFAPIResponse = std::move(xItem.Pagina);
            if (!xRecepcaoNFAPIResponse)
                // The client has logged the cause.
                throw Exception(QStringLiteral("o serviço de notas não entregou a página ") +
                                QString::number(xCountPages) +
                                QStringLiteral(" da consulta. Consulte o arquivo de log para ver o motivo."));
            // No note (any more): whatever earlier pages brought is dropped.
            if (xRecepcaoNFAPIResponse->TotalElements == 0) {
                Aguarda(pPasso.Compressao);
                pPasso.Zip.reset();
                return TResultadoPasso::Nada;
            }
            if (!pPasso.Zip && !pPasso.FalhaCriacao) {
                try {
                    pPasso.Zip = CriaZipFile(xEstado.vCaminhoPasta);
                } catch (const std::exception& E) {
                    pPasso.FalhaCriacao = MensagemDe(E);
                }
            }
            TListaNotas xNotas;
            xRecepcaoNFAPIResponse->MoveContentTo(xNotas);
            const qint32 xTotalPages = xRecepcaoNFAPIResponse->TotalPages;
            xRecepcaoNFAPIResponse.reset();
            pPasso.NotasRecebidas += qint64(xNotas.size());

            vView.GaugeMaximo(xTotalPages);
            ProximoProgresso();
            Eventos();
            bool xMais = ++xCountPages < xTotalPages;
            if (xMais && xEstado.vInterromper) {
                // Eventos has told the worker to stop: only a page it had asked for already still comes.
                std::lock_guard<std::mutex> xTrava(pPasso.Trava);
                xMais = pPasso.Pedidas > xCountPages;
            }
            // The page before has to be in the archive first: at most this one waits meanwhile.
            Aguarda(pPasso.Compressao);
            xCompacta(std::move(xNotas));
            if (!xMais)
                break;
        }
        if (xEstado.vInterromper)
            vView.StatusPainel(1, QStringLiteral("Download da(s) ") + pTipoNFe +
                                      QStringLiteral("(s) interrompido pelo usuário"));
        else
            vView.StatusPainel(1, QStringLiteral("Download da(s) ") + pTipoNFe +
                                      QStringLiteral("(s) finalizado"));
        Eventos();
    } catch (const TAbandono&) {
        throw;
    } catch (const std::exception& E) {
        throw Exception(QStringLiteral("Falha ao realizar download da(s) ") + pTipoNFe +
                        QStringLiteral("(s). Motivo: ") + MensagemDe(E));
    }
    return TResultadoPasso::Arquivo;
}
