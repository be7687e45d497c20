#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/BotaoImagem.h"
#include "app/Gauge.h"
#include "app/Principal.h"

#include <QDir>
#include <QImage>
#include <QProgressBar>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>
#include <memory>

// Pictures of both pages. With TARNWICK_TELAS set to a folder, they are also saved there as
// tela-principal.png and tela-configuracao.png (the documentation's screenshots).
class TesteTelas : public QObject
{
    Q_OBJECT
private slots:
    // The gauge at 50 %: blue from the left to the middle, not beyond, whatever style draws the rest;
    // themed styles draw their own chunk (green on Windows) unless the gauge draws it.
    void gauge_data()
    {
        QTest::addColumn<QString>("estilo"); // empty: the application's own, as the program runs
        QTest::newRow("application's style") << QString();
        QTest::newRow("fusion") << QStringLiteral("fusion");
        QTest::newRow("windows") << QStringLiteral("windows");
#ifdef Q_OS_WIN
        // The style the Windows program draws with.
        QTest::newRow("windowsvista") << QStringLiteral("windowsvista");
#endif
    }
    void gauge()
    {
        QFETCH(QString, estilo);
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        std::unique_ptr<QStyle> xEstilo;
        if (!estilo.isEmpty()) {
            xEstilo.reset(QStyleFactory::create(estilo));
            QVERIFY2(xEstilo, qPrintable(QStyleFactory::keys().join(u',')));
            w.ProgressBar->setStyle(xEstilo.get());
        }
        w.GaugeMaximo(10);
        w.GaugeProgresso(5);
        QCOMPARE(w.ProgressBar->text(), QStringLiteral("50%"));
        QTest::qWait(20);
        const QImage xImagem = w.ProgressBar->grab().toImage();
        const qreal xEscala = xImagem.devicePixelRatio();
        const QSize xTamanho = w.ProgressBar->size();
        const int xMeio = int(xTamanho.height() / 2 * xEscala);
        const auto Cor = [&](qreal pFracao) {
            return xImagem.pixelColor(int(xTamanho.width() * pFracao * xEscala), xMeio);
        };
        // A quarter of the way: the blue; three quarters: the groove's own colour, no blue.
        for (qreal xFracao : {0.05, 0.25, 0.4})
            QVERIFY2(Cor(xFracao) == TGauge::COR,
                     qPrintable(QString::number(xFracao) + u' ' + Cor(xFracao).name()));
        for (qreal xFracao : {0.6, 0.75, 0.95})
            QVERIFY2(Cor(xFracao) != TGauge::COR && Cor(xFracao).blue() - Cor(xFracao).red() < 60,
                     qPrintable(QString::number(xFracao) + u' ' + Cor(xFracao).name()));
        w.ProgressBar->setStyle(nullptr);
    }

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
