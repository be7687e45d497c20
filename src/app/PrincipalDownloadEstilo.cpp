#include "app/PrincipalDownloadEstilo.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
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

std::unique_ptr<QDialog> TApresentadorClassico::MontaCaixa(const TDialogoMensagem& pDialogo, QWidget* pPai)
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
    xLayout->addWidget(xRotulo, 0, 1);
    xLayout->addWidget(xBotoes, 1, 0, 1, 2);
    xLayout->setHorizontalSpacing(16);
    return xCaixa;
}
