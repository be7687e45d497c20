#pragma once

#include <QLabel>
#include <QList>
#include <QStatusBar>

// One panel of the status bar: a sunken box with its text in the bar's font, left aligned. A text longer
// than the panel is broken at blanks into lines set at the font's own line spacing, and the whole block,
// ink of accents and underscores included, is centred in the box.
class TPainelStatus : public QLabel
{
    Q_OBJECT
public:
    static constexpr int RECUO = 2; // blank between the frame and the text

    explicit TPainelStatus(QWidget* pParent = nullptr);

    // The lines the text is drawn in, and the baseline of each, in the panel's coordinates.
    QStringList Linhas() const;
    QList<int> Bases() const;
    // Where the text may be drawn: inside the frame, after the indent.
    QRect AreaTexto() const;
    // The panel's height for its text: the ink of every line plus the frame.
    int AlturaNecessaria() const;

protected:
    void paintEvent(QPaintEvent* pEvento) override;

private:
    QStringList QuebraLinhas(int pLargura) const;
    int AlturaTinta(const QStringList& pLinhas) const;
};

// A status bar of fixed-width panels side by side from the left edge (the main page has two: 220 and 300
// pixels). Every panel shows its whole text; when a text needs two lines, the bar grows upward, keeping
// its bottom edge, until the text is gone again.
class TStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    static constexpr int ALTURA = 18; // the bar's height with one line of text

    TStatusBar(const QList<int>& pLargurasPaineis, QWidget* pParent = nullptr);

    int QuantidadePaineis() const { return static_cast<int>(vPaineis.size()); }
    QString TextoPainel(int pPainel) const;
    void DefineTextoPainel(int pPainel, const QString& pTexto);
    TPainelStatus* Painel(int pPainel) const { return vPaineis.value(pPainel); }

    // The bar's height for the current texts: ALTURA, or more when a text needs more than one line.
    int AlturaNecessaria() const;

protected:
    void resizeEvent(QResizeEvent* pEvento) override;
    void changeEvent(QEvent* pEvento) override;

private:
    void PosicionaPaineis();
    void AjustaAltura();

    QList<TPainelStatus*> vPaineis;
    QList<int> vLarguras;
};
