// Window-wide keys, the closing questions, the Sair / Limpar / information buttons, and the operations
// that clear, enable and inspect the main page.
#include "app/Aplicacao.h"
#include "app/BotaoImagem.h"
#include "app/FiliaisModel.h"
#include "app/Foco.h"
#include "app/MaskEdit.h"
#include "app/MessageUtil.h"
#include "app/Principal.h"
#include "app/StatusBar.h"
#include "app/Teclas.h"
#include "sistema/Termino.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>

using namespace Teclas;

namespace {

// Carriage returns only: each "\r\r" leaves an empty line.
const QString TEXTO_INFORMACAO = QStringLiteral(
    "Atenção: Esta ferramenta NÃO realiza a exportação de XMLs a partir do banco de dados que foi utilizado "
    "na conexão!\r\r"
    "Ela realiza o download de XMLs diretamente do WebService/API de Notas da Velmar utilizando apenas os "
    "CNPJs "
    "das filiais selecionadas e os filtros informados para realizar a solicitação para o WebService/API de "
    "Notas.\r\r"
    "Então, caso seja feito o download de notas diferentes das que estão presentes no banco de dados do "
    "cliente "
    "é porque não foram informados os filtros corretamente!\r\r"
    "Caso ela não consiga encontrar algumas notas para o download, mas as mesmas estejam presentes no banco "
    "de "
    "dados do cliente, significa que essas notas ainda não foram enviadas para o WebService/API de Notas da "
    "Velmar!\r\r"
    "Isso pode ser feito manualmente através da rotina de Reenvio de notas para o WS Velmar:\r\r"
    "- Corvane Business > Cadastros > Parâmetros > NF-e > Reenviar NF-e Velmar\r\r"
    "- Corvane Business > NFS-e > Parâmetros > Reenviar NFS-e Velmar\r\r"
    "- Strandel > Configurações > Aba NFC-e > Reenviar NFC-e Velmar\r\r");

// The keys the branch grid handles itself: moving the current row, Space (after its toggle) and the
// focus keys.
bool TeclaDeMovimentoNaGrade(int pTecla)
{
    switch (pTecla) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Space:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        return false;
    }
}

bool SoCtrl(Qt::KeyboardModifiers pShift)
{
    return (pShift & ~Qt::KeypadModifier) == Qt::ControlModifier;
}

} // namespace

bool TfrmPrincipal::TeclaNaJanela(QKeyEvent* pEvento, QWidget* pControle)
{
    // A focused push button takes Enter itself and is pressed.
    if ((pEvento->key() == Qt::Key_Return || pEvento->key() == Qt::Key_Enter) &&
        qobject_cast<QPushButton*>(pControle))
        return false;
    quint16 xKey = CodigoTecla(pEvento);
    FormKeyDown(xKey, pEvento->modifiers());
    return xKey == 0;
}

void TfrmPrincipal::FormKeyDown(quint16& Key, Qt::KeyboardModifiers Shift)
{
    vKey = Key;
    switch (Key) {
    case VK_TAB:
        // Ctrl+Tab would move between pages.
        if (SoCtrl(Shift))
            Key = 0;
        break;
    case VK_RETURN:
        focusNextChild();
        break;
    case VK_ESCAPE:
        // A program being ended by the system asks nothing more, nor takes back its stop request.
        if (Termino::Encerrando())
            break;
        if (pgcPrincipal->currentWidget() == tsPrincipal) {
            if (vProcessando) {
                const bool xResposta =
                    TMessageUtil::Pergunta(QStringLiteral("Deseja realmente interromper o download?"));
                if (!Termino::Encerrando())
                    vInterromper = xResposta;
            } else if (VerificaTemCamposPreenchidos()) {
                LimpaCampos();
            } else {
                close();
            }
        } else if (pgcPrincipal->currentWidget() == tsConfig) {
            if (ValidaConfig())
                pgcPrincipal->setCurrentWidget(tsPrincipal);
        }
        break;
    case VK_DELETE:
        // The branch grid never deletes a row.
        if (SoCtrl(Shift))
            Key = 0;
        break;
    default:
        break;
    }
}

void TfrmPrincipal::closeEvent(QCloseEvent* pEvento)
{
    // The window never closes itself: the program ends through the termination request.
    pEvento->ignore();
    TAplicacao::ExecutaProtegido([this] { FormClose(); });
}

void TfrmPrincipal::FormClose()
{
    // A program being ended by the system is already on its way out.
    if (Termino::Encerrando())
        return;
    bool xSair = false;
    if (vProcessando) {
        const bool xResposta = TMessageUtil::Pergunta(
            QStringLiteral("Download em andamento... Deseja realmente interrompe-lo?"));
        if (Termino::Encerrando())
            return;
        vInterromper = xResposta;
        if (vInterromper)
            xSair = TMessageUtil::Pergunta(QStringLiteral("Deseja realmente sair?"));
    } else {
        xSair = TMessageUtil::Pergunta(QStringLiteral("Deseja realmente sair?"));
    }
    if (xSair && vSolicitaTermino)
        vSolicitaTermino();
}

void TfrmPrincipal::btnSairClick()
{
    close();
}

void TfrmPrincipal::btnLimparClick()
{
    LimpaCampos();
}

void TfrmPrincipal::btnInfoClick()
{
    TMessageUtil::Informacao(TEXTO_INFORMACAO);
}

void TfrmPrincipal::EnableDisableCampos(bool pValue)
{
    const QList<QWidget*> xCampos = {chkTodasFiliais, dbgFiliais,  edtNfInicial,   edtNfFinal, mskDataIni,
                                     mskDataFim,      edtSerieIni, edtSerieFim,    chkNFE,     chkNFCE,
                                     chkNFSE,         chkProducao, chkHomologacao, btnConfig,  btnDownload,
                                     btnLimpar,       btnSair,     btnInfo};
    for (QWidget* xCampo : xCampos)
        xCampo->setEnabled(pValue);
}

void TfrmPrincipal::LimpaCampos()
{
    chkTodasFiliais->setChecked(false);
    chkTodasFiliaisClick();
    dbgFiliaisDblClick();

    for (QLineEdit* xEdit : {edtNfInicial, edtNfFinal})
        xEdit->clear();
    mskDataIni->clear();
    mskDataFim->clear();
    for (QLineEdit* xEdit : {edtSerieIni, edtSerieFim})
        xEdit->clear();

    for (QCheckBox* xCheck : {chkNFE, chkNFCE, chkNFSE, chkProducao, chkHomologacao})
        xCheck->setChecked(false);

    ProgressBar->setValue(0);
    StatusBar->DefineTextoPainel(0, QString());
    StatusBar->DefineTextoPainel(1, QString());

    if (Foco::PodeReceberFoco(dbgFiliais))
        dbgFiliais->setFocus(Qt::OtherFocusReason);
    else
        Foco::FocaSePuder(mskDataIni);
}

bool TfrmPrincipal::VerificaTemCamposPreenchidos()
{
    const QString xDataVazia = QStringLiteral("/  /");
    if (mskDataIni->Text().trimmed() != xDataVazia || mskDataFim->Text().trimmed() != xDataVazia)
        return true;
    for (QLineEdit* xEdit : {edtNfInicial, edtNfFinal, edtSerieIni, edtSerieFim})
        if (!xEdit->text().trimmed().isEmpty())
            return true;
    for (QCheckBox* xCheck : {chkNFE, chkNFCE, chkNFSE, chkProducao, chkHomologacao})
        if (xCheck->isChecked())
            return true;
    return false;
}

bool TfrmPrincipal::eventFilter(QObject* pObjeto, QEvent* pEvento)
{
    switch (pEvento->type()) {
    case QEvent::FocusIn:
        // The window activated again while an exit handler runs (on Windows, as its warning closes, before
        // the handler goes on) returns the focus to the field it was on its way to: no entry, the handler
        // decides where the focus goes.
        if (vEmSaidaDeCampo && static_cast<QFocusEvent*>(pEvento)->reason() == Qt::ActiveWindowFocusReason)
            break;
        vCampoComFoco = pObjeto;
        break;
    case QEvent::FocusOut: {
        // Leaving a field the focus had entered, for another control of the window. The window losing
        // activation (a dialog opening, another program) or a context menu opening is no exit; nor is the
        // focus passing through a field it never entered (an exit handler sending it back to its own field
        // while it was on its way to the next one).
        const Qt::FocusReason xMotivo = static_cast<QFocusEvent*>(pEvento)->reason();
        if (xMotivo == Qt::ActiveWindowFocusReason || xMotivo == Qt::PopupFocusReason ||
            xMotivo == Qt::MenuBarFocusReason || pObjeto != vCampoComFoco)
            break;
        vCampoComFoco = nullptr;
        const QScopedValueRollback xEmSaida(vEmSaidaDeCampo, true);
        TAplicacao::ExecutaProtegido([&] { SaidaDeCampo(pObjeto); });
        break;
    }
    case QEvent::KeyPress: {
        auto* xEvento = static_cast<QKeyEvent*>(pEvento);
        if (pObjeto == dbgFiliais) {
            if (!dbgFiliais->isEnabled())
                return true;
            quint16 xKey = CodigoTecla(xEvento);
            TAplicacao::ExecutaProtegido([&] { dbgFiliaisKeyDown(xKey, xEvento->modifiers()); });
            if (xKey == 0)
                return true;
            // A whole-row grid has no columns to go to: Home and End go to the first and the last row.
            if ((xEvento->key() == Qt::Key_Home || xEvento->key() == Qt::Key_End) &&
                dbgFiliais->model()->rowCount() > 0) {
                const int xLinha = xEvento->key() == Qt::Key_Home ? 0 : dbgFiliais->model()->rowCount() - 1;
                dbgFiliais->setCurrentIndex(
                    dbgFiliais->model()->index(xLinha, TClientDataSetFiliais::DESCRICAO));
                return true;
            }
            // Only the moving keys reach the grid itself: a typed letter or digit would otherwise jump to
            // the row it begins (the grid's search by typing), and a following Space would tick that row.
            return !TeclaDeMovimentoNaGrade(xEvento->key());
        }
        if (pObjeto == edtNfInicial || pObjeto == edtNfFinal || pObjeto == edtSerieIni ||
            pObjeto == edtSerieFim)
            return TeclaEmCampoNumerico(xEvento);
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        // A disabled grid (a single branch, or a run under way) takes no mouse input at all: its filter sees
        // the events the grid itself would ignore.
        if ((pObjeto == dbgFiliais->viewport() || pObjeto == dbgFiliais) && !dbgFiliais->isEnabled())
            return true;
        if (pEvento->type() == QEvent::MouseButtonDblClick && pObjeto == dbgFiliais->viewport() &&
            static_cast<QMouseEvent*>(pEvento)->button() == Qt::LeftButton)
            TAplicacao::ExecutaProtegido([this] { dbgFiliaisDblClick(); });
        break;
    default:
        break;
    }
    return QWidget::eventFilter(pObjeto, pEvento);
}
