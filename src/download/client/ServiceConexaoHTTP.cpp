#include "download/client/ServiceConexaoHTTP.h"

namespace {
int MTempoConexaoMs = THTTPConnectionClient::TEMPO_LIMITE_PADRAO;
int MTempoRespostaMs = THTTPConnectionClient::TEMPO_LIMITE_PADRAO;
} // namespace

void THTTPConnectionClient::CriaObjetos()
{
    vClient = std::make_unique<THTTPClient>(vSessao);
    vResponse = std::make_unique<THTTPResponse>();
    vRequest = std::make_unique<THTTPRequest>(vClient.get(), vResponse.get());
    vRequest->SetMethod(QStringLiteral("GET"));
    vRequest->SetConnectTimeout(MTempoConexaoMs);
    vRequest->SetTimeout(MTempoRespostaMs);
}

void THTTPConnectionClient::LimpaObjetos()
{
    // The request points at the other two: it goes first.
    vRequest.reset();
    vResponse.reset();
    vClient.reset();
    CriaObjetos();
}

int THTTPConnectionClient::TempoRespostaMs()
{
    return MTempoRespostaMs;
}

void THTTPConnectionClient::DefineTemposLimite(int pConexaoMs, int pRespostaMs)
{
    MTempoConexaoMs = pConexaoMs;
    MTempoRespostaMs = pRespostaMs;
}
