#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/Principal.h"
#include "app/StatusBar.h"

#include <QDir>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QProgressBar>

namespace {

const QStringList TIPOS = {QStringLiteral("NF_E"), QStringLiteral("NFC_E"), QStringLiteral("NFS_E")};

// Panel 0: the step of the run (the NFS-e homologation text reads "HOMOLOAÇÃO").
QStringList TextosPainel0()
{
    return {
        QStringLiteral("Processando NF_E(s) PRODUÇÃO"),  QStringLiteral("Processando NF_E(s) HOMOLOGAÇÃO"),
        QStringLiteral("Processando NFC_E(s) PRODUÇÃO"), QStringLiteral("Processando NFC_E(s) HOMOLOGAÇÃO"),
        QStringLiteral("Processando NFS_E(s) PRODUÇÃO"), QStringLiteral("Processando NFS_E(s) HOMOLOAÇÃO")};
}

// Panel 1: what the step is doing, for each note type.
QStringList TextosPainel1()
{
    QStringList xTextos;
    for (const QString& t : TIPOS)
        xTextos << QStringLiteral("Realizando o download da(s) ") + t + QStringLiteral("(s)")
                << QStringLiteral("Download da(s) ") + t + QStringLiteral("(s) interrompido pelo usuário")
                << QStringLiteral("Download da(s) ") + t + QStringLiteral("(s) finalizado")
                << QStringLiteral("Download interrompido pelo usuário... Realizando a compressão da(s) ") +
                       t + QStringLiteral("(s) que foram baixadas")
                << QStringLiteral("Realizando a compressão da(s) ") + t + QStringLiteral("(s)")
                << QStringLiteral("Compressão do(s) XML(s) da(s) ") + t + QStringLiteral("(s) finalizada");
    return xTextos;
}

// Checks that the panel draws its text whole: its lines hold every word in order, each line fits the
// text area, and the ink of every glyph (accents over capitals, underscores, descenders) stays inside
// the panel's frame.
void VerificaInteiro(TStatusBar* pBarra, int pPainel, const QString& pTexto)
{
    TPainelStatus* xPainel = pBarra->Painel(pPainel);
    const QFontMetrics xMetrica(xPainel->font());
    const QRect xArea = xPainel->AreaTexto();
    const QRect xMoldura = xPainel->frameRect().adjusted(xPainel->frameWidth(), xPainel->frameWidth(),
                                                         -xPainel->frameWidth(), -xPainel->frameWidth());
    const QStringList xLinhas = xPainel->Linhas();
    const QList<int> xBases = xPainel->Bases();
    const QString xOnde = QStringLiteral("panel %1 (%2x%3): %4")
                              .arg(pPainel)
                              .arg(xPainel->width())
                              .arg(xPainel->height())
                              .arg(xLinhas.join(QStringLiteral(" / ")));
    QCOMPARE(xPainel->text(), pTexto);
    QCOMPARE(xLinhas.join(u' '), pTexto);
    QVERIFY2(xLinhas.size() <= 2, qPrintable(xOnde));
    QCOMPARE(xBases.size(), xLinhas.size());
    QVERIFY(xMoldura.contains(xArea));
    for (qsizetype i = 0; i < xLinhas.size(); ++i) {
        QVERIFY2(xMetrica.horizontalAdvance(xLinhas[i]) <= xArea.width(), qPrintable(xOnde));
        const QRect xTinta = xMetrica.tightBoundingRect(xLinhas[i]).translated(xArea.left(), xBases[i]);
        QVERIFY2(xMoldura.contains(xTinta),
                 qPrintable(xOnde + QStringLiteral(": ink %1,%2 %3x%4 outside %5,%6 %7x%8")
                                        .arg(xTinta.x())
                                        .arg(xTinta.y())
                                        .arg(xTinta.width())
                                        .arg(xTinta.height())
                                        .arg(xMoldura.x())
                                        .arg(xMoldura.y())
                                        .arg(xMoldura.width())
                                        .arg(xMoldura.height())));
        // The lines do not run into each other.
        if (i > 0)
            QVERIFY2(xBases[i] - xBases[i - 1] >= xMetrica.lineSpacing(), qPrintable(xOnde));
    }
}

} // namespace

class TesteStatusBar : public QObject
{
    Q_OBJECT
private slots:
    void umaFonte()
    {
        TJanelaTeste t;
        TfrmPrincipal& w = t.Janela;
        const QFontInfo xJanela(w.font());
        for (int i = 0; i < 2; ++i) {
            const QFontInfo xPainel(w.StatusBar->Painel(i)->font());
            QCOMPARE(xPainel.family(), xJanela.family());
            QCOMPARE(xPainel.pixelSize(), xJanela.pixelSize());
            QCOMPARE(xPainel.bold(), xJanela.bold());
        }
    }

    void textosInteiros_data()
    {
        QTest::addColumn<int>("painel");
        QTest::addColumn<QString>("texto");
        for (const QString& x : TextosPainel0())
            QTest::newRow(qPrintable(QStringLiteral("0 ") + x)) << 0 << x;
        for (const QString& x : TextosPainel1())
            QTest::newRow(qPrintable(QStringLiteral("1 ") + x)) << 1 << x;
    }
    void textosInteiros()
    {
        QFETCH(int, painel);
        QFETCH(QString, texto);
        TJanelaTeste t;
        TfrmPrincipal& w = t.Janela;
        QCOMPARE(w.size(), QSize(543, 305));
        // The other panel holds the longest text it can show, as during a run.
        w.StatusBar->DefineTextoPainel(0, QStringLiteral("Processando NFC_E(s) HOMOLOGAÇÃO"));
        w.StatusBar->DefineTextoPainel(painel, texto);
        QTest::qWait(1);
        VerificaInteiro(w.StatusBar, painel, texto);
        VerificaInteiro(w.StatusBar, 0, w.StatusBar->TextoPainel(0));

        // The bar stays on the page, keeps its bottom edge and never covers the gauge.
        const QRect xBarra = w.StatusBar->geometry();
        QCOMPARE(xBarra.bottom(), 298);
        QCOMPARE(xBarra.left(), 0);
        QCOMPARE(xBarra.width(), 541);
        const QRect xGauge(w.ProgressBar->mapTo(w.tsPrincipal, QPoint(0, 0)), w.ProgressBar->size());
        QVERIFY2(xBarra.top() > xGauge.bottom(),
                 qPrintable(QStringLiteral("bar %1..%2, gauge %3..%4, font %5 %6px, lines %7")
                                .arg(xBarra.top())
                                .arg(xBarra.bottom())
                                .arg(xGauge.top())
                                .arg(xGauge.bottom())
                                .arg(QFontInfo(w.StatusBar->font()).family())
                                .arg(QFontInfo(w.StatusBar->font()).pixelSize())
                                .arg(QFontMetrics(w.StatusBar->font()).lineSpacing())));
        QVERIFY(w.StatusBar->isVisible());
        for (int i = 0; i < 2; ++i)
            QCOMPARE(w.StatusBar->Painel(i)->height(), xBarra.height());

        // Cleared, the bar is back to its height of one line.
        w.LimpaCampos();
        QCOMPARE(w.StatusBar->geometry(), QRect(0, 281, 541, 18));
    }

    // A picture of the window with the longest texts of both panels; saved as status-textos-longos.png
    // when TARNWICK_TELAS names a folder.
    void imagem()
    {
        TJanelaTeste t;
        TfrmPrincipal& w = t.Janela;
        t.CarregaFiliais(4);
        w.StatusBar->DefineTextoPainel(0, QStringLiteral("Processando NFC_E(s) HOMOLOGAÇÃO"));
        w.StatusBar->DefineTextoPainel(
            1,
            QStringLiteral("Download interrompido pelo usuário... Realizando a compressão da(s) NFC_E(s) que "
                           "foram baixadas"));
        w.ProgressBar->setValue(40);
        QTest::qWait(50);
        const QImage xImagem = w.grab().toImage();
        QCOMPARE(xImagem.size() / xImagem.devicePixelRatio(), QSize(543, 305));
        const QByteArray xPasta = qgetenv("TARNWICK_TELAS");
        if (!xPasta.isEmpty()) {
            QDir().mkpath(QString::fromLocal8Bit(xPasta));
            QVERIFY(
                xImagem.save(QString::fromLocal8Bit(xPasta) + QStringLiteral("/status-textos-longos.png")));
        }
    }
};

TARNWICK_APP_TEST_MAIN(TesteStatusBar)
#include "tst_statusbar.moc"
