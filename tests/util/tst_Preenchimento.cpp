#include "util/Clock.h"
#include "util/DateUtil.h"
#include "util/Funcoes.h"

#include <QtTest>

// Fixed-width padding and the completion of a date typed into the day/month/year mask.
class TstPreenchimento : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Clock::DefineRelogio({}); }

    void instanciaUnica() { QCOMPARE(&TFuncoes::get(), &TFuncoes::get()); }

    void strZero_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("aparado e preenchido") << "  42 " << 5 << "00042";
        QTest::newRow("mais longo guarda a direita") << "123456" << 3 << "456";
        QTest::newRow("vazio") << "" << 2 << "00";
        QTest::newRow("sem checar digitos") << "-5" << 3 << "0-5";
        QTest::newRow("letras") << "abc" << 5 << "00abc";
        QTest::newRow("exato") << "123" << 3 << "123";
        QTest::newRow("controle aparado") << "\t7\r\n" << 2 << "07";
        QTest::newRow("tamanho zero devolve aparado") << " 12 " << 0 << "12";
        QTest::newRow("tamanho negativo devolve aparado") << " 12 " << -4 << "12";
        QTest::newRow("espaco interno mantido") << "1 2" << 5 << "001 2";
    }
    void strZero()
    {
        QFETCH(QString, valor);
        QFETCH(int, tamanho);
        QFETCH(QString, esperado);
        QCOMPARE(TFuncoes::get().StrZero(valor, tamanho), esperado);
    }

    void padL_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("curto") << "abc" << 5 << "  abc";
        QTest::newRow("longo guarda a direita") << "abcdef" << 3 << "def";
        QTest::newRow("branco do texto mantido") << " a" << 3 << "  a";
        QTest::newRow("branco final mantido") << "a " << 4 << "  a ";
        QTest::newRow("exato") << "abc" << 3 << "abc";
        QTest::newRow("vazio") << "" << 2 << "  ";
        QTest::newRow("zero devolve tudo") << "abc" << 0 << "abc";
        QTest::newRow("negativo devolve tudo") << " abc " << -1 << " abc ";
    }
    void padL()
    {
        QFETCH(QString, texto);
        QFETCH(int, tamanho);
        QFETCH(QString, esperado);
        QCOMPARE(TFuncoes::get().PadL(texto, tamanho), esperado);
    }

    void padR_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("branco inicial perdido") << " ab" << 4 << "ab  ";
        QTest::newRow("longo corta a direita") << "abcdef" << 3 << "abc";
        QTest::newRow("aparado antes de preencher") << "ab   x" << 4 << "ab  ";
        QTest::newRow("exato") << "abc" << 3 << "abc";
        QTest::newRow("vazio") << "" << 2 << "  ";
        QTest::newRow("zero") << "abc" << 0 << "";
        QTest::newRow("negativo") << "abc" << -2 << "";
        QTest::newRow("controle aparado") << "\tab" << 3 << "ab ";
    }
    void padR()
    {
        QFETCH(QString, texto);
        QFETCH(int, tamanho);
        QFETCH(QString, esperado);
        QCOMPARE(TFuncoes::get().PadR(texto, tamanho), esperado);
    }

    void padC_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("par") << "ab" << 6 << "  ab  ";
        QTest::newRow("impar sobra a esquerda") << "ab" << 5 << "  ab ";
        QTest::newRow("um a mais") << "ab" << 3 << " ab";
        QTest::newRow("longo corta a direita") << "abcdef" << 4 << "abcd";
        QTest::newRow("sem aparar") << " a" << 4 << "  a ";
        QTest::newRow("vazio") << "" << 3 << "   ";
        QTest::newRow("zero") << "ab" << 0 << "";
        QTest::newRow("negativo") << "ab" << -1 << "";
    }
    void padC()
    {
        QFETCH(QString, texto);
        QFETCH(int, tamanho);
        QFETCH(QString, esperado);
        QCOMPARE(TFuncoes::get().PadC(texto, tamanho), esperado);
    }

    void padCIgualAoLaco()
    {
        // The direct computation gives what adding one space on each side until wide enough gives.
        for (int xLargura = 0; xLargura < 12; ++xLargura)
            for (const QString& xTexto : {QString(), QStringLiteral("a"), QStringLiteral("abcd")}) {
                QString xLaco = xTexto;
                while (xLaco.size() < xLargura)
                    xLaco = u' ' + xLaco + u' ';
                QCOMPARE(TFuncoes::get().PadC(xTexto, xLargura), xLaco.left(qMax(xLargura, 0)));
            }
    }

    void retornaEspaco_data()
    {
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("tres") << 3 << "   ";
        QTest::newRow("zero") << 0 << "";
        QTest::newRow("negativo") << -3 << "";
    }
    void retornaEspaco()
    {
        QFETCH(int, tamanho);
        QFETCH(QString, esperado);
        QCOMPARE(TFuncoes::get().RetornaEspaco(tamanho), esperado);
    }

    void montaData_data()
    {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("esperado");
        // Default date 15/03/2024; the mask's slashes stand at positions 3 and 6.
        QTest::newRow("so o dia") << "1 /  /    "
                                  << "01/03/2024";
        QTest::newRow("dia e mes") << "1 /2 /    "
                                   << "01/02/2024";
        QTest::newRow("nada") << "  /  /    "
                              << "15/03/2024";
        QTest::newRow("vazio") << ""
                               << "15/03/2024";
        QTest::newRow("ano de dois digitos") << "5 /7 /24  "
                                             << "05/07/2024";
        QTest::newRow("ano 60") << "05/07/60  "
                                << "05/07/2060";
        QTest::newRow("ano 61") << "5 /7 /61  "
                                << "05/07/1961";
        QTest::newRow("ano 99") << "05/07/99  "
                                << "05/07/1999";
        QTest::newRow("ano 100") << "05/07/100 "
                                 << "05/07/1100";
        QTest::newRow("ano 998") << "5 /7 /998 "
                                 << "05/07/1998";
        QTest::newRow("ano 1000") << "05/07/1000"
                                  << "05/07/1000";
        QTest::newRow("ano completo") << "05/07/2031"
                                      << "05/07/2031";
        QTest::newRow("31 de abril") << "31/04/    "
                                     << "";
        QTest::newRow("ano 00 e o padrao") << "05/07/00  "
                                           << "05/07/2024";
        QTest::newRow("29/02/23 nao e bissexto") << "29/02/23  "
                                                 << "";
        QTest::newRow("29/02/24 bissexto") << "29/02/24  "
                                           << "29/02/2024";
        QTest::newRow("mes 13") << "01/13/2024"
                                << "";
        QTest::newRow("dia 32") << "32/01/2024"
                                << "";
        QTest::newRow("dia negativo") << "-1/01/2024"
                                      << "";
        QTest::newRow("ano negativo") << "01/01/-24 "
                                      << "";
        QTest::newRow("letras contam como falta") << "ab/cd/efgh"
                                                  << "15/03/2024";
        QTest::newRow("texto curto") << "7"
                                     << "07/03/2024";
    }
    void montaData()
    {
        QFETCH(QString, digitado);
        QFETCH(QString, esperado);
        const QDateTime xPadrao(QDate(2024, 3, 15), QTime(10, 20));
        QCOMPARE(TDateUtil::MontaData(digitado, xPadrao), esperado);
    }

    void montaDataUsaHoje()
    {
        Clock::DefineRelogio([] { return QDateTime(QDate(2025, 2, 28), QTime(23, 59)); });
        QCOMPARE(TDateUtil::MontaData(QStringLiteral("1 /  /    ")), QStringLiteral("01/02/2025"));
        QCOMPARE(TDateUtil::MontaData(QStringLiteral("29/  /    ")), QString());
        QCOMPARE(TDateUtil::MontaData(QStringLiteral("  /  /    ")), QStringLiteral("28/02/2025"));
    }

    void montaDataPadraoInvalido()
    {
        QCOMPARE(TDateUtil::MontaData(QStringLiteral("  /  /    "), QDateTime()), QString());
        QCOMPARE(TDateUtil::MontaData(QStringLiteral("01/02/2024"), QDateTime()),
                 QStringLiteral("01/02/2024"));
    }
};

QTEST_GUILESS_MAIN(TstPreenchimento)
#include "tst_Preenchimento.moc"
