#include "app/Gauge.h"

#include <QPainter>
#include <QStyleOptionProgressBar>
#include <QStylePainter>

TGauge::TGauge(QWidget* pParent) : QProgressBar(pParent)
{
    setTextVisible(true);
    setFormat(QStringLiteral("%p%"));
    setAlignment(Qt::AlignCenter);
}

// Inside the groove's border, whatever the style draws there.
QRect TGauge::Interior() const
{
    return rect().adjusted(2, 2, -2, -2);
}

QRect TGauge::RetanguloPreenchido() const
{
    const QRect xInterior = Interior();
    const qint64 xFaixa = qint64(maximum()) - minimum();
    if (xFaixa <= 0 || value() <= minimum())
        return QRect();
    const qint64 xLargura = qint64(xInterior.width()) * (qint64(value()) - minimum()) / xFaixa;
    return QRect(xInterior.topLeft(),
                 QSize(int(qMin<qint64>(xLargura, xInterior.width())), xInterior.height()));
}

void TGauge::paintEvent(QPaintEvent*)
{
    QStylePainter xPintor(this);
    QStyleOptionProgressBar xOpcao;
    initStyleOption(&xOpcao);
    xPintor.drawControl(QStyle::CE_ProgressBarGroove, xOpcao);

    const QRect xCheio = RetanguloPreenchido();
    if (!xCheio.isEmpty())
        xPintor.fillRect(xCheio, COR);

    if (!isTextVisible())
        return;
    const QString xTexto = text();
    // The text over the blue in white, the rest in the window's text colour.
    xPintor.save();
    xPintor.setClipRect(xCheio);
    xPintor.setPen(Qt::white);
    xPintor.drawText(rect(), int(alignment()), xTexto);
    xPintor.restore();
    QRegion xResto(rect());
    xResto -= xCheio;
    xPintor.setClipRegion(xResto);
    xPintor.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    xPintor.drawText(rect(), int(alignment()), xTexto);
}
