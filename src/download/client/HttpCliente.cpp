#include "download/client/HttpCliente.h"

#include "download/client/HttpCodificacao.h"
#include "download/client/HttpSessao.h"
#include "util/Exception.h"
#include "util/GlobalVar.h"

#include <QDateTime>
#include <chrono>
#include <curl/curl.h>

namespace {

const char* const ACCEPT = "Accept: application/json, text/plain; q=0.9, text/html;q=0.8,";
const char* const ACCEPT_CHARSET = "Accept-Charset: UTF-8, *;q=0.8";

using TRelogio = std::chrono::steady_clock;

// What the callbacks of one transfer share.
struct TTransferencia
{
    QByteArray* Corpo = nullptr;
    const THTTPSessao* Sessao = nullptr;
    QString UltimaLinhaStatus;
    int RetryAfter = -1;
    int SilencioMs = 30000;
    bool Conectado = false;
    bool Esgotado = false;
    TRelogio::time_point UltimaAtividade = TRelogio::now();
    curl_off_t UltimoRecebido = 0;
};

size_t RecebeCorpo(char* pDados, size_t, size_t pTamanho, void* pUsuario)
{
    auto* xTransf = static_cast<TTransferencia*>(pUsuario);
    xTransf->UltimaAtividade = TRelogio::now();
    xTransf->Corpo->append(pDados, static_cast<qsizetype>(pTamanho));
    return pTamanho;
}

// Retry-After as seconds from now: "120", or an HTTP date; -1 when it does not read.
int LeRetryAfter(const QByteArray& pValor)
{
    bool xOk = false;
    const qlonglong xSegundos = pValor.toLongLong(&xOk);
    if (xOk)
        return xSegundos < 0 ? -1 : int(qMin<qlonglong>(xSegundos, 86400));
    const QDateTime xQuando = QDateTime::fromString(QString::fromLatin1(pValor), Qt::RFC2822Date);
    if (!xQuando.isValid())
        return -1;
    return int(qBound(qint64(0), QDateTime::currentDateTimeUtc().secsTo(xQuando), qint64(86400)));
}

size_t RecebeCabecalho(char* pDados, size_t, size_t pTamanho, void* pUsuario)
{
    auto* xTransf = static_cast<TTransferencia*>(pUsuario);
    xTransf->UltimaAtividade = TRelogio::now();
    QByteArray xLinha(pDados, static_cast<qsizetype>(pTamanho));
    while (xLinha.endsWith('\n') || xLinha.endsWith('\r'))
        xLinha.chop(1);
    if (xLinha.startsWith("HTTP/")) {
        // A new answer (after a redirect or a 100 Continue): its body replaces the earlier one.
        xTransf->UltimaLinhaStatus = QString::fromLatin1(xLinha);
        xTransf->Corpo->clear();
        xTransf->RetryAfter = -1;
    } else if (xLinha.size() > 12 && xLinha.first(12).compare("retry-after:", Qt::CaseInsensitive) == 0) {
        xTransf->RetryAfter = LeRetryAfter(xLinha.mid(12).trimmed());
    }
    return pTamanho;
}

// The connection stands and the request is about to go: from now on silence is measured.
int Conectou(void* pUsuario, char*, char*, int, int)
{
    auto* xTransf = static_cast<TTransferencia*>(pUsuario);
    xTransf->Conectado = true;
    xTransf->UltimaAtividade = TRelogio::now();
    return CURL_PREREQFUNC_OK;
}

// The watchdog of the answer: fails the transfer after SilencioMs without any byte received,
// however long the whole transfer takes while data keeps flowing.
int Progresso(void* pUsuario, curl_off_t pRecebido, curl_off_t, curl_off_t, curl_off_t)
{
    auto* xTransf = static_cast<TTransferencia*>(pUsuario);
    if (xTransf->Sessao && xTransf->Sessao->Abortada())
        return 1;
    const TRelogio::time_point xAgora = TRelogio::now();
    if (pRecebido != xTransf->UltimoRecebido) {
        xTransf->UltimoRecebido = pRecebido;
        xTransf->UltimaAtividade = xAgora;
    }
    if (!xTransf->Conectado)
        return 0; // the connect time-out governs until then
    if (xAgora - xTransf->UltimaAtividade > std::chrono::milliseconds(xTransf->SilencioMs)) {
        xTransf->Esgotado = true;
        return 1;
    }
    return 0;
}

struct TListaCabecalhos
{
    curl_slist* Lista = nullptr;
    ~TListaCabecalhos() { curl_slist_free_all(Lista); }
};

} // namespace

THTTPClient::THTTPClient(THTTPSessao* pSessao)
    : vSessao(pSessao),
      vHandle(pSessao ? pSessao->Easy() : curl_easy_init()),
      vMulti(pSessao ? pSessao->Multi() : curl_multi_init())
{
}

THTTPClient::~THTTPClient()
{
    if (vSessao)
        return;
    if (vMulti)
        curl_multi_cleanup(vMulti);
    if (vHandle)
        curl_easy_cleanup(vHandle);
}

QByteArray THTTPResponse::TakeConteudoUtf8()
{
    return HttpCodificacao::CorpoEmUtf8(std::move(vCorpo),
                                        HttpCodificacao::CharsetDoContentType(vContentType));
}

void THTTPRequest::AddParameter(const QString& pNome, const QString& pValor)
{
    vParametros.append({pNome, pValor});
}

QByteArray THTTPRequest::QueryString() const
{
    QByteArray xQuery;
    for (const auto& [xNome, xValor] : vParametros) {
        if (!xQuery.isEmpty())
            xQuery += '&';
        xQuery +=
            HttpCodificacao::CodificaFormulario(xNome) + '=' + HttpCodificacao::CodificaFormulario(xValor);
    }
    return xQuery;
}

QString THTTPRequest::FullRequestURL() const
{
    const QByteArray xQuery = QueryString();
    return xQuery.isEmpty() ? vClient->BaseURL() : vClient->BaseURL() + u'?' + QString::fromLatin1(xQuery);
}

void THTTPRequest::Execute()
{
    CURL* xHandle = vClient->Handle();
    CURLM* xMulti = vClient->Multi();
    const THTTPSessao* xSessao = vClient->Sessao();
    *vResponse = THTTPResponse();
    if (!xHandle || !xMulti) {
        vResponse->vFalhaTransporte = true;
        throw Exception(QStringLiteral("REST request failed: ") +
                        QString::fromUtf8(curl_easy_strerror(CURLE_FAILED_INIT)));
    }
    if (xSessao && xSessao->Abortada()) {
        vResponse->vAbortada = true;
        throw Exception(QStringLiteral("REST request failed: consulta cancelada"));
    }
    // A session's handle keeps only its live connection (and DNS cache) from the last request.
    curl_easy_reset(xHandle);

    TTransferencia xTransf;
    xTransf.Corpo = &vResponse->vCorpo;
    xTransf.Sessao = xSessao;
    xTransf.SilencioMs = vTimeout;

    const QByteArray xUrl = FullRequestURL().toUtf8();
    const QByteArray xAgente = QByteArrayLiteral("Tarnwick/") + VERSAO_SOFTWARE;
    TListaCabecalhos xCabecalhos;
    xCabecalhos.Lista = curl_slist_append(xCabecalhos.Lista, ACCEPT);
    xCabecalhos.Lista = curl_slist_append(xCabecalhos.Lista, ACCEPT_CHARSET);
    char xErro[CURL_ERROR_SIZE] = {};

    curl_easy_setopt(xHandle, CURLOPT_URL, xUrl.constData());
    curl_easy_setopt(xHandle, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(xHandle, CURLOPT_HTTPHEADER, xCabecalhos.Lista);
    curl_easy_setopt(xHandle, CURLOPT_USERAGENT, xAgente.constData());
    curl_easy_setopt(xHandle, CURLOPT_ERRORBUFFER, xErro);
    curl_easy_setopt(xHandle, CURLOPT_NOSIGNAL, 1L);
    // The service is reached directly; the program reads no environment, so no proxy from it either.
    curl_easy_setopt(xHandle, CURLOPT_PROXY, "");
    curl_easy_setopt(xHandle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(xHandle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(xHandle, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(xHandle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(xHandle, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(vConnectTimeout));
    curl_easy_setopt(xHandle, CURLOPT_PREREQFUNCTION, Conectou);
    curl_easy_setopt(xHandle, CURLOPT_PREREQDATA, &xTransf);
    curl_easy_setopt(xHandle, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(xHandle, CURLOPT_XFERINFOFUNCTION, Progresso);
    curl_easy_setopt(xHandle, CURLOPT_XFERINFODATA, &xTransf);
    curl_easy_setopt(xHandle, CURLOPT_WRITEFUNCTION, RecebeCorpo);
    curl_easy_setopt(xHandle, CURLOPT_WRITEDATA, &xTransf);
    curl_easy_setopt(xHandle, CURLOPT_HEADERFUNCTION, RecebeCabecalho);
    curl_easy_setopt(xHandle, CURLOPT_HEADERDATA, &xTransf);

    // Driven through the multi interface, so that an abort from another thread wakes the wait at once.
    CURLcode xResultado = CURLE_OK;
    if (curl_multi_add_handle(xMulti, xHandle) != CURLM_OK) {
        xResultado = CURLE_FAILED_INIT;
    } else {
        int xAtivas = 1;
        bool xTerminou = false;
        while (!xTerminou) {
            if (curl_multi_perform(xMulti, &xAtivas) != CURLM_OK) {
                xResultado = CURLE_FAILED_INIT;
                break;
            }
            int xNaFila = 0;
            while (CURLMsg* xMsg = curl_multi_info_read(xMulti, &xNaFila))
                if (xMsg->msg == CURLMSG_DONE && xMsg->easy_handle == xHandle) {
                    xResultado = xMsg->data.result;
                    xTerminou = true;
                }
            if (xTerminou)
                break;
            if (xSessao && xSessao->Abortada()) {
                xResultado = CURLE_ABORTED_BY_CALLBACK;
                break;
            }
            // Wakes for the socket, for an abort (curl_multi_wakeup) or for the silence watchdog.
            curl_multi_poll(xMulti, nullptr, 0, 250, nullptr);
        }
        curl_multi_remove_handle(xMulti, xHandle);
    }
    // The handle must not keep pointers to this frame's objects.
    curl_easy_setopt(xHandle, CURLOPT_HTTPHEADER, nullptr);
    curl_easy_setopt(xHandle, CURLOPT_ERRORBUFFER, nullptr);
    curl_easy_setopt(xHandle, CURLOPT_PREREQDATA, nullptr);
    curl_easy_setopt(xHandle, CURLOPT_XFERINFODATA, nullptr);
    curl_easy_setopt(xHandle, CURLOPT_WRITEDATA, nullptr);
    curl_easy_setopt(xHandle, CURLOPT_HEADERDATA, nullptr);
    vResponse->vRetryAfter = xTransf.RetryAfter;

    if (xResultado != CURLE_OK) {
        QString xMotivo;
        if (xSessao && xSessao->Abortada()) {
            vResponse->vCorpo.clear();
            vResponse->vAbortada = true;
            throw Exception(QStringLiteral("REST request failed: consulta cancelada"));
        }
        vResponse->vFalhaTransporte = true;
        if (xTransf.Esgotado)
            xMotivo = QStringLiteral("Operation timed out after %1 milliseconds without data received")
                          .arg(vTimeout);
        else if (xErro[0])
            xMotivo = QString::fromUtf8(xErro).trimmed();
        else
            xMotivo = QString::fromUtf8(curl_easy_strerror(xResultado));
        vResponse->vCorpo.clear();
        throw Exception(QStringLiteral("REST request failed: ") + xMotivo);
    }

    long xStatus = 0;
    curl_easy_getinfo(xHandle, CURLINFO_RESPONSE_CODE, &xStatus);
    char* xContentType = nullptr;
    curl_easy_getinfo(xHandle, CURLINFO_CONTENT_TYPE, &xContentType);
    vResponse->vStatusCode = static_cast<int>(xStatus);
    vResponse->vStatusLine = xTransf.UltimaLinhaStatus;
    vResponse->vContentType = xContentType ? QByteArray(xContentType) : QByteArray();
    if (xStatus >= 500) {
        vResponse->vCorpo.clear();
        throw Exception(xTransf.UltimaLinhaStatus.isEmpty() ? QStringLiteral("HTTP/1.1 %1").arg(xStatus)
                                                            : xTransf.UltimaLinhaStatus);
    }
}
