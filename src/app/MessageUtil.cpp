#include "app/MessageUtil.h"

#include "app/Foco.h"
#include "sistema/Termino.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

const QString BOTAO_OK = QStringLiteral("OK");
const QString BOTAO_SIM = QStringLiteral("&Sim");
const QString BOTAO_NAO = QStringLiteral("&Não");

TApresentadorMensagem* MApresentador = nullptr;

QString Titulo(TTipoMensagem pTipo)
{
    switch (pTipo) {
    case TTipoMensagem::Alerta:
        return QStringLiteral("Atenção");
    case TTipoMensagem::Erro:
        return QStringLiteral("Erro");
    case TTipoMensagem::Informacao:
        return QStringLiteral("Informação");
    case TTipoMensagem::Confirmacao:
        return QStringLiteral("Confirmação");
    }
    return {};
}

QMessageBox::Icon Icone(TTipoMensagem pTipo)
{
    switch (pTipo) {
    case TTipoMensagem::Alerta:
        return QMessageBox::Warning;
    case TTipoMensagem::Erro:
        return QMessageBox::Critical;
    case TTipoMensagem::Informacao:
        return QMessageBox::Information;
    case TTipoMensagem::Confirmacao:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// Messages break lines with "\r\n" or a lone "\r"; the label breaks them at "\n".
QString QuebrasDeLinha(QString pTexto)
{
    pTexto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    pTexto.replace(u'\r', u'\n');
    return pTexto;
}

} // namespace

TDialogoMensagem TMessageUtil::MontaDialogo(TTipoMensagem pTipo, const QString& pTexto, TMsgDlgBtn mbDefault)
{
    TDialogoMensagem xDialogo;
    xDialogo.Tipo = pTipo;
    xDialogo.Titulo = Titulo(pTipo);
    xDialogo.Texto = pTexto;
    if (pTipo == TTipoMensagem::Confirmacao) {
        xDialogo.Botoes = {BOTAO_SIM, BOTAO_NAO};
        xDialogo.BotaoPadrao = mbDefault == TMsgDlgBtn::mbYes ? 0 : 1;
    } else {
        xDialogo.Botoes = {BOTAO_OK};
        xDialogo.BotaoPadrao = 0;
    }
    return xDialogo;
}

TApresentadorMensagem* TMessageUtil::DefineApresentador(TApresentadorMensagem* pApresentador)
{
    TApresentadorMensagem* xAnterior = MApresentador;
    MApresentador = pApresentador;
    return xAnterior;
}

TApresentadorMensagem& TMessageUtil::Apresentador()
{
    static TApresentadorPadrao xPadrao;
    return MApresentador ? *MApresentador : xPadrao;
}

bool TMessageUtil::Notifica(TTipoMensagem pTipo, const QString& pTexto, QWidget* pComponenteFoco)
{
    // A program being ended by the system shows nothing more.
    if (Termino::Encerrando())
        return true;
    Apresentador().Apresenta(MontaDialogo(pTipo, pTexto));
    Foco::FocaSePuder(pComponenteFoco);
    return true;
}

bool TMessageUtil::Alerta(const QString& pAlerta, QWidget* pComponenteFoco)
{
    return Notifica(TTipoMensagem::Alerta, pAlerta, pComponenteFoco);
}

bool TMessageUtil::Erro(const QString& pErro, QWidget* pComponenteFoco)
{
    return Notifica(TTipoMensagem::Erro, pErro, pComponenteFoco);
}

bool TMessageUtil::Informacao(const QString& pInformacao, QWidget* pComponenteFoco)
{
    return Notifica(TTipoMensagem::Informacao, pInformacao, pComponenteFoco);
}

bool TMessageUtil::MostraPergunta(const QString& pPergunta, TMsgDlgBtn mbDefault)
{
    // A program being ended by the system asks nothing: the answer is "&Não".
    if (Termino::Encerrando())
        return false;
    return Apresentador().Apresenta(MontaDialogo(TTipoMensagem::Confirmacao, pPergunta, mbDefault)) == 0;
}

bool TMessageUtil::Pergunta(const QString& pPergunta, TMsgDlgBtn mbDefault, QWidget* pComponenteFoco)
{
    const bool xResult = MostraPergunta(pPergunta, mbDefault);
    Foco::FocaSePuder(pComponenteFoco);
    return xResult;
}

bool TMessageUtil::Pergunta(const QString& pPergunta, QWidget* pComponenteFoco)
{
    return Pergunta(pPergunta, TMsgDlgBtn::mbYes, pComponenteFoco);
}

int TApresentadorPadrao::Apresenta(const TDialogoMensagem& pDialogo)
{
    QMessageBox xCaixa(Icone(pDialogo.Tipo), pDialogo.Titulo, QuebrasDeLinha(pDialogo.Texto),
                       QMessageBox::NoButton, QApplication::activeWindow());
    xCaixa.setTextFormat(Qt::PlainText);
    QList<QPushButton*> xBotoes;
    // One role for every button: the desktops' button layouts order buttons by role ("&Não" before
    // "&Sim" on GNOME and macOS) but keep the order of buttons that share one, so they stand as listed.
    for (const QString& xTexto : pDialogo.Botoes)
        xBotoes.append(xCaixa.addButton(xTexto, QMessageBox::ActionRole));
    if (pDialogo.BotaoPadrao >= 0 && pDialogo.BotaoPadrao < xBotoes.size())
        xCaixa.setDefaultButton(xBotoes[pDialogo.BotaoPadrao]);
    // Esc and the title bar's close button answer with the last button ("OK" or "&Não").
    if (!xBotoes.isEmpty())
        xCaixa.setEscapeButton(xBotoes.last());
    xCaixa.exec();
    return static_cast<int>(xBotoes.indexOf(static_cast<QPushButton*>(xCaixa.clickedButton())));
}
