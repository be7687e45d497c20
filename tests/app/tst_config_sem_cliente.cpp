// A machine without the Firebird client library: the program still starts, opens on the settings page
// and says why the connection failed. A program of its own: the library is looked for once per process.
#include "ApresentadorRoteirizado.h"
#include "TesteApp.h"
#include "app/BotaoImagem.h"
#include "app/Principal.h"
#include "config/ClienteFirebird.h"
#include "config/Criptografia.h"

#include <QFile>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

class TesteConfigSemCliente : public QObject
{
    Q_OBJECT

private slots:
    void inicioSemBibliotecaCliente();
};

void TesteConfigSemCliente::inicioSemBibliotecaCliente()
{
    QTemporaryDir xVazia;
    QVERIFY(xVazia.isValid());
    QStringList xNomes;
    for (const char* xNome : {"libfbclient.so.2", "libfbclient.so", "libgds.so.0", "libgds.so"})
        xNomes.append(xVazia.filePath(QLatin1String(xNome)));
    ClienteFirebird::DefineNomesBiblioteca(xNomes);

    const QString xSenha = TCriptografia::get().EncriptaASCII(QStringLiteral("masterkey"), 9);
    QFile xIni(QStringLiteral("Tarnwick.ini"));
    QVERIFY(xIni.open(QIODevice::WriteOnly));
    xIni.write("[CONEXAO]\r\nCaminho=/dados/corvane.fdb\r\nUsuario=SYSDBA\r\nSenha=" + xSenha.toLatin1() + "\r\n");
    xIni.close();

    TApresentadorRoteirizado xApresentador;
    TfrmPrincipal xJanela;
    xJanela.vSolicitaTermino = [] {};
    QCOMPARE(xApresentador.Dialogos.size(), 1);
    QCOMPARE(xApresentador.Dialogos[0].Tipo, TTipoMensagem::Erro);
    const QString xTexto = xApresentador.Dialogos[0].Texto;
    const QString xInicio = QStringLiteral("Conexão com banco de dados falhou. Motivo: \r\n"
                                           "Biblioteca cliente do Firebird não encontrada (%1).\r\n")
                                .arg(xNomes.join(QStringLiteral(", ")));
    QVERIFY2(xTexto.startsWith(xInicio), qPrintable(xTexto));
    QVERIFY(xJanela.pgcPrincipal->currentWidget() == xJanela.tsConfig);
    QCOMPARE(xJanela.btnCancelar->text(), QStringLiteral("&Sair"));

    xApresentador.Dialogos.clear();
    xJanela.show();
    QVERIFY(QTest::qWaitForWindowExposed(&xJanela));
    QCOMPARE(xApresentador.Dialogos.size(), 0);
    QCOMPARE(xJanela.edtCaminhoBD->text(), QStringLiteral("/dados/corvane.fdb"));
    QCOMPARE(xJanela.mskSenhaBD->text(), QStringLiteral("masterkey"));

    // The test button tries again, and fails the same way.
    QTest::mouseClick(xJanela.btnTestaConexaoBD, Qt::LeftButton);
    QCOMPARE(xApresentador.Dialogos.size(), 1);
    QVERIFY2(xApresentador.Dialogos[0].Texto.startsWith(xInicio), qPrintable(xApresentador.Dialogos[0].Texto));
}

TARNWICK_APP_TEST_MAIN(TesteConfigSemCliente)
#include "tst_config_sem_cliente.moc"
