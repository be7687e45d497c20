// A step of 70,000 small notes: its one archive needs zip64 records (more than 65,535 entries), and
// unzip, 7z and Python's zipfile must all accept it.

#include "download/archive/LeitorZip.h"
#include "download/run/DownloadRun.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "download/run/VisaoFalsa.h"
#include "support/NotesService.h"

#include <QTemporaryDir>
#include <QtTest>

class TestDownloadVolume : public QObject
{
    Q_OBJECT

private slots:
    void SetentaMilNotas()
    {
        const QString CNPJ = QStringLiteral("44444444000144");
        TNotesService xServico({"--cnpj", CNPJ, "--types", "NF_E", "--envs", "PRODUCAO", "--per-branch",
                                "70000", "--xml-size", "120", "--cancelled", "0"});
        QVERIFY2(xServico.Iniciar(), qPrintable(xServico.Erro()));
        TRecepcaoNF::get().SetUrlBase(xServico.UrlBase());
        QTemporaryDir xPasta;
        QVERIFY(xPasta.isValid());

        TVisaoFalsa xVisao;
        TFilial xFilial;
        xFilial.CHECKED = QStringLiteral("S");
        xFilial.CGC = CNPJ;
        xVisao.vFiliais = {xFilial};
        xVisao.vCaixas.NFE = true;
        xVisao.vCaixas.Producao = true;
        xVisao.vPasta = xPasta.path();
        TDownloadRun(xVisao).Executa();

        const QString xZip = xPasta.filePath("download_xmls_" + CNPJ + "_NF_E_PRODUCAO.zip");
        QCOMPARE(xVisao.Dialogos(),
                 QStringList{"info:Download de XMLs finalizado.\r\n\r\nCaminho dos arquivos: \r\n"
                             "NF-e: " +
                             QDir::toNativeSeparators(xZip) + "\r\n"});
        QCOMPARE(xVisao.vGaugeMax, 70000);
        QCOMPARE(xVisao.vGauge, 70000);
        QCOMPARE(xServico.LinhasRecebidas().size(), 700);
        QCOMPARE(VerificaZipExterno(xZip, 70000), QString());
        const QStringList xNomes = NomesZip(xZip);
        QCOMPARE(xNomes.size(), 70000);
        QCOMPARE(xNomes.first(), QStringLiteral("NF_E_AUT_1_1_PRODUCAO.xml"));
    }
};

QTEST_GUILESS_MAIN(TestDownloadVolume)
#include "tst_Volume.moc"
