#include "app/StatusBar.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

// ---- one panel ----

TPainelStatus::TPainelStatus(QWidget* pParent) : QLabel(pParent)
{
    setTextFormat(Qt::PlainText);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setMargin(0);
    setIndent(RECUO);
}

QRect TPainelStatus::AreaTexto() const
{
    QRect xArea = contentsRect();
    xArea.setLeft(xArea.left() + RECUO);
    return xArea;
}

// Greedy breaking at blanks; a single word wider than the panel keeps a line of its own.
QStringList TPainelStatus::QuebraLinhas(int pLargura) const
{
    if (text().isEmpty())
        return {};
    const QFontMetrics xMetrica(font());
    QStringList xLinhas;
    QString xLinha;
    for (const QString& xPalavra : text().split(u' ')) {
        const QString xCom = xLinha.isEmpty() ? xPalavra : xLinha + u' ' + xPalavra;
        if (xLinha.isEmpty() || xMetrica.horizontalAdvance(xCom) <= pLargura) {
            xLinha = xCom;
        } else {
            xLinhas << xLinha;
            xLinha = xPalavra;
        }
    }
    xLinhas << xLinha;
    return xLinhas;
}

// From the top of the first line's ink to the bottom of the last line's ink.
int TPainelStatus::AlturaTinta(const QStringList& pLinhas) const
{
    if (pLinhas.isEmpty())
        return 0;
    const QFontMetrics xMetrica(font());
    const int xTopo = qMin(-xMetrica.ascent(), xMetrica.tightBoundingRect(pLinhas.first()).top());
    const int xBase = qMax(xMetrica.descent(), xMetrica.tightBoundingRect(pLinhas.last()).bottom());
    return int(pLinhas.size() - 1) * xMetrica.lineSpacing() + xBase - xTopo + 1;
}

QStringList TPainelStatus::Linhas() const
{
    return QuebraLinhas(AreaTexto().width());
}

QList<int> TPainelStatus::Bases() const
{
    const QStringList xLinhas = Linhas();
    if (xLinhas.isEmpty())
        return {};
    const QFontMetrics xMetrica(font());
    const QRect xArea = AreaTexto();
    const int xTopo = qMin(-xMetrica.ascent(), xMetrica.tightBoundingRect(xLinhas.first()).top());
    const int xTopoTinta = xArea.top() + (xArea.height() - AlturaTinta(xLinhas)) / 2;
    QList<int> xBases;
    for (qsizetype i = 0; i < xLinhas.size(); ++i)
        xBases << xTopoTinta - xTopo + int(i) * xMetrica.lineSpacing();
    return xBases;
}

int TPainelStatus::AlturaNecessaria() const
{
    const QRect xMoldura = contentsRect();
    const int xBordas = height() - xMoldura.height();
    // The lines as they break at the panel's width (its height does not change where they break).
    return AlturaTinta(QuebraLinhas(AreaTexto().width())) + xBordas;
}

void TPainelStatus::paintEvent(QPaintEvent*)
{
    QPainter xPintor(this);
    drawFrame(&xPintor);
    const QStringList xLinhas = Linhas();
    const QList<int> xBases = Bases();
    const QRect xArea = AreaTexto();
    xPintor.setFont(font());
    xPintor.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    for (qsizetype i = 0; i < xLinhas.size(); ++i)
        xPintor.drawText(QPoint(xArea.left(), xBases[i]), xLinhas[i]);
}

// ---- the bar ----

TStatusBar::TStatusBar(const QList<int>& pLargurasPaineis, QWidget* pParent)
    : QStatusBar(pParent), vLarguras(pLargurasPaineis)
{
    setSizeGripEnabled(false);
    setContentsMargins(0, 0, 0, 0);
    // The panels are placed by the bar itself, not through the status bar's item layout, whose margins
    // leave too little height for accents and underscores; they take the bar's font.
    for (int i = 0; i < pLargurasPaineis.size(); ++i) {
        auto* xPainel = new TPainelStatus(this);
        xPainel->setObjectName(QStringLiteral("StatusBarPainel%1").arg(i));
        vPaineis.append(xPainel);
    }
    PosicionaPaineis();
}

QString TStatusBar::TextoPainel(int pPainel) const
{
    const QLabel* xPainel = vPaineis.value(pPainel);
    return xPainel ? xPainel->text() : QString();
}

void TStatusBar::DefineTextoPainel(int pPainel, const QString& pTexto)
{
    QLabel* xPainel = vPaineis.value(pPainel);
    if (!xPainel || xPainel->text() == pTexto)
        return;
    xPainel->setText(pTexto);
    AjustaAltura();
}

int TStatusBar::AlturaNecessaria() const
{
    int xAltura = ALTURA;
    for (const TPainelStatus* xPainel : vPaineis)
        xAltura = qMax(xAltura, xPainel->AlturaNecessaria());
    return xAltura;
}

void TStatusBar::AjustaAltura()
{
    const int xAltura = AlturaNecessaria();
    if (xAltura == height())
        return;
    QRect xGeometria = geometry();
    xGeometria.setTop(xGeometria.bottom() - xAltura + 1);
    setGeometry(xGeometria);
    raise();
}

void TStatusBar::PosicionaPaineis()
{
    int xEsquerda = 0;
    for (int i = 0; i < vPaineis.size(); ++i) {
        vPaineis[i]->setGeometry(xEsquerda, 0, vLarguras[i], height());
        xEsquerda += vLarguras[i];
    }
}

void TStatusBar::resizeEvent(QResizeEvent* pEvento)
{
    QStatusBar::resizeEvent(pEvento);
    PosicionaPaineis();
}

void TStatusBar::changeEvent(QEvent* pEvento)
{
    QStatusBar::changeEvent(pEvento);
    if (pEvento->type() == QEvent::FontChange)
        AjustaAltura();
}
