#include "app/PrincipalDownloadEstilo.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>

namespace {

TApresentadorClassico MClassico;

QStyle::StandardPixmap Icone(TTipoMensagem pTipo)
{
    switch (pTipo) {
    case TTipoMensagem::Alerta:
        return QStyle::SP_MessageBoxWarning;
    case TTipoMensagem::Erro:
        return QStyle::SP_MessageBoxCritical;
    case TTipoMensagem::Informacao:
        return QStyle::SP_MessageBoxInformation;
    case TTipoMensagem::Confirmacao:
        return QStyle::SP_MessageBoxQuestion;
    }
    return QStyle::SP_MessageBoxInformation;
}

} // namespace

void TApresentadorClassico::Ativa(bool pClassico)
{
    if (pClassico == MClassico.vAtivo)
        return;
    if (pClassico)
        MClassico.vAnterior = TMessageUtil::DefineApresentador(&MClassico);
    else
        TMessageUtil::DefineApresentador(MClassico.vAnterior);
    MClassico.vAtivo = pClassico;
}

bool TApresentadorClassico::Ativo()
{
    return MClassico.vAtivo;
}

int TApresentadorClassico::Apresenta(const TDialogoMensagem& pDialogo)
{
    if (vAnterior)
        return vAnterior->Apresenta(pDialogo);
    const std::unique_ptr<QDialog> xCaixa = MontaCaixa(pDialogo, QApplication::activeWindow());
    const int xResultado = xCaixa->exec();
    // Esc and the title bar's close button answer with the last button.
    return xResultado > 0 ? xResultado - 1 : int(pDialogo.Botoes.size()) - 1;
}

std::unique_ptr<QDialog> TApresentadorClassico::MontaCaixa(const TDialogoMensagem& pDialogo, QWidget* pPai,
                                                           QRect pTela)
{
    auto xCaixa = std::make_unique<QDialog>(pPai);
    xCaixa->setWindowTitle(pDialogo.Titulo);
    xCaixa->setModal(true);

    auto* xIcone = new QLabel(xCaixa.get());
    xIcone->setObjectName(QStringLiteral("Icone"));
    const int xTamanho = xCaixa->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, xCaixa.get());
    xIcone->setPixmap(
        xCaixa->style()->standardIcon(Icone(pDialogo.Tipo), nullptr, xCaixa.get()).pixmap(xTamanho));
    xIcone->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    // Messages break lines with "\r\n" or a lone "\r"; the label breaks them at "\n" and never on its own.
    QString xTexto = pDialogo.Texto;
    xTexto.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    xTexto.replace(u'\r', u'\n');
    auto* xRotulo = new QLabel(xTexto, xCaixa.get());
    xRotulo->setObjectName(QStringLiteral("Texto"));
    xRotulo->setTextFormat(Qt::PlainText);
    xRotulo->setWordWrap(false);
    xRotulo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    xRotulo->adjustSize();

    // The text keeps its lines whole; when they are wider or more than the screen holds, the box stops at
    // the screen's size and the text scrolls inside it.
    if (pTela.isEmpty()) {
        const QScreen* xTela = pPai ? pPai->screen() : QGuiApplication::primaryScreen();
        if (xTela)
            pTela = xTela->availableGeometry();
    }
    auto* xRolagem = new QScrollArea(xCaixa.get());
    xRolagem->setObjectName(QStringLiteral("Rolagem"));
    xRolagem->setFrameShape(QFrame::NoFrame);
    xRolagem->setWidgetResizable(false);
    xRolagem->setWidget(xRotulo);
    xRolagem->viewport()->setAutoFillBackground(false);
    xRotulo->setAutoFillBackground(false);
    const QSize xTamTexto = xRotulo->size();
    // Room the rest of the box takes around the text: icon, margins, buttons, window frame and title.
    const int xLarguraMax = qMax(200, pTela.width() - xTamanho - 16 - 2 * 11 - 2 * 12);
    const int xAlturaMax = qMax(100, pTela.height() - 160);
    int xLargura = qMin(xTamTexto.width(), xLarguraMax);
    int xAltura = qMin(xTamTexto.height(), xAlturaMax);
    const int xBarra = xCaixa->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, xRolagem);
    if (xLargura < xTamTexto.width())
        xAltura = qMin(xAltura + xBarra, xAlturaMax);
    if (xAltura < xTamTexto.height() + (xLargura < xTamTexto.width() ? xBarra : 0))
        xLargura = qMin(xLargura + xBarra, xLarguraMax);
    xRolagem->setFixedSize(xLargura, xAltura);

    auto* xBotoes = new QDialogButtonBox(xCaixa.get());
    xBotoes->setCenterButtons(true);
    for (qsizetype i = 0; i < pDialogo.Botoes.size(); ++i) {
        QPushButton* xBotao = xBotoes->addButton(pDialogo.Botoes.at(i), QDialogButtonBox::ActionRole);
        xBotao->setDefault(i == pDialogo.BotaoPadrao);
        QDialog* xDono = xCaixa.get();
        QObject::connect(xBotao, &QPushButton::clicked, xDono, [xDono, i] { xDono->done(int(i) + 1); });
    }

    auto* xLayout = new QGridLayout(xCaixa.get());
    xLayout->setSizeConstraint(QLayout::SetFixedSize); // the box takes the size of its text
    xLayout->addWidget(xIcone, 0, 0);
    xLayout->addWidget(xRolagem, 0, 1);
    xLayout->addWidget(xBotoes, 1, 0, 1, 2);
    xLayout->setHorizontalSpacing(16);
    return xCaixa;
}
