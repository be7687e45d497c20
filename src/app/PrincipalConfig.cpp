// The settings page and the start-up flow: the window's side of the configuration file, the database
// connection and the branch list. TControleConfig decides and returns the dialogs; here they are shown,
// the focus moved, the fields filled and the pages switched.
#include "app/BotaoImagem.h"
#include "app/DialogoArquivo.h"
#include "app/FiliaisModel.h"
#include "app/Foco.h"
#include "app/MaskEdit.h"
#include "app/MessageUtil.h"
#include "app/PastaUsuario.h"
#include "app/Principal.h"
#include "config/ControleConfig.h"
#include "util/Exception.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>

namespace {

const QString FILTRO_BD = QStringLiteral("Banco de Dados Firebird|*.FB;*.FDB;*.GDB | *.fb;*.fdb;*.gdb");
const QString MSG_CONEXAO_OK = QStringLiteral("Conexão realizada com sucesso.");
const QString MSG_FALHA_FILIAIS = QStringLiteral("Falha ao carregar as filiais. Motivo: ");

// The hourglass while alive.
class TCursorEspera
{
public:
    TCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TCursorEspera() { QApplication::restoreOverrideCursor(); }
    TCursorEspera(const TCursorEspera&) = delete;
    TCursorEspera& operator=(const TCursorEspera&) = delete;
};

} // namespace

void TfrmPrincipal::TLiberaControleConfig::operator()(TControleConfig* pControle) const
{
    delete pControle;
}

TControleConfig& TfrmPrincipal::ControleConfig()
{
    if (!vControleConfig)
        vControleConfig.reset(new TControleConfig);
    return *vControleConfig;
}

namespace {

// Shows the dialogs in order; after each, the control it names gets the focus if it can take it.
void MostraAvisos(TfrmPrincipal& pJanela, const TAvisos& pAvisos)
{
    for (const TAviso& xAviso : pAvisos) {
        QWidget* xFoco = xAviso.Foco.isEmpty() ? nullptr : pJanela.findChild<QWidget*>(xAviso.Foco);
        switch (xAviso.Tipo) {
        case TTipoAviso::Alerta:
            TMessageUtil::Alerta(xAviso.Texto, xFoco);
            break;
        case TTipoAviso::Erro:
            TMessageUtil::Erro(xAviso.Texto, xFoco);
            break;
        case TTipoAviso::Informacao:
            TMessageUtil::Informacao(xAviso.Texto, xFoco);
            break;
        }
    }
}

} // namespace

// The second step of FormCreate. Its dialogs come while the window is not yet visible, so none of them
// moves the focus.
void TfrmPrincipal::VerificacaoInicial()
{
    if (!dlgOpenBD) {
        dlgOpenBD = new TDialogoAbrirArquivo(this);
        dlgOpenBD->setObjectName(QStringLiteral("dlgOpenBD"));
        dlgOpenBD->Filter = FILTRO_BD;
    }
    const TControleConfig::TDecisaoInicio xDecisao = ControleConfig().DecideInicio();
    MostraAvisos(*this, xDecisao.Avisos);
    if (xDecisao.Pagina == TPagina::Config) {
        pgcPrincipal->setCurrentWidget(tsConfig);
        if (!xDecisao.CaptionCancelar.isEmpty())
            btnCancelar->setText(xDecisao.CaptionCancelar);
    }
}

void TfrmPrincipal::FormShow()
{
    if (pgcPrincipal->currentWidget() == tsPrincipal)
        CarregaTabPrincipal();
    else if (pgcPrincipal->currentWidget() == tsConfig)
        CarregaTabConfig();
}

bool TfrmPrincipal::ValidaConfig()
{
    const TControleConfig::TResultado xResultado = ControleConfig().ValidaConfig();
    MostraAvisos(*this, xResultado.Avisos);
    return xResultado.Ok;
}

bool TfrmPrincipal::TestaConexaoBD(const QString& pCaminho, const QString& pUsuario, const QString& pSenha)
{
    const TControleConfig::TResultado xResultado =
        ControleConfig().TestaConexaoBD(pCaminho, pUsuario, pSenha);
    MostraAvisos(*this, xResultado.Avisos);
    return xResultado.Ok;
}

// The field checks of Save and the connection test, under the hourglass; the dialogs follow once the
// cursor is back.
bool TfrmPrincipal::ValidaConexaoBD()
{
    TControleConfig::TResultado xResultado;
    {
        const TCursorEspera xEspera;
        xResultado =
            ControleConfig().ValidaConexaoBD(edtCaminhoBD->text(), edtUsuarioBD->text(), mskSenhaBD->text());
    }
    MostraAvisos(*this, xResultado.Avisos);
    return xResultado.Ok;
}

bool TfrmPrincipal::MontaConfigINI()
{
    // The field shows the path as it is saved.
    edtCaminhoBD->setText(TControleConfig::CaminhoBDNativo(edtCaminhoBD->text()));
    return ControleConfig().MontaConfigINI(edtCaminhoBD->text(), edtUsuarioBD->text(), mskSenhaBD->text());
}

void TfrmPrincipal::CarregaTabConfig()
{
    edtCaminhoBD->clear();
    edtUsuarioBD->clear();
    mskSenhaBD->clear();
    const TControleConfig::TCampos xCampos = ControleConfig().CarregaTabConfig();
    MostraAvisos(*this, xCampos.Avisos);
    edtCaminhoBD->setText(xCampos.Caminho);
    edtUsuarioBD->setText(xCampos.Usuario);
    mskSenhaBD->setText(xCampos.Senha);
}

void TfrmPrincipal::CarregaTabPrincipal()
{
    ProgressBar->setValue(0);
    cdsFiliais->Close();
    // The query's own failure already reads "Falha ao carregar as filiais. Motivo: ...".
    const TListaFiliais xFiliais = ControleConfig().CarregaTabPrincipal();
    try {
        cdsFiliais->Open(xFiliais);
        cdsFiliais->First();
        // A single branch must stay ticked: neither the grid nor "Todas" can untick it.
        if (cdsFiliais->RecordCount() == 1) {
            chkTodasFiliais->setEnabled(false);
            dbgFiliais->setEnabled(false);
        }
        dbgFiliaisDblClick();
        if (Foco::PodeReceberFoco(dbgFiliais))
            dbgFiliais->setFocus(Qt::OtherFocusReason);
        else
            Foco::FocaSePuder(mskDataIni);
    } catch (const Exception& xErro) {
        throw Exception(MSG_FALHA_FILIAIS + xErro.Message());
    }
}

void TfrmPrincipal::pgcPrincipalChanging(bool& AllowChange)
{
    AllowChange = false;
}

void TfrmPrincipal::btnConfigClick()
{
    pgcPrincipal->setCurrentWidget(tsConfig);
    CarregaTabConfig();
}

void TfrmPrincipal::btnBuscarBDClick()
{
    dlgOpenBD->InitialDir = PastaInicialDosSeletores();
    if (dlgOpenBD->Execute(this) && !dlgOpenBD->FileName.isEmpty()) {
        edtCaminhoBD->setText(TControleConfig::CaminhoBDNativo(dlgOpenBD->FileName));
        Foco::FocaSePuder(edtUsuarioBD);
    }
    dlgOpenBD->FileName.clear();
}

void TfrmPrincipal::btnTestaConexaoBDClick()
{
    if (TestaConexaoBD(edtCaminhoBD->text(), edtUsuarioBD->text(), mskSenhaBD->text()))
        TMessageUtil::Informacao(MSG_CONEXAO_OK, btnSalvar);
}

void TfrmPrincipal::btnSalvarClick()
{
    if (!ValidaConexaoBD())
        return;
    // A file that cannot be written ends the save here, through the error report: the page stays.
    MontaConfigINI();
    btnCancelar->setText(TControleConfig::CAPTION_CANCELAR);
    pgcPrincipal->setCurrentWidget(tsPrincipal);
    LimpaCampos();
    CarregaTabPrincipal();
}

void TfrmPrincipal::btnCancelarClick()
{
    const TControleConfig::TDecisaoSaida xSaida = ControleConfig().DecideCancelar();
    MostraAvisos(*this, xSaida.Avisos);
    switch (xSaida.Pagina) {
    case TPagina::Principal:
        pgcPrincipal->setCurrentWidget(tsPrincipal);
        break;
    case TPagina::Config:
        break;
    case TPagina::FecharJanela:
        close();
        break;
    }
}
