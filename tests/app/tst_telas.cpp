#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/BotaoImagem.h"
#include "app/Principal.h"

#include <QDir>
#include <QImage>
#include <QStackedWidget>
#include <QToolButton>

// Pictures of both pages. With TARNWICK_TELAS set to a folder, they are also saved there as
// tela-principal.png and tela-configuracao.png (the documentation's screenshots).
class TesteTelas : public QObject
{
    Q_OBJECT
private slots:
    void paginas()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.CarregaFiliais(4);
        w.cdsFiliais->SetRecNo(3);
        w.dbgFiliaisDblClick();
        w.cdsFiliais->SetRecNo(2);
        QTest::qWait(20);
        const QImage xPrincipal = w.grab().toImage();
        w.pgcPrincipal->setCurrentWidget(w.tsConfig);
        QTest::qWait(20);
        const QImage xConfig = w.grab().toImage();
        w.pgcPrincipal->setCurrentWidget(w.tsPrincipal);

        QCOMPARE(xPrincipal.size() / xPrincipal.devicePixelRatio(), QSize(543, 305));
        // The button images are drawn: the red square of "&Sair" shows in the middle of its image.
        const QPoint xCentroSair = w.btnSair->mapTo(&w, QPoint(44, 16)) * xPrincipal.devicePixelRatio();
        const QColor xVermelho = xPrincipal.pixelColor(xCentroSair + QPoint(-5, -5));
        QVERIFY2(xVermelho.red() > 150 && xVermelho.green() < 100, qPrintable(xVermelho.name()));

        const QByteArray xPasta = qgetenv("TARNWICK_TELAS");
        if (!xPasta.isEmpty()) {
            QDir().mkpath(QString::fromLocal8Bit(xPasta));
            QVERIFY(xPrincipal.save(QString::fromLocal8Bit(xPasta) + QStringLiteral("/tela-principal.png")));
            QVERIFY(xConfig.save(QString::fromLocal8Bit(xPasta) + QStringLiteral("/tela-configuracao.png")));
        }
    }
};

TARNWICK_APP_TEST_MAIN(TesteTelas)
#include "tst_telas.moc"
