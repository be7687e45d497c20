#include "util/Exception.h"
#include "util/Funcoes.h"
#include "util/Regional.h"

#include <QtTest>
#include <cmath>

namespace {
TFuncoes& F()
{
    return TFuncoes::get();
}
} // namespace

// Rounding, masks, sizes, versions, letter and base-36 codes, the random code, and the general number
// format they are written with.
class TstNumero : public QObject
{
    Q_OBJECT

private slots:
    void floatToStr_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("inteiro") << 1000.0 << "1000";
        QTest::newRow("virgula") << 1.5 << "1,5";
        QTest::newRow("negativo") << -2.35 << "-2,35";
        QTest::newRow("zero") << 0.0 << "0";
        QTest::newRow("15 digitos") << 123456789012345.0 << "123456789012345";
        QTest::newRow("10^15 com expoente") << 1e15 << "1E15";
        QTest::newRow("grande") << 1.5e20 << "1,5E20";
        QTest::newRow("0,00001 sem expoente") << 0.00001 << "0,00001";
        QTest::newRow("pequeno") << 0.000001 << "1E-6";
        QTest::newRow("ruido cortado") << 0.1 + 0.2 << "0,3";
        QTest::newRow("nan") << qQNaN() << "NAN";
        QTest::newRow("infinito") << -qInf() << "-INF";
    }
    void floatToStr()
    {
        QFETCH(double, valor);
        QFETCH(QString, esperado);
        QCOMPARE(Regional::FloatToStr(valor), esperado);
        if (std::isfinite(valor))
            QCOMPARE(Regional::StrToFloat(esperado).value_or(-99),
                     QString::number(valor, 'g', 15).toDouble());
    }

    void strToFloat_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<bool>("lido");
        QTest::addColumn<double>("valor");
        QTest::newRow("virgula") << "1,5" << true << 1.5;
        QTest::newRow("expoente") << "-1,5E-3" << true << -0.0015;
        QTest::newRow("virgula no fim") << "2," << true << 2.0;
        QTest::newRow("virgula no inicio") << ",5" << true << 0.5;
        QTest::newRow("ponto nao e decimal") << "1.5" << false << 0.0;
        QTest::newRow("brancos") << " 7 " << true << 7.0;
        QTest::newRow("vazio") << "" << false << 0.0;
        QTest::newRow("letras") << "INF" << false << 0.0;
    }
    void strToFloat()
    {
        QFETCH(QString, texto);
        QFETCH(bool, lido);
        QFETCH(double, valor);
        const std::optional<double> x = Regional::StrToFloat(texto);
        QCOMPARE(x.has_value(), lido);
        if (lido)
            QCOMPARE(*x, valor);
    }

    void round_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<int>("decimais");
        QTest::addColumn<double>("esperado");
        QTest::newRow("2,345") << 2.345 << 2 << 2.35;
        QTest::newRow("-2,345") << -2.345 << 2 << -2.35;
        QTest::newRow("0,5") << 0.5 << 0 << 1.0;
        QTest::newRow("-0,5") << -0.5 << 0 << -1.0;
        QTest::newRow("1,005") << 1.005 << 2 << 1.01;
        QTest::newRow("0,49") << 0.49 << 0 << 0.0;
        QTest::newRow("-0,4") << -0.4 << 0 << 0.0;
        QTest::newRow("decimais negativos") << 1250.0 << -2 << 1300.0;
        QTest::newRow("grande com expoente") << 1.5e20 << 2 << 1.5e20;
        QTest::newRow("pequeno com expoente") << 1e-20 << 2 << 0.0;
        QTest::newRow("pequeno muitas casas") << 1.25e-7 << 8 << 1.3e-7;
        QTest::newRow("escala estoura") << 1e300 << 10 << 1e300;
        QTest::newRow("unidade enorme") << 12345.0 << -400 << 0.0;
        QTest::newRow("nan") << qQNaN() << 2 << 0.0;
        QTest::newRow("infinito") << qInf() << 2 << 0.0;
    }
    void round()
    {
        QFETCH(double, valor);
        QFETCH(int, decimais);
        QFETCH(double, esperado);
        const double x = F().Round(valor, decimais);
        QCOMPARE(x, esperado);
        QVERIFY(!std::signbit(x) || esperado < 0);
    }

    void trunc_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<int>("decimais");
        QTest::addColumn<double>("esperado");
        QTest::newRow("2,349") << 2.349 << 2 << 2.34;
        QTest::newRow("-2,349") << -2.349 << 2 << -2.34;
        QTest::newRow("sem decimais") << 7.0 << 2 << 7.0;
        QTest::newRow("zero casas") << 7.99 << 0 << 7.0;
        QTest::newRow("casas negativas") << 7.99 << -1 << 7.0;
        QTest::newRow("menos casas que tem") << 1.5 << 4 << 1.5;
        QTest::newRow("grande com expoente") << 1.5e20 << 2 << 1.5e20;
        QTest::newRow("pequeno com expoente") << 1.23456e-7 << 2 << 0.0;
        QTest::newRow("pequeno muitas casas") << 1.23456e-7 << 8 << 1.2e-7;
        QTest::newRow("pequeno negativo") << -1.23456e-7 << 9 << -1.23e-7;
        QTest::newRow("ruido") << 0.1 + 0.2 << 1 << 0.3;
    }
    void trunc()
    {
        QFETCH(double, valor);
        QFETCH(int, decimais);
        QFETCH(double, esperado);
        const double x = F().Trunc(valor, decimais);
        QCOMPARE(x, esperado);
        QVERIFY(!std::signbit(x) || esperado < 0);
    }

    void divisaoSegura()
    {
        QCOMPARE(F().DivisaoSegura(5, 0), 0.0);
        QCOMPARE(F().DivisaoSegura(5, 2), 2.5);
        QCOMPARE(F().DivisaoSegura(0, 0), 0.0);
        QCOMPARE(F().DivisaoSegura(-3, -0.0), 0.0);
    }

    void montaMascara_data()
    {
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<int>("decimais");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("10 2") << 10 << 2 << "###,##0.00";
        QTest::newRow("12 2") << 12 << 2 << "####,,##0.00";
        QTest::newRow("15 2") << 15 << 2 << "###,###,,##0.00";
        QTest::newRow("6 0") << 6 << 0 << "#,##0.";
        QTest::newRow("5 2") << 5 << 2 << "#0.00";
        QTest::newRow("4 2") << 4 << 2 << "0.00";
        QTest::newRow("7 3") << 7 << 3 << "##0.000";
        QTest::newRow("7 2 virgula inicial vira #") << 7 << 2 << "###0.00";
        QTest::newRow("2 0") << 2 << 0 << "0.";
        QTest::newRow("0 0") << 0 << 0 << "0.";
        QTest::newRow("3 2 sem espaco") << 3 << 2 << "0.00";
        QTest::newRow("decimais negativos") << 6 << -1 << "#,##0.";
    }
    void montaMascara()
    {
        QFETCH(int, tamanho);
        QFETCH(int, decimais);
        QFETCH(QString, esperado);
        QCOMPARE(F().MontaMascara(tamanho, decimais), esperado);
    }

    void tamanhoEmKilobytes_data()
    {
        QTest::addColumn<double>("kilobytes");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("zero") << 0.0 << "Nenhum";
        QTest::newRow("1500") << 1500.0 << "1,5MB";
        QTest::newRow("2500000") << 2500000.0 << "2,5GB";
        QTest::newRow("999999") << 999999.0 << "1000MB";
        QTest::newRow("1000000") << 1000000.0 << "1GB";
        QTest::newRow("negativo") << -1500.0 << "-1,5MB";
        QTest::newRow("pequeno") << 1.0 << "0MB";
    }
    void tamanhoEmKilobytes()
    {
        QFETCH(double, kilobytes);
        QFETCH(QString, esperado);
        QCOMPARE(F().TamanhoArquivoToString(kilobytes), esperado);
    }

    void tamanhoEmBytes_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("zero") << qint64(0) << "Nenhum";
        QTest::newRow("1 MB") << qint64(1048576) << "1MB";
        QTest::newRow("1,5 GB") << qint64(1572864000) << "1,5GB";
        QTest::newRow("meio mega") << qint64(524288) << "0,5MB";
        QTest::newRow("999,99 MB") << qint64(1048565514) << "999,99MB";
    }
    void tamanhoEmBytes()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, esperado);
        QCOMPARE(F().TamanhoArquivoToString(bytes), esperado);
    }

    void versaoEmNumero_data()
    {
        QTest::addColumn<QString>("versao");
        QTest::addColumn<int>("esperado");
        QTest::newRow("1.2.3") << "1.2.3" << 123;
        QTest::newRow("beta") << "2.10.15 (beta)" << 21015;
        QTest::newRow("seis digitos") << "2.10.150" << 2101500;
        QTest::newRow("do programa") << "v.26.09ed0" << 2609540;
        QTest::newRow("letras") << "abc" << 123;
        QTest::newRow("maiusculas") << "ABCDEF" << 12345;
        QTest::newRow("vazio") << "" << 0;
        QTest::newRow("sete no maximo") << "1.2.3.4.5.6.7.8" << 1234567;
        QTest::newRow("nada antes do parentese") << "(1.2)" << 0;
        QTest::newRow("f nao conta") << "f1" << 1;
    }
    void versaoEmNumero()
    {
        QFETCH(QString, versao);
        QFETCH(int, esperado);
        QCOMPARE(F().VersaoEmNumero(versao), esperado);
    }

    void base26_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("1") << 1 << "A";
        QTest::newRow("26") << 26 << "Z";
        QTest::newRow("27") << 27 << "AA";
        QTest::newRow("52") << 52 << "AZ";
        QTest::newRow("53") << 53 << "BA";
        QTest::newRow("676") << 676 << "YZ";
        QTest::newRow("677") << 677 << "A@A";
        QTest::newRow("702") << 702 << "A@Z";
        QTest::newRow("0") << 0 << "@";
    }
    void base26()
    {
        QFETCH(int, id);
        QFETCH(QString, esperado);
        QCOMPARE(F().Base26(id), esperado);
    }

    void base26Negativo() { QVERIFY_THROWS_EXCEPTION(Exception, F().Base26(-1)); }

    void base26Distintos()
    {
        // Codes stay distinct, so they can name things.
        QSet<QString> xVistos;
        for (int i = 0; i <= 20000; ++i)
            xVistos.insert(F().Base26(i));
        QCOMPARE(xVistos.size(), 20001);
    }

    void base36_data()
    {
        QTest::addColumn<qint64>("numero");
        QTest::addColumn<int>("casas");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("35") << qint64(35) << 2 << "0Z";
        QTest::newRow("36") << qint64(36) << 2 << "10";
        QTest::newRow("1295") << qint64(1295) << 2 << "ZZ";
        QTest::newRow("0 em 0 casas") << qint64(0) << 0 << "";
        QTest::newRow("0 em 3 casas") << qint64(0) << 3 << "000";
        QTest::newRow("maior de 64 bits") << std::numeric_limits<qint64>::max() << 14 << "01Y2P0IJ32E8E7";
    }
    void base36()
    {
        QFETCH(qint64, numero);
        QFETCH(int, casas);
        QFETCH(QString, esperado);
        QCOMPARE(F().Base36(numero, casas), esperado);
    }

    void base36Limite_data()
    {
        QTest::addColumn<qint64>("numero");
        QTest::addColumn<int>("casas");
        QTest::newRow("1296 em 2") << qint64(1296) << 2;
        QTest::newRow("1 em 0") << qint64(1) << 0;
        QTest::newRow("negativo") << qint64(-1) << 2;
        QTest::newRow("casas negativas") << qint64(0) << -1;
        QTest::newRow("36^12") << qint64(4738381338321616896) << 12;
    }
    void base36Limite()
    {
        QFETCH(qint64, numero);
        QFETCH(int, casas);
        try {
            F().Base36(numero, casas);
            QFAIL("sem erro");
        } catch (const Exception& e) {
            QCOMPARE(e.Message(), QStringLiteral("Limite excedido."));
        }
    }

    void digitoBase36()
    {
        QCOMPARE(DigitoBase36(0), QChar(u'0'));
        QCOMPARE(DigitoBase36(9), QChar(u'9'));
        QCOMPARE(DigitoBase36(10), QChar(u'A'));
        QCOMPARE(DigitoBase36(35), QChar(u'Z'));
        QVERIFY_THROWS_EXCEPTION(Exception, DigitoBase36(36));
        QVERIFY_THROWS_EXCEPTION(Exception, DigitoBase36(-1));
    }

    // Eleven digits holding 1 to 10 once each, read back left to right ("1" then "0" is ten).
    void geraCodigoAleatorio()
    {
        QSet<QString> xCodigos;
        for (int n = 0; n < 2000; ++n) {
            const QString xCodigo = F().geraCodigoAleatorio();
            QCOMPARE(xCodigo.size(), 11);
            QList<int> xLidos;
            for (qsizetype i = 0; i < xCodigo.size(); ++i) {
                if (xCodigo[i] == u'1' && i + 1 < xCodigo.size() && xCodigo[i + 1] == u'0') {
                    xLidos.append(10);
                    ++i;
                } else {
                    xLidos.append(xCodigo[i].unicode() - u'0');
                }
            }
            std::sort(xLidos.begin(), xLidos.end());
            QCOMPARE(xLidos, (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
            xCodigos.insert(xCodigo);
        }
        // Back-to-back calls do not repeat themselves (10! orders).
        QVERIFY(xCodigos.size() > 1900);
    }
};

QTEST_GUILESS_MAIN(TstNumero)
#include "tst_Numero.moc"
