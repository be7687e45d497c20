#include "app/StatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(const QList<int>& pLargurasPaineis, QWidget* pParent) : QStatusBar(pParent)
{
    setSizeGripEnabled(false);
    setContentsMargins(0, 0, 0, 0);
    // Panels side by side from the left edge, each a sunken box, like the desktop's status bars.
    setStyleSheet(QStringLiteral("QStatusBar::item { border: none; }"));
    for (int i = 0; i < pLargurasPaineis.size(); ++i) {
        auto* xPainel = new QLabel(this);
        xPainel->setObjectName(QStringLiteral("StatusBarPainel%1").arg(i));
        xPainel->setTextFormat(Qt::PlainText);
        xPainel->setFixedWidth(pLargurasPaineis[i]);
        xPainel->setIndent(2);
        xPainel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        addWidget(xPainel);
        vPaineis.append(xPainel);
    }
}

QString TStatusBar::TextoPainel(int pPainel) const
{
    const QLabel* xPainel = vPaineis.value(pPainel);
    return xPainel ? xPainel->text() : QString();
}

void TStatusBar::DefineTextoPainel(int pPainel, const QString& pTexto)
{
    if (QLabel* xPainel = vPaineis.value(pPainel))
        xPainel->setText(pTexto);
}
