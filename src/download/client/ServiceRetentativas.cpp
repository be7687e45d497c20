#include "download/client/ServiceRetentativas.h"

#include "log/LogArquivo.h"

#include <atomic>
#include <chrono>
#include <exception>

namespace {

std::atomic<int> MMsPorSegundo{1000};

// Seconds before attempt pTentativa + 1 (pTentativa counts from 1).
int EsperaSegundos(int pTentativa, int pRetryAfter)
{
    if (pRetryAfter >= 0)
        return qMin(pRetryAfter, RETRY_AFTER_MAXIMO);
    return 1 << (pTentativa - 1);
}

} // namespace

void TControleConsulta::ParaRetentativas()
{
    {
        std::lock_guard<std::mutex> xTrava(vTrava);
        vParado = true;
    }
    vSinal.notify_all();
}

void TControleConsulta::Aborta()
{
    vSessao.Aborta();
    ParaRetentativas();
}

bool TControleConsulta::RetentativasParadas() const
{
    std::lock_guard<std::mutex> xTrava(vTrava);
    return vParado;
}

bool TControleConsulta::Espera(int pMs)
{
    std::unique_lock<std::mutex> xTrava(vTrava);
    return !vSinal.wait_for(xTrava, std::chrono::milliseconds(pMs), [this] { return vParado; });
}

void TControleConsulta::DefineMsPorSegundo(int pMs)
{
    MMsPorSegundo = pMs;
}

int TControleConsulta::MsPorSegundo()
{
    return MMsPorSegundo;
}

std::unique_ptr<TRecepcaoNFAPIResponse>
ConsultaNFComRetentativas(TControleConsulta& pControle, TFimConsulta& pFim, const QString& pCnpj,
                          const QString& pTipoAmbiente, const QString& pTipoNFe,
                          const QString& pDataEmissaoInicial, const QString& pDataEmissaoFinal,
                          const QString& pNumNfInicial, const QString& pNumNfFinal,
                          const QString& pSerieInicial, const QString& pSerieFinal, const QString& pPage)
{
    TRecepcaoNF& xCliente = TRecepcaoNF::get();
    for (int xTentativa = 1;; ++xTentativa) {
        TResultadoPagina xResultado;
        std::unique_ptr<TRecepcaoNFAPIResponse> xPagina;
        std::exception_ptr xFalha;
        try {
            xPagina = xCliente.ConsultaNF(pCnpj, pTipoAmbiente, pTipoNFe, pDataEmissaoInicial,
                                          pDataEmissaoFinal, pNumNfInicial, pNumNfFinal, pSerieInicial,
                                          pSerieFinal, pPage, &pControle.Sessao(), &xResultado);
        } catch (...) {
            xFalha = std::current_exception();
        }
        if (xPagina) {
            pFim = TFimConsulta::Pagina;
            return xPagina;
        }
        if (xResultado.Abortada) {
            pFim = TFimConsulta::Parada;
            return nullptr;
        }
        const bool xDeNovo = xResultado.Transitoria && xTentativa <= MAX_RETENTATIVAS;
        if (xDeNovo && pControle.RetentativasParadas()) {
            // Asked to stop while the attempt was under way: no further one.
            pFim = TFimConsulta::Parada;
            return nullptr;
        }
        if (!xDeNovo) {
            pFim = TFimConsulta::Falha;
            if (xFalha)
                std::rethrow_exception(xFalha);
            return nullptr;
        }
        const int xSegundos = EsperaSegundos(xTentativa, xResultado.RetryAfter);
        Log().Alerta(&xCliente,
                     QStringLiteral("Nova tentativa da consulta da página %1 em %2 s (tentativa %3 de %4).")
                         .arg(pPage)
                         .arg(xSegundos)
                         .arg(xTentativa + 1)
                         .arg(MAX_RETENTATIVAS + 1));
        if (!pControle.Espera(xSegundos * TControleConsulta::MsPorSegundo())) {
            pFim = TFimConsulta::Parada;
            return nullptr;
        }
    }
}
