// The system's request to end, sent to a program of its own (AuxiliarTermino): it is seen on the GUI
// thread, the program cleans up and then ends the way the system expects; a second request does not
// wait for the clean-up; a program that must end before its loop does gets to say its last word.
// POSIX: the signals, sent with kill. Windows: the session's messages, which the program sends to its own
// window as Windows does: a query alone ends nothing; a run answers it with no; a cancelled session goes on.
#include "sistema/Termino.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>
#ifndef Q_OS_WIN
#include <csignal>
#endif

namespace {

// How the program ended: by a signal (POSIX), or with an exit code.
struct TFim
{
    bool PorSinal = false;
    int Codigo = 0;
};

} // namespace

Q_DECLARE_METATYPE(TFim)

class TesteTermino : public QObject
{
    Q_OBJECT

    // Reads the program's lines until pLinha comes (or the program ends).
    static bool AguardaLinha(QProcess& pPrograma, QStringList& pLinhas, const QString& pLinha)
    {
        QElapsedTimer xTempo;
        xTempo.start();
        while (!pLinhas.contains(pLinha) && xTempo.elapsed() < 10000) {
            if (!pPrograma.canReadLine() && !pPrograma.waitForReadyRead(200) &&
                pPrograma.state() == QProcess::NotRunning)
                break;
            while (pPrograma.canReadLine())
                pLinhas << QString::fromUtf8(pPrograma.readLine()).trimmed();
        }
        return pLinhas.contains(pLinha);
    }

private slots:
    void termina_data()
    {
        QTest::addColumn<QString>("modo");          // "sai" or "insiste"
        QTest::addColumn<int>("espera");            // ms before the program ends by itself
        QTest::addColumn<QList<int>>("sinais");     // POSIX: sent one by one, each once seen
        QTest::addColumn<QStringList>("mensagens"); // Windows: posted by the program to itself
        QTest::addColumn<QStringList>("esperadas"); // its lines
        QTest::addColumn<TFim>("fim");

        const QStringList xNenhuma;
        QTest::newRow("no request") << "sai" << 300 << QList<int>{} << xNenhuma
                                    << QStringList{"pronto", "tempo", "limpeza 0", "sem pedido"}
                                    << TFim{false, 0};
#ifndef Q_OS_WIN
        for (const auto& [xSinal, xNome] :
             {std::pair{SIGTERM, "SIGTERM"}, std::pair{SIGINT, "SIGINT"}, std::pair {
                  SIGHUP,
                  "SIGHUP"
              }})
            QTest::newRow(xNome) << "sai" << 20000 << QList<int>{xSinal} << xNenhuma
                                 << QStringList{"pronto", QStringLiteral("recebido %1").arg(xSinal),
                                                QStringLiteral("limpeza %1").arg(128 + xSinal)}
                                 << TFim{true, xSinal};
        // Asked again while ending: the user does not wait for the clean-up; the first request decides.
        QTest::newRow("a second request") << "insiste" << 20000 << QList<int>{SIGTERM, SIGINT} << xNenhuma
                                          << QStringList{"pronto", "recebido 15"} << TFim{true, SIGTERM};
#else
        // The session's query is only recorded and answered (yes: Qt's answer); the program ends when the
        // session does, right then.
        QTest::newRow("log-off: query, then the end")
            << "sai" << 20000 << QList<int>{} << QStringList{"consulta", "estado", "fim"}
            << QStringList{"pronto", "resposta 1", "consultado 1", "recebido 15", "sem espera 15"}
            << TFim{false, 143};
        // In a run the answer is no (Windows then asks the user); the user ends the session anyway.
        QTest::newRow("log-off in a run, ended anyway")
            << "insiste" << 20000 << QList<int>{} << QStringList{"bloqueia", "consulta", "fim"}
            << QStringList{"pronto", "resposta 0", "recebido 15", "sem espera 15"} << TFim{false, 143};
        // The user (or another program) cancels: nothing was stopped, the record goes, the program goes on.
        QTest::newRow("log-off in a run, cancelled")
            << "insiste" << 500 << QList<int>{}
            << QStringList{"bloqueia", "consulta", "estado", "cancelado", "estado"}
            << QStringList{"pronto", "resposta 0", "consultado 1", "consultado 0",
                           "tempo",  "limpeza 0",  "sem pedido"}
            << TFim{false, 0};
        QTest::newRow("log-off cancelled by another program")
            << "sai" << 500 << QList<int>{} << QStringList{"consulta", "cancelado", "estado"}
            << QStringList{"pronto", "resposta 1", "consultado 0", "tempo", "limpeza 0", "sem pedido"}
            << TFim{false, 0};
        QTest::newRow("session ends without a query")
            << "insiste" << 20000 << QList<int>{} << QStringList{"fim"}
            << QStringList{"pronto", "recebido 15", "sem espera 15"} << TFim{false, 143};
        // Another program cancelled the shutdown before any query reached this one: nothing happens.
        QTest::newRow("shutdown cancelled")
            << "sai" << 500 << QList<int>{} << QStringList{"cancelado"}
            << QStringList{"pronto", "tempo", "limpeza 0", "sem pedido"} << TFim{false, 0};
#endif
    }
    void termina()
    {
        QFETCH(QString, modo);
        QFETCH(int, espera);
        QFETCH(QList<int>, sinais);
        QFETCH(QStringList, mensagens);
        QFETCH(QStringList, esperadas);
        QFETCH(TFim, fim);

        QProcess xPrograma;
        xPrograma.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        xPrograma.start(QStringLiteral(AUXILIAR_TERMINO),
                        QStringList{modo, QString::number(espera)} + mensagens);
        QVERIFY(xPrograma.waitForStarted());
        QStringList xLinhas;
        QVERIFY2(AguardaLinha(xPrograma, xLinhas, QStringLiteral("pronto")), qPrintable(xLinhas.join(u'|')));
#ifndef Q_OS_WIN
        for (const int xSinal : sinais) {
            QCOMPARE(::kill(pid_t(xPrograma.processId()), xSinal), 0);
            if (xSinal == sinais.front()) // the next one while it is ending
                QVERIFY2(AguardaLinha(xPrograma, xLinhas, QStringLiteral("recebido %1").arg(xSinal)),
                         qPrintable(xLinhas.join(u'|')));
        }
#else
        QVERIFY(sinais.isEmpty());
#endif
        // Already ended while its last lines were read, or ends now (Wine on a loaded machine is slow to
        // deliver the session's end).
        QVERIFY(xPrograma.state() == QProcess::NotRunning || xPrograma.waitForFinished(60000));
        while (xPrograma.canReadLine())
            xLinhas << QString::fromUtf8(xPrograma.readLine()).trimmed();
        QCOMPARE(xLinhas, esperadas);
        QCOMPARE(xPrograma.exitStatus() == QProcess::CrashExit, fim.PorSinal);
        QCOMPARE(xPrograma.exitCode(), fim.Codigo);
    }
};

QTEST_GUILESS_MAIN(TesteTermino)
#include "tst_Termino.moc"
