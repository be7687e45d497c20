// The settings page and the start-up flow of the window: which page opens, with which dialogs, for each
// state of Tarnwick.ini; Save, Cancel, Esc, the connection test, the file picker; the branch list loaded
// from a database of the embedded engine into the grid.
#include "ApresentadorRoteirizado.h"
#include "ConfigTeste.h"
#include "TesteApp.h"
#include "app/BotaoImagem.h"
#include "app/DialogoArquivo.h"
#include "app/FiliaisModel.h"
#include "app/Principal.h"
#include "config/ControleConfig.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTableView>
#include <QToolButton>
#include <memory>

namespace {

const QString MSG_SEM_ARQUIVO = QStringLiteral("Arquivo de configuração não encontrado.");
const QString MSG_SEM_ARQUIVO_COM_COPIA = QStringLiteral(
    "Arquivo de configuração não encontrado.\r\nSerão utilizadas as configurações que já foram "
    "carregadas pelo sistema.\r\n\r\nCaso deseje recriar o arquivo de configuração, clique em Salvar.");
const QString MSG_CONEXAO_FALHOU = QStringLiteral("Conexão com banco de dados falhou. Motivo: \r\n");
const QString MSG_SENHA_ILEGIVEL =
    QStringLiteral("Senha do banco de dados gravada no arquivo de configuração não é válida.\r\n"
                   "Informe a senha novamente e clique em Salvar.");

const QList<std::pair<QString, QString>> FILIAIS_ACENTUADAS = {
    {QStringLiteral("Filial São João"), QStringLiteral("11222333000181")},
    {QStringLiteral("Açaí Ltda"), QStringLiteral("45723174000110")},
    {QStringLiteral("Café €"), QStringLiteral("60701190000104")},
};

// A dialog as "Kind|text".
QStringList Resumo(const QList<TDialogoMensagem>& pDialogos)
{
    QStringList xLinhas;
    for (const TDialogoMensagem& xDialogo : pDialogos) {
        const char* xTipo = xDialogo.Tipo == TTipoMensagem::Alerta       ? "Alerta"
                            : xDialogo.Tipo == TTipoMensagem::Erro       ? "Erro"
                            : xDialogo.Tipo == TTipoMensagem::Informacao ? "Info"
                                                                         : "Pergunta";
        xLinhas.append(QLatin1String(xTipo) + u'|' + xDialogo.Texto);
    }
    return xLinhas;
}

// Stands in for the file picker: records each dialog and answers from its script (nothing: cancelled).
class TDialogoArquivoRoteirizado : public TApresentadorDialogoArquivo
{
public:
    TDialogoArquivoRoteirizado() { vAnterior = Define(this); }
    ~TDialogoArquivoRoteirizado() override { Define(vAnterior); }
    TDialogoArquivoRoteirizado(const TDialogoArquivoRoteirizado&) = delete;
    TDialogoArquivoRoteirizado& operator=(const TDialogoArquivoRoteirizado&) = delete;

    std::optional<QString> Apresenta(const TDialogoAbrirArquivo& pDialogo, QWidget*) override
    {
        Filtros.append(pDialogo.Filter);
        NomesIniciais.append(pDialogo.FileName);
        return Respostas.isEmpty() ? std::nullopt : Respostas.takeFirst();
    }

    QList<std::optional<QString>> Respostas;
    QStringList Filtros;
    QStringList NomesIniciais;

private:
    TApresentadorDialogoArquivo* vAnterior = nullptr;
};

// The window created in the test's working directory; the dialogs of its creation are kept apart from
// those that come once it is shown.
struct TJanela
{
    TApresentadorRoteirizado Apresentador;
    std::unique_ptr<TfrmPrincipal> Janela;
    QStringList DialogosCriacao;
    int Terminos = 0;

    TJanela()
    {
        Janela = std::make_unique<TfrmPrincipal>();
        Janela->vSolicitaTermino = [this] { ++Terminos; };
        DialogosCriacao = Resumo(Apresentador.Dialogos);
        Apresentador.Limpa();
    }

    bool Mostra()
    {
        Janela->show();
        Janela->activateWindow();
        return QTest::qWaitForWindowActive(Janela.get());
    }

    QStringList Dialogos() const { return Resumo(Apresentador.Dialogos); }
    bool NaConfig() const { return Janela->pgcPrincipal->currentWidget() == Janela->tsConfig; }
    bool NaPrincipal() const { return Janela->pgcPrincipal->currentWidget() == Janela->tsPrincipal; }
    QString Foco() const
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    QString Marcas() const
    {
        QString xMarcas;
        for (const TFilial& xFilial : Janela->cdsFiliais->Filiais())
            xMarcas += xFilial.CHECKED;
        return xMarcas;
    }

    void Preenche(const QString& pCaminho, const QString& pUsuario, const QString& pSenha)
    {
        Janela->edtCaminhoBD->setText(pCaminho);
        Janela->edtUsuarioBD->setText(pUsuario);
        Janela->mskSenhaBD->setText(pSenha);
    }

    void Esc()
    {
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Janela.get(),
                        Qt::Key_Escape);
    }
};

} // namespace

class TesteConfig : public QObject
{
    Q_OBJECT
private slots:
    void inicioSemConfiguracaoValida_data();
    void inicioSemConfiguracaoValida();
    void inicioComFiliais_data();
    void inicioComFiliais();
    void senhaComGrupoIncompleto_data();
    void senhaComGrupoIncompleto();
    void salvar();
    void salvarRecusado_data();
    void salvarRecusado();
    void salvarSemPermissaoDeGravar();
    void cancelar_data();
    void cancelar();
    void esc();
    void testarConexao();
    void configComArquivoApagado();
    void buscarBanco();
    void filtroDoDialogo();
    void paginaSoMudaPorCodigo();
};

void TesteConfig::inicioSemConfiguracaoValida_data()
{
    QTest::addColumn<QString>("caminho"); // %BANCO%: the test database; "-": no file at all
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("senhaGravada");
    QTest::addColumn<QStringList>("dialogosCriacao");
    QTest::addColumn<QStringList>("dialogosAoMostrar");
    QTest::addColumn<QString>("senhaNoCampo");

    const QString xSenha = TAmbienteConfig::Codifica(QStringLiteral("masterkey"));
    QTest::newRow("sem arquivo") << "-"
                                 << ""
                                 << "" << QStringList{} << QStringList{"Alerta|" + MSG_SEM_ARQUIVO} << "";
    QTest::newRow("caminho vazio") << ""
                                   << "SYSDBA" << xSenha
                                   << QStringList{"Alerta|Caminho do banco de dados não informado."}
                                   << QStringList{} << "masterkey";
    QTest::newRow("usuario vazio") << "%BANCO%"
                                   << "" << xSenha
                                   << QStringList{"Alerta|Usuário do banco de dados não informado."}
                                   << QStringList{} << "masterkey";
    QTest::newRow("senha vazia") << "%BANCO%"
                                 << "SYSDBA"
                                 << "" << QStringList{"Alerta|Senha do banco de dados não informado."}
                                 << QStringList{} << "";
    QTest::newRow("conexao falha") << "%PASTA%/nao-existe.fdb"
                                   << "SYSDBA" << xSenha << QStringList{"Erro|" + MSG_CONEXAO_FALHOU}
                                   << QStringList{} << "masterkey";
    // A file edited by hand: the start-up goes on and the settings page says what is wrong.
    QTest::newRow("senha ilegivel") << "%BANCO%"
                                    << "SYSDBA"
                                    << "abcdef" << QStringList{}
                                    << QStringList{"Alerta|" + MSG_SENHA_ILEGIVEL} << "";
}

void TesteConfig::inicioSemConfiguracaoValida()
{
    QFETCH(QString, caminho);
    QFETCH(QString, usuario);
    QFETCH(QString, senhaGravada);
    QFETCH(QStringList, dialogosCriacao);
    QFETCH(QStringList, dialogosAoMostrar);
    QFETCH(QString, senhaNoCampo);

    TAmbienteConfig xAmbiente;
    const QString xBanco = xAmbiente.CriaBanco(QStringLiteral("filiais.fdb"), FILIAIS_ACENTUADAS);
    caminho.replace(QStringLiteral("%BANCO%"), xBanco)
        .replace(QStringLiteral("%PASTA%"), xAmbiente.Pasta.path());
    if (caminho != u"-")
        xAmbiente.GravaIni(caminho, usuario, senhaGravada);

    TJanela t;
    // The connection failure carries the client's reason after the fixed text.
    if (!dialogosCriacao.isEmpty() && dialogosCriacao.first().startsWith(u"Erro|")) {
        QCOMPARE(t.DialogosCriacao.size(), 1);
        QVERIFY2(t.DialogosCriacao.first().startsWith(dialogosCriacao.first()),
                 qPrintable(t.DialogosCriacao.first()));
        QVERIFY(t.DialogosCriacao.first().size() > dialogosCriacao.first().size());
    } else {
        QCOMPARE(t.DialogosCriacao, dialogosCriacao);
    }
    QVERIFY(t.NaConfig());
    QCOMPARE(t.Janela->btnCancelar->text(), QStringLiteral("&Sair"));

    QVERIFY(t.Mostra());
    QCOMPARE(t.Dialogos(), dialogosAoMostrar);
    QVERIFY(t.NaConfig());
    QCOMPARE(t.Janela->edtCaminhoBD->text(), caminho == u"-" ? QString() : caminho);
    QCOMPARE(t.Janela->edtUsuarioBD->text(), usuario);
    QCOMPARE(t.Janela->mskSenhaBD->text(), senhaNoCampo);
    QVERIFY(!t.Janela->cdsFiliais->Active() || t.Janela->cdsFiliais->IsEmpty());
}

void TesteConfig::inicioComFiliais_data()
{
    QTest::addColumn<int>("quantidade");
    QTest::addColumn<QString>("marcas");
    QTest::addColumn<bool>("gradeHabilitada");
    QTest::addColumn<QString>("foco");

    QTest::newRow("varias filiais") << 3 << "SNN" << true << "dbgFiliais";
    QTest::newRow("uma filial") << 1 << "S" << false << "mskDataIni";
    QTest::newRow("nenhuma filial") << 0 << "" << true << "dbgFiliais";
}

void TesteConfig::inicioComFiliais()
{
    QFETCH(int, quantidade);
    QFETCH(QString, marcas);
    QFETCH(bool, gradeHabilitada);
    QFETCH(QString, foco);

    TAmbienteConfig xAmbiente;
    xAmbiente.Configura(FILIAIS_ACENTUADAS.mid(0, quantidade));
    TJanela t;
    QCOMPARE(t.DialogosCriacao, QStringList{});
    QVERIFY(t.NaPrincipal());
    QCOMPARE(t.Janela->btnCancelar->text(), QStringLiteral("&Cancelar"));

    QVERIFY(t.Mostra());
    QCOMPARE(t.Dialogos(), QStringList{});
    QVERIFY(t.NaPrincipal());
    QVERIFY(t.Janela->cdsFiliais->Active());
    QCOMPARE(t.Marcas(), marcas);
    QCOMPARE(t.Janela->dbgFiliais->isEnabled(), gradeHabilitada);
    QCOMPARE(t.Janela->chkTodasFiliais->isEnabled(), gradeHabilitada);
    QCOMPARE(t.Foco(), foco);

    // The accented names reach the grid as the database holds them.
    const QAbstractItemModel* xModelo = t.Janela->dbgFiliais->model();
    QCOMPARE(xModelo->rowCount(), quantidade);
    for (int i = 0; i < quantidade; ++i) {
        const QString xCodigo = QStringLiteral("%1").arg(i + 1, 2, 10, QChar(u'0'));
        QCOMPARE(xModelo->data(xModelo->index(i, TClientDataSetFiliais::DESCRICAO)).toString(),
                 xCodigo + QStringLiteral(" - ") + FILIAIS_ACENTUADAS[i].first);
        QCOMPARE(xModelo->data(xModelo->index(i, TClientDataSetFiliais::CGC)).toString(),
                 FILIAIS_ACENTUADAS[i].second);
    }
}

void TesteConfig::senhaComGrupoIncompleto_data()
{
    QTest::addColumn<QString>("senhaGravada");
    const QString xSenha = TAmbienteConfig::Codifica(QStringLiteral("masterkey"));
    QTest::newRow("um digito a mais") << xSenha + u'7';
    QTest::newRow("dois digitos a mais") << xSenha + QStringLiteral("07");
    QTest::newRow("um grupo e um digito") << QStringLiteral("0971");
}

// A stored password one or two digits past its last whole group: those digits are ignored, at start-up
// (the connection gets the decoded password) and on the settings page (the field shows it).
void TesteConfig::senhaComGrupoIncompleto()
{
    QFETCH(QString, senhaGravada);
    const QString xEsperada = senhaGravada.size() < 9 ? QStringLiteral("a") : QStringLiteral("masterkey");
    TAmbienteConfig xAmbiente;
    const QString xBanco = xAmbiente.CriaBanco(QStringLiteral("filiais.fdb"), FILIAIS_ACENTUADAS);
    xAmbiente.GravaIni(xBanco, QStringLiteral("SYSDBA"), senhaGravada);

    TJanela t;
    QCOMPARE(t.DialogosCriacao, QStringList{});
    QVERIFY(t.NaPrincipal());
    QCOMPARE(t.Janela->ControleConfig().cnCorvane().Password(), xEsperada);
    QVERIFY(t.Mostra());
    QCOMPARE(t.Marcas(), QStringLiteral("SNN"));

    QTest::mouseClick(t.Janela->btnConfig, Qt::LeftButton);
    QVERIFY(t.NaConfig());
    QCOMPARE(t.Dialogos(), QStringList{});
    QCOMPARE(t.Janela->mskSenhaBD->text(), xEsperada);
}

void TesteConfig::salvar()
{
    TAmbienteConfig xAmbiente;
    const QString xBanco = xAmbiente.CriaBanco(QStringLiteral("filiais.fdb"), FILIAIS_ACENTUADAS);
    TJanela t;
    QVERIFY(t.Mostra());
    QVERIFY(t.NaConfig());
    t.Apresentador.Limpa();
    // A filter typed before is cleared by the save.
    t.Janela->edtSerieIni->setText(QStringLiteral("5"));

    t.Preenche(xBanco, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"));
    QTest::mouseClick(t.Janela->btnSalvar, Qt::LeftButton);

    QCOMPARE(t.Dialogos(), QStringList{});
    QVERIFY(t.NaPrincipal());
    QCOMPARE(t.Janela->btnCancelar->text(), QStringLiteral("&Cancelar"));
    QCOMPARE(t.Marcas(), QStringLiteral("SNN"));
    QCOMPARE(t.Janela->edtSerieIni->text(), QString());
    QCOMPARE(t.Foco(), QStringLiteral("dbgFiliais"));
    QVERIFY(!QApplication::overrideCursor());

    QFile xIni(xAmbiente.Ini());
    QVERIFY(xIni.open(QIODevice::ReadOnly));
    const QString xTexto = QString::fromLatin1(xIni.readAll());
    QVERIFY2(xTexto.contains(QStringLiteral("Caminho=") + xBanco), qPrintable(xTexto));
    QVERIFY(xTexto.contains(QStringLiteral("Usuario=SYSDBA")));
    QVERIFY(xTexto.contains(QStringLiteral("Senha=121101107114101116115097109")));

    // The next start finds the saved file and opens on the main page.
    TJanela xSegunda;
    QCOMPARE(xSegunda.DialogosCriacao, QStringList{});
    QVERIFY(xSegunda.NaPrincipal());
}

void TesteConfig::salvarRecusado_data()
{
    QTest::addColumn<QString>("caminho");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QStringList>("dialogos");
    QTest::addColumn<QString>("foco");

    QTest::newRow("caminho vazio")
        << ""
        << "SYSDBA"
        << "masterkey" << QStringList{"Alerta|Caminho do banco de dados não pode ficar em branco."}
        << "edtCaminhoBD";
    QTest::newRow("arquivo inexistente")
        << "%PASTA%/nada.fdb"
        << "SYSDBA"
        << "masterkey" << QStringList{"Alerta|Caminho do banco de dados não é válido."} << "edtCaminhoBD";
    QTest::newRow("usuario vazio")
        << "%BANCO%"
        << ""
        << "masterkey" << QStringList{"Alerta|Usuário do banco de dados não pode ficar em branco."}
        << "edtUsuarioBD";
    QTest::newRow("senha vazia") << "%BANCO%"
                                 << "SYSDBA"
                                 << ""
                                 << QStringList{"Alerta|Senha do banco de dados não pode ficar em branco."}
                                 << "mskSenhaBD";
}

void TesteConfig::salvarRecusado()
{
    QFETCH(QString, caminho);
    QFETCH(QString, usuario);
    QFETCH(QString, senha);
    QFETCH(QStringList, dialogos);
    QFETCH(QString, foco);

    TAmbienteConfig xAmbiente;
    const QString xBanco = xAmbiente.CriaBanco(QStringLiteral("filiais.fdb"), FILIAIS_ACENTUADAS);
    caminho.replace(QStringLiteral("%BANCO%"), xBanco)
        .replace(QStringLiteral("%PASTA%"), xAmbiente.Pasta.path());
    TJanela t;
    QVERIFY(t.Mostra());
    t.Apresentador.Limpa();
    t.Preenche(caminho, usuario, senha);
    t.Janela->btnSalvar->setFocus();
    QTest::mouseClick(t.Janela->btnSalvar, Qt::LeftButton);

    QCOMPARE(t.Dialogos(), dialogos);
    QCOMPARE(t.Foco(), foco);
    QVERIFY(t.NaConfig());
    QCOMPARE(t.Janela->btnCancelar->text(), QStringLiteral("&Sair"));
    QVERIFY(!QFile::exists(xAmbiente.Ini()));
    QVERIFY(!QApplication::overrideCursor());
}

void TesteConfig::salvarSemPermissaoDeGravar()
{
    TAmbienteConfig xAmbiente;
    const QString xBanco = xAmbiente.CriaBanco(QStringLiteral("filiais.fdb"), FILIAIS_ACENTUADAS);
    TJanela t;
    QVERIFY(t.Mostra());
    t.Apresentador.Limpa();
    // A folder where the file should be: the writer cannot create it.
    QVERIFY(QDir(xAmbiente.Pasta.path()).mkdir(QStringLiteral("Tarnwick.ini")));
    t.Preenche(xBanco, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"));
    QTest::mouseClick(t.Janela->btnSalvar, Qt::LeftButton);

    QCOMPARE(t.Apresentador.Dialogos.size(), 1);
    QCOMPARE(t.Apresentador.Dialogos.first().Tipo, TTipoMensagem::Erro);
    QVERIFY(t.NaConfig());
    QCOMPARE(t.Janela->btnCancelar->text(), QStringLiteral("&Sair"));
    QVERIFY(!t.Janela->cdsFiliais->Active() || t.Janela->cdsFiliais->IsEmpty());
}

void TesteConfig::cancelar_data()
{
    QTest::addColumn<QString>("situacao");
    QTest::addColumn<QList<int>>("respostas");
    QTest::addColumn<QStringList>("dialogos");
    QTest::addColumn<bool>("principal");
    QTest::addColumn<int>("terminos");

    QTest::newRow("sem arquivo, confirma sair")
        << "sem arquivo" << QList<int>{TApresentadorRoteirizado::SIM}
        << QStringList{"Pergunta|Deseja realmente sair?"} << false << 1;
    QTest::newRow("sem arquivo, desiste") << "sem arquivo" << QList<int>{TApresentadorRoteirizado::NAO}
                                          << QStringList{"Pergunta|Deseja realmente sair?"} << false << 0;
    // A configuration was loaded during the run: the main page opens, with no branches.
    QTest::newRow("conexao falha") << "falha" << QList<int>{} << QStringList{"Erro|" + MSG_CONEXAO_FALHOU}
                                   << true << 0;
    QTest::newRow("configuracao valida") << "valida" << QList<int>{} << QStringList{} << true << 0;
}

void TesteConfig::cancelar()
{
    QFETCH(QString, situacao);
    QFETCH(QList<int>, respostas);
    QFETCH(QStringList, dialogos);
    QFETCH(bool, principal);
    QFETCH(int, terminos);

    TAmbienteConfig xAmbiente;
    const QString xSenha = TAmbienteConfig::Codifica(QStringLiteral("masterkey"));
    if (situacao == u"falha")
        xAmbiente.GravaIni(xAmbiente.Arquivo(QStringLiteral("nada.fdb")), QStringLiteral("SYSDBA"), xSenha);
    const bool xValida = situacao == u"valida";
    if (xValida)
        xAmbiente.Configura(FILIAIS_ACENTUADAS);
    TJanela t;
    QVERIFY(t.Mostra());
    if (xValida) {
        QTest::mouseClick(t.Janela->btnConfig, Qt::LeftButton);
        QCOMPARE(t.Janela->btnCancelar->text(), QStringLiteral("&Cancelar"));
        // Unsaved changes are not used: the file's values are tested again.
        t.Janela->edtCaminhoBD->setText(xAmbiente.Arquivo(QStringLiteral("outro.fdb")));
    }
    QVERIFY(t.NaConfig());
    t.Apresentador.Limpa();
    t.Apresentador.Respostas = respostas;
    QTest::mouseClick(t.Janela->btnCancelar, Qt::LeftButton);

    const QStringList xDialogos = t.Dialogos();
    QCOMPARE(xDialogos.size(), dialogos.size());
    for (qsizetype i = 0; i < dialogos.size(); ++i)
        QVERIFY2(xDialogos[i].startsWith(dialogos[i]), qPrintable(xDialogos[i]));
    QCOMPARE(t.NaPrincipal(), principal);
    QCOMPARE(t.Terminos, terminos);
    // Cancel does not reload the branches.
    QCOMPARE(t.Marcas(), xValida ? QStringLiteral("SNN") : QString());
}

void TesteConfig::esc()
{
    TAmbienteConfig xAmbiente;
    TJanela t;
    QVERIFY(t.Mostra());
    QVERIFY(t.NaConfig());
    t.Apresentador.Limpa();

    // No file: nothing happens, not even the closing question.
    t.Esc();
    QCOMPARE(t.Dialogos(), QStringList{});
    QVERIFY(t.NaConfig());
    QCOMPARE(t.Terminos, 0);

    // A file whose connection fails: its dialog, and the page stays (no fallback on the loaded copy).
    xAmbiente.GravaIni(xAmbiente.Arquivo(QStringLiteral("nada.fdb")), QStringLiteral("SYSDBA"),
                       TAmbienteConfig::Codifica(QStringLiteral("masterkey")));
    t.Esc();
    QCOMPARE(t.Apresentador.Dialogos.size(), 1);
    QVERIFY(t.Dialogos().first().startsWith(QStringLiteral("Erro|") + MSG_CONEXAO_FALHOU));
    QVERIFY(t.NaConfig());
    t.Apresentador.Limpa();

    // A working file: back to the main page, the branch list not loaded by this path.
    xAmbiente.Configura(FILIAIS_ACENTUADAS);
    t.Janela->edtSerieIni->setText(QStringLiteral("3"));
    t.Esc();
    QCOMPARE(t.Dialogos(), QStringList{});
    QVERIFY(t.NaPrincipal());
    QCOMPARE(t.Janela->edtSerieIni->text(), QStringLiteral("3"));
    QCOMPARE(t.Marcas(), QString());
}

void TesteConfig::testarConexao()
{
    TAmbienteConfig xAmbiente;
    const QString xBanco = xAmbiente.CriaBanco(QStringLiteral("filiais.fdb"), FILIAIS_ACENTUADAS);
    TJanela t;
    QVERIFY(t.Mostra());
    t.Apresentador.Limpa();

    // No field check beyond emptiness: a local path with no file goes to the engine.
    t.Preenche(xAmbiente.Arquivo(QStringLiteral("nada.fdb")), QStringLiteral("SYSDBA"), QStringLiteral("x"));
    QTest::mouseClick(t.Janela->btnTestaConexaoBD, Qt::LeftButton);
    QCOMPARE(t.Apresentador.Dialogos.size(), 1);
    QVERIFY(t.Dialogos().first().startsWith(QStringLiteral("Erro|") + MSG_CONEXAO_FALHOU));
    QCOMPARE(t.Foco(), QStringLiteral("edtUsuarioBD"));
    t.Apresentador.Limpa();

    t.Preenche(xBanco, QStringLiteral("SYSDBA"), QString());
    QTest::mouseClick(t.Janela->btnTestaConexaoBD, Qt::LeftButton);
    QCOMPARE(t.Dialogos(), QStringList{"Alerta|Senha do banco de dados não informado."});
    QCOMPARE(t.Foco(), QStringLiteral("mskSenhaBD"));
    t.Apresentador.Limpa();

    t.Preenche(xBanco, QStringLiteral("SYSDBA"), QStringLiteral("masterkey"));
    QTest::mouseClick(t.Janela->btnTestaConexaoBD, Qt::LeftButton);
    QCOMPARE(t.Dialogos(), QStringList{"Info|Conexão realizada com sucesso."});
    QCOMPARE(t.Foco(), QStringLiteral("btnSalvar"));
    // A test saves nothing and stays on the page.
    QVERIFY(t.NaConfig());
    QVERIFY(!QFile::exists(xAmbiente.Ini()));
}

void TesteConfig::configComArquivoApagado()
{
    TAmbienteConfig xAmbiente;
    const QString xBanco = xAmbiente.Configura(FILIAIS_ACENTUADAS);
    TJanela t;
    QVERIFY(t.Mostra());
    QVERIFY(t.NaPrincipal());
    t.Apresentador.Limpa();

    QTest::mouseClick(t.Janela->btnConfig, Qt::LeftButton);
    QCOMPARE(t.Dialogos(), QStringList{});
    QVERIFY(t.NaConfig());
    QCOMPARE(t.Janela->edtCaminhoBD->text(), xBanco);
    QCOMPARE(t.Janela->mskSenhaBD->text(), QStringLiteral("masterkey"));

    // The file goes away: the retained values come back with the long warning.
    QVERIFY(QFile::remove(xAmbiente.Ini()));
    t.Janela->edtCaminhoBD->setText(QStringLiteral("digitado"));
    QTest::mouseClick(t.Janela->btnConfig, Qt::LeftButton);
    QCOMPARE(t.Dialogos(), QStringList{"Alerta|" + MSG_SEM_ARQUIVO_COM_COPIA});
    QCOMPARE(t.Janela->edtCaminhoBD->text(), xBanco);
    QCOMPARE(t.Janela->edtUsuarioBD->text(), QStringLiteral("SYSDBA"));
    QCOMPARE(t.Janela->mskSenhaBD->text(), QStringLiteral("masterkey"));

    // Save writes it again.
    t.Apresentador.Limpa();
    QTest::mouseClick(t.Janela->btnSalvar, Qt::LeftButton);
    QCOMPARE(t.Dialogos(), QStringList{});
    QVERIFY(QFile::exists(xAmbiente.Ini()));
    QVERIFY(t.NaPrincipal());
}

void TesteConfig::buscarBanco()
{
    TAmbienteConfig xAmbiente;
    TDialogoArquivoRoteirizado xDialogo;
    TJanela t;
    QVERIFY(t.Mostra());
    t.Apresentador.Limpa();
    t.Janela->edtCaminhoBD->setText(QStringLiteral("antes"));
    t.Janela->edtCaminhoBD->setFocus();

    // Cancelled: nothing changes.
    QTest::mouseClick(t.Janela->btnBuscarBD, Qt::LeftButton);
    QCOMPARE(t.Janela->edtCaminhoBD->text(), QStringLiteral("antes"));

    const QString xEscolhido = xAmbiente.Arquivo(QStringLiteral("EMPRESA.FDB"));
    xDialogo.Respostas = {xEscolhido, std::nullopt};
    QTest::mouseClick(t.Janela->btnBuscarBD, Qt::LeftButton);
    QCOMPARE(t.Janela->edtCaminhoBD->text(), xEscolhido);
    QCOMPARE(t.Foco(), QStringLiteral("edtUsuarioBD"));

    // Browsing again starts without a file name; cancelling keeps the chosen path.
    QTest::mouseClick(t.Janela->btnBuscarBD, Qt::LeftButton);
    QCOMPARE(t.Janela->edtCaminhoBD->text(), xEscolhido);

    QCOMPARE(xDialogo.NomesIniciais, QStringList({"", "", ""}));
    const QString xFiltro = QStringLiteral("Banco de Dados Firebird|*.FB;*.FDB;*.GDB | *.fb;*.fdb;*.gdb");
    QCOMPARE(xDialogo.Filtros, QStringList({xFiltro, xFiltro, xFiltro}));
    QCOMPARE(t.Dialogos(), QStringList{});
}

void TesteConfig::filtroDoDialogo()
{
    QCOMPARE(TDialogoAbrirArquivo::FiltroDoToolkit(
                 QStringLiteral("Banco de Dados Firebird|*.FB;*.FDB;*.GDB | *.fb;*.fdb;*.gdb")),
             QStringLiteral("Banco de Dados Firebird (*.FB *.FDB *.GDB | *.fb *.fdb *.gdb)"));
    QCOMPARE(TDialogoAbrirArquivo::FiltroDoToolkit(QStringLiteral("*.txt")), QStringLiteral("(*.txt)"));
}

void TesteConfig::paginaSoMudaPorCodigo()
{
    TAmbienteConfig xAmbiente;
    TJanela t;
    QVERIFY(t.Mostra());
    QVERIFY(t.NaConfig());
    t.Apresentador.Limpa();
    using TTecla = std::pair<Qt::Key, Qt::KeyboardModifiers>;
    const QList<TTecla> xTeclas = {{Qt::Key_Tab, Qt::ControlModifier},
                                   {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier},
                                   {Qt::Key_PageDown, Qt::ControlModifier},
                                   {Qt::Key_PageUp, Qt::ControlModifier}};
    for (const auto& [xTecla, xModificadores] : xTeclas) {
        QTest::keyClick(QApplication::focusWidget(), xTecla, xModificadores);
        QVERIFY(t.NaConfig());
    }
    bool xPermite = true;
    t.Janela->pgcPrincipalChanging(xPermite);
    QVERIFY(!xPermite);
    QCOMPARE(t.Dialogos(), QStringList{});
}

TARNWICK_APP_TEST_MAIN(TesteConfig)
#include "tst_config.moc"
