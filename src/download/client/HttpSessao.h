#pragma once

#include <atomic>

typedef void CURL;
typedef void CURLM;

// One connection to the notes service kept alive across the pages of a download step: the transfer
// handle and its connection cache live as long as the session, so libcurl reuses the connection.
// Requests of a session run one at a time, from any one thread at a time.
//
// Aborta may be called from any thread: the transfer under way ends at once (its wait is woken, not
// polled), and every later request of the session fails at once.
class THTTPSessao
{
public:
    THTTPSessao();
    ~THTTPSessao();
    THTTPSessao(const THTTPSessao&) = delete;
    THTTPSessao& operator=(const THTTPSessao&) = delete;

    CURL* Easy() const { return vEasy; }
    CURLM* Multi() const { return vMulti; }

    void Aborta();
    bool Abortada() const { return vAbortada.load(std::memory_order_acquire); }

private:
    CURL* vEasy;
    CURLM* vMulti;
    std::atomic<bool> vAbortada{false};
};
