#include "log/LogArquivo.h"

#include "log/EscritorLog.h"
#include "log/PastaLog.h"
#include "sistema/Pastas.h"
#include "util/Clock.h"
#include "util/Exception.h"
#include "util/GlobalVar.h"

#include <QDir>
#include <QFileInfo>
#include <atomic>
#include <cstdlib>
#include <cxxabi.h>
#include <mutex>
#include <typeinfo>

namespace {

constexpr int LARGURA_REMETENTE = 32;
constexpr int ESPERA_FINAL_MS = 2000;

// The first line may come from any thread (the download's workers log): the instance is made under a
// lock, and read without one once it is there.
std::atomic<TLogArquivo*> MLog{nullptr};
std::mutex MCriacaoLog;
QString MPastaLogDefinida; // test seam, see TLogArquivo::DefinePastaLog

// Made on the first Log(), so it is released before the globals a line reads (MVersaoSoftware, the clock).
struct TLiberacaoLog
{
    ~TLiberacaoLog() { LiberaLog(); }
};

QString ComSeparador(const QString& pPasta)
{
    return pPasta.endsWith(u'/') ? pPasta : pPasta + u'/';
}

// The name the program gives its exceptions, or the C++ type name of any other.
QString NomeClasse(const std::exception& E)
{
    if (const auto* xNossa = dynamic_cast<const Exception*>(&E))
        return xNossa->ClassName();
    const char* xNome = typeid(E).name();
    int xStatus = 0;
    char* xLegivel = abi::__cxa_demangle(xNome, nullptr, nullptr, &xStatus);
    const QString xResultado = QString::fromUtf8(xStatus == 0 && xLegivel ? xLegivel : xNome);
    std::free(xLegivel);
    return xResultado;
}

} // namespace

QString TTipoLogHelper::ToString(TTipoLog pTipo)
{
    switch (pTipo) {
    case TTipoLog::Debug:
        return QStringLiteral("DEBUG ");
    case TTipoLog::Info:
        return QStringLiteral("INFO  ");
    case TTipoLog::Alerta:
        return QStringLiteral("ALERTA");
    case TTipoLog::Erro:
        return QStringLiteral("ERRO  ");
    }
    return QStringLiteral("      ");
}

TLogArquivo::TLogArquivo(const QString& pPrefixoLog) : TLogArquivo(pPrefixoLog, QString()) {}

TLogArquivo::TLogArquivo(const QString& pPrefixoLog, const QString& pPastaLog)
    : vEstado(std::make_shared<TEstadoLog>())
{
    vEstado->vPrefixoLog = pPrefixoLog.isEmpty() ? NomeAplicacao() : pPrefixoLog;
    if (!pPastaLog.isEmpty())
        vEstado->vPastaLog = ComSeparador(pPastaLog);
    else if (!MPastaLogDefinida.isEmpty())
        vEstado->vPastaLog = ComSeparador(MPastaLogDefinida);
    else
        vEstado->vPastaLog = EscolhePastaLog(CaminhoLog(), ProgramaDoSistema(CaminhoExecutavel()));
    vEstado->vDataLog = Clock::Hoje();
    vEstado->vNomeArquivoLog = vEstado->MontaNome(vEstado->vDataLog);
    DiretorioLog();
}

TLogArquivo::~TLogArquivo()
{
    FinalizaLog();
}

void TLogArquivo::Debug(const TLogSender* pObj, const QString& pTexto)
{
    EscreveLog(pObj, TTipoLog::Debug, pTexto);
}

void TLogArquivo::Info(const TLogSender* pObj, const QString& pTexto)
{
    EscreveLog(pObj, TTipoLog::Info, pTexto);
}

void TLogArquivo::Alerta(const TLogSender* pObj, const QString& pTexto)
{
    EscreveLog(pObj, TTipoLog::Alerta, pTexto);
}

void TLogArquivo::Erro(const TLogSender* pObj, const QString& pTexto)
{
    EscreveLog(pObj, TTipoLog::Erro, pTexto);
}

void TLogArquivo::AlertaExcecao(const TLogSender* pObj, const std::exception& E)
{
    try {
        Alerta(pObj, FormataExcecao(E));
    } catch (...) {
    }
}

void TLogArquivo::ErroExcecao(const TLogSender* pObj, const std::exception& E)
{
    try {
        Erro(pObj, FormataExcecao(E));
    } catch (...) {
    }
}

QString TLogArquivo::NomeLog()
{
    return vEstado->getNomeLog();
}

bool TLogArquivo::LogAtivo() const
{
    return vLogAtivo;
}

void TLogArquivo::SetLogAtivo(bool pAtivo)
{
    vLogAtivo = pAtivo;
}

void TLogArquivo::DefinePastaLog(const QString& pPastaLog)
{
    MPastaLogDefinida = pPastaLog;
}

bool TLogArquivo::AguardaEscritores(int pTimeoutMs)
{
    return AguardaEscritoresLog(pTimeoutMs);
}

QString TLogArquivo::CaminhoAplicacao()
{
    const QString xExecutavel = CaminhoExecutavel();
    return ComSeparador(QFileInfo(xExecutavel).absolutePath());
}

QString TLogArquivo::CaminhoLog()
{
    return CaminhoAplicacao() + QStringLiteral("log/");
}

QString TLogArquivo::NomeAplicacao()
{
    const QString xExecutavel = CaminhoExecutavel();
    const QString xNome = QFileInfo(xExecutavel).fileName();
    const qsizetype xPonto = xNome.lastIndexOf(u'.');
    return xPonto < 0 ? xNome : xNome.left(xPonto);
}

void TLogArquivo::DiretorioLog() const
{
    QDir().mkpath(vEstado->vPastaLog); // a failure shows later as lines that cannot be written
}

QString TLogArquivo::FormataExcecao(const std::exception& E)
{
    const auto* xNossa = dynamic_cast<const Exception*>(&E);
    const QString xMensagem = xNossa ? xNossa->Message() : QString::fromUtf8(E.what());
    return QStringLiteral("Exceção %1: %2").arg(NomeClasse(E), xMensagem);
}

void TLogArquivo::EscreveLog(const TLogSender* pObj, TTipoLog pTipo, const QString& pTexto, bool pFinal)
{
    if (!vLogAtivo && !pFinal)
        return;
    try {
        TLinhaLog xLinha{pObj ? pObj->ClassName().leftJustified(LARGURA_REMETENTE, u' ')
                              : QStringLiteral("*"),
                         pTipo, pTexto, MVersaoSoftware};
        IniciaEscritor(vEstado, std::move(xLinha));
    } catch (...) {
        // the log never disturbs its caller
    }
}

void TLogArquivo::FinalizaLog()
{
    Info(this, QStringLiteral("**** Log finalizado ****"));
}

TLogArquivo& Log()
{
    if (TLogArquivo* const xLog = MLog.load(std::memory_order_acquire))
        return *xLog;
    std::lock_guard xTrava(MCriacaoLog);
    TLogArquivo* xLog = MLog.load(std::memory_order_relaxed);
    if (!xLog) {
        static TLiberacaoLog xLiberacao;
        xLog = new TLogArquivo(QString());
        MLog.store(xLog, std::memory_order_release);
    }
    return *xLog;
}

void LiberaLog()
{
    TLogArquivo* xLog = nullptr;
    {
        std::lock_guard xTrava(MCriacaoLog);
        xLog = MLog.exchange(nullptr, std::memory_order_acq_rel);
    }
    if (!xLog)
        return;
    delete xLog;
    AguardaEscritoresLog(ESPERA_FINAL_MS);
    // A worker still held up (a file that does not answer) may outlive this moment, but not touch what
    // the rest of the exit destroys.
    EncerraEscritoresLog();
}

void EncerraLog()
{
    TLogArquivo* const xLog = MLog.load(std::memory_order_acquire);
    if (!xLog) {
        LiberaLog();
        return;
    }
    // Silent first, so no other line comes after the closing one; the instance stays, so a later Log()
    // finds it silent instead of making a new one. It is released at process exit, if there is one.
    // The lines given before it are on their own writers: they land first.
    xLog->SetLogAtivo(false);
    AguardaEscritoresLog(ESPERA_FINAL_MS);
    xLog->EscreveLog(xLog, TTipoLog::Info, QStringLiteral("**** Log finalizado ****"), true);
    AguardaEscritoresLog(ESPERA_FINAL_MS);
    EncerraEscritoresLog();
}
