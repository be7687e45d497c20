// bench_run [notes] [xml-bytes] [rounds]
//
// Times a whole download run of one step (one branch, NF-e, production) of 20,000 notes of 10 KB XML
// served by the local stand-in, and, on the same data in the same process, the two costs any run pays:
// fetching the same pages with plain libcurl into memory, and deflating the same XML bytes with zlib at
// the archive's level (raw Deflate, one z_stream reused with deflateReset). Each is timed `rounds`
// times and the best time counts. Prints notes/s, MB/s of XML, the peak memory of the run and the ratio
// run / (fetch + deflate).

#include "download/run/DownloadRun.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "download/archive/ZipArquivo.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <curl/curl.h>
#include <functional>
#include <sys/resource.h>
#include <unistd.h>
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

// CPU seconds used so far by this process (all its threads) and by the stand-in: on a busy machine
// they vary far less than wall-clock times.
double CpuSegundos(qint64 pServico)
{
    rusage xUso{};
    getrusage(RUSAGE_SELF, &xUso);
    double xSegundos = xUso.ru_utime.tv_sec + xUso.ru_utime.tv_usec / 1e6 + xUso.ru_stime.tv_sec +
                       xUso.ru_stime.tv_usec / 1e6;
    QFile xStat(QStringLiteral("/proc/%1/stat").arg(pServico));
    if (xStat.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> xCampos = xStat.readAll().split(')').last().trimmed().split(' ');
        // After "pid (comm)": state is field 3, utime field 14, stime field 15.
        if (xCampos.size() > 12)
            xSegundos += (xCampos[11].toDouble() + xCampos[12].toDouble()) / double(sysconf(_SC_CLK_TCK));
    }
    return xSegundos;
}

long PicoMemoriaKiB()
{
    rusage xUso{};
    getrusage(RUSAGE_SELF, &xUso);
    return xUso.ru_maxrss;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication xApp(argc, argv);
    const int xNotas = argc > 1 ? std::atoi(argv[1]) : 20000;
    const int xTamanhoXml = argc > 2 ? std::atoi(argv[2]) : 10240;
    const int xRodadas = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;

    QProcess xServico;
    xServico.start(QStringLiteral(TARNWICK_NOTES_SERVICE_EXE),
                   {"--port", "0", "--quiet", "--cnpj", CNPJ, "--types", "NF_E", "--envs", "PRODUCAO",
                    "--per-branch", QString::number(xNotas), "--xml-size", QString::number(xTamanhoXml),
                    "--cancelled", "0"});
    QByteArray xLinha;
    while (!xLinha.contains('\n') && xServico.waitForReadyRead(10000))
        xLinha += xServico.readAllStandardOutput();
    if (!xLinha.startsWith("listening on 127.0.0.1:")) {
        std::fprintf(stderr, "the notes-service stand-in did not start\n");
        return 1;
    }
    const QString xPorta = QString::fromLatin1(xLinha.trimmed().mid(xLinha.lastIndexOf(':') + 1));
    const QString xUrlBase = "http://127.0.0.1:" + xPorta + "/RecepcaoNF";
    TRecepcaoNF::get().SetUrlBase(xUrlBase);
    QTemporaryDir xPasta;

    const int xPaginas = (xNotas + PAGE_SIZE - 1) / PAGE_SIZE;
    curl_global_init(CURL_GLOBAL_DEFAULT);

    // The run, as the window drives it. Returns its time; the first one also gives the peak memory.
    qint64 xBytesZip = 0;
    double xFetchRun = 0, xZipRun = 0;
    auto Run = [&]() -> double {
        TVisaoBench xVisao;
        xVisao.vFiliais = {TFilial{"S", "1", "1 - Filial", CNPJ}};
        xVisao.vPasta = xPasta.path();
        QElapsedTimer& xRelogio = xVisao.vRelogio;
        xRelogio.start();
        TDownloadRun(xVisao).Executa();
        const double xTempo = xRelogio.nsecsElapsed() / 1e9;
        if (xVisao.vDialogos.size() != 1 || !xVisao.vDialogos[0].startsWith("Download de XMLs finalizado.")) {
            std::fprintf(stderr, "run failed: %s\n", qPrintable(xVisao.vDialogos.join(" | ")));
            std::exit(1);
        }
        xFetchRun = xVisao.vFimFetch - xVisao.vInicioFetch;
        xZipRun = xVisao.vFimZip - xVisao.vInicioZip;
        for (const QFileInfo& xArquivo : QDir(xPasta.path()).entryInfoList(QDir::Files)) {
            xBytesZip = xArquivo.size();
            QFile::remove(xArquivo.filePath());
        }
        return xTempo;
    };

    // The same pages with plain libcurl into memory (one handle, kept alive).
    std::vector<QByteArray> xCorpos;
    auto Fetch = [&]() -> double {
        xCorpos.assign(size_t(xPaginas), QByteArray());
        CURL* xCurl = curl_easy_init();
        QElapsedTimer xRelogio;
        xRelogio.start();
        for (int p = 0; p < xPaginas; ++p) {
            const QByteArray xUrl =
                (xUrlBase + "/v1/nota?cnpj=" + CNPJ +
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
        }
        const double xTempo = xRelogio.nsecsElapsed() / 1e9;
        curl_easy_cleanup(xCurl);
        return xTempo;
    };

    // The same XML bytes deflated with zlib at the archive's level.
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

    // Where the run's time goes beyond the baseline: reading the pages, and our archive writer alone.
    auto Leitura = [&]() -> double {
        QElapsedTimer xRelogio;
        xRelogio.start();
        for (const QByteArray& xCorpo : xCorpos)
            TRecepcaoNFAPIResponse::FromJsonString(xCorpo);
        return xRelogio.nsecsElapsed() / 1e9;
    };
    auto Arquivo = [&]() -> double {
        const QString xCaminho = xPasta.filePath("so-o-arquivo.zip");
        QElapsedTimer xRelogio;
        xRelogio.start();
        CriaZipVazio(xCaminho);
        TZipEscritor xZip(xCaminho);
        int i = 0;
        for (const QByteArray& xXml : xXmls)
            xZip.Acrescenta("NF_E_AUT_" + QString::number(++i) + "_1_PRODUCAO.xml", xXml, 1700000000);
        xZip.Fecha();
        const double xTempo = xRelogio.nsecsElapsed() / 1e9;
        QFile::remove(xCaminho);
        return xTempo;
    };

    // Wall-clock and CPU time (ours and the stand-in's) of one measurement; the best of the rounds counts.
    struct TMedida
    {
        double Parede = 1e300, Cpu = 1e300;
    };
    const qint64 xPidServico = xServico.processId();
    auto Mede = [&](TMedida& pMedida, const std::function<double()>& pFuncao) {
        const double xCpu = CpuSegundos(xPidServico);
        const double xParede = pFuncao();
        pMedida.Parede = std::min(pMedida.Parede, xParede);
        pMedida.Cpu = std::min(pMedida.Cpu, CpuSegundos(xPidServico) - xCpu);
    };
    TMedida xRun, xFetch, xDeflate, xLeitura, xArquivo;
    double xFetchRunMelhor = 1e300, xZipRunMelhor = 1e300;

    // First the run alone, for its peak memory; then the data for the baselines; then the rounds,
    // interleaved so that a busy machine weighs on all of them alike.
    Mede(xRun, Run);
    xFetchRunMelhor = xFetchRun;
    xZipRunMelhor = xZipRun;
    const long xPicoRun = PicoMemoriaKiB();
    Mede(xFetch, Fetch);
    qint64 xBytesXml = 0, xBytesJson = 0;
    for (const QByteArray& xCorpo : xCorpos) {
        xBytesJson += xCorpo.size();
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(xCorpo);
        for (TNota& xNota : xPagina->Content) {
            xBytesXml += xNota.Xml.size();
            xXmls.push_back(std::move(xNota.Xml));
        }
    }
    Mede(xDeflate, Deflate);
    Mede(xLeitura, Leitura);
    Mede(xArquivo, Arquivo);
    for (int r = 1; r < xRodadas; ++r) {
        Mede(xRun, Run);
        xFetchRunMelhor = std::min(xFetchRunMelhor, xFetchRun);
        xZipRunMelhor = std::min(xZipRunMelhor, xZipRun);
        Mede(xFetch, Fetch);
        Mede(xDeflate, Deflate);
        Mede(xLeitura, Leitura);
        Mede(xArquivo, Arquivo);
    }
    deflateEnd(&xZ);

    const double xMiB = 1024.0 * 1024.0;
    const double xRazao = xRun.Parede / (xFetch.Parede + xDeflate.Parede);
    const double xRazaoCpu = xRun.Cpu / (xFetch.Cpu + xDeflate.Cpu);
    const double xLimiteMemoria = 1.3 * double(xBytesXml) / 1024.0 + 64 * 1024.0; // KiB
    std::printf(
        "notes: %d of %d bytes of XML; %d pages; best of %d rounds (wall clock; CPU = ours + stand-in's)\n",
        xNotas, xTamanhoXml, xPaginas, xRodadas);
    std::printf("XML: %.1f MiB; JSON on the wire: %.1f MiB; archive: %.1f MiB; plain deflate: %.1f MiB\n",
                xBytesXml / xMiB, xBytesJson / xMiB, xBytesZip / xMiB, xBytesDeflate / xMiB);
    std::printf("run:            %.3f s (CPU %.3f s)   %.0f notes/s   %.1f MB/s of XML\n", xRun.Parede,
                xRun.Cpu, xNotas / xRun.Parede, xBytesXml / 1e6 / xRun.Parede);
    std::printf("  its fetch loop %.3f s, its compression %.3f s\n", xFetchRunMelhor, xZipRunMelhor);
    std::printf("plain fetch:    %.3f s (CPU %.3f s)\n", xFetch.Parede, xFetch.Cpu);
    std::printf("plain deflate:  %.3f s (CPU %.3f s)\n", xDeflate.Parede, xDeflate.Cpu);
    std::printf("beyond the baseline: reading the pages (JSON model) alone %.3f s (CPU %.3f s); "
                "archive writer alone on the same XML %.3f s (CPU %.3f s)\n",
                xLeitura.Parede, xLeitura.Cpu, xArquivo.Parede, xArquivo.Cpu);
    std::printf("ratio run / (fetch + deflate): %.3f wall clock, %.3f CPU  (goal <= 1.15)  %s\n", xRazao,
                xRazaoCpu, xRazao <= 1.15 ? "ok" : "MISSED");
    std::printf("peak memory of the run (ru_maxrss): %.1f MiB; goal <= 1.3 x XML + 64 MiB = %.1f MiB  %s\n",
                xPicoRun / 1024.0, xLimiteMemoria / 1024.0, xPicoRun <= xLimiteMemoria ? "ok" : "MISSED");
    xServico.kill();
    xServico.waitForFinished();
    return 0;
}
