#include "app/BotaoImagem.h"

#include <QStyleOptionButton>
#include <QStylePainter>

TBotaoImagem::TBotaoImagem(const QString& pCaption, const QPixmap& pImagem, QWidget* pParent)
    : QPushButton(pCaption, pParent)
{
    setIcon(QIcon(pImagem));
    setIconSize(pImagem.deviceIndependentSize().toSize());
    // A focused button takes Enter itself and is pressed.
    setAutoDefault(true);
}

void TBotaoImagem::paintEvent(QPaintEvent*)
{
    QStylePainter xPintor(this);
    QStyleOptionButton xOpcao;
    initStyleOption(&xOpcao);
    xOpcao.text.clear();
    xOpcao.icon = QIcon();
    xPintor.drawControl(QStyle::CE_PushButton, xOpcao);

    const int xDesloca = isDown() ? 1 : 0;
    const QSize xTamanho = iconSize();
    const QFontMetrics xMetrica(font());
    const int xAltura = xTamanho.height() + 2 + xMetrica.height();
    const int xTopo = (height() - xAltura) / 2 + xDesloca;
    const QPixmap xImagem =
        icon().pixmap(xTamanho, devicePixelRatio(), isEnabled() ? QIcon::Normal : QIcon::Disabled);
    xPintor.drawPixmap((width() - xTamanho.width()) / 2 + xDesloca, xTopo, xImagem);
    const QRect xAreaTexto(xDesloca, xTopo + xTamanho.height() + 2, width(), xMetrica.height());
    xPintor.drawItemText(xAreaTexto, Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                         isEnabled(), text(), QPalette::ButtonText);
}
