// A local path to a database that a Firebird server on this machine already holds open, as most
// customers run (the ERP's server serves the file, the path names it locally). The test takes a network
// namespace of its own, so that the standard port 3050 is free for a private server whatever runs on
// the machine; it needs root for that and is skipped otherwise.
#include "BancoTeste.h"
#include "config/ConexaoBD.h"
#include "config/ControleConfig.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#ifndef TARNWICK_SCRIPT_FIREBIRD
#error "TARNWICK_SCRIPT_FIREBIRD must name scripts/firebird-server.sh"
#endif

namespace {

const QString SENHA_SYSDBA = QStringLiteral("Chave#Local1");
const QString MSG_CONEXAO_FALHOU = QStringLiteral("Conexão com banco de dados falhou. Motivo: \r\n");
const QString MSG_ARQUIVO_EM_USO = QStringLiteral(
    "O arquivo do banco de dados está em uso por outro servidor Firebird ou por outro programa. "
    "Se um servidor Firebird o atende, informe o caminho pelo servidor: servidor/porta:caminho.");
constexpr int PORTA_PADRAO = 3050;

// The loopback interface of the new namespace starts down.
bool LigaLoopback()
{
    const int xSocket = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (xSocket < 0)
        return false;
    ifreq xInterface{};
    std::strncpy(xInterface.ifr_name, "lo", IFNAMSIZ - 1);
    bool xOk = ioctl(xSocket, SIOCGIFFLAGS, &xInterface) == 0;
    xInterface.ifr_flags |= IFF_UP | IFF_RUNNING;
    xOk = xOk && ioctl(xSocket, SIOCSIFFLAGS, &xInterface) == 0;
    close(xSocket);
    return xOk;
}

} // namespace

class TstServidorLocal : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void servidorNaPortaPadrao();
    void servidorEmOutraPorta();

private:
    bool Script(const QStringList& pArgumentos, QString& pSaida);
    // Starts a server on pPasta (port 0: a free one), makes its database and returns the server path.
    QString Servidor(const QString& pNome, int pPorta, QString& pArquivo);
    // Servidor, then the ERP's connection through it, which opens the file and keeps it; none on failure
    // (said in a warning).
    std::unique_ptr<TConexaoBD> ServidorComArquivo(const QString& pNome, int pPorta, QString& pArquivo,
                                                   QString& pPeloServidor);

    QTemporaryDir vPasta;
    QStringList vServidores;
};

bool TstServidorLocal::Script(const QStringList& pArgumentos, QString& pSaida)
{
    QProcess xProcesso;
    xProcesso.start(QStringLiteral("bash"), QStringList{QStringLiteral(TARNWICK_SCRIPT_FIREBIRD)} + pArgumentos);
    if (!xProcesso.waitForFinished(60000) || xProcesso.exitStatus() != QProcess::NormalExit ||
        xProcesso.exitCode() != 0) {
        qWarning("firebird-server.sh %s: %s", qPrintable(pArgumentos.join(u' ')),
                 xProcesso.readAllStandardError().constData());
        return false;
    }
    pSaida = QString::fromUtf8(xProcesso.readAllStandardOutput()).trimmed();
    return true;
}

QString TstServidorLocal::Servidor(const QString& pNome, int pPorta, QString& pArquivo)
{
    const QString xPasta = vPasta.filePath(pNome);
    QString xPorta;
    QStringList xArgumentos{QStringLiteral("start"), xPasta, SENHA_SYSDBA};
    if (pPorta > 0)
        xArgumentos.append(QString::number(pPorta));
    if (!Script(xArgumentos, xPorta))
        return {};
    vServidores.append(xPasta);
    pArquivo = vPasta.filePath(pNome + QStringLiteral(".fdb"));
    const QString xCaminho = QStringLiteral("127.0.0.1/%1:%2").arg(xPorta, pArquivo);
    BancoTeste::Cria(xCaminho, QStringLiteral("UTF8"),
                     BancoTeste::TabelaFiliais({{"02", QString::fromUtf8("Filial São João"), "SP", "2"},
                                                {"01", QString::fromUtf8("Łódź Comércio"), "PL", "1"}}),
                     QStringLiteral("SYSDBA"), SENHA_SYSDBA, QStringLiteral("UTF8"));
    return xCaminho;
}

std::unique_ptr<TConexaoBD> TstServidorLocal::ServidorComArquivo(const QString& pNome, int pPorta,
                                                                 QString& pArquivo, QString& pPeloServidor)
{
    try {
        pPeloServidor = Servidor(pNome, pPorta, pArquivo);
        if (pPeloServidor.isEmpty())
            return nullptr;
        auto xErp = std::make_unique<TConexaoBD>();
        xErp->SetDatabase(pPeloServidor);
        xErp->SetUserName(QStringLiteral("SYSDBA"));
        xErp->SetPassword(SENHA_SYSDBA);
        xErp->Open();
        return xErp;
    } catch (const std::exception& xErro) {
        qWarning("%s", xErro.what());
        return nullptr;
    }
}

void TstServidorLocal::initTestCase()
{
    QVERIFY(vPasta.isValid());
    if (unshare(CLONE_NEWNET) != 0)
        QSKIP("needs root for a network namespace of its own");
    QVERIFY(LigaLoopback());
}

void TstServidorLocal::cleanupTestCase()
{
    QString xSaida;
    for (const QString& xPasta : vServidores)
        Script({QStringLiteral("stop"), xPasta}, xSaida);
}

// The server on the standard port holds the file: the local path reaches the database through it.
void TstServidorLocal::servidorNaPortaPadrao()
{
    QString xArquivo;
    QString xPeloServidor;
    // The ERP's connection: the server opens the file and keeps it.
    const std::unique_ptr<TConexaoBD> xErp =
        ServidorComArquivo(QStringLiteral("padrao"), PORTA_PADRAO, xArquivo, xPeloServidor);
    QVERIFY(xErp);

    TControleConfig xControle;
    const TControleConfig::TResultado xTeste =
        xControle.TestaConexaoBD(xArquivo, QStringLiteral("SYSDBA"), SENHA_SYSDBA);
    QVERIFY2(xTeste.Ok, qPrintable(xTeste.Avisos.value(0).Texto));
    QStringList xLinhas;
    for (const TFilial& xFilial : xControle.CarregaTabPrincipal())
        xLinhas.append(xFilial.CODEMPRESA + u'|' + xFilial.DESCRICAO);
    QCOMPARE(xLinhas, (QStringList{QString::fromUtf8("01|01 - Łódź Comércio"),
                                   QString::fromUtf8("02|02 - Filial São João")}));
}

// A server on another port holds the file: the local path fails, and the reason says how to name it.
void TstServidorLocal::servidorEmOutraPorta()
{
    QString xArquivo;
    QString xPeloServidor;
    // The ERP's connection: the server opens the file and keeps it.
    const std::unique_ptr<TConexaoBD> xErp =
        ServidorComArquivo(QStringLiteral("outra"), 0, xArquivo, xPeloServidor);
    QVERIFY(xErp);

    TControleConfig xControle;
    const TControleConfig::TResultado xTeste =
        xControle.TestaConexaoBD(xArquivo, QStringLiteral("SYSDBA"), SENHA_SYSDBA);
    QVERIFY(!xTeste.Ok);
    QCOMPARE(xTeste.Avisos.size(), 1);
    const QString xTexto = xTeste.Avisos[0].Texto;
    QVERIFY2(xTexto.startsWith(MSG_CONEXAO_FALHOU), qPrintable(xTexto));
    QVERIFY2(xTexto.contains(QStringLiteral("Database already opened with engine instance")), qPrintable(xTexto));
    QVERIFY2(xTexto.endsWith(QStringLiteral("\r\n") + MSG_ARQUIVO_EM_USO), qPrintable(xTexto));

    // Named through its server, the same database opens.
    QVERIFY(xControle.TestaConexaoBD(xPeloServidor, QStringLiteral("SYSDBA"), SENHA_SYSDBA).Ok);
}

QTEST_GUILESS_MAIN(TstServidorLocal)
#include "tst_ServidorLocal.moc"
