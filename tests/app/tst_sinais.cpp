// SIGINT, SIGTERM and SIGHUP sent to the real program: idle with its start-up warning open, idle with
// the database connection open, and during a download run. Each ends it within 2 seconds, by that
// signal, with the log closed and no temporary or broken archive left.
#include "ConfigTeste.h"
#include "download/archive/LeitorZip.h"
#include "support/NotesService.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

namespace {

const QString CNPJ = QStringLiteral("11222333000181");

enum class TMomento
{
    Ocioso,    // no configuration: the settings page with its start-up warning open
    Conectado, // a working configuration: connected, branches loaded, main page
    Baixando,  // a download run under way
    Pergunta   // a download run under way, with its stop question (Esc) open and not answered
};

// A copy of an executable in a folder of its own, so that its log folder (beside it) is the test's.
QString CopiaExecutavel(const QString& pOrigem, const QString& pPasta)
{
    const QString xDestino = pPasta + u'/' + QFileInfo(pOrigem).fileName();
    QFile::remove(xDestino);
    if (!QFile::copy(pOrigem, xDestino))
        return {};
    QFile::setPermissions(xDestino, QFile::permissions(pOrigem));
    return xDestino;
}

// The Firebird engine has been loaded into the process (its first connection is being made).
bool MotorCarregado(qint64 pPid)
{
    QFile xMapas(QStringLiteral("/proc/%1/maps").arg(pPid));
    return xMapas.open(QIODevice::ReadOnly) && xMapas.readAll().contains("libEngine");
}

// The last line of every log file beside the executable.
QStringList UltimasLinhasDosLogs(const QString& pPasta)
{
    QStringList xUltimas;
    QDirIterator xLogs(pPasta + QStringLiteral("/log"), {QStringLiteral("*.txt")}, QDir::Files);
    while (xLogs.hasNext()) {
        QFile xLog(xLogs.next());
        if (!xLog.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> xLinhas = xLog.readAll().trimmed().split('\n');
        xUltimas << QString::fromLatin1(xLinhas.last());
    }
    return xUltimas;
}

} // namespace

Q_DECLARE_METATYPE(TMomento)

class TesteSinais : public QObject
{
    Q_OBJECT

    // 2,000 notes in 20 pages, each page answered after 300 ms: a run of six seconds.
    TNotesService vServico{{"--cnpj", CNPJ, "--types", "NF_E", "--envs", "PRODUCAO", "--per-branch", "2000",
                            "--fault", "delay:300"}};

private slots:
    void initTestCase() { QVERIFY2(vServico.Iniciar(), qPrintable(vServico.Erro())); }

    void termina_data()
    {
        QTest::addColumn<int>("sinal");
        QTest::addColumn<TMomento>("momento");
        for (const auto& [xSinal, xNome] :
             {std::pair{SIGINT, "SIGINT"}, std::pair{SIGTERM, "SIGTERM"}, std::pair{SIGHUP, "SIGHUP"}}) {
            QTest::newRow(qPrintable(QStringLiteral("%1, idle").arg(QLatin1String(xNome))))
                << xSinal << TMomento::Ocioso;
            QTest::newRow(qPrintable(QStringLiteral("%1, connected").arg(QLatin1String(xNome))))
                << xSinal << TMomento::Conectado;
            QTest::newRow(qPrintable(QStringLiteral("%1, during a run").arg(QLatin1String(xNome))))
                << xSinal << TMomento::Baixando;
            QTest::newRow(qPrintable(QStringLiteral("%1, stop question open").arg(QLatin1String(xNome))))
                << xSinal << TMomento::Pergunta;
        }
    }
    void termina()
    {
        QFETCH(int, sinal);
        QFETCH(TMomento, momento);

        TAmbienteConfig xAmbiente; // the program's working directory
        QTemporaryDir xBinarios;
        QTemporaryDir xDestino;
        const QString xExecutavel =
            CopiaExecutavel(QString::fromUtf8(momento == TMomento::Baixando || momento == TMomento::Pergunta
                                                  ? PROGRAMA_CONDUZIDO
                                                  : PROGRAMA),
                            xBinarios.path());
        QVERIFY(!xExecutavel.isEmpty());
        if (momento != TMomento::Ocioso)
            xAmbiente.Configura({{QStringLiteral("Matriz São Paulo"), CNPJ}});
        const int xRequisicoesAntes = int(vServico.LinhasRecebidas().size());

        QProcess xPrograma;
        QProcessEnvironment xAmbienteProcesso = QProcessEnvironment::systemEnvironment();
        xAmbienteProcesso.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        xAmbienteProcesso.insert(QStringLiteral("TARNWICK_TESTE_URL"), vServico.UrlBase());
        xAmbienteProcesso.insert(QStringLiteral("TARNWICK_TESTE_PASTA"), xDestino.path());
        if (momento == TMomento::Pergunta)
            xAmbienteProcesso.insert(QStringLiteral("TARNWICK_TESTE_ESC"), QStringLiteral("1"));
        xPrograma.setProcessEnvironment(xAmbienteProcesso);
        xPrograma.setWorkingDirectory(xAmbiente.Pasta.path());
        xPrograma.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        xPrograma.start(xExecutavel, {});
        QVERIFY(xPrograma.waitForStarted());

        // Wait for the moment to send the signal.
        QByteArray xSaida;
        switch (momento) {
        case TMomento::Ocioso:
            QTest::qWait(1500);
            break;
        case TMomento::Conectado:
            QTRY_VERIFY_WITH_TIMEOUT(MotorCarregado(xPrograma.processId()), 20000);
            QTest::qWait(1000);
            break;
        case TMomento::Baixando:
            QTRY_VERIFY_WITH_TIMEOUT(vServico.LinhasRecebidas().size() > xRequisicoesAntes + 1, 20000);
            break;
        case TMomento::Pergunta:
            // Esc is pressed; the question opens at the run's next look at the window's events, after
            // the page under way, and holds the run until answered.
            QTRY_VERIFY_WITH_TIMEOUT((xSaida += xPrograma.readAllStandardOutput()).contains("pergunta"),
                                     20000);
            QTest::qWait(1000);
            break;
        }
        QCOMPARE(xPrograma.state(), QProcess::Running);

        QElapsedTimer xTempo;
        xTempo.start();
        ::kill(pid_t(xPrograma.processId()), sinal);
        QVERIFY(xPrograma.waitForFinished(10000));
        const qint64 xMs = xTempo.elapsed();

        QVERIFY2(xMs <= 2000, qPrintable(QStringLiteral("%1 ms").arg(xMs)));
        QCOMPARE(xPrograma.exitStatus(), QProcess::CrashExit); // ended by a signal...
        QCOMPARE(xPrograma.exitCode(), sinal);                 // ...this one

        // The log, if the program wrote one, has its closing line.
        const QStringList xUltimas = UltimasLinhasDosLogs(xBinarios.path());
        for (const QString& xUltima : xUltimas)
            QVERIFY2(xUltima.contains(QStringLiteral("**** Log finalizado ****")), qPrintable(xUltima));
        if (momento == TMomento::Baixando || momento == TMomento::Pergunta) {
            QCOMPARE(xUltimas.size(), 1);
            // The run stopped: the service was not asked for the rest of the pages.
            QTest::qWait(500);
            QVERIFY(vServico.LinhasRecebidas().size() - xRequisicoesAntes < 20);
        }

        // The destination holds no temporary file and no broken archive; the run's only step was
        // abandoned, so it published nothing at all.
        const QStringList xArquivos = QDir(xDestino.path()).entryList(QDir::Files | QDir::Hidden);
        if (momento == TMomento::Baixando || momento == TMomento::Pergunta)
            QVERIFY2(xArquivos.isEmpty(), qPrintable(xArquivos.join(u' ')));
        for (const QString& xArquivo : xArquivos) {
            QVERIFY2(xArquivo.endsWith(QStringLiteral(".zip")), qPrintable(xArquivo));
            QString xErro;
            LeZip(xDestino.filePath(xArquivo), &xErro);
            QVERIFY2(xErro.isEmpty(), qPrintable(xArquivo + QStringLiteral(": ") + xErro));
        }
    }
};

int main(int argc, char** argv)
{
    QCoreApplication xAplicacao(argc, argv);
    TesteSinais xTeste;
    return QTest::qExec(&xTeste, argc, argv);
}

#include "tst_sinais.moc"
