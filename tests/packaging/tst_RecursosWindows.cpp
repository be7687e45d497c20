// What Tarnwick.exe tells Explorer and Windows of itself: its version, in Portuguese, its icon at the
// sizes Explorer and the taskbar draw, and its manifest (Windows 10 and 11, scaled per monitor as the
// window is, no elevation, no UTF-8 code page).
#include "support/RecursosWindows.h"

#include <QtTest>

class TstRecursosWindows : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString xErro;
        QVERIFY2(LeRecursos(QStringLiteral(PROGRAMA), vRecursos, xErro), qPrintable(xErro));
    }

    void versao()
    {
        QCOMPARE(vRecursos.VersaoArquivo, QStringLiteral(VERSAO) + QStringLiteral(".0"));
        QCOMPARE(vRecursos.VersaoProduto, QStringLiteral(VERSAO) + QStringLiteral(".0"));
        QCOMPARE(vRecursos.Traducoes, QStringList{QStringLiteral("041604B0")});
    }

    void textos_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QString>("valor");
        QTest::newRow("produto") << "ProductName"
                                 << "Tarnwick";
        QTest::newRow("versão do produto") << "ProductVersion" << VERSAO;
        QTest::newRow("versão do arquivo") << "FileVersion" << VERSAO;
        QTest::newRow("descrição") << "FileDescription"
                                   << QString::fromUtf8(
                                          "Tarnwick - download dos XMLs de notas fiscais eletrônicas");
        QTest::newRow("direitos") << "LegalCopyright"
                                  << "Copyright (c) 2026 Tarnwick developers. Todos os direitos reservados.";
        QTest::newRow("arquivo") << "OriginalFilename"
                                 << "Tarnwick.exe";
        QTest::newRow("empresa") << "CompanyName"
                                 << "Tarnwick developers";
    }

    void textos()
    {
        QFETCH(QString, nome);
        QFETCH(QString, valor);
        QCOMPARE(vRecursos.Textos.value(nome), valor);
    }

    void icone()
    {
        QList<int> xLados = vRecursos.LadosIcone;
        std::sort(xLados.begin(), xLados.end());
        for (int xLado : {16, 20, 24, 32, 40, 48, 64, 256})
            QVERIFY2(xLados.contains(xLado), qPrintable(QStringLiteral("no %1-pixel image").arg(xLado)));
    }

    void manifesto_data()
    {
        QTest::addColumn<QByteArray>("trecho");
        QTest::addColumn<bool>("presente");
        QTest::newRow("Windows 10 e 11") << QByteArray("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}") << true;
        QTest::newRow("escala por monitor") << QByteArray(">PerMonitorV2, PerMonitor<") << true;
        QTest::newRow("escala, sistemas antigos") << QByteArray(">true/pm<") << true;
        QTest::newRow("sem elevação") << QByteArray("level=\"asInvoker\"") << true;
        QTest::newRow("caminhos longos") << QByteArray(">true</longPathAware>") << true;
        QTest::newRow("sem UTF-8 como página de código") << QByteArray("activeCodePage") << false;
    }

    void manifesto()
    {
        QFETCH(QByteArray, trecho);
        QFETCH(bool, presente);
        QVERIFY(!vRecursos.Manifesto.isEmpty());
        QCOMPARE(vRecursos.Manifesto.contains(trecho), presente);
    }

private:
    TRecursosExecutavel vRecursos;
};

QTEST_GUILESS_MAIN(TstRecursosWindows)
#include "tst_RecursosWindows.moc"
