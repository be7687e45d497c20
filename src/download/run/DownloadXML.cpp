#include "download/run/DownloadRun.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "util/Exception.h"

std::optional<TListaNotas> TDownloadRun::DownloadXML(const QString& pCnpj, const QString& pTipoAmbiente,
                                                     const QString& pTipoNFe,
                                                     const QString& pDataEmissaoInicial,
                                                     const QString& pDataEmissaoFinal,
                                                     const QString& pNumNfInicial, const QString& pNumNfFinal,
                                                     const QString& pSerieInicial, const QString& pSerieFinal)
{
    TEstadoDownload& xEstado = vView.EstadoDownload();
    qint32 xCountPages = 0;
    xEstado.vCurrentCnpj = pCnpj;
    xEstado.vCurrentNFe = pTipoNFe;
    xEstado.vCurrentTipoAmbiente = pTipoAmbiente;

    TListaNotas xListNotas;
    try {
        vView.StatusPainel(1,
                           QStringLiteral("Realizando o download da(s) ") + pTipoNFe + QStringLiteral("(s)"));
        vView.ProcessaEventos();
        for (;;) {
            std::unique_ptr<TRecepcaoNFAPIResponse> xRecepcaoNFAPIResponse = TRecepcaoNF::get().ConsultaNF(
                pCnpj, pTipoAmbiente, pTipoNFe, pDataEmissaoInicial, pDataEmissaoFinal, pNumNfInicial,
                pNumNfFinal, pSerieInicial, pSerieFinal, QString::number(xCountPages));
            if (!xRecepcaoNFAPIResponse)
                // The client has logged the cause.
                throw Exception(QStringLiteral("o serviço de notas não entregou a página ") +
                                QString::number(xCountPages) +
                                QStringLiteral(" da consulta. Consulte o arquivo de log para ver o motivo."));
            // No note (any more): whatever earlier pages brought is dropped.
            if (xRecepcaoNFAPIResponse->TotalElements == 0)
                return std::nullopt;
            xRecepcaoNFAPIResponse->MoveContentTo(xListNotas);
            const qint32 xTotalPages = xRecepcaoNFAPIResponse->TotalPages;
            xRecepcaoNFAPIResponse.reset();

            vView.GaugeMaximo(xTotalPages);
            ProximoProgresso();
            vView.ProcessaEventos();
            if (xEstado.vInterromper)
                break;
            ++xCountPages;
            if (xCountPages >= xTotalPages)
                break;
        }
        if (xEstado.vInterromper)
            vView.StatusPainel(1, QStringLiteral("Download da(s) ") + pTipoNFe +
                                      QStringLiteral("(s) interrompido pelo usuário"));
        else
            vView.StatusPainel(1, QStringLiteral("Download da(s) ") + pTipoNFe +
                                      QStringLiteral("(s) finalizado"));
        vView.ProcessaEventos();
    } catch (const Exception& E) {
        throw Exception(QStringLiteral("Falha ao realizar download da(s) ") + pTipoNFe +
                        QStringLiteral("(s). Motivo: ") + E.Message());
    } catch (const std::exception& E) {
        throw Exception(QStringLiteral("Falha ao realizar download da(s) ") + pTipoNFe +
                        QStringLiteral("(s). Motivo: ") + QString::fromLocal8Bit(E.what()));
    }
    return xListNotas;
}
