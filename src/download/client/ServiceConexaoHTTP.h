#pragma once

#include "download/client/HttpCliente.h"

#include <memory>

// The connection bundle of one notes query: client, request and response, owned together.
// A bundle lives for one query and is released, with its three objects, when the query ends.
class THTTPConnectionClient
{
public:
    // Default time-outs of a request, in milliseconds.
    static constexpr int TEMPO_LIMITE_PADRAO = 30000;

    // pSessao: the step's session, whose kept-alive connection the request uses; none: its own.
    explicit THTTPConnectionClient(THTTPSessao* pSessao = nullptr) : vSessao(pSessao) { CriaObjetos(); }
    THTTPConnectionClient(const THTTPConnectionClient&) = delete;
    THTTPConnectionClient& operator=(const THTTPConnectionClient&) = delete;

    // Creates the client, the request and the response; links the request to both; method GET,
    // time-outs as set by DefineTemposLimite (30 s each unless changed).
    void CriaObjetos();
    // Releases the three objects and creates them again, so a request is always prepared on fresh
    // objects that hold nothing of an earlier use.
    void LimpaObjetos();

    // For tests: the connect time-out and the silence time-out of the answer of every bundle created
    // afterwards (the program itself keeps 30 s for each).
    static void DefineTemposLimite(int pConexaoMs, int pRespostaMs);
    // The silence time-out of the answer that requests get now.
    static int TempoRespostaMs();

    THTTPSessao* vSessao = nullptr;
    std::unique_ptr<THTTPClient> vClient;
    std::unique_ptr<THTTPRequest> vRequest;
    std::unique_ptr<THTTPResponse> vResponse;
};
