#pragma once

#include "download/model/ModelRecepcaoNF.h"
#include "download/run/DownloadView.h"

#include <QString>
#include <atomic>
#include <memory>
#include <mutex>

class TControleConsulta;
class TZipEmCurso;
class TTarefa;

// A download run: for every ticked branch and every chosen type and environment, one step that fetches
// the notes page by page (DownloadXML) and streams them into the step's ZIP archive; a summary of the
// archives written at the end.
//
// The window calls it from btnDownloadClick:
//     void TfrmPrincipal::btnDownloadClick() { TDownloadRun(*this).Executa(); }
// Executa returns when the run is over, the completion (summary dialog, LimpaCampos, cursor, inputs
// enabled again) done. A failed step raises, after that completion,
//     Exception("Falha ao realizar download de notas. Motivo: " + cause)
// which the handler lets through to the application's error report; a failure of ValidaCampos is
// raised unchanged.
//
// Threads. Executa and every call to the view stay on the GUI thread. The requests of a step (over one
// kept-alive connection, transient failures asked again) and the deflating of each page into the
// archive run on worker threads: page N + 1 is asked for, once page N said it exists, while page N is
// deflated. At most about three pages are held at once (one being fetched, one waiting, one being
// deflated), whatever the size of the step. While it waits for a worker the run keeps handling the
// window's events, so Esc's question appears at once; the stop still takes effect between pages, the
// page in flight still packed, and waits at most the answer time-out for that page.
//
// The archive of a step grows under a hidden name in the destination folder and is published under
// its name (first free of the name and its " (n)" variants, never replacing a file) only when the
// step produces an archive; a step that finds nothing, fails or is abandoned leaves nothing behind.
// Failures to create or write the archive are reported where the run reaches its compression, as
// before: "Falha ao tentar criar o arquivo .zip. Motivo: ..." or "Falha ao tentar realizar a
// compressão do(s) XML(s) da(s) ...(s)."; the run goes on with the next step.
class TDownloadRun
{
public:
    explicit TDownloadRun(IDownloadView& pView);
    ~TDownloadRun();
    TDownloadRun(const TDownloadRun&) = delete;
    TDownloadRun& operator=(const TDownloadRun&) = delete;

    void Executa();

    // Abandons the run as soon as possible, from any thread (program termination): the request under
    // way is cut, a wait between attempts ends, the archive being written is removed and nothing
    // half-written is published; Executa then returns without any further dialog.
    void Aborta();
    bool Abortado() const { return vAbortado.load(std::memory_order_acquire); }

    // The outcome of one step's fetch.
    enum class TResultadoPasso
    {
        Nada,    // the service has no note for the query (or no more): nothing is written
        Arquivo, // the notes fetched are in the step's archive, still to be finished
    };

private:
    struct TPasso;
    struct TAbandono
    {
    }; // raised through the run when it is abandoned; not an error

    void ExecutaPasso(const TFilial& pFilial, const QString& pTipoNFe, const QString& pTipoAmbiente,
                      const QString& pStatus, QString& pCaminhoZipFile);
    // The fetch loop of a step: pages 0, 1, 2, ... of the query, each handed to the step's archive as
    // it arrives. Raises "Falha ao realizar download da(s) " + pTipoNFe + "(s). Motivo: " + cause.
    TResultadoPasso DownloadXML(TPasso& pPasso, const QString& pCnpj, const QString& pTipoAmbiente,
                                const QString& pTipoNFe, const TFiltrosDownload& pFiltros);
    // The step's hidden archive in pCaminhoPasta, for the current CNPJ, type and environment. Raises.
    std::unique_ptr<TZipEmCurso> CriaZipFile(const QString& pCaminhoPasta);
    // Finishes the step: the compression texts, the wait for the last page's deflating, the
    // publication; the archive's path, or "" after telling the user why there is none.
    QString CompactaXML(TPasso& pPasso);

    // Lets the window handle its events; raises TAbandono when the run was abandoned meanwhile. A stop
    // request it finds is passed on to the step's queries: no further page, no further attempt.
    void Eventos();
    // Waits for pTarefa while handling the window's events.
    void Aguarda(TTarefa& pTarefa);
    // Waits for the step's next page (or the end of its fetch) while handling the window's events; once
    // a stop was asked for, the page in flight is waited for no longer than its answer time-out.
    void AguardaPagina(TPasso& pPasso);
    void Completa(const QString& pMensagem);
    void ProximoProgresso()
    {
        ++vGaugeProgresso;
        vView.GaugeProgresso(vGaugeProgresso);
    }

    IDownloadView& vView;
    int vGaugeProgresso = 0; // the gauge's progress as last set by the run
    std::atomic<bool> vAbortado{false};
    std::mutex vTravaControle;
    std::shared_ptr<TControleConsulta> vControle; // the current step's queries, for Aborta
};
