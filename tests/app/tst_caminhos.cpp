// The paths a user sees, as the system writes them (backslashes on Windows, unchanged on Linux): the
// database path picked in the settings page and saved in Tarnwick.ini, the configuration file's write
// failure and the archive's failures. A server's database path is the server's and stays as typed.
#include "ApresentadorRoteirizado.h"
#include "TesteApp.h"
#include "app/DialogoArquivo.h"
#include "app/Principal.h"
#include "config/ArquivoIni.h"
#include "config/ControleConfig.h"
#include "download/archive/ZipArquivo.h"
#include "download/archive/ZipEmCurso.h"
#include "util/Exception.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <functional>
#include <optional>

namespace {

// Answers the settings page's file picker with one file.
class TArquivoEscolhido : public TApresentadorDialogoArquivo
{
public:
    explicit TArquivoEscolhido(QString pArquivo) : vArquivo(std::move(pArquivo)) { vAnterior = Define(this); }
    ~TArquivoEscolhido() override { Define(vAnterior); }
    TArquivoEscolhido(const TArquivoEscolhido&) = delete;
    TArquivoEscolhido& operator=(const TArquivoEscolhido&) = delete;
    std::optional<QString> Apresenta(const TDialogoAbrirArquivo&, QWidget*) override { return vArquivo; }

private:
    QString vArquivo;
    TApresentadorDialogoArquivo* vAnterior = nullptr;
};

// The message a failure raises.
QString FalhaDe(const std::function<void()>& pAcao)
{
    try {
        pAcao();
    } catch (const Exception& e) {
        return e.Message();
    }
    return QStringLiteral("<no failure>");
}

} // namespace

class TesteCaminhos : public QObject
{
    Q_OBJECT

private slots:
    // Each row: the path (as the toolkit writes it) and the text that shows it.
    void textos_data()
    {
        QTest::addColumn<QString>("caminho");
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QString>("modelo"); // the text with %1 where the path shows

        const QString xPasta = QDir::currentPath(); // an empty working folder of the test's own
        const QString xBanco = xPasta + QStringLiteral("/dados/EMPRESA.FDB");

        {
            TApresentadorRoteirizado xDialogos;
            TfrmPrincipal xJanela;
            xJanela.vSolicitaTermino = [] {};
            TArquivoEscolhido xEscolha(xBanco);
            xJanela.btnBuscarBD->click();
            QTest::newRow("settings field, picked") << xBanco << xJanela.edtCaminhoBD->text() << "%1";

            // Typed with forward slashes, saved: the field and the file show it as the system writes it.
            xJanela.edtCaminhoBD->setText(xBanco);
            xJanela.edtUsuarioBD->setText(QStringLiteral("SYSDBA"));
            xJanela.mskSenhaBD->setText(QStringLiteral("masterkey"));
            xJanela.MontaConfigINI();
            QTest::newRow("settings field, saved") << xBanco << xJanela.edtCaminhoBD->text() << "%1";
        }
        QFile xIni(QStringLiteral("Tarnwick.ini"));
        QString xLinha;
        if (xIni.open(QIODevice::ReadOnly)) {
            const QRegularExpressionMatch xCaminho = QRegularExpression(QStringLiteral("Caminho=([^\r\n]*)"))
                                                         .match(QString::fromLatin1(xIni.readAll()));
            xLinha = xCaminho.captured(0);
        }
        xIni.close();
        QTest::newRow("Tarnwick.ini") << xBanco << xLinha << "Caminho=%1";

        // A configuration file that cannot be written: here a folder stands where it would be.
        QVERIFY(xIni.remove());
        QVERIFY(QDir().mkdir(QStringLiteral("Tarnwick.ini")));
        const QString xIniCaminho = xPasta + QStringLiteral("/Tarnwick.ini");
        QTest::newRow("Unable to write to") << xIniCaminho << FalhaDe([] {
            TControleConfig().MontaConfigINI(QStringLiteral("b.fdb"), QStringLiteral("SYSDBA"),
                                             QStringLiteral("masterkey"));
        }) << "Unable to write to %1";
        QDir().rmdir(QStringLiteral("Tarnwick.ini"));

        // The archives' failures, in a folder that is not there.
        const QString xSemPasta = xPasta + QStringLiteral("/nao existe");
        const QString xZip = xSemPasta + QStringLiteral("/download_xmls_1_NF_E_PRODUCAO.zip");
        QTest::newRow("archive not created") << xZip << FalhaDe([&] {
            TZipEmCurso(xSemPasta, QStringLiteral("download_xmls_1_NF_E_PRODUCAO"));
        }) << "Não foi possível criar o arquivo \"%1\": ";
        QTest::newRow("empty archive not created")
            << xZip << FalhaDe([&] { CriaZipVazio(xZip); }) << "Não foi possível criar o arquivo \"%1\": ";
        QTest::newRow("archive not opened") << xZip << FalhaDe([&] { TZipEscritor xEscritor(xZip); })
                                            << "Não foi possível abrir o arquivo \"%1\": ";
    }
    void textos()
    {
        QFETCH(QString, caminho);
        QFETCH(QString, texto);
        QFETCH(QString, modelo);
        const QString xEsperado = modelo.arg(QDir::toNativeSeparators(caminho));
        QVERIFY2(texto.startsWith(xEsperado), qPrintable(texto + QStringLiteral(" | ") + xEsperado));
#ifdef Q_OS_WIN
        QVERIFY2(!texto.contains(u'/'), qPrintable(texto));
#endif
    }

    // Which database paths are the system's own: a server reads its path as it was typed.
    void caminhoDoBanco_data()
    {
        QTest::addColumn<QString>("caminho");
        QTest::addColumn<bool>("local");
        QTest::newRow("drive") << "C:/Dados/EMPRESA.FDB" << true;
        QTest::newRow("drive, mixed") << "C:\\Dados/EMPRESA.FDB" << true;
        QTest::newRow("UNC") << "//servidor/dados/EMPRESA.FDB" << true;
        QTest::newRow("relative") << "dados/EMPRESA.FDB" << true;
        QTest::newRow("absolute, Linux") << "/var/dados/empresa.fdb" << true;
        QTest::newRow("server, Linux path") << "servidor:/var/dados/empresa.fdb" << false;
        QTest::newRow("server and port") << "127.0.0.1/3050:/var/dados/empresa.fdb" << false;
        QTest::newRow("server, Windows path") << "servidor:C:/Dados/EMPRESA.FDB" << false;
        QTest::newRow("empty") << "" << true;
    }
    void caminhoDoBanco()
    {
        QFETCH(QString, caminho);
        QFETCH(bool, local);
        QCOMPARE(TControleConfig::CaminhoBDNativo(caminho),
                 local ? QDir::toNativeSeparators(caminho) : caminho);
    }
};

TARNWICK_APP_TEST_MAIN(TesteCaminhos)
#include "tst_caminhos.moc"
