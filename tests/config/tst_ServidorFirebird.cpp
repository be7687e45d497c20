// The connection through a real Firebird server: a private instance started on 127.0.0.1 (a free port)
// by scripts/firebird-server.sh on the build machine (the Windows build reaches it from Wine over TCP,
// as a Windows PC reaches its company's server), a database created through it, then the start-up, a wrong
// password, a database the server lacks, and the server stopped under an open connection.
#include "BancoTeste.h"
#include "config/ConfigINI.h"
#include "config/ControleConfig.h"
#include "config/Criptografia.h"
#include "support/ServidorFirebird.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifndef TARNWICK_SCRIPT_FIREBIRD
#error "TARNWICK_SCRIPT_FIREBIRD must name scripts/firebird-server.sh"
#endif

namespace {

const QString SENHA_SYSDBA = QStringLiteral("Chave#Teste1");
const QString MSG_CONEXAO_FALHOU = QStringLiteral("Conexão com banco de dados falhou. Motivo: \r\n");
const QString MSG_NAO_CONECTOU = QStringLiteral(
    "Não foi possível conectar com o banco de dados!\r\nVerifique se o caminho do arquivo, usuário e "
    "senha estão corretos e se o Firebird está devidamente instalado e em execução.");
const QString MSG_LOGIN = QStringLiteral("Your user name and password are not defined. Ask your database "
                                         "administrator to set up a Firebird login.");

} // namespace

class TstServidorFirebird : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void inicioPeloServidor_data();
    void inicioPeloServidor();
    void senhaErrada();
    void bancoQueOServidorNaoTem();
    void senhaTerminadaEmEspacoInseparavel();
    void servidorParado();

private:
    // Runs the script; its standard output, or the test fails with its error output.
    bool Script(const QStringList& pArgumentos, QString& pSaida);
    QString Caminho(const QString& pHost, const QString& pArquivo) const
    {
        return QStringLiteral("%1/%2:%3")
            .arg(pHost)
            .arg(vPorta)
            .arg(CaminhoNoHospedeiro(vPasta.filePath(pArquivo)));
    }

    QTemporaryDir vPasta;
    QString vPastaServidor;
    int vPorta = 0;
    QString vPastaOriginal;
    std::unique_ptr<QTemporaryDir> vPastaTrabalho;
};

bool TstServidorFirebird::Script(const QStringList& pArgumentos, QString& pSaida)
{
    return ScriptFirebird(QStringLiteral(TARNWICK_SCRIPT_FIREBIRD), pArgumentos, pSaida);
}

void TstServidorFirebird::initTestCase()
{
    QVERIFY(vPasta.isValid());
    vPastaOriginal = QDir::currentPath();
    vPastaServidor = CaminhoNoHospedeiro(vPasta.filePath(QStringLiteral("servidor")));
    QString xPorta;
    QVERIFY(Script({QStringLiteral("start"), vPastaServidor, SENHA_SYSDBA}, xPorta));
    vPorta = xPorta.toInt();
    QVERIFY2(vPorta > 0, qPrintable(xPorta));
    try {
        BancoTeste::Cria(Caminho(QStringLiteral("127.0.0.1"), QStringLiteral("corvane.fdb")),
                         QStringLiteral("UTF8"),
                         BancoTeste::TabelaFiliais({
                             {"02", QString::fromUtf8("Filial São João"), "SP", "12.345.678/0002-76"},
                             {"01", QString::fromUtf8("Açaí Ltda"), "PA", "12345678000195"},
                             {"03", QString::fromUtf8("Café €"), "MG", "12345678000357"},
                         }),
                         QStringLiteral("SYSDBA"), SENHA_SYSDBA);
    } catch (const std::exception& xErro) {
        QFAIL(xErro.what());
    }
}

void TstServidorFirebird::cleanupTestCase()
{
    QString xSaida;
    Script({QStringLiteral("stop"), vPastaServidor}, xSaida);
}

void TstServidorFirebird::init()
{
    vPastaTrabalho = std::make_unique<QTemporaryDir>();
    QVERIFY(vPastaTrabalho->isValid());
    QVERIFY(QDir::setCurrent(vPastaTrabalho->path()));
}

void TstServidorFirebird::cleanup()
{
    QDir::setCurrent(vPastaOriginal);
    vPastaTrabalho.reset();
}

// Start-up from the configuration file straight to the main page, the branches loaded from the server.
void TstServidorFirebird::inicioPeloServidor_data()
{
    QTest::addColumn<QString>("host");
    QTest::newRow("127.0.0.1") << "127.0.0.1";
    QTest::newRow("localhost") << "localhost";
}

void TstServidorFirebird::inicioPeloServidor()
{
    QFETCH(QString, host);
    TArquivoIni xIni(ConfigINI::CaminhoINI());
    xIni.WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Caminho"),
                     Caminho(host, QStringLiteral("corvane.fdb")));
    xIni.WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Usuario"), QStringLiteral("sysdba"));
    xIni.WriteString(QStringLiteral("CONEXAO"), QStringLiteral("Senha"),
                     TCriptografia::get().EncriptaASCII(SENHA_SYSDBA, std::uint16_t(SENHA_SYSDBA.size())));

    TControleConfig xControle;
    const TControleConfig::TDecisaoInicio xDecisao = xControle.DecideInicio();
    QVERIFY2(xDecisao.Avisos.isEmpty(), qPrintable(xDecisao.Avisos.value(0).Texto));
    QCOMPARE(xDecisao.Pagina, TPagina::Principal);

    const TListaFiliais xFiliais = xControle.CarregaTabPrincipal();
    QStringList xLinhas;
    for (const TFilial& xFilial : xFiliais)
        xLinhas.append(xFilial.CHECKED + u'|' + xFilial.CODEMPRESA + u'|' + xFilial.DESCRICAO + u'|' +
                       xFilial.CGC);
    QCOMPARE(xLinhas, (QStringList{QString::fromUtf8("N|01|01 - Açaí Ltda|12345678000195"),
                                   QString::fromUtf8("N|02|02 - Filial São João|12.345.678/0002-76"),
                                   QString::fromUtf8("N|03|03 - Café €|12345678000357")}));
}

void TstServidorFirebird::senhaErrada()
{
    const QString xBanco = Caminho(QStringLiteral("127.0.0.1"), QStringLiteral("corvane.fdb"));
    TControleConfig xControle;
    TControleConfig::TResultado xResultado =
        xControle.TestaConexaoBD(xBanco, QStringLiteral("SYSDBA"), QStringLiteral("errada"));
    QVERIFY(!xResultado.Ok);
    QCOMPARE(xResultado.Avisos,
             (TAvisos{{TTipoAviso::Erro, MSG_CONEXAO_FALHOU + MSG_LOGIN, "edtUsuarioBD"}}));

    // Save: the server path is not checked for a file; the test fails with two dialogs.
    xResultado = xControle.ValidaConexaoBD(xBanco, QStringLiteral("SYSDBA"), QStringLiteral("errada"));
    QVERIFY(!xResultado.Ok);
    QCOMPARE(xResultado.Avisos, (TAvisos{{TTipoAviso::Erro, MSG_CONEXAO_FALHOU + MSG_LOGIN, "edtUsuarioBD"},
                                         {TTipoAviso::Alerta, MSG_NAO_CONECTOU, ""}}));
    QVERIFY(!xControle.cnCorvane().Connected());

    // The right password afterwards connects.
    QVERIFY(xControle.ValidaConexaoBD(xBanco, QStringLiteral("SYSDBA"), SENHA_SYSDBA).Ok);
}

void TstServidorFirebird::bancoQueOServidorNaoTem()
{
    const QString xBanco = Caminho(QStringLiteral("127.0.0.1"), QStringLiteral("nao-existe.fdb"));
    TControleConfig xControle;
    const TControleConfig::TResultado xResultado =
        xControle.TestaConexaoBD(xBanco, QStringLiteral("SYSDBA"), SENHA_SYSDBA);
    QVERIFY(!xResultado.Ok);
    QCOMPARE(xResultado.Avisos.size(), 1);
    QCOMPARE(xResultado.Avisos[0].Texto,
             MSG_CONEXAO_FALHOU +
                 QStringLiteral("I/O error during \"open\" operation for file \"%1\"\n"
                                "-Error while trying to open file\n-No such file or directory")
                     .arg(CaminhoNoHospedeiro(vPasta.filePath(QStringLiteral("nao-existe.fdb")))));
}

// Only blanks (codes up to 32) are trimmed from the values: a password that ends in a no-break space
// logs in with it.
void TstServidorFirebird::senhaTerminadaEmEspacoInseparavel()
{
    const QString xSenha = QString::fromUtf8("Nbsp#1\u00A0");
    try {
        BancoTeste::Cria(Caminho(QStringLiteral("127.0.0.1"), QStringLiteral("usuario.fdb")),
                         QStringLiteral("UTF8"),
                         {QStringLiteral("CREATE USER TARNWICK PASSWORD '%1'").arg(xSenha)},
                         QStringLiteral("SYSDBA"), SENHA_SYSDBA, QStringLiteral("UTF8"));
    } catch (const std::exception& xErro) {
        QFAIL(xErro.what());
    }
    const QString xBanco = Caminho(QStringLiteral("127.0.0.1"), QStringLiteral("corvane.fdb"));
    TControleConfig xControle;
    // Blanks around it still go.
    TControleConfig::TResultado xResultado =
        xControle.TestaConexaoBD(xBanco, QStringLiteral(" tarnwick\t"), QStringLiteral(" ") + xSenha + u'\t');
    QVERIFY2(xResultado.Ok, qPrintable(xResultado.Avisos.value(0).Texto));
    // Without its no-break space it is another password.
    xResultado = xControle.TestaConexaoBD(xBanco, QStringLiteral("TARNWICK"), xSenha.chopped(1));
    QVERIFY(!xResultado.Ok);
    QCOMPARE(xResultado.Avisos.value(0).Texto, MSG_CONEXAO_FALHOU + MSG_LOGIN);
}

// The server stops under an open connection: the branch load and the test say so instead of reporting
// the dead connection as open; once the server is back, the same values connect again.
void TstServidorFirebird::servidorParado()
{
    const QString xBanco = Caminho(QStringLiteral("127.0.0.1"), QStringLiteral("corvane.fdb"));
    TControleConfig xControle;
    QVERIFY(xControle.TestaConexaoBD(xBanco, QStringLiteral("SYSDBA"), SENHA_SYSDBA).Ok);
    QCOMPARE(xControle.cnCorvane().Aberturas(), 1);

    QString xSaida;
    QVERIFY(Script({QStringLiteral("stop"), vPastaServidor}, xSaida));

    try {
        xControle.CarregaTabPrincipal();
        QFAIL("the server is stopped");
    } catch (const Exception& xErro) {
        QVERIFY2(xErro.Message().startsWith(QStringLiteral("Falha ao carregar as filiais. Motivo: ")),
                 qPrintable(xErro.Message()));
    }
    const TControleConfig::TResultado xResultado =
        xControle.TestaConexaoBD(xBanco, QStringLiteral("SYSDBA"), SENHA_SYSDBA);
    QVERIFY(!xResultado.Ok);
    QCOMPARE(xResultado.Avisos.size(), 1);
    QVERIFY2(xResultado.Avisos[0].Texto.startsWith(
                 MSG_CONEXAO_FALHOU + QStringLiteral("Unable to complete network request to host")),
             qPrintable(xResultado.Avisos[0].Texto));
    QVERIFY(!xControle.cnCorvane().Connected());

    QVERIFY(Script({QStringLiteral("start"), vPastaServidor, SENHA_SYSDBA, QString::number(vPorta)}, xSaida));
    QVERIFY(xControle.TestaConexaoBD(xBanco, QStringLiteral("SYSDBA"), SENHA_SYSDBA).Ok);
    QCOMPARE(xControle.cnCorvane().Aberturas(), 2);
    QCOMPARE(int(xControle.CarregaTabPrincipal().size()), 3);
}

QTEST_GUILESS_MAIN(TstServidorFirebird)
#include "tst_ServidorFirebird.moc"
