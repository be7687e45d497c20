// A second program started while one runs, both downloading the same step into the same folder at the
// same time: each writes its own hidden archive and publishes it under a name no one holds, so the
// folder ends with "<name>.zip" and "<name> (1).zip", both whole, and nothing hidden left behind.
#include "download/archive/LeitorZip.h"
#include "support/NotesService.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString CNPJ = QStringLiteral("11222333000181");
constexpr int NOTAS = 1500;

} // namespace

class TstDoisProgramas : public QObject
{
    Q_OBJECT

private slots:
    void mesmaPastaAoMesmoTempo()
    {
        // 15 pages, each 150 ms away: the two runs overlap.
        TNotesService xServico({QStringLiteral("--cnpj"), CNPJ, QStringLiteral("--types"),
                                QStringLiteral("NF_E"), QStringLiteral("--envs"), QStringLiteral("PRODUCAO"),
                                QStringLiteral("--per-branch"), QString::number(NOTAS),
                                QStringLiteral("--cancelled"), QStringLiteral("0"),
                                QStringLiteral("--quiet")});
        QVERIFY2(xServico.Iniciar(), qPrintable(xServico.Erro()));
        QTemporaryDir xPasta;
        QVERIFY(xPasta.isValid());

        QProcess xProgramas[2];
        for (QProcess& xPrograma : xProgramas)
            xPrograma.start(QStringLiteral(AUXILIAR_PASSO),
                            {xServico.UrlBaseComFalha(QStringLiteral("delay:150")), CNPJ, xPasta.path()});
        QStringList xResumos;
        for (QProcess& xPrograma : xProgramas) {
            QVERIFY2(xPrograma.waitForFinished(120000), qPrintable(xPrograma.errorString()));
            const QString xSaida = QString::fromUtf8(xPrograma.readAllStandardOutput()).trimmed();
            QVERIFY2(xPrograma.exitStatus() == QProcess::NormalExit && xPrograma.exitCode() == 0,
                     qPrintable(xSaida + QString::fromUtf8(xPrograma.readAllStandardError())));
            xResumos << xSaida;
        }

        const QString xNome = QStringLiteral("download_xmls_%1_NF_E_PRODUCAO").arg(CNPJ);
        const QStringList xEsperados{xNome + QStringLiteral(" (1).zip"), xNome + QStringLiteral(".zip")};
        QStringList xNaPasta = QDir(xPasta.path()).entryList(QDir::Files | QDir::Hidden);
        xNaPasta.sort();
        QCOMPARE(xNaPasta, xEsperados);
        // Each summary names one of them, not the same one.
        xResumos.sort();
        QVERIFY2(xResumos[0].contains(xNome + QStringLiteral(" (1).zip")) !=
                     xResumos[1].contains(xNome + QStringLiteral(" (1).zip")),
                 qPrintable(xResumos.join(u'\n')));
        QStringList xEntradas[2];
        for (int i = 0; i < 2; ++i) {
            QString xErro;
            for (const TEntradaZip& xEntrada : LeZip(xPasta.filePath(xEsperados[i]), &xErro))
                xEntradas[i] << xEntrada.Nome;
            QVERIFY2(xErro.isEmpty(), qPrintable(xErro));
            QCOMPARE(xEntradas[i].size(), NOTAS);
        }
        QCOMPARE(xEntradas[0], xEntradas[1]);
    }
};

QTEST_GUILESS_MAIN(TstDoisProgramas)
#include "tst_DoisProgramas.moc"
