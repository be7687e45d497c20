// The download run behind the Download button, and what the run asks of the window: its branch table,
// boxes and filters, its operations, the status bar, the gauge, the cursor and the dialogs.
#include "app/DialogoPasta.h"
#include "app/FiliaisModel.h"
#include "app/MaskEdit.h"
#include "app/MessageUtil.h"
#include "app/PastaUsuario.h"
#include "app/Principal.h"
#include "app/PrincipalDownloadEstilo.h"
#include "app/StatusBar.h"
#include "download/run/DownloadRun.h"
#include "sistema/Termino.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>

// Runs a whole download and returns when it is over; a failed step leaves the handler as
// "Falha ao realizar download de notas. Motivo: ..." for the application's error report.
void TfrmPrincipal::btnDownloadClick()
{
    TDownloadRun xRun(*this);
    TDownloadRun* const xAnterior = vRunAtual;
    vRunAtual = &xRun;
    struct TFimRun
    {
        TDownloadRun*& vAtual;
        TDownloadRun* vAnterior;
        ~TFimRun() { vAtual = vAnterior; }
    } xFim{vRunAtual, xAnterior};
    xRun.Executa();
}

void TfrmPrincipal::AbortaDownload()
{
    if (vRunAtual)
        vRunAtual->Aborta();
}

QString TfrmPrincipal::SelecionaPasta()
{
    if (!dlgOpenFolder) {
        dlgOpenFolder = new TDialogoAbrirPasta(this);
        dlgOpenFolder->setObjectName(QStringLiteral("dlgOpenFolder"));
        dlgOpenFolder->Title = QStringLiteral("Selecione a pasta de destino dos XMLs");
        dlgOpenFolder->PickFolders = true;
        dlgOpenFolder->ForceFileSystem = true;
        dlgOpenFolder->PathMustExist = true;
    }
    // Each run's dialog opens without a preset name, whatever way the last one ended.
    struct TLimpaNome
    {
        TDialogoAbrirPasta* vDialogo;
        ~TLimpaNome() { vDialogo->FileName.clear(); }
    } xLimpaNome{dlgOpenFolder};
    dlgOpenFolder->DefaultFolder = PastaInicialDosSeletores();
    return dlgOpenFolder->Execute(this) ? dlgOpenFolder->FileName : QString();
}

TEstadoDownload& TfrmPrincipal::EstadoDownload()
{
    return *this;
}

const TListaFiliais& TfrmPrincipal::Filiais()
{
    // A row still in edit mode counts with its pending tick.
    if (cdsFiliais->State() == TClientDataSetFiliais::TEstado::dsEdit)
        cdsFiliais->Post();
    return cdsFiliais->Filiais();
}

void TfrmPrincipal::PosicionaFilial(int pLinha)
{
    cdsFiliais->SetRecNo(pLinha + 1);
}

TCaixasDownload TfrmPrincipal::Caixas()
{
    TCaixasDownload xCaixas;
    xCaixas.NFE = chkNFE->isChecked();
    xCaixas.NFCE = chkNFCE->isChecked();
    xCaixas.NFSE = chkNFSE->isChecked();
    xCaixas.Producao = chkProducao->isChecked();
    xCaixas.Homologacao = chkHomologacao->isChecked();
    return xCaixas;
}

TFiltrosDownload TfrmPrincipal::Filtros()
{
    TFiltrosDownload xFiltros;
    xFiltros.DataEmissaoInicial = mskDataIni->Text();
    xFiltros.DataEmissaoFinal = mskDataFim->Text();
    xFiltros.NumNfInicial = edtNfInicial->text();
    xFiltros.NumNfFinal = edtNfFinal->text();
    xFiltros.SerieInicial = edtSerieIni->text();
    xFiltros.SerieFinal = edtSerieFim->text();
    return xFiltros;
}

void TfrmPrincipal::CursorAmpulheta(bool pAtivo)
{
    // Set and restored in pairs, so a cursor set by someone else around the run stays theirs.
    if (pAtivo == vCursorAmpulheta)
        return;
    vCursorAmpulheta = pAtivo;
    if (pAtivo)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TfrmPrincipal::StatusPainel(int pPainel, const QString& pTexto)
{
    StatusBar->DefineTextoPainel(pPainel, pTexto);
}

// The gauge keeps its progress within 0..maximum, lowering it when the maximum drops below it. A maximum
// of 0 shows 0% (the bar itself would turn into a busy indicator).
void TfrmPrincipal::GaugeMaximo(int pMaximo)
{
    vGaugeMaximo = qMax(0, pMaximo);
    vGaugeProgresso = qMin(vGaugeProgresso, vGaugeMaximo);
    MostraGauge();
}

void TfrmPrincipal::GaugeProgresso(int pProgresso)
{
    vGaugeProgresso = qBound(0, pProgresso, vGaugeMaximo);
    MostraGauge();
}

void TfrmPrincipal::MostraGauge()
{
    if (vGaugeMaximo == 0) {
        ProgressBar->setRange(0, 1);
        ProgressBar->setValue(0);
    } else {
        ProgressBar->setRange(0, vGaugeMaximo);
        ProgressBar->setValue(vGaugeProgresso);
    }
}

void TfrmPrincipal::ProcessaEventos()
{
    QCoreApplication::processEvents();
}

void TfrmPrincipal::Alerta(const QString& pTexto)
{
    TMessageUtil::Alerta(pTexto);
}

void TfrmPrincipal::Erro(const QString& pTexto)
{
    TMessageUtil::Erro(pTexto);
}

void TfrmPrincipal::Informacao(const QString& pTexto)
{
    TMessageUtil::Informacao(pTexto);
}

void TfrmPrincipal::EstiloClassicoDialogos(bool pClassico)
{
    TApresentadorClassico::Ativa(pClassico);
}

void TfrmPrincipal::Processando(bool pProcessando)
{
    if (pProcessando)
        vBloqueioSessao = std::make_unique<TBloqueioFimDaSessao>(quintptr(winId()),
                                                                 QStringLiteral("Download em andamento"));
    else
        vBloqueioSessao.reset();
}
