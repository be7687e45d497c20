// The ZIP archives of a download: names, creation, entries, failures; read back with Python's zipfile,
// unzip and 7z, never only with our own code.

#include "download/archive/LeitorZip.h"
#include "download/run/DownloadRun.h"
#include "download/archive/ZipArquivo.h"
#include "download/archive/ZipNomes.h"
#include "download/run/VisaoFalsa.h"
#include "util/Clock.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {

TNota Nota(const QString& pNumero, const QByteArray& pXml, const QByteArray& pXmlCancelamento = {})
{
    TNota xNota;
    xNota.TipoNFe = QStringLiteral("NF_E");
    xNota.NumNF = pNumero;
    xNota.Serie = QStringLiteral("1");
    xNota.TipoAmbiente = QStringLiteral("PRODUCAO");
    xNota.Xml = pXml;
    xNota.XmlCancelamento = pXmlCancelamento;
    return xNota;
}

QByteArray LeArquivo(const QString& pCaminho)
{
    QFile xArquivo(pCaminho);
    return xArquivo.open(QIODevice::ReadOnly) ? xArquivo.readAll() : QByteArray("<ausente>");
}

void Grava(const QString& pCaminho, const QByteArray& pDados)
{
    QFile xArquivo(pCaminho);
    QVERIFY(xArquivo.open(QIODevice::WriteOnly));
    xArquivo.write(pDados);
}

} // namespace

class TestZip : public QObject
{
    Q_OBJECT

    QTemporaryDir vPasta;
    TVisaoFalsa vVisao;

    // A step of CNPJ 12345678000195, NF-e, production, as the fetch loop leaves it.
    void Passo(const QString& pCnpj = QStringLiteral("12345678000195"))
    {
        vVisao = TVisaoFalsa();
        vVisao.vEstado.vCurrentCnpj = pCnpj;
        vVisao.vEstado.vCurrentNFe = QStringLiteral("NF_E");
        vVisao.vEstado.vCurrentTipoAmbiente = QStringLiteral("PRODUCAO");
    }
    QString Caminho(const QString& pNome) const { return vPasta.filePath(pNome); }

private slots:
    void init()
    {
        QVERIFY(vPasta.isValid());
        QDir xPasta(vPasta.path());
        for (const QString& xNome : xPasta.entryList(QDir::Files | QDir::Hidden | QDir::System))
            xPasta.remove(xNome);
        Passo();
    }

    void NomeSeguro_data()
    {
        QTest::addColumn<QString>("parte");
        QTest::addColumn<QString>("nome");
        QTest::newRow("digits kept") << "12345678000195"
                                     << "12345678000195";
        QTest::newRow("punctuated CNPJ") << "12.345.678/0001-95"
                                         << "12.345.678_0001-95";
        QTest::newRow("backslash") << "..\\..\\x"
                                   << ".._.._x";
        QTest::newRow("windows reserved") << "a<b>c:d\"e|f?g*h"
                                          << "a_b_c_d_e_f_g_h";
        QTest::newRow("control characters") << QString("a\tb\nc") + QChar(0x7F) << "a_b_c_";
        QTest::newRow("dot dot") << ".."
                                 << "__";
        QTest::newRow("dot") << "."
                             << "_";
        QTest::newRow("dots inside kept") << "1.2..3"
                                          << "1.2..3";
        QTest::newRow("accents kept") << "Série ção"
                                      << "Série ção";
        QTest::newRow("empty") << ""
                               << "";
    }
    void NomeSeguro()
    {
        QFETCH(QString, parte);
        QFETCH(QString, nome);
        QCOMPARE(::NomeSeguro(parte), nome);
    }

    void NomesDasEntradas()
    {
        TNota xNota = Nota(QStringLiteral("123"), "x");
        xNota.Serie = QStringLiteral("2");
        xNota.TipoAmbiente = QStringLiteral("HOMOLOGACAO");
        QCOMPARE(NomeEntradaAutorizada(xNota), QStringLiteral("NF_E_AUT_123_2_HOMOLOGACAO.xml"));
        QCOMPARE(NomeEntradaCancelamento(xNota), QStringLiteral("CANC_NF_E_123_2_HOMOLOGACAO.xml"));
        xNota.NumNF = QStringLiteral("../../etc/x");
        xNota.Serie = QStringLiteral("..");
        QCOMPARE(NomeEntradaAutorizada(xNota), QStringLiteral("NF_E_AUT_.._.._etc_x____HOMOLOGACAO.xml"));
    }

    // Names already taken in the folder -> the name the new archive gets.
    void CriaZipFile_data()
    {
        QTest::addColumn<QStringList>("existentes");
        QTest::addColumn<QString>("esperado");
        const QString B = QStringLiteral("download_xmls_12345678000195_NF_E_PRODUCAO");
        QTest::newRow("free") << QStringList() << B + ".zip";
        QTest::newRow("first taken") << QStringList{B + ".zip"} << B + " (1).zip";
        QTest::newRow("first and (1) taken") << QStringList{B + ".zip", B + " (1).zip"} << B + " (2).zip";
        QTest::newRow("only (1) taken") << QStringList{B + " (1).zip"} << B + ".zip";
        QTest::newRow("a folder of that name") << QStringList{B + ".zip/"} << B + " (1).zip";
    }
    void CriaZipFile()
    {
        QFETCH(QStringList, existentes);
        QFETCH(QString, esperado);
        for (const QString& xNome : existentes) {
            if (xNome.endsWith(QLatin1Char('/')))
                QVERIFY(QDir(vPasta.path()).mkdir(xNome.chopped(1)));
            else
                Grava(Caminho(xNome), "taken " + xNome.toUtf8());
        }
        TDownloadRun xRun(vVisao);
        const QString xCaminho = xRun.CriaZipFile(vPasta.path());
        QCOMPARE(xCaminho, Caminho(esperado));
        QCOMPARE(vVisao.Dialogos(), QStringList());
        // New, empty and valid: the 22-byte end record alone.
        QCOMPARE(QFileInfo(xCaminho).size(), 22);
        QString xErro;
        QCOMPARE(LeZip(xCaminho, &xErro).size(), 0);
        QVERIFY2(xErro.isEmpty(), qPrintable(xErro));
        QCOMPARE(VerificaZipExterno(xCaminho, 0), QString());
        // What was there stays untouched.
        for (const QString& xNome : existentes)
            if (!xNome.endsWith(QLatin1Char('/')))
                QCOMPARE(LeArquivo(Caminho(xNome)), "taken " + xNome.toUtf8());
    }

    // A punctuated CNPJ no longer points into a folder: the archive goes into the chosen folder.
    void CriaZipFileCnpjPontuado()
    {
        Passo(QStringLiteral("12.345.678/0001-95"));
        TDownloadRun xRun(vVisao);
        QCOMPARE(xRun.CriaZipFile(vPasta.path()),
                 Caminho(QStringLiteral("download_xmls_12.345.678_0001-95_NF_E_PRODUCAO.zip")));
        QCOMPARE(vVisao.Dialogos(), QStringList());
        Passo(QStringLiteral("../x"));
        QCOMPARE(xRun.CriaZipFile(vPasta.path()),
                 Caminho(QStringLiteral("download_xmls_.._x_NF_E_PRODUCAO.zip")));
    }

    // Folders where nothing can be created, even by root.
    void CriaZipFileFalha_data()
    {
        QTest::addColumn<QString>("pasta");
        QTest::newRow("missing folder") << QStringLiteral("missing/deeper");
        QTest::newRow("under a regular file") << QStringLiteral("a-file/folder");
    }
    void CriaZipFileFalha()
    {
        QFETCH(QString, pasta);
        Grava(Caminho(QStringLiteral("a-file")), "not a folder");
        TDownloadRun xRun(vVisao);
        QCOMPARE(xRun.CriaZipFile(Caminho(pasta)), QString());
        const QStringList xDialogos = vVisao.Dialogos();
        QCOMPARE(xDialogos.size(), 1);
        QVERIFY2(
            xDialogos[0].startsWith(QStringLiteral("erro:Falha ao tentar criar o arquivo .zip. Motivo: ")),
            qPrintable(xDialogos[0]));
        QVERIFY(xDialogos[0].size() >
                QStringLiteral("erro:Falha ao tentar criar o arquivo .zip. Motivo: ").size());
    }

    void CompactaXML_data()
    {
        QTest::addColumn<bool>("interromper");
        QTest::newRow("normal") << false;
        QTest::newRow("stop requested") << true;
    }
    // Two notes, the second cancelled: three entries, in order, the bytes exactly as received.
    void CompactaXML()
    {
        QFETCH(bool, interromper);
        vVisao.vEstado.vInterromper = interromper;
        Clock::DefineRelogio([] { return QDateTime(QDate(2024, 3, 5), QTime(14, 30, 20)); });
        const QByteArray xXml1 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><nfe>Produção ç ã</nfe>";
        const QByteArray xXml2 = "<nfe>São João</nfe>\r\n";
        const QByteArray xCanc2 = "<cancelamento>Cancelação</cancelamento>";
        TListaNotas xNotas{Nota(QStringLiteral("1"), xXml1), Nota(QStringLiteral("2"), xXml2, xCanc2)};

        TDownloadRun xRun(vVisao);
        const QString xCaminho = xRun.CriaZipFile(vPasta.path());
        vVisao.vEventos.clear();
        QVERIFY(xRun.CompactaXML(xNotas, xCaminho));
        Clock::DefineRelogio({});

        const QString xInicio =
            interromper
                ? QStringLiteral("Download interrompido pelo usuário... Realizando a compressão da(s) "
                                 "NF_E(s) que foram baixadas")
                : QStringLiteral("Realizando a compressão da(s) NF_E(s)");
        QCOMPARE(vVisao.vEventos,
                 (QStringList{"status1:" + xInicio, "gauge:0", "gaugeMax:2", "eventos", "gauge:1", "eventos",
                              "gauge:2", "eventos",
                              "status1:Compressão do(s) XML(s) da(s) NF_E(s) finalizada", "eventos"}));

        QString xErro;
        const QVector<TEntradaZip> xEntradas = LeZip(xCaminho, &xErro);
        QVERIFY2(xErro.isEmpty(), qPrintable(xErro));
        QCOMPARE(xEntradas.size(), 3);
        QCOMPARE(xEntradas[0].Nome, QStringLiteral("NF_E_AUT_1_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[1].Nome, QStringLiteral("NF_E_AUT_2_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[2].Nome, QStringLiteral("CANC_NF_E_2_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[0].Dados, xXml1);
        QCOMPARE(xEntradas[1].Dados, xXml2);
        QCOMPARE(xEntradas[2].Dados, xCanc2);
        QVERIFY(xEntradas[0].Dados.contains("\xC3\xA7 \xC3\xA3")); // ç ã as UTF-8, no BOM
        QVERIFY(!xEntradas[0].Dados.startsWith("\xEF\xBB\xBF"));
        for (const TEntradaZip& xEntrada : xEntradas) {
            QCOMPARE(xEntrada.Metodo, 8);
            QCOMPARE(xEntrada.Quando, QDateTime(QDate(2024, 3, 5), QTime(14, 30, 20)));
        }
        QCOMPARE(VerificaZipExterno(xCaminho, 3), QString());
        // Nothing staged beside the archive.
        QCOMPARE(QDir(vPasta.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void CompactaXMLListaVazia()
    {
        TDownloadRun xRun(vVisao);
        const QString xCaminho = xRun.CriaZipFile(vPasta.path());
        QVERIFY(xRun.CompactaXML({}, xCaminho));
        QCOMPARE(vVisao.Dialogos(), QStringList());
        QCOMPARE(LeArquivo(xCaminho).size(), 22);
        QCOMPARE(VerificaZipExterno(xCaminho, 0), QString());
    }

    // Same type, number, series and environment: two entries of the same name. Unsafe fields do not
    // make folders inside the archive.
    void CompactaXMLNomes()
    {
        TNota xEstranha = Nota(QStringLiteral("../../etc/passwd"), "<c/>");
        xEstranha.Serie = QStringLiteral("C:\\x");
        TNota xAcentuada = Nota(QStringLiteral("8"), "<d/>");
        xAcentuada.Serie = QStringLiteral("Série");
        TListaNotas xNotas{Nota(QStringLiteral("7"), "<a/>"), Nota(QStringLiteral("7"), "<b/>"), xEstranha,
                           xAcentuada};
        TDownloadRun xRun(vVisao);
        const QString xCaminho = xRun.CriaZipFile(vPasta.path());
        QVERIFY(xRun.CompactaXML(xNotas, xCaminho));
        const QVector<TEntradaZip> xEntradas = LeZip(xCaminho);
        QCOMPARE(xEntradas.size(), 4);
        QCOMPARE(xEntradas[0].Nome, QStringLiteral("NF_E_AUT_7_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[1].Nome, QStringLiteral("NF_E_AUT_7_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[0].Dados, QByteArray("<a/>"));
        QCOMPARE(xEntradas[1].Dados, QByteArray("<b/>"));
        QCOMPARE(xEntradas[2].Nome, QStringLiteral("NF_E_AUT_.._.._etc_passwd_C__x_PRODUCAO.xml"));
        QCOMPARE(xEntradas[3].Nome, QStringLiteral("NF_E_AUT_8_Série_PRODUCAO.xml")); // UTF-8 name
        QCOMPARE(VerificaZipExterno(xCaminho, 4), QString());
    }

    // An archive that already holds entries keeps them ahead of the new ones.
    void CompactaXMLMantemEntradas()
    {
        TDownloadRun xRun(vVisao);
        const QString xCaminho = xRun.CriaZipFile(vPasta.path());
        QVERIFY(xRun.CompactaXML({Nota(QStringLiteral("1"), "<um>ç</um>", "<canc/>")}, xCaminho));
        QFile::setPermissions(xCaminho, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(xRun.CompactaXML({Nota(QStringLiteral("2"), "<dois/>")}, xCaminho));
        const QVector<TEntradaZip> xEntradas = LeZip(xCaminho);
        QCOMPARE(xEntradas.size(), 3);
        QCOMPARE(xEntradas[0].Nome, QStringLiteral("NF_E_AUT_1_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[0].Dados, QByteArray("<um>ç</um>"));
        QCOMPARE(xEntradas[1].Nome, QStringLiteral("CANC_NF_E_1_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[2].Nome, QStringLiteral("NF_E_AUT_2_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[2].Dados, QByteArray("<dois/>"));
        QCOMPARE(VerificaZipExterno(xCaminho, 3), QString());
        QCOMPARE(QFile::permissions(xCaminho) & 0x7077,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QCOMPARE(QDir(vPasta.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }

    void CompactaXMLFalha_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("archive missing") << "missing";
        QTest::newRow("not an archive") << "garbage";
        QTest::newRow("write fails (file size limit)") << "limit";
    }
    // Every failure is reported, none leaves a broken archive passed off as written.
    void CompactaXMLFalha()
    {
        QFETCH(QString, caso);
        TDownloadRun xRun(vVisao);
        QString xCaminho = xRun.CriaZipFile(vPasta.path());
        // Incompressible, so that it stays large in the archive.
        QByteArray xGrande(3 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator xAleatorio(42);
        xAleatorio.fillRange(reinterpret_cast<quint32*>(xGrande.data()), xGrande.size() / 4);
        TListaNotas xNotas{Nota(QStringLiteral("1"), "<pequena/>"), Nota(QStringLiteral("2"), xGrande)};
        bool xResultado = true;
        if (caso == QLatin1String("missing")) {
            QVERIFY(QFile::remove(xCaminho));
            xResultado = xRun.CompactaXML(xNotas, xCaminho);
        } else if (caso == QLatin1String("garbage")) {
            Grava(xCaminho, "this is not a zip archive at all");
            xResultado = xRun.CompactaXML(xNotas, xCaminho);
            QCOMPARE(LeArquivo(xCaminho), QByteArray("this is not a zip archive at all"));
        } else {
            // Writes past 64 KiB fail with EFBIG, for root too.
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit xAntes{};
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &xAntes), 0);
            rlimit xLimite = xAntes;
            xLimite.rlim_cur = 64 * 1024;
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &xLimite), 0);
            xResultado = xRun.CompactaXML(xNotas, xCaminho);
            QCOMPARE(setrlimit(RLIMIT_FSIZE, &xAntes), 0);
        }
        QVERIFY(!xResultado);
        QCOMPARE(vVisao.Dialogos(),
                 QStringList{"erro:Falha ao tentar realizar a compressão do(s) XML(s) da(s) NF_E(s)."});
        QCOMPARE(QDir(vPasta.path()).entryList(QDir::Files | QDir::Hidden).size(), caso == "missing" ? 0 : 1);
    }

    // Past 65,535 entries the archive needs zip64 records; every reader must still accept it.
    void MuitasEntradas()
    {
        const QString xCaminho = Caminho(QStringLiteral("muitas.zip"));
        QVERIFY(CriaZipVazio(xCaminho));
        QVERIFY(!CriaZipVazio(xCaminho));
        {
            TZipEscritor xZip(xCaminho);
            for (int i = 0; i < 70000; ++i)
                xZip.Acrescenta(QStringLiteral("n%1.xml").arg(i),
                                QByteArray("<n>") + QByteArray::number(i) + "</n>", 1700000000);
            xZip.Fecha();
        }
        QCOMPARE(VerificaZipExterno(xCaminho, 70000), QString());
    }
};

QTEST_GUILESS_MAIN(TestZip)
#include "tst_Zip.moc"
