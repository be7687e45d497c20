#pragma once

// Tarnwick's main window as the end-to-end tests of the Windows program find and drive it under Wine.
#include "support/Wine.h"

#include <QPoint>
#include <QSizeF>

namespace JanelaWindows {

inline const QString TITULO = QStringLiteral("^Download de XMLs WS Velmar - v\\.26\\.09ed0$");
inline constexpr quint16 PORTA_SERVICO = 2020; // the program's fixed port of the notes service

// The client area and where its controls are, in the layout's units: the layout is in fixed pixels and
// the pages start 2 pixels inside the client area.
inline constexpr int LARGURA_CLIENTE = 543;
inline constexpr int ALTURA_CLIENTE = 305;
inline const QPoint PONTO_DATA_INI(410, 37);
inline const QPoint PONTO_DATA_FIM(498, 37);
inline const QPoint PONTO_NFE(348, 130);
inline const QPoint PONTO_NFCE(414, 130);
inline const QPoint PONTO_PRODUCAO(348, 171);
inline const QPoint PONTO_DOWNLOAD(314, 224);
inline const QPoint PONTO_LIMPAR(401, 224);
inline const QPoint PONTO_SAIR(489, 224);

struct TJanela
{
    QString Id;    // the X window, empty when none came
    QSize Tamanho; // with Wine's frame
    QPoint Margem; // where the client area starts in it
    bool MolduraValida = false;
};

// Waits up to pLimiteMs for the main window, drawn at pEscala (the display's scale). Wine may replace
// the X window while it maps it: the one named then, once it has a size. Wine draws the frame: equal
// borders left, right and below, the title bar above.
inline TJanela Aguarda(const TXvfb& pXvfb, qreal pEscala = 1, int pLimiteMs = 120000)
{
    TJanela xJanela;
    xJanela.Id = pXvfb.AguardaJanela(TITULO, pLimiteMs);
    if (xJanela.Id.isEmpty())
        return xJanela;
    xJanela.Tamanho = pXvfb.Tamanho(xJanela.Id);
    for (const QDeadlineTimer xPrazo(15000); !xJanela.Tamanho.isValid() && !xPrazo.hasExpired();) {
        QTest::qWait(300);
        xJanela.Id = pXvfb.Janela(TITULO);
        xJanela.Tamanho = pXvfb.Tamanho(xJanela.Id);
    }
    const QSize xCliente = (QSizeF(LARGURA_CLIENTE, ALTURA_CLIENTE) * pEscala).toSize();
    const int xBorda = (xJanela.Tamanho.width() - xCliente.width()) / 2;
    xJanela.Margem = QPoint(xBorda, xJanela.Tamanho.height() - xCliente.height() - xBorda);
    xJanela.MolduraValida = xBorda >= 0 && xBorda < 10 * pEscala && xJanela.Margem.y() >= xBorda &&
                            xJanela.Margem.y() < 60 * pEscala;
    return xJanela;
}

} // namespace JanelaWindows
