#include "util/Exception.h"
#include "util/Funcoes.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <clocale>
#include <cmath>
#include <cstring>

namespace {
TFuncoes& F()
{
    return TFuncoes::get();
}

// A numeric locale whose decimal point is not ".": Pashto (Afghanistan) writes U+066B, two bytes in
// UTF-8; German and Brazilian Portuguese write ",". Built from the system's locale sources into a folder
// of the test when not installed. Empty when none can be had.
QByteArray LocalOutroSeparador()
{
    static QTemporaryDir xPasta;
    static const QByteArray xNome = [] {
        const QByteArray xAnterior = std::setlocale(LC_NUMERIC, nullptr);
        QByteArray xAchado;
        for (const char* xCandidato : {"ps_AF.UTF-8", "pt_BR.UTF-8", "de_DE.UTF-8"}) {
            if (std::setlocale(LC_NUMERIC, xCandidato)) {
                xAchado = xCandidato;
                break;
            }
        }
        if (xAchado.isEmpty() && xPasta.isValid() &&
            QFile::exists(QStringLiteral("/usr/share/i18n/locales/ps_AF"))) {
            QProcess xLocaledef;
            xLocaledef.start(QStringLiteral("localedef"),
                             {QStringLiteral("-i"), QStringLiteral("ps_AF"), QStringLiteral("-f"),
                              QStringLiteral("UTF-8"), xPasta.filePath(QStringLiteral("ps_AF.UTF-8"))});
            xLocaledef.waitForFinished(60000);
            qputenv("LOCPATH", QFile::encodeName(xPasta.path()));
            if (std::setlocale(LC_NUMERIC, "ps_AF.UTF-8"))
                xAchado = "ps_AF.UTF-8";
        }
        std::setlocale(LC_NUMERIC, xAnterior.constData());
        return xAchado;
    }();
    return xNome;
}

// LC_NUMERIC set to pNome while alive.
class TLocalNumerico
{
public:
    explicit TLocalNumerico(const QByteArray& pNome) : vAnterior(std::setlocale(LC_NUMERIC, nullptr))
    {
        std::setlocale(LC_NUMERIC, pNome.constData());
    }
    ~TLocalNumerico() { std::setlocale(LC_NUMERIC, vAnterior.constData()); }
    TLocalNumerico(const TLocalNumerico&) = delete;
    TLocalNumerico& operator=(const TLocalNumerico&) = delete;

private:
    QByteArray vAnterior;
};
} // namespace

// Amounts written out in Portuguese words.
class TstExtenso : public QObject
{
    Q_OBJECT

private slots:
    void miniExtenso_data()
    {
        QTest::addColumn<QString>("grupo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("000") << "000"
                             << "";
        QTest::newRow("100") << "100"
                             << "cem";
        QTest::newRow("101") << "101"
                             << "cento e um";
        QTest::newRow("110") << "110"
                             << "cento e dez";
        QTest::newRow("111") << "111"
                             << "cento e onze";
        QTest::newRow("245") << "245"
                             << "duzentos e quarenta e cinco";
        QTest::newRow("007") << "007"
                             << "sete";
        QTest::newRow("010") << "010"
                             << "dez";
        QTest::newRow("019") << "019"
                             << "dezenove";
        QTest::newRow("050") << "050" << u"cinqüenta"_qs;
        QTest::newRow("503") << "503" << u"quinhentos e três"_qs;
        QTest::newRow("999") << "999"
                             << "novecentos e noventa e nove";
        QTest::newRow("200") << "200"
                             << "duzentos";
        QTest::newRow("curto") << "12"
                               << "";
        QTest::newRow("nao digito") << "1a2"
                                    << "";
    }
    void miniExtenso()
    {
        QFETCH(QString, grupo);
        QFETCH(QString, esperado);
        QCOMPARE(MiniExtenso(grupo), esperado);
    }

    void ifsEscolhe()
    {
        QCOMPARE(ifs(true, QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("a"));
        QCOMPARE(ifs(false, QStringLiteral("a"), QStringLiteral("b")), QStringLiteral("b"));
    }

    void valorPorExtenso_data()
    {
        QTest::addColumn<double>("valor");
        QTest::addColumn<bool>("moeda");
        QTest::addColumn<int>("tipo");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("1") << 1.0 << true << 0 << "um real";
        QTest::newRow("2") << 2.0 << true << 0 << "dois reais";
        QTest::newRow("0,01") << 0.01 << true << 0 << "um centavo";
        QTest::newRow("0,5") << 0.5 << true << 0 << u"cinqüenta centavos"_qs;
        QTest::newRow("1,5") << 1.5 << true << 0 << u"um real e cinqüenta centavos"_qs;
        QTest::newRow("100") << 100.0 << true << 0 << "cem reais";
        QTest::newRow("1000") << 1000.0 << true << 0 << "um mil reais";
        QTest::newRow("1500") << 1500.0 << true << 0 << "um mil e quinhentos reais";
        QTest::newRow("1520") << 1520.0 << true << 0 << "um mil, quinhentos e vinte reais";
        QTest::newRow("21100") << 21100.0 << true << 0 << "vinte e um mil e cem reais";
        QTest::newRow("1000000") << 1e6 << true << 0 << u"um milhão de reais"_qs;
        QTest::newRow("2000000") << 2e6 << true << 0 << u"dois milhões de reais"_qs;
        QTest::newRow("1000001") << 1000001.0 << true << 0 << u"um milhão e um reais"_qs;
        QTest::newRow("1001000") << 1001000.0 << true << 0 << u"um milhão e um mil reais"_qs;
        QTest::newRow("2005000000") << 2005000000.0 << true << 0
                                    << u"dois bilhões e cinco milhões de reais"_qs;
        QTest::newRow("3000000000,10")
            << 3000000000.10 << true << 0 << u"três bilhões de reais e dez centavos"_qs;
        QTest::newRow("dolar 1000000,50")
            << 1000000.50 << true << 1 << u"um milhão de dolares americanos e cinqüenta cents"_qs;
        QTest::newRow("dolar 1") << 1.0 << true << 7 << "um dolar americano";
        QTest::newRow("dolar 0,01") << 0.01 << true << 1 << "um cent";
        QTest::newRow("dolar 2,02") << 2.02 << true << 1 << "dois dolares americanos e dois cents";
        QTest::newRow("10") << 10.0 << true << 0 << "dez reais";
        QTest::newRow("11") << 11.0 << true << 0 << "onze reais";
        QTest::newRow("20") << 20.0 << true << 0 << "vinte reais";
        QTest::newRow("21") << 21.0 << true << 0 << "vinte e um reais";
        QTest::newRow("0 moeda") << 0.0 << true << 0 << "";
        QTest::newRow("0 numero") << 0.0 << false << 0 << "zero";
        QTest::newRow("0,4 numero") << 0.4 << false << 0 << "";
        QTest::newRow("12,34 numero") << 12.34 << false << 0 << "doze";
        QTest::newRow("1,01") << 1.01 << true << 0 << "um real e um centavo";
        QTest::newRow("maximo")
            << 999999999999.99 << true << 0
            << u"novecentos e noventa e nove bilhões, novecentos e noventa e nove milhões, "
               u"novecentos e noventa e nove mil, novecentos e noventa e nove reais e "
               u"noventa e nove centavos"_qs;
        QTest::newRow("1001001001") << 1001001001.0 << true << 0
                                    << u"um bilhão e um milhão e um mil e um reais"_qs;
        QTest::newRow("1100000") << 1100000.0 << true << 0 << u"um milhão e cem mil reais"_qs;
        QTest::newRow("bilhao e mil") << 1000001000.0 << false << 0 << u"um bilhão e um mil"_qs;
        QTest::newRow("exato bilhao numero") << 2e9 << false << 0 << u"dois bilhões"_qs;
        QTest::newRow("meio centavo arredonda para cima") << 0.005 << true << 0 << "um centavo";
        QTest::newRow("1,005 como escrito") << 1.005 << true << 0 << "um real e um centavo";
        QTest::newRow("1,999 arredonda para dois") << 1.999 << true << 0 << "dois reais";
        QTest::newRow("0,999 arredonda para um") << 0.999 << true << 0 << "um real";
        QTest::newRow("menos de meio centavo") << 0.004 << true << 0 << "";
        QTest::newRow("menos de meio centavo numero") << 0.004 << false << 0 << "";
    }
    void valorPorExtenso()
    {
        QFETCH(double, valor);
        QFETCH(bool, moeda);
        QFETCH(int, tipo);
        QFETCH(QString, esperado);
        QCOMPARE(F().ValorPorExtenso(valor, moeda, tipo), esperado);
    }

    // The same words when the process runs under a locale with another decimal point (the C library's
    // number formatting follows it; the words must not).
    void valorPorExtensoOutroSeparador_data() { valorPorExtenso_data(); }
    void valorPorExtensoOutroSeparador()
    {
        QFETCH(double, valor);
        QFETCH(bool, moeda);
        QFETCH(int, tipo);
        QFETCH(QString, esperado);
        const QByteArray xLocal = LocalOutroSeparador();
        if (xLocal.isEmpty())
            QSKIP("no locale with another decimal point here");
        TLocalNumerico xUso(xLocal);
        QVERIFY(std::strcmp(std::localeconv()->decimal_point, ".") != 0);
        QCOMPARE(F().ValorPorExtenso(valor, moeda, tipo), esperado);
    }

    void valorPorExtensoOutroSeparadorAleatorios()
    {
        const QByteArray xLocal = LocalOutroSeparador();
        if (xLocal.isEmpty())
            QSKIP("no locale with another decimal point here");
        qInfo("locale %s", xLocal.constData());
        QRandomGenerator xGerador(55);
        for (int n = 0; n < 3000; ++n) {
            const double xValor = double(xGerador.bounded(1'000'000'000'000'00LL)) / 100.0 /
                                  std::pow(10.0, xGerador.bounded(12));
            const QString xNoC = F().ValorPorExtenso(xValor, true, n % 2);
            TLocalNumerico xUso(xLocal);
            QCOMPARE(F().ValorPorExtenso(xValor, true, n % 2), xNoC);
        }
    }

    // Out of the range the twelve-digit layout holds: refused with a message, never words at wrong places.
    void valorPorExtensoForaDaFaixa_data()
    {
        QTest::addColumn<double>("valor");
        QTest::newRow("negativo") << -1.0;
        QTest::newRow("negativo pequeno") << -0.001;
        QTest::newRow("10^12") << 1e12;
        QTest::newRow("arredonda para 10^12") << 999999999999.996;
        QTest::newRow("enorme") << 1e300;
        QTest::newRow("infinito") << qInf();
        QTest::newRow("nan") << qQNaN();
    }
    void valorPorExtensoForaDaFaixa()
    {
        QFETCH(double, valor);
        for (bool xMoeda : {true, false})
            QVERIFY_THROWS_EXCEPTION(Exception, F().ValorPorExtenso(valor, xMoeda, 0));
    }

    void valorPorExtensoLongDouble()
    {
        QCOMPARE(F().ValorPorExtenso(1234.56L, true, 0),
                 u"um mil, duzentos e trinta e quatro reais e cinqüenta e seis centavos"_qs);
    }
};

QTEST_GUILESS_MAIN(TstExtenso)
#include "tst_Extenso.moc"
