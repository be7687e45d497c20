#pragma once

#include "config/Filial.h"

#include <QString>

// What a download run needs from the main window, so that the run can be driven without it.
//
// TfrmPrincipal implements IDownloadView and, in btnDownloadClick, runs
//     TDownloadRun(*this).Executa();
// letting a raised Exception reach the application-wide error report. Every call below is made on
// the GUI thread, from inside that handler; the run's worker threads never call the view.

// The window's run-state fields. The window owns them (one instance, living as long as the window);
// its Esc key and close handlers read vProcessando and store the user's answer in vInterromper.
struct TEstadoDownload
{
    bool vProcessando = false; // from the start of the branch walk until the very end of the run
    bool vInterromper = false; // the user's stop request; cleared when a branch walk starts
    QString vCaminhoPasta;     // destination folder of the current or last run
    QString vCurrentCnpj;      // CNPJ, note type and environment of the current step
    QString vCurrentNFe;
    QString vCurrentTipoAmbiente;
};

// The five boxes chkNFE, chkNFCE, chkNFSE, chkProducao and chkHomologacao.
struct TCaixasDownload
{
    bool NFE = false;
    bool NFCE = false;
    bool NFSE = false;
    bool Producao = false;
    bool Homologacao = false;
};

// The six filter texts as ValidaCampos left them (mskDataIni, mskDataFim, edtNfInicial, edtNfFinal,
// edtSerieIni, edtSerieFim): dates "dd/mm/yyyy", empty number and series fields already completed.
struct TFiltrosDownload
{
    QString DataEmissaoInicial;
    QString DataEmissaoFinal;
    QString NumNfInicial;
    QString NumNfFinal;
    QString SerieInicial;
    QString SerieFinal;
};

class IDownloadView
{
public:
    virtual ~IDownloadView() = default;

    // State and inputs.
    virtual TEstadoDownload& EstadoDownload() = 0;
    virtual const TListaFiliais& Filiais() = 0;   // cdsFiliais, rows in the table's order
    virtual void PosicionaFilial(int pLinha) = 0; // the run moves cdsFiliais's current row as it walks
    virtual TCaixasDownload Caixas() = 0;
    virtual TFiltrosDownload Filtros() = 0;

    // Called right after the run sets vProcessando (true when its branch walk starts, false at its very
    // end): the window tells the system, meanwhile, that ending the session would cut a download.
    virtual void Processando(bool pProcessando) { (void)pProcessando; }

    // Window operations the run calls.
    virtual bool ValidaCampos() = 0; // warns and returns false, or raises "Falha ao validar campos..."
    virtual void EnableDisableCampos(bool pValue) = 0;
    virtual void LimpaCampos() = 0;
    virtual QString
    SelecionaPasta() = 0; // dlgOpenFolder "Selecione a pasta de destino dos XMLs"; "" = cancelled
    virtual void
    CursorAmpulheta(bool pAtivo) = 0; // busy cursor over the whole application, or the normal one

    // Display: StatusBar panels 0 and 1, the gauge ProgressBar, pending window events.
    virtual void StatusPainel(int pPainel, const QString& pTexto) = 0;
    virtual void GaugeMaximo(int pMaximo) = 0;
    virtual void GaugeProgresso(int pProgresso) = 0;
    // Where Esc and the close request may set vInterromper: at the run's fixed points, and every few
    // milliseconds while the run waits for its workers (a page in flight, an archive being finished).
    virtual void ProcessaEventos() = 0;

    // TMessageUtil dialogs without focus control, modal.
    virtual void Alerta(const QString& pTexto) = 0;
    virtual void Erro(const QString& pTexto) = 0;
    virtual void Informacao(const QString& pTexto) = 0;
    // true just before each summary dialog that lists archive paths, false right after: those are shown
    // in a style that shows long multi-line texts whole.
    virtual void EstiloClassicoDialogos(bool pClassico) = 0;
};
