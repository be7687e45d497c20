#pragma once

#include <QList>
#include <QStatusBar>

class QLabel;

// A status bar of fixed-width text panels (the main page has two: 220 and 300 pixels).
class TStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    TStatusBar(const QList<int>& pLargurasPaineis, QWidget* pParent = nullptr);

    int QuantidadePaineis() const { return static_cast<int>(vPaineis.size()); }
    QString TextoPainel(int pPainel) const;
    void DefineTextoPainel(int pPainel, const QString& pTexto);
    QLabel* Painel(int pPainel) const { return vPaineis.value(pPainel); }

private:
    QList<QLabel*> vPaineis;
};
