#pragma once

#include "download/model/ModelRecepcaoNF.h"
#include "log/LogArquivo.h"

#include <QString>
#include <memory>

class THTTPConnectionClient;
class THTTPSessao;

// How a query that returned no page (or raised) went, for whoever decides to ask again.
struct TResultadoPagina
{
    int Status = 0;           // HTTP status of the answer; 0 when none arrived
    bool Transitoria = false; // no whole answer (refused, reset, time-out, cut) or 429, 502, 503, 504
    bool Abortada = false;    // the session was aborted
    int RetryAfter = -1;      // seconds the answer asked us to wait; -1: it did not say
};

inline constexpr const char* METODO_NOTA = "/v1/nota";
inline constexpr int PAGE_SIZE = 100;
inline constexpr const char* SORT = "numNF";

// The notes service client: one query (branch, type, environment, filters, page) becomes one GET.
// It never raises for HTTP or transport failures: it logs them (Erro) and returns nothing.
class TRecepcaoNF : public TLogSender
{
public:
    static TRecepcaoNF& get();

    QString ClassName() const override { return QStringLiteral("TRecepcaoNF"); }

    // One page, or nothing when the query failed (already logged). Raises EConvertError when a
    // body cannot be read (status 200 with a bad body, or a failure body that is not JSON).
    // pSessao: the download step's kept-alive connection (none: a connection for this query alone).
    // pResultado, when given, tells how a failed query went (also when it raised).
    std::unique_ptr<TRecepcaoNFAPIResponse> ConsultaNF(const QString& pCnpj, const QString& pTipoAmbiente,
                                                       const QString& pTipoNFe,
                                                       const QString& pDataEmissaoInicial,
                                                       const QString& pDataEmissaoFinal,
                                                       const QString& pNumNfInicial, const QString& pNumNfFinal,
                                                       const QString& pSerieInicial, const QString& pSerieFinal,
                                                       const QString& pPage, THTTPSessao* pSessao = nullptr,
                                                       TResultadoPagina* pResultado = nullptr);

    // "http://" + host + ":2020/RecepcaoNF"; tests point it at the local stand-in.
    QString UrlBase() const { return vUrlBase; }
    void SetUrlBase(const QString& pUrlBase) { vUrlBase = pUrlBase; }

private:
    TRecepcaoNF();

    // Fills the bundle for the resource path and the query values; false when it cannot be prepared
    // (no base address). Raises EConvertError when a date filter does not read as a date.
    bool PreparaRequest(THTTPConnectionClient& pConexao, const QString& pMetodo, const QString& pCnpj,
                        const QString& pTipoAmbiente, const QString& pTipoNFe,
                        const QString& pDataEmissaoInicial, const QString& pDataEmissaoFinal,
                        const QString& pNumNfInicial, const QString& pNumNfFinal, const QString& pSerieInicial,
                        const QString& pSerieFinal, const QString& pPage);

    QString vUrlBase;
};
