// bench_run [--notes N] [--xml-size BYTES] [--rounds R] [--delay-notes N] [--memory-sizes A,B]
//
// The costs of one download step (one branch, NF-e, production) served by the local stand-in, each
// against what no run can avoid, best of `rounds` (default 3) measurements, all in the same run:
//
// 1. Memory: the step of 20,000 and of 100,000 notes of 10 KB XML, each in a fresh child process; its
//    peak resident memory (VmHWM) above the process's resident memory when idle, just before the run.
//    Goal: under 64 MiB, flat in the size of the step.
// 2. Loopback: the step of `notes` (default 20,000) notes, against fetching the same pages with plain
//    libcurl into memory (one handle, kept alive) plus deflating the same XML with zlib at the
//    archive's level. Goal: ratio <= 1.0 (fetch and compression overlap).
// 3. A remote service: the stand-in waits 50 ms before each page; the step of `delay-notes` (default
//    20,000, the same data) notes against the plain sequential fetch of the same pages over one kept-alive
//    connection. Goal: ratio <= 1.05 (compression hidden behind the network).
//
// Build it in Release (see README). The machine's load weighs on wall-clock times: the ratios compare
// measurements taken alternately in the same run, and the CPU times (ours + the stand-in's) are shown
// beside them.

#include "download/run/DownloadRun.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "download/archive/ZipArquivo.h"
#include "sistema/Processo.h"
#include "support/ProcessoHospedeiro.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <curl/curl.h>
#include <functional>
#include <zlib.h>

namespace {

const QString CNPJ = QStringLiteral("12345678000195");

class TVisaoBench : public IDownloadView
{
public:
    TEstadoDownload vEstado;
    TListaFiliais vFiliais;
    QString vPasta;
    QStringList vDialogos;

    TEstadoDownload& EstadoDownload() override { return vEstado; }
    const TListaFiliais& Filiais() override { return vFiliais; }
    void PosicionaFilial(int) override {}
    TCaixasDownload Caixas() override { return {true, false, false, true, false}; }
    TFiltrosDownload Filtros() override
    {
        return {"01/01/2024", "31/12/2024", "00000001", "99999999", "1", "99"};
    }
    bool ValidaCampos() override { return true; }
    void EnableDisableCampos(bool) override {}
    void LimpaCampos() override {}
    QString SelecionaPasta() override { return vPasta; }
    void CursorAmpulheta(bool) override {}
    // Times the two halves of the step by its status texts: fetch loop, then compression.
    QElapsedTimer vRelogio;
    double vInicioFetch = 0, vFimFetch = 0, vInicioZip = 0, vFimZip = 0;
    void StatusPainel(int pPainel, const QString& pTexto) override
    {
        if (pPainel != 1)
            return;
        const double xAgora = vRelogio.nsecsElapsed() / 1e9;
        if (pTexto.startsWith(QLatin1String("Realizando o download")))
            vInicioFetch = xAgora;
        else if (pTexto.startsWith(QLatin1String("Download da")))
            vFimFetch = xAgora;
        else if (pTexto.startsWith(QLatin1String("Realizando a compress")))
            vInicioZip = xAgora;
        else if (pTexto.startsWith(QLatin1String("Compress")))
            vFimZip = xAgora;
    }
    void GaugeMaximo(int) override {}
    void GaugeProgresso(int) override {}
    void ProcessaEventos() override { QCoreApplication::processEvents(); }
    void Alerta(const QString& pTexto) override { vDialogos << pTexto; }
    void Erro(const QString& pTexto) override { vDialogos << pTexto; }
    void Informacao(const QString& pTexto) override { vDialogos << pTexto; }
    void EstiloClassicoDialogos(bool) override {}
};

size_t Acumula(char* pDados, size_t pTamanho, size_t pQuantos, void* pDestino)
{
    static_cast<QByteArray*>(pDestino)->append(pDados, qsizetype(pTamanho * pQuantos));
    return pTamanho * pQuantos;
}

// CPU seconds used so far by this process (all its threads) and by the stand-in (pServico, its process
// id on the build machine: in the Windows build, under Wine, it is a Linux process): on a busy machine
// they vary far less than wall-clock times.
double CpuSegundos(qint64 pServico)
{
    double xSegundos = UsoDoProcesso().CpuSegundos;
    static const double TICKS =
        ExecutaNoHospedeiro(QStringLiteral("getconf"), {QStringLiteral("CLK_TCK")}).Saida.trimmed().toDouble();
    const TResultadoHospedeiro xStat =
        ExecutaNoHospedeiro(QStringLiteral("cat"), {QStringLiteral("/proc/%1/stat").arg(pServico)});
    if (xStat.Codigo == 0 && TICKS > 0) {
        const QList<QByteArray> xCampos = xStat.Saida.split(')').last().trimmed().split(' ');
        // After "pid (comm)": state is field 3, utime field 14, stime field 15.
        if (xCampos.size() > 12)
            xSegundos += (xCampos[11].toDouble() + xCampos[12].toDouble()) / TICKS;
    }
    return xSegundos;
}

// The build machine's load average, as its /proc/loadavg gives it.
QByteArray Carga()
{
    const TResultadoHospedeiro xCarga = ExecutaNoHospedeiro(QStringLiteral("cat"), {QStringLiteral("/proc/loadavg")});
    return xCarga.Codigo == 0 ? xCarga.Saida.split(' ').mid(0, 3).join(' ') : QByteArray("unknown");
}

// The local stand-in with the notes of one branch, NF-e, production.
struct TServicoBench
{
    TProcessoHospedeiro vProcesso;
    QString vUrlBase;

    bool Inicia(int pNotas, int pTamanhoXml, const QString& pFalha = {})
    {
        QStringList xArgs{"--port",     "0",     "--quiet",       "--cnpj", CNPJ, "--types", "NF_E", "--envs",
                          "PRODUCAO",   "--per-branch", QString::number(pNotas), "--xml-size",
                          QString::number(pTamanhoXml), "--cancelled", "0"};
        if (!pFalha.isEmpty())
            xArgs << "--fault" << pFalha;
        if (!vProcesso.Iniciar(QStringLiteral(TARNWICK_NOTES_SERVICE_EXE), xArgs))
            return false;
        QDeadlineTimer xPrazo(30000);
        while (!vProcesso.Saida().contains('\n') && !xPrazo.hasExpired())
            vProcesso.EsperaSaida(int(std::max<qint64>(1, xPrazo.remainingTime())));
        const QByteArray xLinha = vProcesso.Saida();
        if (!xLinha.startsWith("listening on 127.0.0.1:"))
            return false;
        vUrlBase = "http://127.0.0.1:" + QString::fromLatin1(xLinha.trimmed().mid(xLinha.lastIndexOf(':') + 1)) +
                   "/RecepcaoNF";
        return true;
    }
};

// One step as the window drives it, into pPasta; its wall-clock time. Leaves the archive's size in
// pBytesZip and removes it.
double UmPasso(const QString& pPasta, qint64* pBytesZip = nullptr)
{
    TVisaoBench xVisao;
    xVisao.vFiliais = {TFilial{"S", "1", "1 - Filial", CNPJ}};
    xVisao.vPasta = pPasta;
    QElapsedTimer& xRelogio = xVisao.vRelogio;
    xRelogio.start();
    TDownloadRun(xVisao).Executa();
    const double xTempo = xRelogio.nsecsElapsed() / 1e9;
    if (xVisao.vDialogos.size() != 1 || !xVisao.vDialogos[0].startsWith("Download de XMLs finalizado.")) {
        std::fprintf(stderr, "run failed: %s\n", qPrintable(xVisao.vDialogos.join(" | ")));
        std::exit(1);
    }
    for (const QFileInfo& xArquivo : QDir(pPasta).entryInfoList(QDir::Files | QDir::Hidden)) {
        if (pBytesZip)
            *pBytesZip = xArquivo.size();
        QFile::remove(xArquivo.filePath());
    }
    return xTempo;
}

// The same pages with plain libcurl into memory, one handle kept alive; pCorpos receives the bodies.
double BuscaSimples(const QString& pUrlBase, int pPaginas, std::vector<QByteArray>* pCorpos)
{
    std::vector<QByteArray> xLocal;
    std::vector<QByteArray>& xCorpos = pCorpos ? *pCorpos : xLocal;
    xCorpos.assign(size_t(pPaginas), QByteArray());
    CURL* xCurl = curl_easy_init();
    QElapsedTimer xRelogio;
    xRelogio.start();
    for (int p = 0; p < pPaginas; ++p) {
        const QByteArray xUrl = (pUrlBase + "/v1/nota?cnpj=" + CNPJ +
                                 "&tipoAmbiente=PRODUCAO&tipoNFe=NF_E&dataEmissaoInicial=2024-01-01"
                                 "&dataEmissaoFinal=2024-12-31&numNfInicial=00000001&numNfFinal=99999999"
                                 "&serieInicial=1&serieFinal=99&page=" +
                                 QString::number(p) + "&size=" + QString::number(PAGE_SIZE) + "&sort=numNF")
                                    .toUtf8();
        curl_easy_setopt(xCurl, CURLOPT_URL, xUrl.constData());
        curl_easy_setopt(xCurl, CURLOPT_WRITEFUNCTION, Acumula);
        curl_easy_setopt(xCurl, CURLOPT_WRITEDATA, &xCorpos[size_t(p)]);
        if (curl_easy_perform(xCurl) != CURLE_OK) {
            std::fprintf(stderr, "plain fetch failed\n");
            std::exit(1);
        }
        if (!pCorpos)
            xCorpos[size_t(p)] = QByteArray();
    }
    const double xTempo = xRelogio.nsecsElapsed() / 1e9;
    curl_easy_cleanup(xCurl);
    return xTempo;
}

// Child mode (--memory N): one step of N notes; prints "<idle KiB> <peak KiB> <seconds>".
int MedeMemoria(int pNotas, int pTamanhoXml)
{
    TServicoBench xServico;
    if (!xServico.Inicia(pNotas, pTamanhoXml)) {
        std::fprintf(stderr, "the notes-service stand-in did not start\n");
        return 1;
    }
    TRecepcaoNF::get().SetUrlBase(xServico.vUrlBase);
    QTemporaryDir xPasta;
    // Idle: everything a run needs is loaded (a step of one page done), nothing is held.
    {
        TServicoBench xPequeno;
        if (!xPequeno.Inicia(10, pTamanhoXml))
            return 1;
        TRecepcaoNF::get().SetUrlBase(xPequeno.vUrlBase);
        UmPasso(xPasta.path());
    }
    TRecepcaoNF::get().SetUrlBase(xServico.vUrlBase);
    const qint64 xOcioso = UsoDoProcesso().ResidenteKiB;
    const double xTempo = UmPasso(xPasta.path());
    const qint64 xPico = UsoDoProcesso().PicoKiB;
    std::printf("%lld %lld %.3f\n", static_cast<long long>(xOcioso), static_cast<long long>(xPico), xTempo);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication xApp(argc, argv);
    int xNotas = 20000, xTamanhoXml = 10240, xRodadas = 3, xNotasAtraso = 20000, xMemoria = 0;
    QList<int> xTamanhosMemoria{20000, 100000};
    const char* const USO =
        "usage: bench_run [--notes N] [--xml-size BYTES] [--rounds R] [--delay-notes N] [--memory-sizes A,B]\n"
        "Prints, for a download step served by the local stand-in (build in Release):\n"
        "  memory    peak RSS above idle RSS of steps of 20,000 and 100,000 notes (--memory-sizes), goal < 64 MiB\n"
        "  loopback  step time / (plain libcurl fetch + plain zlib deflate of the same data), goal <= 1.0\n"
        "  50 ms     with the stand-in waiting 50 ms before each page: step time / plain sequential fetch\n"
        "            over one kept-alive connection (--delay-notes notes), goal <= 1.05\n";
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], "--help") == 0 || qstrcmp(argv[i], "-h") == 0) {
            std::fputs(USO, stdout);
            return 0;
        }
    if (argc % 2 == 0) {
        std::fputs(USO, stderr);
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        const QByteArray xOpcao = argv[i];
        const QByteArray xValor = argv[i + 1];
        if (xOpcao == "--notes")
            xNotas = xValor.toInt();
        else if (xOpcao == "--xml-size")
            xTamanhoXml = xValor.toInt();
        else if (xOpcao == "--rounds")
            xRodadas = std::max(1, xValor.toInt());
        else if (xOpcao == "--delay-notes")
            xNotasAtraso = xValor.toInt();
        else if (xOpcao == "--memory")
            xMemoria = xValor.toInt();
        else if (xOpcao == "--memory-sizes") {
            xTamanhosMemoria.clear();
            for (const QByteArray& x : xValor.split(','))
                if (x.toInt() > 0)
                    xTamanhosMemoria << x.toInt();
        } else {
            std::fputs(USO, stderr);
            return 2;
        }
    }
    curl_global_init(CURL_GLOBAL_DEFAULT);
    if (xMemoria > 0)
        return MedeMemoria(xMemoria, xTamanhoXml);

    std::printf("machine: %d cores, load average %s at start\n", QThread::idealThreadCount(),
                Carga().constData());

    // 1. Memory, each size in a child process of its own.
    const double xMiB = 1024.0;
    for (int xTamanho : xTamanhosMemoria) {
        QProcess xFilho;
        xFilho.start(QCoreApplication::applicationFilePath(),
                     {"--memory", QString::number(xTamanho), "--xml-size", QString::number(xTamanhoXml)});
        xFilho.waitForFinished(-1);
        const QList<QByteArray> xCampos = xFilho.readAllStandardOutput().trimmed().split(' ');
        if (xFilho.exitCode() != 0 || xCampos.size() != 3) {
            std::fprintf(stderr, "memory run of %d notes failed: %s\n", xTamanho,
                         xFilho.readAllStandardError().constData());
            return 1;
        }
        const double xAcima = (xCampos[1].toLong() - xCampos[0].toLong()) / xMiB;
        std::printf("memory, step of %d notes x %d bytes (%.0f MiB of XML), %.2f s: idle RSS %.1f MiB, "
                    "peak %.1f MiB, peak above idle %.1f MiB  (goal < 64 MiB)  %s\n",
                    xTamanho, xTamanhoXml, double(xTamanho) * xTamanhoXml / (1024.0 * 1024.0),
                    xCampos[2].toDouble(), xCampos[0].toLong() / xMiB, xCampos[1].toLong() / xMiB, xAcima,
                    xAcima < 64 ? "ok" : "MISSED");
    }

    // 2. Loopback.
    TServicoBench xServico;
    if (!xServico.Inicia(xNotas, xTamanhoXml)) {
        std::fprintf(stderr, "the notes-service stand-in did not start\n");
        return 1;
    }
    TRecepcaoNF::get().SetUrlBase(xServico.vUrlBase);
    QTemporaryDir xPasta;
    const int xPaginas = (xNotas + PAGE_SIZE - 1) / PAGE_SIZE;
    qint64 xBytesZip = 0;

    std::vector<QByteArray> xCorpos;
    std::vector<QByteArray> xXmls;
    qint64 xBytesDeflate = 0;
    z_stream xZ{};
    deflateInit2(&xZ, ZIP_NIVEL_COMPRESSAO, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray xSaida(int(deflateBound(&xZ, uLong(xTamanhoXml) * 2 + 1024)), Qt::Uninitialized);
    auto Deflate = [&]() -> double {
        xBytesDeflate = 0;
        QElapsedTimer xRelogio;
        xRelogio.start();
        for (const QByteArray& xXml : xXmls) {
            deflateReset(&xZ);
            xZ.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(xXml.constData()));
            xZ.avail_in = uInt(xXml.size());
            do {
                xZ.next_out = reinterpret_cast<Bytef*>(xSaida.data());
                xZ.avail_out = uInt(xSaida.size());
                deflate(&xZ, Z_FINISH);
                xBytesDeflate += xSaida.size() - xZ.avail_out;
            } while (xZ.avail_out == 0);
        }
        return xRelogio.nsecsElapsed() / 1e9;
    };

    struct TMedida
    {
        double Parede = 1e300, Cpu = 1e300;
    };
    auto Mede = [&](TMedida& pMedida, qint64 pServico, const std::function<double()>& pFuncao) {
        const double xCpu = CpuSegundos(pServico);
        const double xParede = pFuncao();
        pMedida.Parede = std::min(pMedida.Parede, xParede);
        pMedida.Cpu = std::min(pMedida.Cpu, CpuSegundos(pServico) - xCpu);
    };
    const qint64 xPid = xServico.vProcesso.Pid();
    TMedida xRun, xFetch, xDeflate;
    Mede(xFetch, xPid, [&] { return BuscaSimples(xServico.vUrlBase, xPaginas, &xCorpos); });
    qint64 xBytesXml = 0, xBytesJson = 0;
    for (const QByteArray& xCorpo : xCorpos) {
        xBytesJson += xCorpo.size();
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(xCorpo);
        for (TNota& xNota : xPagina->Content) {
            xBytesXml += xNota.Xml.size();
            xXmls.push_back(std::move(xNota.Xml));
        }
    }
    xCorpos.clear();
    for (int r = 0; r < xRodadas; ++r) {
        Mede(xRun, xPid, [&] { return UmPasso(xPasta.path(), &xBytesZip); });
        if (r > 0)
            Mede(xFetch, xPid, [&] { return BuscaSimples(xServico.vUrlBase, xPaginas, nullptr); });
        Mede(xDeflate, xPid, Deflate);
    }
    deflateEnd(&xZ);
    const double xRazao = xRun.Parede / (xFetch.Parede + xDeflate.Parede);
    const double xRazaoCpu = xRun.Cpu / (xFetch.Cpu + xDeflate.Cpu);
    const double xMiBb = 1024.0 * 1024.0;
    std::printf("loopback, step of %d notes x %d bytes; %d pages; best of %d rounds (CPU = ours + stand-in's)\n",
                xNotas, xTamanhoXml, xPaginas, xRodadas);
    std::printf("  XML: %.1f MiB; JSON on the wire: %.1f MiB; archive: %.1f MiB; plain deflate: %.1f MiB\n",
                xBytesXml / xMiBb, xBytesJson / xMiBb, xBytesZip / xMiBb, xBytesDeflate / xMiBb);
    std::printf("  run:           %.3f s (CPU %.3f s)   %.0f notes/s   %.1f MB/s of XML\n", xRun.Parede, xRun.Cpu,
                xNotas / xRun.Parede, xBytesXml / 1e6 / xRun.Parede);
    std::printf("  plain fetch:   %.3f s (CPU %.3f s)\n", xFetch.Parede, xFetch.Cpu);
    std::printf("  plain deflate: %.3f s (CPU %.3f s)\n", xDeflate.Parede, xDeflate.Cpu);
    std::printf("  ratio run / (fetch + deflate): %.3f wall clock, %.3f CPU  (goal <= 1.0)  %s\n", xRazao,
                xRazaoCpu, xRazao <= 1.0 ? "ok" : "MISSED");

    // 3. A service 50 ms away.
    TServicoBench xLento;
    if (!xLento.Inicia(xNotasAtraso, xTamanhoXml, QStringLiteral("delay:50"))) {
        std::fprintf(stderr, "the notes-service stand-in did not start\n");
        return 1;
    }
    TRecepcaoNF::get().SetUrlBase(xLento.vUrlBase);
    const int xPaginasAtraso = (xNotasAtraso + PAGE_SIZE - 1) / PAGE_SIZE;
    const qint64 xPidLento = xLento.vProcesso.Pid();
    TMedida xRunLento, xFetchLento;
    for (int r = 0; r < std::min(xRodadas, 2); ++r) {
        Mede(xRunLento, xPidLento, [&] { return UmPasso(xPasta.path()); });
        Mede(xFetchLento, xPidLento, [&] { return BuscaSimples(xLento.vUrlBase, xPaginasAtraso, nullptr); });
    }
    const double xRazaoLento = xRunLento.Parede / xFetchLento.Parede;
    std::printf("50 ms before each page, step of %d notes; %d pages; best of %d rounds\n", xNotasAtraso,
                xPaginasAtraso, std::min(xRodadas, 2));
    std::printf("  run:         %.3f s (CPU %.3f s)\n", xRunLento.Parede, xRunLento.Cpu);
    std::printf("  plain fetch: %.3f s (CPU %.3f s)\n", xFetchLento.Parede, xFetchLento.Cpu);
    std::printf("  ratio run / plain sequential fetch: %.3f  (goal <= 1.05)  %s\n", xRazaoLento,
                xRazaoLento <= 1.05 ? "ok" : "MISSED");
    std::printf("machine: load average %s at the end\n", Carga().constData());
    return 0;
}
