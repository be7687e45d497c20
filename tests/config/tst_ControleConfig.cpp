// The settings and start-up logic of the window without widgets: the configuration file in the working
// directory, the field checks, the connection test on a database of the embedded engine, and what the
// window is told to show.
#include "BancoTeste.h"
#include "config/ConfigINI.h"
#include "config/ControleConfig.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QString MSG_CONEXAO_FALHOU = QStringLiteral("Conexão com banco de dados falhou. Motivo: \r\n");
const QString MSG_NAO_CONECTOU = QStringLiteral(
    "Não foi possível conectar com o banco de dados!\r\nVerifique se o caminho do arquivo, usuário e "
    "senha estão corretos e se o Firebird está devidamente instalado e em execução.");
const QString MSG_SENHA_ILEGIVEL =
    QStringLiteral("Senha do banco de dados gravada no arquivo de configuração não é válida.\r\n"
                   "Informe a senha novamente e clique em Salvar.");
const QString MSG_SEM_ARQUIVO = QStringLiteral("Arquivo de configuração não encontrado.");
const QString MSG_SEM_ARQUIVO_COM_COPIA = QStringLiteral(
    "Arquivo de configuração não encontrado.\r\nSerão utilizadas as configurações que já foram "
    "carregadas pelo sistema.\r\n\r\nCaso deseje recriar o arquivo de configuração, clique em Salvar.");

// A dialog as "Kind|text|focus".
QStringList Texto(const TAvisos& pAvisos)
{
    QStringList xLinhas;
    for (const TAviso& xAviso : pAvisos) {
        const char* xTipo = xAviso.Tipo == TTipoAviso::Alerta ? "Alerta"
                            : xAviso.Tipo == TTipoAviso::Erro ? "Erro"
                                                              : "Info";
        xLinhas.append(QStringLiteral("%1|%2|%3").arg(QLatin1String(xTipo), xAviso.Texto, xAviso.Foco));
    }
    return xLinhas;
}

QByteArray Le(const QString& pArquivo)
{
    QFile xArquivo(pArquivo);
    return xArquivo.open(QIODevice::ReadOnly) ? xArquivo.readAll() : QByteArray();
}

void Grava(const QString& pArquivo, const QByteArray& pBytes)
{
    QFile xArquivo(pArquivo);
    QVERIFY(xArquivo.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(xArquivo.write(pBytes), pBytes.size());
}

} // namespace

class TstControleConfig : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void decideInicio_data();
    void decideInicio();
    void deixaConfig_data();
    void deixaConfig();
    void carregaTabConfigSemArquivo();
    void montaConfigINI();
    void montaConfigINIFalha();
    void validaConexaoBD_data();
    void validaConexaoBD();
    void testaConexaoBD_data();
    void testaConexaoBD();
    void reconectaSoQuandoMuda();

private:
    // The text with %BANCO% (the test database) and %NADA% (a local path with no file) filled in.
    QString Troca(QString pTexto) const
    {
        return pTexto.replace(QStringLiteral("%BANCO%"), vBanco).replace(QStringLiteral("%NADA%"), vNada);
    }
    // The client's own message for opening the path named nowhere.
    QString MensagemDoCliente(const QString& pCaminho) const;

    QTemporaryDir vPastaBanco;
    QString vBanco;
    QString vNada;
    QString vPastaOriginal;
    std::unique_ptr<QTemporaryDir> vPastaTrabalho;
};

void TstControleConfig::initTestCase()
{
    QVERIFY(vPastaBanco.isValid());
    vBanco = vPastaBanco.filePath(QStringLiteral("corvane.fdb"));
    vNada = vPastaBanco.filePath(QStringLiteral("nao-existe.fdb"));
    try {
        BancoTeste::Cria(
            vBanco, QStringLiteral("WIN1252"),
            BancoTeste::TabelaFiliais({{"01", "Matriz", "SP", "11.111.111/0001-11"},
                                       {"02", QString::fromUtf8("Filial São João"), "SP", "2"}}));
    } catch (const std::exception& xErro) {
        QFAIL(xErro.what());
    }
    vPastaOriginal = QDir::currentPath();
}

void TstControleConfig::init()
{
    vPastaTrabalho = std::make_unique<QTemporaryDir>();
    QVERIFY(vPastaTrabalho->isValid());
    QVERIFY(QDir::setCurrent(vPastaTrabalho->path()));
}

void TstControleConfig::cleanup()
{
    QDir::setCurrent(vPastaOriginal);
    vPastaTrabalho.reset();
}

QString TstControleConfig::MensagemDoCliente(const QString& pCaminho) const
{
    TConexaoBD xConexao;
    xConexao.SetDatabase(pCaminho);
    xConexao.SetUserName(QStringLiteral("SYSDBA"));
    xConexao.SetPassword(QStringLiteral("x"));
    try {
        xConexao.Open();
    } catch (const EConexaoBD& xErro) {
        return xErro.Message();
    }
    return QStringLiteral("(opened)");
}

// The start-up table: what FormCreate shows and which page, then what FormShow loads.
void TstControleConfig::decideInicio_data()
{
    QTest::addColumn<QByteArray>("ini"); // null: no file
    QTest::addColumn<bool>("principal");
    QTest::addColumn<QStringList>("avisosCriacao");
    QTest::addColumn<QStringList>("campos"); // settings page after FormShow: path, user, password
    QTest::addColumn<QStringList>("avisosExibicao");

    const QStringList xNenhum;
    QTest::newRow("sem arquivo") << QByteArray() << false << xNenhum << QStringList{"", "", ""}
                                 << QStringList{"Alerta|" + MSG_SEM_ARQUIVO + "|"};
    QTest::newRow("caminho vazio")
        << QByteArray("[CONEXAO]\r\nCaminho=\r\nUsuario=SYSDBA\r\nSenha=120\r\n") << false
        << QStringList{"Alerta|Caminho do banco de dados não informado.|edtCaminhoBD"}
        << QStringList{"", "SYSDBA", "x"} << xNenhum;
    QTest::newRow("usuario vazio")
        << QByteArray("[CONEXAO]\r\nCaminho=%BANCO%\r\nSenha=120\r\n") << false
        << QStringList{"Alerta|Usuário do banco de dados não informado.|edtUsuarioBD"}
        << QStringList{"%BANCO%", "", "x"} << xNenhum;
    QTest::newRow("senha vazia") << QByteArray("[CONEXAO]\r\nCaminho=%BANCO%\r\nUsuario=SYSDBA\r\nSenha=\r\n")
                                 << false
                                 << QStringList{"Alerta|Senha do banco de dados não informado.|mskSenhaBD"}
                                 << QStringList{"%BANCO%", "SYSDBA", ""} << xNenhum;
    QTest::newRow("conexao falha") << QByteArray(
                                          "[CONEXAO]\r\nCaminho=%NADA%\r\nUsuario=SYSDBA\r\nSenha=120\r\n")
                                   << false
                                   << QStringList{"Erro|" + MSG_CONEXAO_FALHOU + "%CLIENTE%|edtUsuarioBD"}
                                   << QStringList{"%NADA%", "SYSDBA", "x"} << xNenhum;
    QTest::newRow("conexao abre") << QByteArray(
                                         "; meu\r\n[conexao]\r\n caminho = %BANCO% \r\nUSUARIO=SYSDBA\r\n"
                                         "Senha=120\r\n")
                                  << true << xNenhum << QStringList{} << xNenhum;
    // Told once, by the settings page; the start-up stays quiet about it.
    QTest::newRow("senha ilegivel") << QByteArray(
                                           "[CONEXAO]\r\nCaminho=%BANCO%\r\nUsuario=SYSDBA\r\nSenha=1x0\r\n")
                                    << false << xNenhum << QStringList{"%BANCO%", "SYSDBA", ""}
                                    << QStringList{"Alerta|" + MSG_SENHA_ILEGIVEL + "|mskSenhaBD"};
}

void TstControleConfig::decideInicio()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, principal);
    QFETCH(QStringList, avisosCriacao);
    QFETCH(QStringList, campos);
    QFETCH(QStringList, avisosExibicao);

    if (!ini.isNull())
        Grava(ConfigINI::CaminhoINI(), Troca(QString::fromLatin1(ini)).toLatin1());
    for (QString& xAviso : avisosCriacao)
        xAviso = Troca(xAviso).replace(QStringLiteral("%CLIENTE%"), MensagemDoCliente(vNada));

    TControleConfig xControle;
    const TControleConfig::TDecisaoInicio xDecisao = xControle.DecideInicio();
    QCOMPARE(Texto(xDecisao.Avisos), avisosCriacao);
    QCOMPARE(xDecisao.Pagina, principal ? TPagina::Principal : TPagina::Config);
    QCOMPARE(xDecisao.CaptionCancelar, principal ? QString() : QStringLiteral("&Sair"));
    QCOMPARE(xControle.vArqINI().has_value(), !ini.isNull());

    if (principal) {
        QVERIFY(xControle.cnCorvane().Connected());
        const TListaFiliais xFiliais = xControle.CarregaTabPrincipal();
        QCOMPARE(int(xFiliais.size()), 2);
        QCOMPARE(xFiliais[1].DESCRICAO, QString::fromUtf8("02 - Filial São João"));
        QCOMPARE(xFiliais[1].CHECKED, QStringLiteral("N"));
        return;
    }
    QVERIFY(!xControle.cnCorvane().Connected());
    const TControleConfig::TCampos xCampos = xControle.CarregaTabConfig();
    QCOMPARE(Texto(xCampos.Avisos), avisosExibicao);
    const QStringList xEsperados{Troca(campos[0]), campos[1], campos[2]};
    QCOMPARE((QStringList{xCampos.Caminho, xCampos.Usuario, xCampos.Senha}), xEsperados);
}

// Cancel and Esc on the settings page: the file is tested again; Cancel falls back on a configuration
// loaded during the run, or closes the window; Esc only leaves on success.
void TstControleConfig::deixaConfig_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("esc");
    QTest::addColumn<TPagina>("pagina");
    QTest::addColumn<int>("avisos");

    const QByteArray xFalha("[CONEXAO]\r\nCaminho=%NADA%\r\nUsuario=SYSDBA\r\nSenha=120\r\n");
    const QByteArray xBoa("[CONEXAO]\r\nCaminho=%BANCO%\r\nUsuario=SYSDBA\r\nSenha=120\r\n");
    QTest::newRow("cancelar sem arquivo fecha") << QByteArray() << false << TPagina::FecharJanela << 0;
    QTest::newRow("esc sem arquivo fica") << QByteArray() << true << TPagina::Config << 0;
    QTest::newRow("cancelar com conexao falhando volta") << xFalha << false << TPagina::Principal << 1;
    QTest::newRow("esc com conexao falhando fica") << xFalha << true << TPagina::Config << 1;
    QTest::newRow("cancelar com conexao boa") << xBoa << false << TPagina::Principal << 0;
    QTest::newRow("esc com conexao boa") << xBoa << true << TPagina::Principal << 0;
}

void TstControleConfig::deixaConfig()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, esc);
    QFETCH(TPagina, pagina);
    QFETCH(int, avisos);

    if (!ini.isNull())
        Grava(ConfigINI::CaminhoINI(), Troca(QString::fromLatin1(ini)).toLatin1());
    TControleConfig xControle;
    const TControleConfig::TDecisaoSaida xSaida = esc ? xControle.DecideEsc() : xControle.DecideCancelar();
    QCOMPARE(xSaida.Pagina, pagina);
    QCOMPARE(xSaida.Avisos.size(), avisos);
}

// The settings page when the file is gone: the retained copy with the long warning, or nothing.
void TstControleConfig::carregaTabConfigSemArquivo()
{
    TControleConfig xControle;
    TControleConfig::TCampos xCampos = xControle.CarregaTabConfig();
    QCOMPARE(Texto(xCampos.Avisos), QStringList{"Alerta|" + MSG_SEM_ARQUIVO + "|"});

    QVERIFY(xControle.MontaConfigINI(vBanco, QStringLiteral("SYSDBA"), QStringLiteral("abc")));
    QVERIFY(QFile::remove(ConfigINI::CaminhoINI()));
    xCampos = xControle.CarregaTabConfig();
    QCOMPARE(Texto(xCampos.Avisos), QStringList{"Alerta|" + MSG_SEM_ARQUIVO_COM_COPIA + "|"});
    QCOMPARE((QStringList{xCampos.Caminho, xCampos.Usuario, xCampos.Senha}),
             (QStringList{vBanco, QStringLiteral("SYSDBA"), QStringLiteral("abc")}));
    // The page does not recreate the file; Save does.
    QVERIFY(!QFile::exists(ConfigINI::CaminhoINI()));
}

// Save writes the three keys in the working directory, keeps the rest of the file, renews the copy.
void TstControleConfig::montaConfigINI()
{
    const QString xOutraPasta = vPastaBanco.filePath(QStringLiteral("Tarnwick.ini"));
    Grava(xOutraPasta, "[CONEXAO]\r\nCaminho=nao-e-este\r\n");
    Grava(ConfigINI::CaminhoINI(),
          "[RECEPCAONF]\r\nHost=10.0.0.1\r\n\r\n[CONEXAO]\r\n; antigo\r\nSenha=1\r\n");

    TControleConfig xControle;
    QVERIFY(xControle.MontaConfigINI(QStringLiteral("  localhost:/db/x.fdb "), QStringLiteral(" SYSDBA"),
                                     QStringLiteral("abc")));
    QCOMPARE(Le(ConfigINI::CaminhoINI()),
             QByteArray("[RECEPCAONF]\r\nHost=10.0.0.1\r\n\r\n[CONEXAO]\r\n; antigo\r\n"
                        "Senha=099098097\r\nCaminho=  localhost:/db/x.fdb \r\n"
                        "Usuario= SYSDBA\r\n"));
    QCOMPARE(Le(xOutraPasta), QByteArray("[CONEXAO]\r\nCaminho=nao-e-este\r\n"));
    QVERIFY(xControle.vConfigINI().has_value());
    QCOMPARE(xControle.vConfigINI()->Arquivo(), ConfigINI::CaminhoINI());
    QVERIFY(xControle.vArqINI().has_value());
    // Blanks typed around the values are gone when the file is read back.
    const TControleConfig::TCampos xCampos = xControle.CarregaTabConfig();
    QCOMPARE((QStringList{xCampos.Caminho, xCampos.Usuario, xCampos.Senha}),
             (QStringList{QStringLiteral("localhost:/db/x.fdb"), QStringLiteral("SYSDBA"),
                          QStringLiteral("abc")}));
    QVERIFY(xCampos.Avisos.isEmpty());
}

void TstControleConfig::montaConfigINIFalha()
{
    TControleConfig xControle;
    QVERIFY(xControle.MontaConfigINI(QStringLiteral("a.fdb"), QStringLiteral("u"), QStringLiteral("s")));
    const QString xArquivo = ConfigINI::CaminhoINI();
    QVERIFY(QFile::remove(xArquivo));
    QVERIFY(QDir::current().mkdir(QStringLiteral("Tarnwick.ini")));
    try {
        xControle.MontaConfigINI(QStringLiteral("b.fdb"), QStringLiteral("v"), QStringLiteral("t"));
        QFAIL("the file cannot be written");
    } catch (const EIniFileException& xErro) {
        QCOMPARE(xErro.Message(), QStringLiteral("Unable to write to ") + QDir::toNativeSeparators(xArquivo));
    }
    // The retained copy is the one of the last successful save.
    QCOMPARE(xControle.vArqINI()->ReadString(QStringLiteral("CONEXAO"), QStringLiteral("Caminho")),
             QStringLiteral("a.fdb"));
    QVERIFY(QDir::current().rmdir(QStringLiteral("Tarnwick.ini")));

    // A password the file cannot hold is refused before anything is written.
    QVERIFY_THROWS_EXCEPTION(Exception, xControle.MontaConfigINI(QStringLiteral("c.fdb"), QStringLiteral("w"),
                                                                 QString(QChar(char16_t(0x20AC)))));
    QVERIFY(!QFile::exists(xArquivo));
}

void TstControleConfig::validaConexaoBD_data()
{
    QTest::addColumn<QString>("caminho");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QStringList>("avisos");

    const QString xInvalido = QStringLiteral("Alerta|Caminho do banco de dados não é válido.|edtCaminhoBD");
    QTest::newRow("caminho vazio") << ""
                                   << ""
                                   << ""
                                   << QStringList{"Alerta|Caminho do banco de dados não pode ficar em branco."
                                                  "|edtCaminhoBD"};
    QTest::newRow("caminho local sem arquivo") << "%NADA%"
                                               << "SYSDBA"
                                               << "x" << QStringList{xInvalido};
    QTest::newRow("letra de unidade sem arquivo") << "C:\\Dados\\CORVANE.FDB"
                                                  << "SYSDBA"
                                                  << "x" << QStringList{xInvalido};
    QTest::newRow("pasta nao e arquivo") << "/tmp"
                                         << "SYSDBA"
                                         << "x" << QStringList{xInvalido};
    QTest::newRow("usuario vazio") << "%BANCO%"
                                   << ""
                                   << "x"
                                   << QStringList{"Alerta|Usuário do banco de dados não pode ficar em branco."
                                                  "|edtUsuarioBD"};
    QTest::newRow("senha vazia")
        << "%BANCO%"
        << "SYSDBA"
        << "" << QStringList{"Alerta|Senha do banco de dados não pode ficar em branco.|mskSenhaBD"};
    QTest::newRow("senha com caractere acima de 999")
        << "%BANCO%"
        << "SYSDBA" << QString::fromUtf8("preço€")
        << QStringList{
               "Alerta|Senha do banco de dados contém caractere que não pode ser gravado no arquivo de "
               "configuração.|mskSenhaBD"};
    // A server before the colon is not checked here: the connection decides, and two dialogs follow.
    QTest::newRow("servidor sem resposta")
        << "127.0.0.1/1:%NADA%"
        << "SYSDBA"
        << "x"
        << QStringList{"Erro|" + MSG_CONEXAO_FALHOU + "%CLIENTE%|edtUsuarioBD",
                       "Alerta|" + MSG_NAO_CONECTOU + "|"};
    QTest::newRow("tudo certo") << "%BANCO%"
                                << "SYSDBA"
                                << "x" << QStringList{};
}

void TstControleConfig::validaConexaoBD()
{
    QFETCH(QString, caminho);
    QFETCH(QString, usuario);
    QFETCH(QString, senha);
    QFETCH(QStringList, avisos);

    caminho = Troca(caminho);
    for (QString& xAviso : avisos)
        xAviso = xAviso.replace(QStringLiteral("%CLIENTE%"), MensagemDoCliente(caminho));
    TControleConfig xControle;
    const TControleConfig::TResultado xResultado = xControle.ValidaConexaoBD(caminho, usuario, senha);
    QCOMPARE(Texto(xResultado.Avisos), avisos);
    QCOMPARE(xResultado.Ok, avisos.isEmpty());
    QCOMPARE(xControle.cnCorvane().Connected(), avisos.isEmpty());
}

void TstControleConfig::testaConexaoBD_data()
{
    QTest::addColumn<QString>("caminho");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("aviso");

    QTest::newRow("caminho vazio") << ""
                                   << "SYSDBA"
                                   << "x"
                                   << "Alerta|Caminho do banco de dados não informado.|edtCaminhoBD";
    QTest::newRow("usuario vazio") << "%BANCO%"
                                   << ""
                                   << "x"
                                   << "Alerta|Usuário do banco de dados não informado.|edtUsuarioBD";
    QTest::newRow("senha vazia") << "%BANCO%"
                                 << "SYSDBA"
                                 << ""
                                 << "Alerta|Senha do banco de dados não informado.|mskSenhaBD";
    // Blanks pass the emptiness checks and are trimmed away when applied.
    QTest::newRow("caminho so de brancos") << "   "
                                           << "SYSDBA"
                                           << "x"
                                           << "Erro|" + MSG_CONEXAO_FALHOU + "%CLIENTE%|edtUsuarioBD";
    QTest::newRow("caminho local sem arquivo") << "%NADA%"
                                               << "SYSDBA"
                                               << "x"
                                               << "Erro|" + MSG_CONEXAO_FALHOU + "%CLIENTE%|edtUsuarioBD";
    QTest::newRow("brancos em volta") << " %BANCO% "
                                      << " SYSDBA "
                                      << " x "
                                      << "";
}

void TstControleConfig::testaConexaoBD()
{
    QFETCH(QString, caminho);
    QFETCH(QString, usuario);
    QFETCH(QString, senha);
    QFETCH(QString, aviso);

    caminho = Troca(caminho);
    aviso.replace(QStringLiteral("%CLIENTE%"), MensagemDoCliente(caminho.trimmed()));
    TControleConfig xControle;
    const TControleConfig::TResultado xResultado = xControle.TestaConexaoBD(caminho, usuario, senha);
    QCOMPARE(Texto(xResultado.Avisos), aviso.isEmpty() ? QStringList{} : QStringList{aviso});
    QCOMPARE(xResultado.Ok, aviso.isEmpty());
    QCOMPARE(xControle.cnCorvane().Connected(), aviso.isEmpty());
}

// The same values leave the open connection alone; a changed one reconnects; a failure leaves it closed.
void TstControleConfig::reconectaSoQuandoMuda()
{
    TControleConfig xControle;
    const TConexaoBD& xConexao = xControle.cnCorvane();
    QVERIFY(xControle.TestaConexaoBD(vBanco, QStringLiteral("SYSDBA"), QStringLiteral("x")).Ok);
    QCOMPARE(xConexao.Aberturas(), 1);
    QVERIFY(xControle.TestaConexaoBD(vBanco + u' ', QStringLiteral(" SYSDBA"), QStringLiteral("x")).Ok);
    QCOMPARE(xConexao.Aberturas(), 1);
    QVERIFY(xControle.TestaConexaoBD(vBanco, QStringLiteral("OUTRO"), QStringLiteral("x")).Ok);
    QCOMPARE(xConexao.Aberturas(), 2);
    QCOMPARE(xConexao.UserName(), QStringLiteral("OUTRO"));
    QVERIFY(!xControle.TestaConexaoBD(vNada, QStringLiteral("OUTRO"), QStringLiteral("x")).Ok);
    QVERIFY(!xConexao.Connected());
    QVERIFY(xControle.TestaConexaoBD(vBanco, QStringLiteral("OUTRO"), QStringLiteral("x")).Ok);
    QCOMPARE(xConexao.Aberturas(), 3);
}

QTEST_GUILESS_MAIN(TstControleConfig)
#include "tst_ControleConfig.moc"
