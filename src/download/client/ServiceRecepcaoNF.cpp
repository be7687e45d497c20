#include "download/client/ServiceRecepcaoNF.h"

#include "download/client/ServiceConexaoHTTP.h"
#include "download/client/ServiceHost.h"
#include "util/Exception.h"
#include "util/Regional.h"

#include <curl/curl.h>

namespace {

std::unique_ptr<TRecepcaoNF> _Instancia;

QString MensagemDe(const std::exception& E)
{
    if (const auto* xExcecao = dynamic_cast<const Exception*>(&E))
        return xExcecao->Message();
    return QString::fromUtf8(E.what());
}

// dd/mm/yyyy as typed in the window to yyyy-mm-dd as the service reads it.
QString DataParaServico(const QString& pData)
{
    const std::optional<QDate> xData = Regional::StrToDate(pData);
    if (!xData)
        throw EConvertError(QStringLiteral("'%1' não é uma data válida").arg(pData));
    return xData->toString(QStringLiteral("yyyy-MM-dd"));
}

// Statuses of a service that is busy or whose gateway lost it for a moment: worth asking again.
bool StatusTransitorio(int pStatus)
{
    return pStatus == 429 || pStatus == 502 || pStatus == 503 || pStatus == 504;
}

} // namespace

TRecepcaoNF& TRecepcaoNF::get()
{
    if (!_Instancia)
        _Instancia.reset(new TRecepcaoNF());
    return *_Instancia;
}

TRecepcaoNF::TRecepcaoNF()
    : vUrlBase(QStringLiteral("http://") + HostServicoNotas() + QStringLiteral(":2020/RecepcaoNF"))
{
    curl_global_init(CURL_GLOBAL_DEFAULT);
}

bool TRecepcaoNF::PreparaRequest(THTTPConnectionClient& pConexao, const QString& pMetodo,
                                 const QString& pCnpj, const QString& pTipoAmbiente, const QString& pTipoNFe,
                                 const QString& pDataEmissaoInicial, const QString& pDataEmissaoFinal,
                                 const QString& pNumNfInicial, const QString& pNumNfFinal,
                                 const QString& pSerieInicial, const QString& pSerieFinal,
                                 const QString& pPage)
{
    if (vUrlBase.isEmpty())
        return false;
    pConexao.LimpaObjetos();
    pConexao.vClient->SetBaseURL(vUrlBase + pMetodo);
    pConexao.vClient->SetContentType(QStringLiteral("application/json"));

    THTTPRequest& xRequest = *pConexao.vRequest;
    // Only the presence test trims: a value that is sent goes as it is, blanks included.
    auto xAdiciona = [&xRequest](const char* pChave, const QString& pValor, bool pData = false) {
        if (!pValor.trimmed().isEmpty())
            xRequest.AddParameter(QLatin1String(pChave), pData ? DataParaServico(pValor) : pValor);
    };
    xAdiciona("cnpj", pCnpj);
    xAdiciona("tipoAmbiente", pTipoAmbiente);
    xAdiciona("tipoNFe", pTipoNFe);
    xAdiciona("dataEmissaoInicial", pDataEmissaoInicial, true);
    xAdiciona("dataEmissaoFinal", pDataEmissaoFinal, true);
    xAdiciona("numNfInicial", pNumNfInicial);
    xAdiciona("numNfFinal", pNumNfFinal);
    xAdiciona("serieInicial", pSerieInicial);
    xAdiciona("serieFinal", pSerieFinal);
    xAdiciona("page", pPage);
    xRequest.AddParameter(QStringLiteral("size"), QString::number(PAGE_SIZE));
    xRequest.AddParameter(QStringLiteral("sort"), QLatin1String(SORT));
    return true;
}

std::unique_ptr<TRecepcaoNFAPIResponse>
TRecepcaoNF::ConsultaNF(const QString& pCnpj, const QString& pTipoAmbiente, const QString& pTipoNFe,
                        const QString& pDataEmissaoInicial, const QString& pDataEmissaoFinal,
                        const QString& pNumNfInicial, const QString& pNumNfFinal,
                        const QString& pSerieInicial, const QString& pSerieFinal, const QString& pPage,
                        THTTPSessao* pSessao, TResultadoPagina* pResultado)
{
    // The bundle lives for this query only and is released on every way out.
    THTTPConnectionClient xConexao(pSessao);
    TResultadoPagina xDescarte;
    TResultadoPagina& xResultado = pResultado ? *pResultado : xDescarte;
    xResultado = TResultadoPagina();
    try {
        Log().Info(this, QStringLiteral("Preparando o Request do método: ") + QLatin1String(METODO_NOTA));
        if (!PreparaRequest(xConexao, QLatin1String(METODO_NOTA), pCnpj, pTipoAmbiente, pTipoNFe,
                            pDataEmissaoInicial, pDataEmissaoFinal, pNumNfInicial, pNumNfFinal, pSerieInicial,
                            pSerieFinal, pPage)) {
            Log().Erro(this, QStringLiteral("Falha ao Preparar Request da consulta da(s) ") + pTipoNFe +
                                 QStringLiteral("(s) para o CNPJ ") + pCnpj + u'.');
            return nullptr;
        }
        Log().Info(this, QStringLiteral("Realizando a consulta: ") + xConexao.vRequest->FullRequestURL());
        xConexao.vRequest->Execute();
    } catch (const std::exception& E) {
        const THTTPResponse& xResposta = *xConexao.vResponse;
        xResultado.Status = xResposta.StatusCode();
        xResultado.Abortada = xResposta.Abortada();
        xResultado.Transitoria = !xResposta.Abortada() && (xResposta.FalhaTransporte() ||
                                                           StatusTransitorio(xResposta.StatusCode()));
        xResultado.RetryAfter = xResposta.RetryAfter();
        Log().Erro(this, QStringLiteral("Falha na consulta: ") + xConexao.vClient->BaseURL() +
                             QStringLiteral(". Motivo:\r\n") + MensagemDe(E));
        return nullptr;
    }

    THTTPResponse& xResposta = *xConexao.vResponse;
    if (xResposta.StatusCode() != 200) {
        xResultado.Status = xResposta.StatusCode();
        xResultado.Transitoria = StatusTransitorio(xResposta.StatusCode());
        xResultado.RetryAfter = xResposta.RetryAfter();
        // A body that is not a JSON object raises from here to the caller, unlogged.
        const std::unique_ptr<TErrorResponse> xErro =
            TErrorResponse::FromJsonString(xResposta.TakeConteudoUtf8());
        Log().Erro(this, QStringLiteral("Falha na consulta: ") + xConexao.vClient->BaseURL() +
                             QStringLiteral(". Motivo:\r\n") + xErro->error);
        return nullptr;
    }
    return TRecepcaoNFAPIResponse::FromJsonString(xResposta.TakeConteudoUtf8());
}
