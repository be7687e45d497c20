// The demo's set-up (scripts/demo-setup.sh) in a folder with an accented name, as a Portuguese desktop
// folder is: the program reads the Tarnwick.ini it writes and reaches the database it made.
#include "config/ControleConfig.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Runs the set-up script; returns its exit code, with its output in pSaida.
int ExecutaSetup(const QString& pDemo, const QStringList& pExtra, QString* pSaida = nullptr)
{
    QProcess xScript;
    xScript.setProcessChannelMode(QProcess::MergedChannels);
    xScript.start(QStringLiteral("bash"),
                  QStringList{QStringLiteral(FONTES "/scripts/demo-setup.sh"), QStringLiteral(BUILD), pDemo} +
                      pExtra);
    if (!xScript.waitForFinished(120000))
        return -1;
    if (pSaida)
        *pSaida = QString::fromUtf8(xScript.readAll());
    return xScript.exitStatus() == QProcess::NormalExit ? xScript.exitCode() : -1;
}

// A listening socket on 127.0.0.1:pPorta that never answers; -1 when the port is taken.
int OcupaPorta(quint16 pPorta)
{
    const int xSocket = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in xEndereco = {};
    xEndereco.sin_family = AF_INET;
    xEndereco.sin_port = htons(pPorta);
    xEndereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(xSocket, reinterpret_cast<sockaddr*>(&xEndereco), sizeof xEndereco) != 0 ||
        listen(xSocket, 8) != 0) {
        close(xSocket);
        return -1;
    }
    return xSocket;
}

QByteArray Le(const QString& pArquivo)
{
    QFile xArquivo(pArquivo);
    return xArquivo.open(QIODevice::ReadOnly) ? xArquivo.readAll() : QByteArray();
}

} // namespace

class TesteDemo : public QObject
{
    Q_OBJECT

    QTemporaryDir vPasta;
    QString vDemo;

private slots:
    void initTestCase()
    {
        QVERIFY(vPasta.isValid());
        vDemo = vPasta.filePath(QStringLiteral("Área de Trabalho/Tarnwick demo"));
    }

    void pastaComAcento()
    {
        QString xSaida;
        QCOMPARE(ExecutaSetup(vDemo, {QStringLiteral("--no-service")}, &xSaida), 0);

        // Windows-1252, as the program reads it: "Á" is the one byte 0xC1, not UTF-8's 0xC3 0x81.
        const QByteArray xIni = Le(vDemo + QStringLiteral("/Tarnwick.ini"));
        QVERIFY2(xIni.contains("/\xC1rea de Trabalho/Tarnwick demo/demo.fdb\r\n"), xIni.constData());
        QVERIFY(!xIni.contains("\xC3\x81"));

        // The program's own configuration layer reads it and loads the branches from that database.
        const QString xAnterior = QDir::currentPath();
        QDir::setCurrent(vDemo);
        TControleConfig xControle;
        const TControleConfig::TResultado xResultado = xControle.ValidaConfig();
        QString xAvisos;
        for (const TAviso& xAviso : xResultado.Avisos)
            xAvisos += xAviso.Texto + u'\n';
        QVERIFY2(xResultado.Ok, qPrintable(xAvisos));
        const TListaFiliais xFiliais = xControle.CarregaTabPrincipal();
        QDir::setCurrent(xAnterior);
        QCOMPARE(int(xFiliais.size()), 5);
        QCOMPARE(xFiliais.front().DESCRICAO, QStringLiteral("01 - Matriz São Paulo"));
    }

    // A Tarnwick.ini an earlier set-up wrote in UTF-8 is written again in Windows-1252.
    void iniEmUtf8Refeito()
    {
        const QString xIni = vDemo + QStringLiteral("/Tarnwick.ini");
        QByteArray xUtf8 = Le(xIni);
        xUtf8.replace("\xC1", "\xC3\x81");
        QFile xArquivo(xIni);
        QVERIFY(xArquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
        xArquivo.write(xUtf8);
        xArquivo.close();
        QCOMPARE(ExecutaSetup(vDemo, {QStringLiteral("--no-service")}), 0);
        QVERIFY(Le(xIni).contains("/\xC1rea de Trabalho/"));
        QVERIFY(!Le(xIni).contains("\xC3\x81"));
    }

    // Port 2020 held by a program that is not the stand-in: the set-up says so and fails.
    void portaOcupada()
    {
        const int xOutro = OcupaPorta(2020);
        if (xOutro < 0)
            QSKIP("port 2020 is in use on this machine");
        QString xSaida;
        const int xCodigo = ExecutaSetup(vDemo, {}, &xSaida);
        close(xOutro);
        QCOMPARE(xCodigo, 1);
        QVERIFY2(xSaida.contains(QStringLiteral("held by another program")), qPrintable(xSaida));
        QVERIFY(!QFile::exists(vDemo + QStringLiteral("/notes-service.pid")));
    }
};

QTEST_GUILESS_MAIN(TesteDemo)
#include "tst_demo.moc"
