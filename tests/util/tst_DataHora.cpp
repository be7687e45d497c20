#include "util/Clock.h"
#include "util/DateUtil.h"
#include "util/Exception.h"
#include "util/Funcoes.h"
#include "util/Regional.h"

#include <QtTest>

namespace {

TFuncoes& F()
{
    return TFuncoes::get();
}

// Runs pAcao and gives the message it raised as an Exception ("" when it returned); a conversion
// error shows as "EConvertError".
template <typename A> QString Mensagem(A pAcao)
{
    try {
        pAcao();
    } catch (const EConvertError&) {
        return QStringLiteral("EConvertError");
    } catch (const Exception& e) {
        return e.Message();
    }
    return QString();
}

} // namespace

// Date and time checks with their messages, completion of typed dates and times, names of months and days.
class TstDataHora : public QObject
{
    Q_OBJECT

private slots:
    // "Now" is 10/12/2026 10:15:07 for the completions.
    void init()
    {
        Clock::DefineRelogio([] { return QDateTime(QDate(2026, 12, 10), QTime(10, 15, 7)); });
    }
    void cleanup() { Clock::DefineRelogio({}); }

    void retornaDiferencaEmDias_data()
    {
        QTest::addColumn<QDateTime>("a");
        QTest::addColumn<QDateTime>("b");
        QTest::addColumn<int>("esperado");
        const QDateTime x(QDate(2024, 3, 15), QTime(6, 0));
        QTest::newRow("36 horas") << x << x.addSecs(36 * 3600) << 1;
        QTest::newRow("36 horas ao contrario") << x.addSecs(36 * 3600) << x << 1;
        QTest::newRow("mesmo instante") << x << x << 0;
        QTest::newRow("quase um dia") << x << x.addSecs(86399) << 0;
        QTest::newRow("um dia") << x << x.addDays(1) << 1;
        QTest::newRow("ano bissexto")
            << QDateTime(QDate(2024, 1, 1), QTime(0, 0)) << QDateTime(QDate(2025, 1, 1), QTime(0, 0)) << 366;
    }
    void retornaDiferencaEmDias()
    {
        QFETCH(QDateTime, a);
        QFETCH(QDateTime, b);
        QFETCH(int, esperado);
        QCOMPARE(TDateUtil::RetornaDiferencaEmDias(a, b), esperado);
    }

    void nomes()
    {
        QCOMPARE(TDateUtil::RetornaNomeMes(1), QStringLiteral("Janeiro"));
        QCOMPARE(TDateUtil::RetornaNomeMes(3), u"Março"_qs);
        QCOMPARE(TDateUtil::RetornaNomeMes(12), QStringLiteral("Dezembro"));
        QCOMPARE(TDateUtil::RetornaNomeMes(0), QString());
        QCOMPARE(TDateUtil::RetornaNomeMes(13), QString());
        QCOMPARE(F().retornaDescricaoDiaSemana(0), QStringLiteral("Domingo"));
        QCOMPARE(F().retornaDescricaoDiaSemana(2), u"Terça"_qs);
        QCOMPARE(F().retornaDescricaoDiaSemana(6), u"Sábado"_qs);
        QCOMPARE(F().retornaDescricaoDiaSemana(7), QStringLiteral("Indefinido"));
        QCOMPARE(F().retornaDescricaoDiaSemana(-1), QStringLiteral("Indefinido"));
    }

    void strToDateFormat_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QChar>("separadorData");
        QTest::addColumn<QChar>("separadorHora");
        QTest::addColumn<QString>("formatoData");
        QTest::addColumn<QDateTime>("esperado"); // invalid: raises
        const QChar n;
        QTest::newRow("regional") << "15/03/2024" << n << n << ""
                                  << QDateTime(QDate(2024, 3, 15), QTime(0, 0));
        QTest::newRow("regional com hora")
            << "15/03/2024 10:20:30" << n << n << "" << QDateTime(QDate(2024, 3, 15), QTime(10, 20, 30));
        QTest::newRow("iso") << "2024-03-15" << QChar(u'-') << n << "yyyy-mm-dd"
                             << QDateTime(QDate(2024, 3, 15), QTime(0, 0));
        QTest::newRow("iso com hora") << "2024-03-15 10.20" << QChar(u'-') << QChar(u'.') << "yyyy-mm-dd"
                                      << QDateTime(QDate(2024, 3, 15), QTime(10, 20));
        QTest::newRow("mes primeiro")
            << "03/15/2024" << n << n << "mm/dd/yyyy" << QDateTime(QDate(2024, 3, 15), QTime(0, 0));
        QTest::newRow("ano de dois digitos")
            << "15.03.24" << QChar(u'.') << n << "" << QDateTime(QDate(2024, 3, 15), QTime(0, 0));
        QTest::newRow("so hora") << "10:30" << n << n << "" << QDateTime(QDate(1899, 12, 30), QTime(10, 30));
        QTest::newRow("31 de fevereiro") << "31/02/2024" << n << n << "" << QDateTime();
        QTest::newRow("separador errado") << "2024/03/15" << QChar(u'-') << n << "yyyy-mm-dd" << QDateTime();
        QTest::newRow("vazio") << "" << n << n << "" << QDateTime();
        QTest::newRow("lixo no fim") << "15/03/2024 x" << n << n << "" << QDateTime();
    }
    void strToDateFormat()
    {
        QFETCH(QString, texto);
        QFETCH(QChar, separadorData);
        QFETCH(QChar, separadorHora);
        QFETCH(QString, formatoData);
        QFETCH(QDateTime, esperado);
        if (!esperado.isValid()) {
            QVERIFY_THROWS_EXCEPTION(
                EConvertError,
                TDateUtil::StrToDateFormat(texto, separadorData, separadorHora, formatoData, {}));
        } else {
            QCOMPARE(TDateUtil::StrToDateFormat(texto, separadorData, separadorHora, formatoData, {}),
                     esperado);
        }
        // The reading with other separators leaves the regional ones as they were.
        QCOMPARE(Regional::StrToDate(QStringLiteral("15/03/2024")), QDate(2024, 3, 15));
        QCOMPARE(Regional::StrToTime(QStringLiteral("10:20")), QTime(10, 20));
    }

    void validaData_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("descricao");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("valida") << "15/03/2024"
                                << "Data"
                                << "";
        QTest::newRow("branca") << "  /  /    "
                                << "DATA INICIAL" << u"Data inicial não pode ficar em branco."_qs;
        QTest::newRow("31/02") << "31/02/2024"
                               << "data final" << u"Data final inválida.  "_qs;
        QTest::newRow("vazia e invalida") << ""
                                          << "data" << u"Data inválida.  "_qs;
        QTest::newRow("quase branca") << " /  /    "
                                      << "data" << u"Data inválida.  "_qs;
        QTest::newRow("acento fica") << "x" << u"DATA DE EMISSÃO"_qs << u"Data de emissÃo inválida.  "_qs;
        QTest::newRow("descricao vazia") << "x"
                                         << "" << u" inválida.  "_qs;
    }
    void validaData()
    {
        QFETCH(QString, data);
        QFETCH(QString, descricao);
        QFETCH(QString, mensagem);
        QCOMPARE(Mensagem([&] { QVERIFY(TDateUtil::ValidaData(data, descricao)); }), mensagem);
    }

    void validaHora_data()
    {
        QTest::addColumn<QString>("hora");
        QTest::addColumn<QString>("mensagem");
        QTest::newRow("vazia") << ""
                               << "";
        QTest::newRow("hh:mm") << "14:30"
                               << "";
        QTest::newRow("hh:mm:ss") << "14:30:15"
                                  << "";
        QTest::newRow("segundo de um digito") << "14:30:7"
                                              << "";
        QTest::newRow("brancos no fim") << "12:34:56  "
                                        << "";
        QTest::newRow("so a hora") << "14"
                                   << "";
        QTest::newRow("25 horas") << "25:00" << u"Hora inicial inválida.  "_qs;
        QTest::newRow("60 minutos") << "12:60" << u"Hora inicial inválida.  "_qs;
        QTest::newRow("mascara branca") << "  :  " << u"Hora inicial inválida.  "_qs;
        QTest::newRow("letras") << "ab:cd" << u"Hora inicial inválida.  "_qs;
    }
    void validaHora()
    {
        QFETCH(QString, hora);
        QFETCH(QString, mensagem);
        QCOMPARE(Mensagem([&] { QVERIFY(TDateUtil::ValidaHora(hora, QStringLiteral("HORA INICIAL"))); }),
                 mensagem);
    }

    void validaPeriodo_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("fim");
        QTest::addColumn<QString>("ativa");
        QTest::addColumn<bool>("permiteIgual");
        QTest::addColumn<QString>("mensagem");
        const QString a = QStringLiteral("10/03/2024"), b = QStringLiteral("20/03/2024");
        QTest::newRow("em ordem") << a << b << "Ini" << false << "";
        QTest::newRow("iguais permitido") << a << a << "Ini" << true << "";
        QTest::newRow("iguais nao permitido ini")
            << a << a << "Ini" << false << "Data inicial deve ser menor que data final.";
        QTest::newRow("iguais nao permitido fim")
            << a << a << "Fim" << false << "Data Final deve ser maior que data inicial.";
        QTest::newRow("invertida ini")
            << b << a << "Ini" << true << u"Data inicial não pode ser maior que data final."_qs;
        QTest::newRow("invertida fim")
            << b << a << "Fim" << true << u"Data Final não pode ser menor que data inicial."_qs;
        QTest::newRow("invertida ini estrito")
            << b << a << "Ini" << false << "Data inicial deve ser menor que data final.";
        QTest::newRow("invertida sem campo") << b << a << "" << false << "";
        QTest::newRow("campo em minusculas nao conta") << b << a << "ini" << false << "";
        QTest::newRow("inicio invalido")
            << "31/02/2024" << a << "Ini" << true << u"Data inicial inválida.  "_qs;
        QTest::newRow("fim em branco") << a << "  /  /    "
                                       << "Ini" << true << u"Data final não pode ficar em branco."_qs;
    }
    void validaPeriodo()
    {
        QFETCH(QString, ini);
        QFETCH(QString, fim);
        QFETCH(QString, ativa);
        QFETCH(bool, permiteIgual);
        QFETCH(QString, mensagem);
        const QString xDescIni = QStringLiteral("Data inicial"), xDescFim = QStringLiteral("Data Final");
        QCOMPARE(Mensagem([&] {
                     QVERIFY(TDateUtil::ValidaPeriodo(ini, fim, xDescIni, xDescFim, ativa, permiteIgual));
                 }),
                 mensagem);
    }

    void validaHorario_data()
    {
        QTest::addColumn<QString>("ini");
        QTest::addColumn<QString>("fim");
        QTest::addColumn<QString>("ativa");
        QTest::addColumn<bool>("permiteIgual");
        QTest::addColumn<QString>("mensagem");
        const QString a = QStringLiteral("08:00"), b = QStringLiteral("17:30");
        QTest::newRow("em ordem") << a << b << "Fim" << false << "";
        QTest::newRow("iguais permitido") << a << a << "Fim" << true << "";
        QTest::newRow("iguais ini") << a << a << "Ini" << false
                                    << "Hora inicial deve ser menor que hora final.";
        QTest::newRow("iguais fim") << a << a << "Fim" << false
                                    << "HORA FINAL deve ser maior que hora inicial.";
        QTest::newRow("invertida ini")
            << b << a << "Ini" << true << u"Hora inicial não pode ser maior que hora final."_qs;
        QTest::newRow("invertida fim")
            << b << a << "Fim" << true << u"HORA FINAL não pode ser menor que hora inicial."_qs;
        QTest::newRow("invalida") << "24:00" << a << "Ini" << true << u"Hora inicial inválida.  "_qs;
        QTest::newRow("vazia comparada") << "" << a << "Ini" << true << "EConvertError";
        QTest::newRow("vazia sem comparar") << "" << a << "" << true << "";
    }
    void validaHorario()
    {
        QFETCH(QString, ini);
        QFETCH(QString, fim);
        QFETCH(QString, ativa);
        QFETCH(bool, permiteIgual);
        QFETCH(QString, mensagem);
        const QString xDescIni = QStringLiteral("Hora inicial"), xDescFim = QStringLiteral("HORA FINAL");
        QCOMPARE(Mensagem([&] {
                     QVERIFY(TDateUtil::ValidaHorario(ini, fim, xDescIni, xDescFim, ativa, permiteIgual));
                 }),
                 mensagem);
    }

    void completaData_data()
    {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<int>("anoBase");
        QTest::addColumn<QString>("esperado"); // or the message raised
        QTest::newRow("so o dia") << "5" << 50 << "05/12/2026";
        QTest::newRow("so o dia na mascara") << "5 /  /    " << 50 << "05/12/2026";
        QTest::newRow("dia de um digito com barra") << "1/" << 50 << "01/12/2026";
        QTest::newRow("dia e mes") << "05/03/    " << 50 << "05/03/2026";
        QTest::newRow("ano base 50") << "05/03/24" << 50 << "05/03/2024";
        QTest::newRow("ano base 20") << "05/03/24" << 20 << "05/03/1924";
        QTest::newRow("ano igual a base") << "01/01/50" << 50 << "01/01/1950";
        QTest::newRow("ano 00") << "01/01/00" << 50 << "01/01/2000";
        QTest::newRow("mascara vazia") << "  /  /    " << 50 << "  /  /    ";
        QTest::newRow("texto vazio") << "" << 50 << "  /  /    ";
        QTest::newRow("ano de tres digitos") << "05/03/024" << 50 << "05/03/2024";
        QTest::newRow("sem barras") << "010224" << 50 << "01/02/2024";
        QTest::newRow("completa") << "05/03/2024" << 50 << "05/03/2024";
        QTest::newRow("31 de fevereiro") << "31/02/2024" << 50 << u"Data inválida."_qs;
        QTest::newRow("29/02/23") << "29/02/23" << 50 << u"Data inválida."_qs;
        QTest::newRow("29/02/24") << "29/02/24" << 50 << "29/02/2024";
        QTest::newRow("ano partido") << "05/03/ 202" << 50 << u"Período inválido.\r\n05/03/202"_qs;
        QTest::newRow("ano com letra") << "05/03/2a" << 50 << "EConvertError";
        QTest::newRow("dia 32 sem ano") << "32/  /    " << 50 << u"Data inválida."_qs;
    }
    void completaData()
    {
        QFETCH(QString, digitado);
        QFETCH(int, anoBase);
        QFETCH(QString, esperado);
        QString xResultado;
        const QString xMensagem = Mensagem([&] { xResultado = F().CompletaData(digitado, anoBase); });
        QCOMPARE(xMensagem.isEmpty() ? xResultado : xMensagem, esperado);
    }

    void completaHora_data()
    {
        QTest::addColumn<QString>("digitado");
        QTest::addColumn<QString>("esperado"); // or the message raised
        QTest::newRow("hora e minuto") << "14:30"
                                       << "14:30:7";
        QTest::newRow("hora de um digito") << "1:"
                                           << "01:15:7";
        QTest::newRow("so a hora") << "14"
                                   << "14:15:7";
        QTest::newRow("sem separador") << "1430"
                                       << "14:30:7";
        QTest::newRow("seis digitos") << "123456"
                                      << "12:34:56  ";
        QTest::newRow("minuto de um digito") << "14:3"
                                             << "14:03:7";
        QTest::newRow("completa") << "14:30:15"
                                  << "14:30:15";
        QTest::newRow("mascara vazia") << "  :  "
                                       << "  :  ";
        QTest::newRow("texto vazio") << ""
                                     << "  :  ";
        QTest::newRow("25 horas") << "25:00" << u"Hora inválida."_qs;
        QTest::newRow("minuto 61") << "10:61:00" << u"Hora inválida."_qs;
    }
    void completaHora()
    {
        QFETCH(QString, digitado);
        QFETCH(QString, esperado);
        QString xResultado;
        const QString xMensagem = Mensagem([&] { xResultado = F().CompletaHora(digitado); });
        QCOMPARE(xMensagem.isEmpty() ? xResultado : xMensagem, esperado);
    }
};

QTEST_GUILESS_MAIN(TstDataHora)
#include "tst_DataHora.moc"
