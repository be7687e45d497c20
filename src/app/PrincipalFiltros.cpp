// The filter fields of the main page: what each does when left with Enter, the digit filter of the
// number and series fields, and ValidaCampos, the full check before a download.
#include "app/FiliaisModel.h"
#include "app/Foco.h"
#include "app/MaskEdit.h"
#include "app/MessageUtil.h"
#include "app/Principal.h"
#include "app/Teclas.h"
#include "util/Clock.h"
#include "util/DateUtil.h"
#include "util/Exception.h"
#include "util/Funcoes.h"
#include "util/Regional.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>

using namespace Teclas;

namespace {

const QString NF_INICIAL_PADRAO = QStringLiteral("00000001");
const QString NF_FINAL_PADRAO = QStringLiteral("99999999");
const QString SERIE_INICIAL_PADRAO = QStringLiteral("1");
const QString SERIE_FINAL_PADRAO = QStringLiteral("99");

// A whole number typed into a field, surrounding blanks removed.
qint64 StrToInt(const QString& pTexto)
{
    const QString xTexto = pTexto.trimmed();
    bool xOk = false;
    const qint64 xValor = xTexto.toLongLong(&xOk);
    if (!xOk)
        throw EConvertError(QStringLiteral("'%1' não é um valor inteiro válido").arg(xTexto));
    return xValor;
}

bool Vazio(const QLineEdit* pEdit)
{
    return pEdit->text().trimmed().isEmpty();
}

} // namespace

void TfrmPrincipal::SaidaDeCampo(QObject* pCampo)
{
    if (pCampo == mskDataIni)
        mskDataIniExit();
    else if (pCampo == mskDataFim)
        mskDataFimExit();
    else if (pCampo == edtNfInicial)
        edtNfInicialExit();
    else if (pCampo == edtNfFinal)
        edtNfFinalExit();
    else if (pCampo == edtSerieIni)
        edtSerieIniExit();
    else if (pCampo == edtSerieFim)
        edtSerieFimExit();
}

bool TfrmPrincipal::TeclaEmCampoNumerico(QKeyEvent* pEvento)
{
    // Only keys that type a character are filtered; Tab, Esc and Delete move or edit, they type nothing.
    const int xTecla = pEvento->key();
    if (pEvento->text().isEmpty() || xTecla == Qt::Key_Tab || xTecla == Qt::Key_Backtab ||
        xTecla == Qt::Key_Escape || xTecla == Qt::Key_Delete)
        return false;
    QChar xKey = pEvento->text().at(0);
    VerificaTecladoNumerico(xKey);
    return xKey.isNull();
}

void TfrmPrincipal::VerificaTecladoNumerico(QChar& Key)
{
    const bool xDigito = Key >= u'0' && Key <= u'9';
    if (!xDigito && Key.unicode() != VK_BACK && Key.unicode() != VK_RETURN)
        Key = QChar();
}

void TfrmPrincipal::mskDataIniExit()
{
    if (vKey == VK_RETURN)
        DataIniExit2();
    vKey = 0;
}

void TfrmPrincipal::mskDataFimExit()
{
    if (vKey == VK_RETURN)
        DataFimExit2();
    vKey = 0;
}

bool TfrmPrincipal::DataIniExit2()
{
    bool xResult = false;
    if (mskDataIni->Text() == DATA_VAZIA && mskDataFim->Text() != DATA_VAZIA)
        mskDataFim->SetText(QString());
    mskDataIni->SetText(TDateUtil::MontaData(mskDataIni->Text()));
    const std::optional<QDate> xData = Regional::StrToDate(mskDataIni->Text());
    if (!xData)
        TMessageUtil::Alerta(QStringLiteral("Data inicial Inválida!"));
    else if (Clock::Hoje() < *xData)
        TMessageUtil::Alerta(QStringLiteral("Data inicial não pode ser maior que data atual do sistema!"));
    else
        xResult = true;
    if (!xResult) {
        mskDataIni->SetText(QString());
        Foco::FocaSePuder(mskDataIni);
    }
    return xResult;
}

bool TfrmPrincipal::DataFimExit2()
{
    bool xResult = false;
    mskDataFim->SetText(TDateUtil::MontaData(mskDataFim->Text()));
    const std::optional<QDate> xDataFim = Regional::StrToDate(mskDataFim->Text());
    if (!xDataFim) {
        TMessageUtil::Alerta(QStringLiteral("Data final Inválida!"));
    } else {
        // A start date that does not read counts as earlier than any date.
        const std::optional<QDate> xDataIni =
            mskDataIni->Text() != DATA_VAZIA ? Regional::StrToDate(mskDataIni->Text()) : std::nullopt;
        if (xDataIni && *xDataIni > *xDataFim)
            TMessageUtil::Alerta(QStringLiteral("Data final não pode ser menor que data inicial!"));
        else
            xResult = true;
    }
    if (!xResult) {
        mskDataFim->SetText(QString());
        Foco::FocaSePuder(mskDataFim);
    }
    return xResult;
}

void TfrmPrincipal::edtNfInicialExit()
{
    if (vKey == VK_RETURN) {
        if (Vazio(edtNfInicial)) {
            edtNfInicial->setText(NF_INICIAL_PADRAO);
        } else if (!Vazio(edtNfFinal) && StrToInt(edtNfInicial->text()) > StrToInt(edtNfFinal->text())) {
            TMessageUtil::Alerta(QStringLiteral("Número NF Inical deve ser menor que o Número NF Final."));
            Foco::FocaSePuder(edtNfInicial);
            return; // vKey stays Enter: the check runs again when the field is left once more
        } else {
            edtNfInicial->setText(TFuncoes::get().StrZero(edtNfInicial->text(), 8));
        }
    }
    vKey = 0;
}

void TfrmPrincipal::edtNfFinalExit()
{
    if (vKey == VK_RETURN) {
        if (Vazio(edtNfFinal)) {
            edtNfFinal->setText(NF_FINAL_PADRAO);
        } else if (!Vazio(edtNfInicial) && StrToInt(edtNfFinal->text()) < StrToInt(edtNfInicial->text())) {
            TMessageUtil::Alerta(QStringLiteral("Número NF Final deve ser maior que o Número NF Inicial."));
            Foco::FocaSePuder(edtNfFinal);
            return;
        } else {
            edtNfFinal->setText(TFuncoes::get().StrZero(edtNfFinal->text(), 8));
        }
    }
    vKey = 0;
}

void TfrmPrincipal::edtSerieIniExit()
{
    if (vKey == VK_RETURN) {
        if (Vazio(edtSerieIni)) {
            edtSerieIni->setText(SERIE_INICIAL_PADRAO);
        } else if (!Vazio(edtSerieFim) && StrToInt(edtSerieIni->text()) > StrToInt(edtSerieFim->text())) {
            TMessageUtil::Alerta(QStringLiteral("Série Inical deve ser menor que o Série Final."));
            Foco::FocaSePuder(edtSerieIni);
            return;
        } else if (StrToInt(edtSerieIni->text()) < 10) {
            edtSerieIni->setText(TFuncoes::get().StrZero(edtSerieIni->text(), 1));
        }
    }
    vKey = 0;
}

void TfrmPrincipal::edtSerieFimExit()
{
    if (vKey == VK_RETURN) {
        if (Vazio(edtSerieFim)) {
            edtSerieFim->setText(SERIE_FINAL_PADRAO);
        } else if (!Vazio(edtSerieIni) && StrToInt(edtSerieFim->text()) < StrToInt(edtSerieIni->text())) {
            TMessageUtil::Alerta(QStringLiteral("Série Final deve ser maior que o Série Inicial."));
            Foco::FocaSePuder(edtSerieFim);
            return;
        } else if (StrToInt(edtSerieFim->text()) < 10) {
            edtSerieFim->setText(TFuncoes::get().StrZero(edtSerieFim->text(), 1));
        }
    }
    vKey = 0;
}

bool TfrmPrincipal::ValidaCampos()
{
    try {
        int xFiliaisMarcadas = 0;
        cdsFiliais->First();
        while (!cdsFiliais->Eof()) {
            if (cdsFiliais->FieldByName(QStringLiteral("CHECKED")) == u"S")
                ++xFiliaisMarcadas;
            cdsFiliais->Next();
        }
        if (xFiliaisMarcadas == 0) {
            TMessageUtil::Alerta(QStringLiteral("É necessário marcar pelo menos uma filial."));
            Foco::FocaSePuder(dbgFiliais);
            return false;
        }

        if (!DataIniExit2())
            return false;
        if (!DataFimExit2())
            return false;

        if (Vazio(edtNfInicial))
            edtNfInicial->setText(NF_INICIAL_PADRAO);
        if (Vazio(edtNfFinal))
            edtNfFinal->setText(NF_FINAL_PADRAO);
        if (StrToInt(edtNfInicial->text()) > StrToInt(edtNfFinal->text())) {
            TMessageUtil::Alerta(QStringLiteral("Número NF Inicial deve ser menor que o Número NF Final."));
            Foco::FocaSePuder(edtNfInicial);
            return false;
        }

        if (Vazio(edtSerieIni))
            edtSerieIni->setText(SERIE_INICIAL_PADRAO);
        if (Vazio(edtSerieFim))
            edtSerieFim->setText(SERIE_FINAL_PADRAO);
        if (StrToInt(edtSerieIni->text()) > StrToInt(edtSerieFim->text())) {
            TMessageUtil::Alerta(QStringLiteral("Série Inicial deve ser menor que o Série Final."));
            Foco::FocaSePuder(edtSerieIni);
            return false;
        }

        if (!chkNFE->isChecked() && !chkNFCE->isChecked() && !chkNFSE->isChecked()) {
            TMessageUtil::Alerta(QStringLiteral("É necessário informar pelo menos um tipo de NF."));
            Foco::FocaSePuder(chkNFE);
            return false;
        }
        if (!chkProducao->isChecked() && !chkHomologacao->isChecked()) {
            TMessageUtil::Alerta(QStringLiteral("É necessário informar pelo menos um tipo de ambiente."));
            Foco::FocaSePuder(chkProducao);
            return false;
        }
        return true;
    } catch (const Exception& e) {
        throw Exception(QStringLiteral("Falha ao validar campos. Motivo: ") + e.Message());
    } catch (const std::exception& e) {
        throw Exception(QStringLiteral("Falha ao validar campos. Motivo: ") +
                        QString::fromLocal8Bit(e.what()));
    }
}
