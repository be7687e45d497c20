// The Firebird client as customers have it: a user outside the firebird group, a second program on the
// same local file, no client library at all, and the lock folder the program makes for a user. The
// cases that need a process of their own run tst_config_auxiliar_conexao.
#include "BancoTeste.h"
#include "config/ConexaoBD.h"
#include "config/ControleConfig.h"
#include "sistema/posix/PastaTravasPosix.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef AUXILIAR_CONEXAO
#error "AUXILIAR_CONEXAO must name tst_config_auxiliar_conexao"
#endif

namespace {

const QString MSG_CONEXAO_FALHOU = QStringLiteral("Conexão com banco de dados falhou. Motivo: \r\n");
const QString MSG_ARQUIVO_EM_USO = QStringLiteral(
    "O arquivo do banco de dados está em uso por outro servidor Firebird ou por outro programa. "
    "Se um servidor Firebird o atende, informe o caminho pelo servidor: servidor/porta:caminho.");
constexpr uid_t NOBODY = 65534;

struct TStat
{
    bool Existe = false;
    bool Pasta = false;
    bool Link = false;
    uid_t Dono = 0;
    mode_t Modo = 0;
};

TStat Estado(const QString& pCaminho)
{
    struct stat xInfo {};
    TStat xEstado;
    if (lstat(QFile::encodeName(pCaminho).constData(), &xInfo) != 0)
        return xEstado;
    xEstado.Existe = true;
    xEstado.Pasta = S_ISDIR(xInfo.st_mode);
    xEstado.Link = S_ISLNK(xInfo.st_mode);
    xEstado.Dono = xInfo.st_uid;
    xEstado.Modo = xInfo.st_mode & 07777;
    return xEstado;
}

// The environment of a customer's desktop: no lock folder given to the engine.
QProcessEnvironment AmbienteLimpo()
{
    QProcessEnvironment xAmbiente = QProcessEnvironment::systemEnvironment();
    xAmbiente.remove(QStringLiteral("FIREBIRD_LOCK"));
    xAmbiente.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    return xAmbiente;
}

} // namespace

class TstClienteFirebird : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void semBibliotecaCliente();
    void usuarioSemPrivilegios();
    void segundoProgramaNoMesmoArquivo();
    void pastaSegura_data();
    void pastaSegura();
    void pastaDoUsuario();
    void padraoUtilizavel();
    void membroDoGrupoFirebird();
    void aparaSoBrancos_data();
    void aparaSoBrancos();

private:
    // Runs the helper (optionally through pPrefixo, e.g. setpriv); its exit code and output lines.
    int Auxiliar(const QStringList& pArgumentos, QStringList& pLinhas, const QStringList& pPrefixo = {},
                 QProcess* pProcesso = nullptr);

    QTemporaryDir vPasta;
    QString vBanco;
};

int TstClienteFirebird::Auxiliar(const QStringList& pArgumentos, QStringList& pLinhas,
                                 const QStringList& pPrefixo, QProcess* pProcesso)
{
    QProcess xProcesso;
    QProcess& xUsado = pProcesso ? *pProcesso : xProcesso;
    xUsado.setProcessEnvironment(AmbienteLimpo());
    QStringList xComando = pPrefixo;
    xComando.append(QStringLiteral(AUXILIAR_CONEXAO));
    xComando.append(pArgumentos);
    xUsado.start(xComando.takeFirst(), xComando);
    if (pProcesso)
        return 0; // the caller reads and ends it
    if (!xUsado.waitForFinished(60000))
        return -1;
    pLinhas = QString::fromUtf8(xUsado.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    const QByteArray xErros = xUsado.readAllStandardError();
    if (!xErros.isEmpty())
        qInfo("helper: %s", xErros.constData());
    return xUsado.exitStatus() == QProcess::NormalExit ? xUsado.exitCode() : -1;
}

void TstClienteFirebird::initTestCase()
{
    QVERIFY(vPasta.isValid());
    // Open to every user: the unprivileged case reads the database from here.
    QVERIFY(QFile::setPermissions(vPasta.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                     QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                                     QFileDevice::WriteOther | QFileDevice::ExeOther |
                                                     QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                     QFileDevice::ExeGroup));
    vBanco = vPasta.filePath(QStringLiteral("filiais.fdb"));
    try {
        BancoTeste::Cria(vBanco, QStringLiteral("WIN1252"),
                         BancoTeste::TabelaFiliais({{"02", QString::fromUtf8("Filial São João"), "SP", "2"},
                                                    {"01", QString::fromUtf8("Açaí Ltda"), "PA", "1"}}));
    } catch (const std::exception& xErro) {
        QFAIL(xErro.what());
    }
    QVERIFY(QFile::setPermissions(vBanco, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                              QFileDevice::ReadOther | QFileDevice::WriteOther));
}

// Without the client library the program still runs, and the connection says why it failed.
void TstClienteFirebird::semBibliotecaCliente()
{
    QTemporaryDir xVazia;
    QVERIFY(xVazia.isValid());
    QStringList xNomes;
    for (const char* xNome : {"libfbclient.so.2", "libfbclient.so", "libgds.so.0", "libgds.so"})
        xNomes.append(xVazia.filePath(QLatin1String(xNome)));
    QStringList xLinhas;
    QCOMPARE(Auxiliar(QStringList{vBanco, QStringLiteral("SYSDBA"), QStringLiteral("masterkey")} + xNomes,
                      xLinhas),
             1);
    // The dialog's text: the sentence, the names tried, and where they were looked for.
    const QString xSaida = xLinhas.join(u'\n');
    const QString xInicio = QStringLiteral("FALHA\n") + MSG_CONEXAO_FALHOU +
                            QStringLiteral("Biblioteca cliente do Firebird não encontrada (%1).\r\n")
                                .arg(xNomes.join(QStringLiteral(", ")));
    QVERIFY2(xSaida.startsWith(xInicio), qPrintable(xSaida));
    QVERIFY2(xSaida.mid(xInicio.size()).startsWith(QStringLiteral("Procurada em: ") + xVazia.path()),
             qPrintable(xSaida));
}

// A user outside the firebird group opens a local database with the embedded engine: the program
// gives the engine a lock folder of that user's own, closed to everyone else.
void TstClienteFirebird::usuarioSemPrivilegios()
{
    if (geteuid() != 0)
        QSKIP("needs root to run the check as another user");
    const QString xPastaUsuario = QStringLiteral("/tmp/tarnwick-%1").arg(NOBODY);
    QStringList xLinhas;
    const QStringList xComoNobody{QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(NOBODY),
                                  QStringLiteral("--regid=%1").arg(NOBODY), QStringLiteral("--clear-groups")};
    QCOMPARE(Auxiliar({vBanco, QStringLiteral("SYSDBA"), QStringLiteral("masterkey")}, xLinhas, xComoNobody), 0);
    QCOMPARE(xLinhas, (QStringList{QStringLiteral("OK"), QString::fromUtf8("01|01 - Açaí Ltda|1"),
                                   QString::fromUtf8("02|02 - Filial São João|2")}));
    const TStat xEstado = Estado(xPastaUsuario);
    QVERIFY(xEstado.Pasta);
    QCOMPARE(xEstado.Dono, NOBODY);
    QCOMPARE(xEstado.Modo, mode_t(0700));
}

// Two programs on one local file: the second is told the file is in use and how to name a server.
void TstClienteFirebird::segundoProgramaNoMesmoArquivo()
{
    QProcess xPrimeiro;
    QStringList xLinhas;
    Auxiliar({vBanco, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"), QStringLiteral("segura")}, xLinhas,
             {}, &xPrimeiro);
    QByteArray xLido;
    while (!xLido.contains('\n') && xPrimeiro.waitForReadyRead(30000))
        xLido += xPrimeiro.readAllStandardOutput();
    QVERIFY2(xLido.startsWith("OK\n"), xLido.constData());

    TControleConfig xControle;
    const TControleConfig::TResultado xResultado =
        xControle.TestaConexaoBD(vBanco, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"));
    xPrimeiro.closeWriteChannel();
    QVERIFY(xPrimeiro.waitForFinished(30000));
    QCOMPARE(xPrimeiro.exitCode(), 0);

    QVERIFY(!xResultado.Ok);
    QCOMPARE(xResultado.Avisos.size(), 1);
    const QString xTexto = xResultado.Avisos[0].Texto;
    QVERIFY2(xTexto.startsWith(MSG_CONEXAO_FALHOU), qPrintable(xTexto));
    QVERIFY2(xTexto.contains(QStringLiteral("Database already opened with engine instance, incompatible with "
                                            "current")),
             qPrintable(xTexto));
    QVERIFY2(xTexto.endsWith(QStringLiteral("\r\n") + MSG_ARQUIVO_EM_USO), qPrintable(xTexto));

    // Once the other program has let go, the same values connect.
    QVERIFY(xControle.TestaConexaoBD(vBanco, QStringLiteral("SYSDBA"), QStringLiteral("masterkey")).Ok);
}

void TstClienteFirebird::pastaSegura_data()
{
    QTest::addColumn<QString>("preparo");
    QTest::addColumn<bool>("aceita");
    QTest::newRow("nova") << "" << true;
    QTest::newRow("do usuario, fechada") << "pasta 0700 eu" << true;
    QTest::newRow("do usuario, aberta: fechada agora") << "pasta 0777 eu" << true;
    QTest::newRow("de outro usuario") << "pasta 0700 outro" << false;
    QTest::newRow("link para pasta do usuario") << "link" << false;
    QTest::newRow("arquivo") << "arquivo" << false;
}

void TstClienteFirebird::pastaSegura()
{
    QFETCH(QString, preparo);
    QFETCH(bool, aceita);
    if (preparo.endsWith(QStringLiteral("outro")) && geteuid() != 0)
        QSKIP("needs root to make a folder of another user");
    QTemporaryDir xBase;
    QVERIFY(xBase.isValid());
    const QString xAlvo = xBase.filePath(QStringLiteral("travas"));
    const QByteArray xCaminho = QFile::encodeName(xAlvo);
    if (preparo.startsWith(QStringLiteral("pasta"))) {
        QCOMPARE(mkdir(xCaminho.constData(), 0700), 0);
        QCOMPARE(chmod(xCaminho.constData(), preparo.contains(QStringLiteral("0777")) ? 0777 : 0700), 0);
        if (preparo.endsWith(QStringLiteral("outro")))
            QCOMPARE(chown(xCaminho.constData(), NOBODY, NOBODY), 0);
    } else if (preparo == QStringLiteral("link")) {
        const QString xReal = xBase.filePath(QStringLiteral("real"));
        QCOMPARE(mkdir(QFile::encodeName(xReal).constData(), 0700), 0);
        QVERIFY(QFile::link(xReal, xAlvo));
    } else if (preparo == QStringLiteral("arquivo")) {
        QFile xArquivo(xAlvo);
        QVERIFY(xArquivo.open(QIODevice::WriteOnly));
    }
    const QString xPasta = PastaTravas::PastaSegura(xBase.path(), QStringLiteral("travas"), geteuid());
    QCOMPARE(xPasta, aceita ? xAlvo : QString());
    if (aceita) {
        const TStat xEstado = Estado(xAlvo);
        QVERIFY(xEstado.Pasta);
        QCOMPARE(xEstado.Dono, geteuid());
        QCOMPARE(xEstado.Modo, mode_t(0700));
    }
}

// The runtime folder first when it is the user's own, /tmp otherwise; a name someone else took in /tmp
// gives a fresh folder instead.
void TstClienteFirebird::pastaDoUsuario()
{
    QTemporaryDir xRuntime;
    QVERIFY(xRuntime.isValid());
    QCOMPARE(chmod(QFile::encodeName(xRuntime.path()).constData(), 0700), 0);
    QCOMPARE(PastaTravas::PastaDoUsuario(geteuid(), xRuntime.path()),
             xRuntime.filePath(QStringLiteral("tarnwick-firebird")));

    // A runtime folder open to others is not the user's private one.
    QTemporaryDir xAberta;
    QCOMPARE(chmod(QFile::encodeName(xAberta.path()).constData(), 0755), 0);
    const QString xTmp = QStringLiteral("/tmp/tarnwick-%1").arg(geteuid());
    const QString xObtida = PastaTravas::PastaDoUsuario(geteuid(), xAberta.path());
    QVERIFY2(xObtida == xTmp || xObtida.startsWith(xTmp + u'-'), qPrintable(xObtida));

    if (geteuid() != 0)
        return;
    // As nobody's: /tmp/tarnwick-<nobody> taken by root (this test) makes a fresh folder.
    const QString xTomada = QStringLiteral("/tmp/tarnwick-%1").arg(NOBODY - 1);
    QDir(xTomada).removeRecursively();
    QVERIFY(QDir().mkdir(xTomada));
    const QString xNova = PastaTravas::PastaDoUsuario(NOBODY - 1, QString());
    QDir(xTomada).removeRecursively();
    QVERIFY2(xNova.startsWith(xTomada + u'-'), qPrintable(xNova));
    const TStat xEstado = Estado(xNova);
    QVERIFY(QDir(xNova).removeRecursively());
    QVERIFY(xEstado.Pasta);
    QCOMPARE(xEstado.Modo, mode_t(0700));
}

void TstClienteFirebird::padraoUtilizavel()
{
    QTemporaryDir xBase;
    const QString xPasta = xBase.filePath(QStringLiteral("firebird"));
    // Missing: root lets the engine make it; a user would lock everyone else out by making it.
    QCOMPARE(PastaTravas::PadraoUtilizavel(xPasta), geteuid() == 0);
}

// A member of the firebird group shares the engine's own folder with the machine's other Firebird
// programs: no folder of the user's own is made.
void TstClienteFirebird::membroDoGrupoFirebird()
{
    if (geteuid() != 0)
        QSKIP("needs root to run the check as another user");
    const group* xGrupo = getgrnam("firebird");
    if (!xGrupo)
        QSKIP("no firebird group on this machine");
    constexpr uid_t MEMBRO = NOBODY - 2;
    const QString xPastaPropria = QStringLiteral("/tmp/tarnwick-%1").arg(MEMBRO);
    QDir(xPastaPropria).removeRecursively();
    const TStat xPadrao = Estado(QString::fromLatin1(PastaTravas::PASTA_PADRAO));
    QVERIFY(xPadrao.Pasta); // made by the engine for this test's own connections (as root)

    QStringList xLinhas;
    QCOMPARE(Auxiliar({vBanco, QStringLiteral("SYSDBA"), QStringLiteral("masterkey")}, xLinhas,
                      {QStringLiteral("setpriv"), QStringLiteral("--reuid=%1").arg(MEMBRO),
                       QStringLiteral("--regid=%1").arg(NOBODY),
                       QStringLiteral("--groups=%1").arg(xGrupo->gr_gid)}),
             0);
    QCOMPARE(xLinhas.value(0), QStringLiteral("OK"));
    QVERIFY(!Estado(xPastaPropria).Existe);
}

void TstClienteFirebird::aparaSoBrancos_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("aplicado");
    QTest::newRow("sem brancos") << "abc" << "abc";
    QTest::newRow("espacos") << "  abc  " << "abc";
    QTest::newRow("controles") << QString::fromUtf8("\t\r\n\x01 abc \x1f") << "abc";
    QTest::newRow("espaco inseparavel no fim fica") << QString::fromUtf8("senha\u00A0") << QString::fromUtf8("senha\u00A0");
    QTest::newRow("espaco inseparavel no inicio fica")
        << QString::fromUtf8(" \u00A0senha ") << QString::fromUtf8("\u00A0senha");
    QTest::newRow("so brancos") << " \t " << "";
}

// Each value applied to the connection loses its blanks (codes 0 to 32) only.
void TstClienteFirebird::aparaSoBrancos()
{
    QFETCH(QString, valor);
    QFETCH(QString, aplicado);
    TConexaoBD xConexao;
    xConexao.SetDatabase(valor);
    xConexao.SetUserName(valor);
    xConexao.SetPassword(valor);
    QCOMPARE(xConexao.Database(), aplicado);
    QCOMPARE(xConexao.UserName(), aplicado);
    QCOMPARE(xConexao.Password(), aplicado);
}

QTEST_GUILESS_MAIN(TstClienteFirebird)
#include "tst_ClienteFirebird.moc"
