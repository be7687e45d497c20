#include "log/EscritorLog.h"

#include "log/Windows1252.h"
#include "sistema/ArquivoSistema.h"
#include "sistema/Threads.h"
#include "util/Clock.h"
#include "util/Regional.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <random>
#include <thread>

namespace {

constexpr int MTentativas = 16;   // attempts to take the file before the line is dropped
constexpr int ESPERA_MAXIMA = 16; // ms, the longest pause between two attempts

// The workers still running, and the gate to what they share with the rest of the process (the clock,
// the toolkit's text conversions): a worker passes it for each use, and once the log is released at exit
// the workers it started may no longer pass, so none of them touches what the exit is destroying.
// Never released: a worker may still be finishing, on its own data only, while the process ends.
struct TEscritores
{
    std::mutex vMutex;
    std::condition_variable vLivre;
    int vAtivos = 0;
    int vEmUso = 0;                // workers inside the gate
    std::uint64_t vGeracao = 1;    // of the workers starting now
    std::uint64_t vEncerradas = 0; // workers of this generation or older may no longer pass

    std::uint64_t Entra()
    {
        std::lock_guard xTrava(vMutex);
        ++vAtivos;
        return vGeracao;
    }
    void Sai()
    {
        std::lock_guard xTrava(vMutex);
        if (--vAtivos == 0)
            vLivre.notify_all();
    }
    bool Passa(std::uint64_t pGeracao)
    {
        std::lock_guard xTrava(vMutex);
        if (pGeracao <= vEncerradas)
            return false;
        ++vEmUso;
        return true;
    }
    void Deixa()
    {
        std::lock_guard xTrava(vMutex);
        if (--vEmUso == 0)
            vLivre.notify_all();
    }
    // Closes the gate to every worker started so far and waits for those inside to come out: their
    // stay is a few computations, never a file operation.
    void Encerra()
    {
        std::unique_lock xTrava(vMutex);
        vEncerradas = vGeracao++;
        vLivre.wait(xTrava, [&] { return vEmUso == 0; });
    }
};

TEscritores& Escritores()
{
    static TEscritores* const xEscritores = new TEscritores;
    return *xEscritores;
}

// One passage through the gate, for the life of the scope.
class TPassagem
{
public:
    explicit TPassagem(std::uint64_t pGeracao) : vPassou(Escritores().Passa(pGeracao)) {}
    ~TPassagem()
    {
        if (vPassou)
            Escritores().Deixa();
    }
    TPassagem(const TPassagem&) = delete;
    TPassagem& operator=(const TPassagem&) = delete;
    explicit operator bool() const { return vPassou; }

private:
    bool vPassou;
};

// Opens the day's file for appending (created when missing, never truncated) as its only writer, so
// writers of this and other processes append one at a time, readers let in. Nothing when all attempts
// failed.
std::optional<TArquivoSistema> AbreArquivo(TEstadoLog& pEstado, std::uint64_t pGeracao)
{
    std::minstd_rand xSorteio(
        static_cast<unsigned>(IdThreadAtual()) ^
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> xEspera(1, ESPERA_MAXIMA);
    for (int xTentativas = MTentativas; xTentativas > 0; --xTentativas) {
        QString xCaminho;
        {
            const TPassagem xPassagem(pGeracao);
            if (!xPassagem)
                return std::nullopt; // the process is ending: the line is dropped
            xCaminho = pEstado.getNomeLog();
        }
        TArquivoSistema xArquivo = TArquivoSistema::AbreParaAcrescentar(xCaminho);
        if (xArquivo.Aberto())
            return xArquivo;
        if (xTentativas > 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(xEspera(xSorteio)));
    }
    return std::nullopt;
}

// The line with its line end, in the file's code page. Built with the file already held, so the time
// stamp read here never goes down the file while the clock runs forward.
// Formatted by hand: no locale objects, which may already be gone when a writer runs at process exit.
QByteArray TextoLog(const TLinhaLog& pLinha, const QString& pTipo)
{
    const QDateTime xAgora = Clock::Agora();
    const QDate xData = xAgora.date();
    const QTime xHora = xAgora.time();
    const char xSeparador = Regional::TimeSeparator.toLatin1();
    char xCarimbo[64];
    std::snprintf(xCarimbo, sizeof xCarimbo, "%04d-%02d-%02d %02d%c%02d%c%02d", xData.year(), xData.month(),
                  xData.day(), xHora.hour(), xSeparador, xHora.minute(), xSeparador, xHora.second());
    char xThread[16];
    std::snprintf(xThread, sizeof xThread, "%08X", static_cast<unsigned>(IdThreadAtual()));

    // "%s %s %s %s : [%s] %s"; put together piece by piece so a "%" in the text stays as it is.
    QString xTexto;
    xTexto.reserve(96 + pLinha.vTexto.size());
    xTexto += QLatin1StringView(xCarimbo);
    xTexto += u' ';
    xTexto += pLinha.vVersao;
    xTexto += u' ';
    xTexto += QLatin1StringView(xThread);
    xTexto += u' ';
    xTexto += pTipo;
    xTexto += u" : [";
    xTexto += pLinha.vRemetente;
    xTexto += u"] ";
    xTexto += pLinha.vTexto;
    xTexto += u"\r\n";
    return ParaWindows1252(xTexto);
}

void EscreveTextoLog(TArquivoSistema& T, const TLinhaLog& pLinha, std::uint64_t pGeracao)
{
    QByteArray xBytes;
    {
        const TPassagem xPassagem(pGeracao);
        if (!xPassagem)
            return;
        xBytes = TextoLog(pLinha, TTipoLogHelper::ToString(pLinha.vTipo));
    }
    // One write per line: opened for appending, it lands whole at the end even for a reader that ignores
    // the writer's hold.
    T.Escreve(xBytes);
}

void EscreveLinha(TEstadoLog& pEstado, const TLinhaLog& pLinha, std::uint64_t pGeracao)
{
    std::optional<TArquivoSistema> xArquivo = AbreArquivo(pEstado, pGeracao);
    if (!xArquivo)
        return; // the line is lost, without a trace
    EscreveTextoLog(*xArquivo, pLinha, pGeracao);
    xArquivo->Fecha(); // also lets the next writer in
}

} // namespace

QString TEstadoLog::MontaNome(const QDate& pData) const
{
    char xData[16];
    std::snprintf(xData, sizeof xData, "%04d%02d%02d", pData.year(), pData.month(), pData.day());
    return vPastaLog + QStringLiteral("Log") + vPrefixoLog + QLatin1StringView(xData) +
           QStringLiteral(".txt");
}

QString TEstadoLog::getNomeLog()
{
    const QDate xHoje = Clock::Hoje();
    std::lock_guard xTrava(vMutex);
    if (xHoje != vDataLog) {
        vDataLog = xHoje;
        vNomeArquivoLog = MontaNome(vDataLog);
    }
    return vNomeArquivoLog;
}

void IniciaEscritor(std::shared_ptr<TEstadoLog> pEstado, TLinhaLog pLinha)
{
    const std::uint64_t xGeracao = Escritores().Entra();
    try {
        std::thread([xEstado = std::move(pEstado), xLinha = std::move(pLinha), xGeracao]() mutable {
            {
                // Moved in here so they are released before the worker counts as finished.
                const std::shared_ptr<TEstadoLog> xMeuEstado = std::move(xEstado);
                const TLinhaLog xMinhaLinha = std::move(xLinha);
                try {
                    EscreveLinha(*xMeuEstado, xMinhaLinha, xGeracao);
                } catch (...) {
                    // out of memory and the like: the line is lost
                }
            }
            Escritores().Sai();
        }).detach();
    } catch (...) {
        Escritores().Sai(); // no thread: the line is lost
    }
}

void EncerraEscritoresLog()
{
    Escritores().Encerra();
}

bool AguardaEscritoresLog(int pTimeoutMs)
{
    TEscritores& xEscritores = Escritores();
    std::unique_lock xTrava(xEscritores.vMutex);
    return xEscritores.vLivre.wait_for(xTrava, std::chrono::milliseconds(pTimeoutMs),
                                       [&] { return xEscritores.vAtivos == 0; });
}
