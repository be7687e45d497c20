#include "log/EscritorLog.h"

#include "log/Windows1252.h"
#include "util/Clock.h"
#include "util/Regional.h"

#include <QFile>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int MTentativas = 16;   // attempts to take the file before the line is dropped
constexpr int ESPERA_MAXIMA = 16; // ms, the longest pause between two attempts

// The workers still running. Never released: a worker may still be finishing while the process ends.
struct TEscritores
{
    std::mutex vMutex;
    std::condition_variable vLivre;
    int vAtivos = 0;

    void Entra()
    {
        std::lock_guard xTrava(vMutex);
        ++vAtivos;
    }
    void Sai()
    {
        std::lock_guard xTrava(vMutex);
        if (--vAtivos == 0)
            vLivre.notify_all();
    }
};

TEscritores& Escritores()
{
    static TEscritores* const xEscritores = new TEscritores;
    return *xEscritores;
}

// Opens the day's file for appending (created when missing, never truncated) and takes it exclusively,
// so writers of this and other processes append one at a time. -1 when all attempts failed.
int AbreArquivo(TEstadoLog& pEstado)
{
    std::minstd_rand xSorteio(
        static_cast<unsigned>(gettid()) ^
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> xEspera(1, ESPERA_MAXIMA);
    for (int xTentativas = MTentativas; xTentativas > 0; --xTentativas) {
        const QByteArray xCaminho = QFile::encodeName(pEstado.getNomeLog());
        const int xArquivo = open(xCaminho.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
        if (xArquivo >= 0) {
            if (flock(xArquivo, LOCK_EX | LOCK_NB) == 0)
                return xArquivo;
            close(xArquivo);
        }
        if (xTentativas > 1)
            std::this_thread::sleep_for(std::chrono::milliseconds(xEspera(xSorteio)));
    }
    return -1;
}

bool EscreveTudo(int pArquivo, const QByteArray& pBytes)
{
    const char* xDados = pBytes.constData();
    qsizetype xFalta = pBytes.size();
    while (xFalta > 0) {
        const ssize_t xEscritos = write(pArquivo, xDados, static_cast<size_t>(xFalta));
        if (xEscritos < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        xDados += xEscritos;
        xFalta -= xEscritos;
    }
    return true;
}

// Builds the line and writes it with its line end to the open file. The time stamp is read now, with
// the file held, so time stamps never go down the file while the clock runs forward.
// Formatted by hand: no locale objects, which may already be gone when a writer runs at process exit.
void EscreveTextoLog(int T, const TLinhaLog& pLinha, const QString& pTipo)
{
    const QDateTime xAgora = Clock::Agora();
    const QDate xData = xAgora.date();
    const QTime xHora = xAgora.time();
    const char xSeparador = Regional::TimeSeparator.toLatin1();
    char xCarimbo[64];
    std::snprintf(xCarimbo, sizeof xCarimbo, "%04d-%02d-%02d %02d%c%02d%c%02d", xData.year(), xData.month(),
                  xData.day(), xHora.hour(), xSeparador, xHora.minute(), xSeparador, xHora.second());
    char xThread[16];
    std::snprintf(xThread, sizeof xThread, "%08X", static_cast<unsigned>(gettid()));

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
    // One write per line: with O_APPEND it lands whole at the end even for a reader that ignores the lock.
    EscreveTudo(T, ParaWindows1252(xTexto));
}

void EscreveLinha(TEstadoLog& pEstado, const TLinhaLog& pLinha)
{
    const int xArquivo = AbreArquivo(pEstado);
    if (xArquivo < 0)
        return; // the line is lost, without a trace
    EscreveTextoLog(xArquivo, pLinha, TTipoLogHelper::ToString(pLinha.vTipo));
    close(xArquivo); // also releases the lock
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
    Escritores().Entra();
    try {
        std::thread([xEstado = std::move(pEstado), xLinha = std::move(pLinha)]() mutable {
            {
                // Moved in here so they are released before the worker counts as finished.
                const std::shared_ptr<TEstadoLog> xMeuEstado = std::move(xEstado);
                const TLinhaLog xMinhaLinha = std::move(xLinha);
                try {
                    EscreveLinha(*xMeuEstado, xMinhaLinha);
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

bool AguardaEscritoresLog(int pTimeoutMs)
{
    TEscritores& xEscritores = Escritores();
    std::unique_lock xTrava(xEscritores.vMutex);
    return xEscritores.vLivre.wait_for(xTrava, std::chrono::milliseconds(pTimeoutMs),
                                       [&] { return xEscritores.vAtivos == 0; });
}
