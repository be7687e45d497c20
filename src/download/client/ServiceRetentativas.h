#pragma once

#include "download/client/HttpSessao.h"
#include "download/client/ServiceRecepcaoNF.h"

#include <condition_variable>
#include <memory>
#include <mutex>

// Transient failures of the notes service are asked again: a page that fails without a whole answer
// (refused, reset, time-out, cut) or with 429, 502, 503 or 504 is asked for again up to
// MAX_RETENTATIVAS times, 1 s, 2 s and 4 s apart, or after the answer's Retry-After when it gives one
// (RETRY_AFTER_MAXIMO seconds at most). Every attempt is logged by the client; each wait is logged
// (level Alerta) before it starts. Any other failure ends the query at once, as a single query would.

inline constexpr int MAX_RETENTATIVAS = 3;
inline constexpr int RETRY_AFTER_MAXIMO = 30; // seconds

// The queries of one download step: the kept-alive connection, and the two ways to end them early,
// callable from any thread while a query runs on another.
class TControleConsulta
{
public:
    THTTPSessao& Sessao() { return vSessao; }

    // The user asked to stop: a wait between attempts ends at once and no further attempt is made;
    // the request under way goes on.
    void ParaRetentativas();
    // The run is being abandoned: the request under way and any wait end at once.
    void Aborta();

    bool RetentativasParadas() const;
    // Waits pMs milliseconds; false when ParaRetentativas or Aborta ended the wait first.
    bool Espera(int pMs);

    // For tests: the milliseconds that stand for one second of the waits above (1000 normally).
    static void DefineMsPorSegundo(int pMs);
    static int MsPorSegundo();

private:
    THTTPSessao vSessao;
    mutable std::mutex vTrava;
    std::condition_variable vSinal;
    bool vParado = false;
};

// How ConsultaNFComRetentativas ended.
enum class TFimConsulta
{
    Pagina, // the page came
    Falha,  // no page: the last attempt failed (logged), or a failure body could not be read (raised)
    Parada, // no page: a stop request or an abort ended the attempts before one succeeded
};

// TRecepcaoNF::ConsultaNF over the step's connection, asked again while it fails transiently.
// Raises what the last attempt raised.
std::unique_ptr<TRecepcaoNFAPIResponse>
ConsultaNFComRetentativas(TControleConsulta& pControle, TFimConsulta& pFim, const QString& pCnpj,
                          const QString& pTipoAmbiente, const QString& pTipoNFe,
                          const QString& pDataEmissaoInicial, const QString& pDataEmissaoFinal,
                          const QString& pNumNfInicial, const QString& pNumNfFinal,
                          const QString& pSerieInicial, const QString& pSerieFinal, const QString& pPage);
