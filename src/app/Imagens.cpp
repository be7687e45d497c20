#include "app/Imagens.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <functional>

namespace {

// A square picture of pLado pixels in the layout, drawn for pEscala device pixels per layout pixel.
QPixmap DesenhaEm(int pLado, qreal pEscala, const std::function<void(QPainter&)>& pDesenho)
{
    QPixmap xPixmap(QSize(pLado, pLado) * pEscala);
    xPixmap.setDevicePixelRatio(pEscala);
    xPixmap.fill(Qt::transparent);
    QPainter xPintor(&xPixmap);
    xPintor.setRenderHint(QPainter::Antialiasing);
    pDesenho(xPintor);
    return xPixmap;
}

// Drawn at the display's scale (a scaled Windows display), so that it stays sharp where the window grows.
QPixmap Desenha(int pLado, const std::function<void(QPainter&)>& pDesenho)
{
    return DesenhaEm(pLado, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0, pDesenho);
}

QPainterPath Engrenagem(QPointF pCentro, qreal pRaio, int pDentes)
{
    QPainterPath xCaminho;
    const qreal xInterno = pRaio * 0.72;
    const int xPontos = pDentes * 4;
    for (int i = 0; i < xPontos; ++i) {
        const qreal xAngulo = 2 * M_PI * i / xPontos;
        const qreal xRaio = (i % 4 == 0 || i % 4 == 1) ? pRaio : xInterno;
        const QPointF xPonto = pCentro + QPointF(qCos(xAngulo) * xRaio, qSin(xAngulo) * xRaio);
        if (i == 0)
            xCaminho.moveTo(xPonto);
        else
            xCaminho.lineTo(xPonto);
    }
    xCaminho.closeSubpath();
    xCaminho.addEllipse(pCentro, pRaio * 0.3, pRaio * 0.3);
    xCaminho.setFillRule(Qt::OddEvenFill);
    return xCaminho;
}

} // namespace

namespace Imagens {

QPixmap Informacao()
{
    return Desenha(20, [](QPainter& p) {
        QRadialGradient xGradiente(QPointF(7, 6), 14);
        xGradiente.setColorAt(0, QColor(96, 160, 240));
        xGradiente.setColorAt(1, QColor(20, 80, 190));
        p.setPen(QPen(QColor(15, 60, 150), 1));
        p.setBrush(xGradiente);
        p.drawEllipse(QRectF(1.5, 1.5, 17, 17));
        QFont xFonte(QStringLiteral("DejaVu Sans"));
        xFonte.setPixelSize(13);
        xFonte.setBold(true);
        p.setFont(xFonte);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
    });
}

QPixmap Engrenagens()
{
    return Desenha(20, [](QPainter& p) {
        p.setPen(QPen(QColor(60, 60, 60), 0.8));
        p.setBrush(QColor(150, 150, 155));
        p.drawPath(Engrenagem(QPointF(8, 8.5), 7, 8));
        p.setBrush(QColor(110, 115, 125));
        p.drawPath(Engrenagem(QPointF(14.5, 14.5), 4.8, 6));
    });
}

QPixmap Download()
{
    return Desenha(24, [](QPainter& p) {
        // tray
        p.setPen(QPen(QColor(70, 70, 70), 1.5));
        p.setBrush(Qt::NoBrush);
        QPainterPath xBandeja;
        xBandeja.moveTo(3, 14);
        xBandeja.lineTo(3, 21);
        xBandeja.lineTo(21, 21);
        xBandeja.lineTo(21, 14);
        p.drawPath(xBandeja);
        // arrow
        QPainterPath xSeta;
        xSeta.moveTo(9, 1.5);
        xSeta.lineTo(15, 1.5);
        xSeta.lineTo(15, 9);
        xSeta.lineTo(19.5, 9);
        xSeta.lineTo(12, 17.5);
        xSeta.lineTo(4.5, 9);
        xSeta.lineTo(9, 9);
        xSeta.closeSubpath();
        QLinearGradient xGradiente(0, 0, 0, 18);
        xGradiente.setColorAt(0, QColor(90, 200, 90));
        xGradiente.setColorAt(1, QColor(20, 130, 40));
        p.setPen(QPen(QColor(15, 100, 30), 1));
        p.setBrush(xGradiente);
        p.drawPath(xSeta);
    });
}

QPixmap Vassoura()
{
    return Desenha(24, [](QPainter& p) {
        // handle
        p.setPen(QPen(QColor(120, 70, 25), 2.4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(19.5, 2), QPointF(11, 13));
        // binding
        p.setPen(QPen(QColor(170, 30, 30), 3, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(11.5, 12.2), QPointF(9.4, 15));
        // bristles
        QPainterPath xCerdas;
        xCerdas.moveTo(8.2, 13.5);
        xCerdas.lineTo(12.6, 16.8);
        xCerdas.lineTo(8.5, 22.5);
        xCerdas.lineTo(1.5, 17.5);
        xCerdas.closeSubpath();
        p.setPen(QPen(QColor(150, 110, 20), 0.8));
        p.setBrush(QColor(235, 190, 60));
        p.drawPath(xCerdas);
        p.setPen(QPen(QColor(170, 125, 25), 0.8));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(9.3 + i * 0.9, 15 + i * 0.6), QPointF(3.2 + i * 1.5, 18.8 + i * 1.0));
    });
}

QPixmap Sair()
{
    return Desenha(24, [](QPainter& p) {
        QLinearGradient xGradiente(0, 2, 0, 22);
        xGradiente.setColorAt(0, QColor(240, 80, 70));
        xGradiente.setColorAt(1, QColor(180, 20, 20));
        p.setPen(QPen(QColor(130, 10, 10), 1));
        p.setBrush(xGradiente);
        p.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 2.5, 2.5);
        p.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 8), QPointF(16, 16));
        p.drawLine(QPointF(16, 8), QPointF(8, 16));
    });
}

QPixmap TestaConexao()
{
    return Desenha(24, [](QPainter& p) {
        p.setPen(QPen(QColor(40, 70, 120), 1));
        p.setBrush(QColor(110, 150, 210));
        p.drawRect(QRectF(3, 5, 13, 13));
        p.setBrush(QColor(150, 185, 235));
        p.drawEllipse(QRectF(3, 2, 13, 6));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(3, 15, 13, 6), 180 * 16, 180 * 16);
        p.setPen(QPen(QColor(110, 150, 210), 1));
        p.drawLine(QPointF(3.6, 18), QPointF(15.4, 18));
        // plug
        p.setPen(QPen(QColor(50, 50, 50), 1));
        p.setBrush(QColor(250, 200, 40));
        QPainterPath xRaio;
        xRaio.moveTo(17, 9);
        xRaio.lineTo(22, 9);
        xRaio.lineTo(19.5, 14);
        xRaio.lineTo(22.5, 14);
        xRaio.lineTo(15.5, 23);
        xRaio.lineTo(17.5, 16);
        xRaio.lineTo(14.5, 16);
        xRaio.closeSubpath();
        p.drawPath(xRaio);
    });
}

QPixmap Salvar()
{
    return Desenha(24, [](QPainter& p) {
        p.setPen(QPen(QColor(20, 40, 90), 1));
        p.setBrush(QColor(50, 90, 170));
        QPainterPath xDisco;
        xDisco.moveTo(2.5, 2.5);
        xDisco.lineTo(18.5, 2.5);
        xDisco.lineTo(21.5, 5.5);
        xDisco.lineTo(21.5, 21.5);
        xDisco.lineTo(2.5, 21.5);
        xDisco.closeSubpath();
        p.drawPath(xDisco);
        p.setBrush(QColor(230, 230, 235));
        p.drawRect(QRectF(6, 2.5, 11, 7));
        p.setBrush(QColor(50, 90, 170));
        p.drawRect(QRectF(13, 3.5, 2.5, 5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 13, 14, 8.5));
    });
}

QPixmap Cancelar()
{
    return Desenha(24, [](QPainter& p) {
        p.setPen(QPen(QColor(200, 90, 20), 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5, 5, 15, 15), -60 * 16, 250 * 16);
        QPainterPath xPonta;
        xPonta.moveTo(1.5, 9.5);
        xPonta.lineTo(9.5, 9.5);
        xPonta.lineTo(5.5, 15.5);
        xPonta.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 90, 20));
        p.drawPath(xPonta);
    });
}

QPixmap Marcado()
{
    return Desenha(16, [](QPainter& p) {
        QPainterPath xMarca;
        xMarca.moveTo(2, 8.5);
        xMarca.lineTo(6, 12.5);
        xMarca.lineTo(14, 3.5);
        p.setPen(QPen(QColor(10, 110, 20), 3.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(xMarca);
        p.setPen(QPen(QColor(40, 190, 50), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(xMarca);
    });
}

QPixmap Transparente()
{
    return Desenha(16, [](QPainter&) {});
}

QPixmap IconeJanela(int pLado)
{
    // The system picks among the icon's real sizes.
    return DesenhaEm(pLado, 1.0, [pLado](QPainter& p) {
        p.scale(pLado / 32.0, pLado / 32.0);
        // sheet
        p.setPen(QPen(QColor(90, 90, 90), 1.2));
        p.setBrush(Qt::white);
        QPainterPath xFolha;
        xFolha.moveTo(5, 2);
        xFolha.lineTo(20, 2);
        xFolha.lineTo(27, 9);
        xFolha.lineTo(27, 30);
        xFolha.lineTo(5, 30);
        xFolha.closeSubpath();
        p.drawPath(xFolha);
        p.setPen(QPen(QColor(40, 90, 170), 1.6));
        QFont xFonte(QStringLiteral("DejaVu Sans Mono"));
        xFonte.setPixelSize(8);
        xFonte.setBold(true);
        p.setFont(xFonte);
        p.drawText(QRectF(5, 6, 22, 10), Qt::AlignCenter, QStringLiteral("XML"));
        // arrow
        QPainterPath xSeta;
        xSeta.moveTo(13, 15);
        xSeta.lineTo(19, 15);
        xSeta.lineTo(19, 21);
        xSeta.lineTo(23, 21);
        xSeta.lineTo(16, 29);
        xSeta.lineTo(9, 21);
        xSeta.lineTo(13, 21);
        xSeta.closeSubpath();
        p.setPen(QPen(QColor(15, 100, 30), 1));
        p.setBrush(QColor(40, 170, 60));
        p.drawPath(xSeta);
    });
}

QIcon IconeJanela()
{
    QIcon xIcone;
    for (int xLado : {16, 32, 48})
        xIcone.addPixmap(IconeJanela(xLado));
    return xIcone;
}

} // namespace Imagens

TImageList::TImageList(QObject* pParent) : QObject(pParent)
{
    setObjectName(QStringLiteral("ImageList"));
    vImagens[0] = Imagens::Transparente();
    vImagens[1] = Imagens::Marcado();
}

QPixmap TImageList::Imagem(int pIndice) const
{
    return pIndice >= 0 && pIndice < Count() ? vImagens[pIndice] : QPixmap();
}
