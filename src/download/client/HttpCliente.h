#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// The three HTTP objects of one notes query, over libcurl. A query builds them fresh and drops them
// afterwards (see THTTPConnectionClient). Without a session nothing (connections, cookies) is carried
// between queries; with one (THTTPSessao, the pages of one download step) only the live connection is.

class THTTPSessao;
typedef void CURL;
typedef void CURLM;

// The HTTP client: base address, content type of the requests and the transfer handle.
class THTTPClient
{
public:
    // pSessao: the session whose connection the requests use; none: a connection of the client's own.
    explicit THTTPClient(THTTPSessao* pSessao = nullptr);
    ~THTTPClient();
    THTTPClient(const THTTPClient&) = delete;
    THTTPClient& operator=(const THTTPClient&) = delete;

    QString BaseURL() const { return vBaseURL; }
    void SetBaseURL(const QString& pBaseURL) { vBaseURL = pBaseURL; }
    // Sent only with a request body; a notes query has none.
    QString ContentType() const { return vContentType; }
    void SetContentType(const QString& pContentType) { vContentType = pContentType; }

    CURL* Handle() const { return vHandle; }
    CURLM* Multi() const { return vMulti; }
    THTTPSessao* Sessao() const { return vSessao; }

private:
    QString vBaseURL;
    QString vContentType;
    THTTPSessao* vSessao;
    CURL* vHandle;  // the session's, or owned
    CURLM* vMulti;  // likewise
};

// The response: status and body of the last execution.
class THTTPResponse
{
public:
    int StatusCode() const { return vStatusCode; }
    // The answer's last status line, "HTTP/1.1 503 Service Unavailable".
    QString StatusLine() const { return vStatusLine; }
    QByteArray ContentType() const { return vContentType; }
    // The body in UTF-8, decoded by the charset the answer declares; takes the body out.
    QByteArray TakeConteudoUtf8();

    // How the last execution failed, when it did: no whole answer arrived (refused, reset, time-out,
    // cut), or the session was aborted.
    bool FalhaTransporte() const { return vFalhaTransporte; }
    bool Abortada() const { return vAbortada; }
    // The answer's Retry-After in seconds (a number or an HTTP date); -1 when it sent none.
    int RetryAfter() const { return vRetryAfter; }

private:
    friend class THTTPRequest;
    bool vFalhaTransporte = false;
    bool vAbortada = false;
    int vRetryAfter = -1;
    int vStatusCode = 0;
    QString vStatusLine;
    QByteArray vContentType;
    QByteArray vCorpo;
};

// The request: method, time-outs and query parameters, linked to a client and a response.
class THTTPRequest
{
public:
    THTTPRequest(THTTPClient* pClient, THTTPResponse* pResponse) : vClient(pClient), vResponse(pResponse) {}

    // Only GET is sent: the notes service has no other method for the client.
    QString Method() const { return vMethod; }
    void SetMethod(const QString& pMethod) { vMethod = pMethod; }
    // Milliseconds to establish the connection.
    int ConnectTimeout() const { return vConnectTimeout; }
    void SetConnectTimeout(int pMs) { vConnectTimeout = pMs; }
    // Milliseconds the answer may stay silent: a slow answer that keeps flowing does not time out.
    int Timeout() const { return vTimeout; }
    void SetTimeout(int pMs) { vTimeout = pMs; }

    // Appended to the query string in the order added, form-encoded.
    void AddParameter(const QString& pNome, const QString& pValor);
    QByteArray QueryString() const;
    // Base address and query string: what goes on the wire.
    QString FullRequestURL() const;

    // Fills the response. Raises Exception with the status line for status 500 and above, and with
    // "REST request failed: " + the transport's description when no answer arrived whole.
    void Execute();

private:
    THTTPClient* vClient;
    THTTPResponse* vResponse;
    QString vMethod = QStringLiteral("GET");
    int vConnectTimeout = 30000;
    int vTimeout = 30000;
    QList<QPair<QString, QString>> vParametros;
};
