#include "download/run/DownloadRun.h"

#include "download/client/ServiceConexaoHTTP.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "download/run/DownloadPasso.h"
#include "util/Exception.h"

#include <QDeadlineTimer>
#include <QDir>

namespace {

// The six steps of a branch, in the order they run.
struct TPassoDownload
{
    bool (*Ticado)(const TCaixasDownload&);
    const char16_t* TIPO;
    const char16_t* AMBIENTE;
    const char16_t* STATUS;
    const char16_t* ROTULO; // label of its archive in the summary
};

const TPassoDownload PASSOS[] = {
    {[](const TCaixasDownload& c) { return c.NFE && c.Producao; }, u"NF_E", u"PRODUCAO",
     u"Processando NF_E(s) PRODUÇÃO", u"NF-e: "},
    {[](const TCaixasDownload& c) { return c.NFE && c.Homologacao; }, u"NF_E", u"HOMOLOGACAO",
     u"Processando NF_E(s) HOMOLOGAÇÃO", u"NF-e: "},
    {[](const TCaixasDownload& c) { return c.NFCE && c.Producao; }, u"NFC_E", u"PRODUCAO",
     u"Processando NFC_E(s) PRODUÇÃO", u"NFC-e: "},
    {[](const TCaixasDownload& c) { return c.NFCE && c.Homologacao; }, u"NFC_E", u"HOMOLOGACAO",
     u"Processando NFC_E(s) HOMOLOGAÇÃO", u"NFC-e: "},
    {[](const TCaixasDownload& c) { return c.NFSE && c.Producao; }, u"NFS_E", u"PRODUCAO",
     u"Processando NFS_E(s) PRODUÇÃO", u"NFS-e: "},
    // The NFS-e homologation text has always read "HOMOLOAÇÃO"; users know it so.
    {[](const TCaixasDownload& c) { return c.NFSE && c.Homologacao; }, u"NFS_E", u"HOMOLOGACAO",
     u"Processando NFS_E(s) HOMOLOAÇÃO", u"NFS-e: "},
};

const char16_t* const FALHA_RUN = u"Falha ao realizar download de notas. Motivo: ";

// How often the window's events are handled while the run waits for a worker.
constexpr int ESPERA_EVENTOS_MS = 10;

} // namespace

TDownloadRun::TDownloadRun(IDownloadView& pView) : vView(pView) {}

TDownloadRun::~TDownloadRun() = default;

void TDownloadRun::Aborta()
{
    vAbortado.store(true, std::memory_order_release);
    std::lock_guard<std::mutex> xTrava(vTravaControle);
    if (vControle)
        vControle->Aborta();
}

void TDownloadRun::Eventos()
{
    vView.ProcessaEventos();
    if (Abortado())
        throw TAbandono();
    if (vView.EstadoDownload().vInterromper) {
        std::lock_guard<std::mutex> xTrava(vTravaControle);
        if (vControle)
            vControle->ParaRetentativas();
    }
}

void TDownloadRun::Aguarda(TTarefa& pTarefa)
{
    while (!pTarefa.AguardaPor(ESPERA_EVENTOS_MS))
        Eventos();
    pTarefa.Junta();
}

void TDownloadRun::AguardaPagina(TPasso& pPasso)
{
    std::optional<QDeadlineTimer> xLimite;
    for (;;) {
        {
            std::unique_lock<std::mutex> xTrava(pPasso.Trava);
            if (pPasso.Sinal.wait_for(xTrava, std::chrono::milliseconds(ESPERA_EVENTOS_MS),
                                      [&] { return !pPasso.Fila.empty() || pPasso.BuscaAcabou; }))
                return;
        }
        Eventos();
        if (vView.EstadoDownload().vInterromper) {
            if (!xLimite)
                xLimite = QDeadlineTimer(THTTPConnectionClient::TempoRespostaMs());
            else if (xLimite->hasExpired())
                pPasso.Controle->Sessao().Aborta();
        }
    }
}

void TDownloadRun::Executa()
{
    TEstadoDownload& xEstado = vView.EstadoDownload();
    QString xMensagem;
    xEstado.vCurrentTipoAmbiente.clear();
    std::optional<QString> xFalha;

    // Made here, on the GUI thread, before any worker asks for it. The log is not: it comes with its first
    // line, from whichever thread, so a run that ends in a check's message leaves no log folder behind.
    TRecepcaoNF::get();

    bool xAbandonado = false;
    vView.CursorAmpulheta(true);
    try {
        if (vView.ValidaCampos()) {
            vView.EnableDisableCampos(false);
            try {
                xEstado.vCaminhoPasta = vView.SelecionaPasta();
                if (Abortado()) {
                    throw TAbandono();
                } else if (xEstado.vCaminhoPasta.trimmed().isEmpty()) {
                    vView.Alerta(QStringLiteral("Selecione uma pasta."));
                } else {
                    xEstado.vInterromper = false;
                    xEstado.vProcessando = true;
                    vView.Processando(true);
                    bool xParar = false;
                    for (size_t xLinha = 0; !xParar && xLinha < vView.Filiais().size(); ++xLinha) {
                        vView.PosicionaFilial(int(xLinha));
                        const TFilial xFilial = vView.Filiais()[xLinha];
                        if (xFilial.CHECKED != QLatin1String("S"))
                            continue;
                        for (const TPassoDownload& xPasso : PASSOS) {
                            if (xPasso.Ticado(vView.Caixas())) {
                                QString xCaminhoZipFile;
                                ExecutaPasso(xFilial, QString::fromUtf16(xPasso.TIPO),
                                             QString::fromUtf16(xPasso.AMBIENTE),
                                             QString::fromUtf16(xPasso.STATUS), xCaminhoZipFile);
                                // The summary names the archive as the system writes paths
                                // ("C:\Users\...\download_xmls_..." on Windows).
                                if (!xCaminhoZipFile.isEmpty())
                                    xMensagem += QString::fromUtf16(xPasso.ROTULO) +
                                                 QDir::toNativeSeparators(xCaminhoZipFile) + QStringLiteral("\r\n");
                            }
                            if (xEstado.vInterromper) {
                                xParar = true;
                                break;
                            }
                        }
                    }
                }
            } catch (const TAbandono&) {
                xAbandonado = true;
            } catch (const Exception& E) {
                xFalha = QString::fromUtf16(FALHA_RUN) + E.Message();
            } catch (const std::exception& E) {
                xFalha = QString::fromUtf16(FALHA_RUN) + QString::fromLocal8Bit(E.what());
            }
        }
    } catch (const TAbandono&) {
        xAbandonado = true;
    } catch (...) {
        // ValidaCampos (or the window) failed before the walk: complete, then let it through unchanged.
        Completa(xMensagem);
        throw;
    }
    if (xAbandonado) {
        // No further dialog: the window is only given back.
        vView.CursorAmpulheta(false);
        vView.EnableDisableCampos(true);
        xEstado.vProcessando = false;
        vView.Processando(false);
        return;
    }
    Completa(xMensagem);
    if (xFalha)
        throw Exception(*xFalha);
}

// One step; pCaminhoZipFile receives the path of the archive it wrote, if any.
void TDownloadRun::ExecutaPasso(const TFilial& pFilial, const QString& pTipoNFe, const QString& pTipoAmbiente,
                                const QString& pStatus, QString& pCaminhoZipFile)
{
    TEstadoDownload& xEstado = vView.EstadoDownload();
    xEstado.vCurrentTipoAmbiente = pTipoAmbiente;
    vGaugeProgresso = 0;
    vView.GaugeProgresso(0);
    vView.StatusPainel(0, pStatus);
    Eventos();

    const TFiltrosDownload xFiltros = vView.Filtros();
    // The step owns its archive and its workers until it ends; Aborta reaches its queries meanwhile.
    TPasso xPasso;
    xPasso.Pasta = xEstado.vCaminhoPasta;
    {
        std::lock_guard<std::mutex> xTrava(vTravaControle);
        vControle = xPasso.Controle;
        if (Abortado())
            vControle->Aborta();
    }
    struct TFimControle
    {
        TDownloadRun& vRun;
        ~TFimControle()
        {
            std::lock_guard<std::mutex> xTrava(vRun.vTravaControle);
            vRun.vControle.reset();
        }
    } xFimControle{*this};

    if (DownloadXML(xPasso, pFilial.CGC, xEstado.vCurrentTipoAmbiente, pTipoNFe, xFiltros) ==
        TResultadoPasso::Nada)
        return;
    pCaminhoZipFile = CompactaXML(xPasso);
}

void TDownloadRun::Completa(const QString& pMensagem)
{
    TEstadoDownload& xEstado = vView.EstadoDownload();
    if (xEstado.vProcessando) {
        const bool xTemArquivos = !pMensagem.trimmed().isEmpty();
        const QString xResumo =
            xEstado.vInterromper
                ? QStringLiteral("Download de XMLs interrompido.\r\n\r\nCaminho dos arquivos: \r\n")
                : QStringLiteral("Download de XMLs finalizado.\r\n\r\nCaminho dos arquivos: \r\n");
        if (xTemArquivos) {
            vView.EstiloClassicoDialogos(true);
            vView.Informacao(xResumo + pMensagem);
            vView.EstiloClassicoDialogos(false);
        } else if (xEstado.vInterromper) {
            vView.Informacao(QStringLiteral("Processo interrompido... Nenhuma nota encontrada."));
        } else {
            vView.Informacao(QStringLiteral("Nenhuma nota encontrada para os filtros informados."));
        }
        vView.LimpaCampos();
    }
    vView.CursorAmpulheta(false);
    vView.EnableDisableCampos(true);
    vView.ProcessaEventos();
    const bool xProcessava = xEstado.vProcessando;
    xEstado.vProcessando = false;
    if (xProcessava)
        vView.Processando(false);
}
