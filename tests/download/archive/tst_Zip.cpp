// The ZIP archives of a download: names, creation, entries, failures; read back with Python's zipfile,
// unzip and 7z, never only with our own code.

#include "download/archive/LeitorZip.h"
#include "download/archive/ZipArquivo.h"
#include "download/archive/ZipEmCurso.h"
#include "download/archive/ZipNomes.h"
#include "sistema/EscritaEmCurso.h"
#include "support/DetentorArquivo.h"
#include "support/LimiteArquivo.h"
#include "sistema/Retentativa.h"
#include "util/Exception.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>
#include <list>

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
    QString Caminho(const QString& pNome) const { return vPasta.filePath(pNome); }
    QStringList Arquivos() const
    {
        return QDir(vPasta.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    // The names of a step of CNPJ 12345678000195, NF-e, production, in this folder.
    std::function<QString(int)> NomePasso() const
    {
        const QString xPasta = vPasta.path();
        return [xPasta](int n) {
            return NomeZipDownload(xPasta, QStringLiteral("12345678000195"), QStringLiteral("NF_E"),
                                   QStringLiteral("PRODUCAO"), n);
        };
    }

    // The same names, (1) being the first numbered one, as NomeZipDownload gives them for CNPJ 1.
    std::function<QString(int)> NomePasso1() const
    {
        const QString xPasta = vPasta.path();
        return [xPasta](int n) {
            return NomeZipDownload(xPasta, QStringLiteral("1"), QStringLiteral("NF_E"), QStringLiteral("PRODUCAO"), n);
        };
    }

private slots:
    void init()
    {
        QVERIFY(vPasta.isValid());
        QDir xPasta(vPasta.path());
        for (const QString& xNome :
             xPasta.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System))
            QVERIFY(QFileInfo(xPasta.filePath(xNome)).isDir()
                        ? QDir(xPasta.filePath(xNome)).removeRecursively()
                        : xPasta.remove(xNome));
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

    // Names already taken in the folder -> the name the archive is published under.
    void Publica_data()
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
    void Publica()
    {
        QFETCH(QStringList, existentes);
        QFETCH(QString, esperado);
        for (const QString& xNome : existentes) {
            if (xNome.endsWith(QLatin1Char('/')))
                QVERIFY(QDir(vPasta.path()).mkdir(xNome.chopped(1)));
            else
                Grava(Caminho(xNome), "taken " + xNome.toUtf8());
        }
        QString xCaminho;
        {
            TZipEmCurso xZip(vPasta.path(), QStringLiteral("download_xmls_12345678000195_NF_E_PRODUCAO"));
            // While it is written it has a hidden name of its own, and no final name exists yet.
            const QString xOculto = QFileInfo(xZip.CaminhoTemporario()).fileName();
            QVERIFY2(xOculto.startsWith(".download_xmls_12345678000195_NF_E_PRODUCAO.zip."),
                     qPrintable(xOculto));
            QVERIFY(!QFile::exists(Caminho(esperado)));
            xCaminho = xZip.Publica(NomePasso(), 100);
        }
        QCOMPARE(xCaminho, Caminho(esperado));
        // Whole and valid: the 22-byte end record alone.
        QCOMPARE(QFileInfo(xCaminho).size(), 22);
        QString xErro;
        QCOMPARE(LeZip(xCaminho, &xErro).size(), 0);
        QVERIFY2(xErro.isEmpty(), qPrintable(xErro));
        QCOMPARE(VerificaZipExterno(xCaminho, 0), QString());
        // What was there stays untouched, and nothing hidden is left behind.
        for (const QString& xNome : existentes)
            if (!xNome.endsWith(QLatin1Char('/')))
                QCOMPARE(LeArquivo(Caminho(xNome)), "taken " + xNome.toUtf8());
        QCOMPARE(Arquivos().size(), existentes.size() + 1);
    }

    // Folders where nothing can be created, even by root: the archive's own name in the message.
    void CriaFalha_data()
    {
        QTest::addColumn<QString>("pasta");
        QTest::newRow("missing folder") << QStringLiteral("missing/deeper");
        QTest::newRow("under a regular file") << QStringLiteral("a-file/folder");
    }
    void CriaFalha()
    {
        QFETCH(QString, pasta);
        Grava(Caminho(QStringLiteral("a-file")), "not a folder");
        try {
            TZipEmCurso xZip(Caminho(pasta), QStringLiteral("download_xmls_1_NF_E_PRODUCAO"));
            QFAIL("created");
        } catch (const Exception& E) {
            QVERIFY2(E.Message().startsWith("Não foi possível criar o arquivo \"" +
                                            QDir::toNativeSeparators(Caminho(pasta) +
                                                                     "/download_xmls_1_NF_E_PRODUCAO.zip") +
                                            "\": "),
                     qPrintable(E.Message()));
        }
        QCOMPARE(Arquivos(), QStringList{"a-file"});
    }

    // Two notes, the second cancelled: three entries, in order, the bytes exactly as received, the
    // time stamps as given.
    void Entradas()
    {
        const QByteArray xXml1 = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><nfe>Produção ç ã</nfe>";
        const QByteArray xXml2 = "<nfe>São João</nfe>\r\n";
        const QByteArray xCanc2 = "<cancelamento>Cancelação</cancelamento>";
        const qint64 xQuando = QDateTime(QDate(2024, 3, 5), QTime(14, 30, 20)).toSecsSinceEpoch();
        QString xCaminho;
        {
            TZipEmCurso xZip(vPasta.path(), QStringLiteral("download_xmls_12345678000195_NF_E_PRODUCAO"));
            xZip.Acrescenta(NomeEntradaAutorizada(Nota("1", xXml1)), xXml1, xQuando);
            xZip.Acrescenta(NomeEntradaAutorizada(Nota("2", xXml2)), xXml2, xQuando);
            xZip.Acrescenta(NomeEntradaCancelamento(Nota("2", xXml2)), xCanc2, xQuando);
            xCaminho = xZip.Publica(NomePasso(), 100);
        }
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
        QCOMPARE(Arquivos().size(), 1);
    }

    // Same type, number, series and environment: two entries of the same name. Unsafe fields do not
    // make folders inside the archive.
    void EntradasNomes()
    {
        TNota xEstranha = Nota(QStringLiteral("../../etc/passwd"), "<c/>");
        xEstranha.Serie = QStringLiteral("C:\\x");
        TNota xAcentuada = Nota(QStringLiteral("8"), "<d/>");
        xAcentuada.Serie = QStringLiteral("Série");
        const TListaNotas xNotas{Nota(QStringLiteral("7"), "<a/>"), Nota(QStringLiteral("7"), "<b/>"),
                                 xEstranha, xAcentuada};
        QString xCaminho;
        {
            TZipEmCurso xZip(vPasta.path(), QStringLiteral("download_xmls_12345678000195_NF_E_PRODUCAO"));
            for (const TNota& xNota : xNotas)
                xZip.Acrescenta(NomeEntradaAutorizada(xNota), xNota.Xml, 1700000000);
            xCaminho = xZip.Publica(NomePasso(), 100);
        }
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

    // Dropped, or never published (destroyed): the hidden file is gone.
    void NaoPublicado()
    {
        {
            TZipEmCurso xZip(vPasta.path(), QStringLiteral("x"));
            xZip.Acrescenta("a.xml", "<a/>", 1700000000);
            QCOMPARE(Arquivos().size(), 1);
        }
        QCOMPARE(Arquivos(), QStringList());
        TZipEmCurso xZip(vPasta.path(), QStringLiteral("x"));
        xZip.Descarta();
        QCOMPARE(Arquivos(), QStringList());
        QVERIFY_THROWS_EXCEPTION(Exception, xZip.Acrescenta("a.xml", "<a/>", 1700000000));
    }

    // What a program that died while writing left behind is removed when the next archive of that name
    // starts; a hidden file a live writer holds, one written to lately, and every other file stay.
    void RestosDeEscrita()
    {
        const QString xBase = QStringLiteral("download_xmls_1_NF_E_PRODUCAO");
        struct TCaso
        {
            QString Nome;
            bool Antigo;  // last changed two minutes ago
            bool Travado; // a live writer holds its lock
            bool Removido;
        };
        const QList<TCaso> xCasos{
            {u'.' + xBase + QStringLiteral(".zip.0123abcd.part"), true, false, true},
            {u'.' + xBase + QStringLiteral(".zip.00000001.part"), true, true, false},
            {u'.' + xBase + QStringLiteral(".zip.00000002.part"), false, false, false},
            {QStringLiteral(".download_xmls_2_NF_E_PRODUCAO.zip.00000003.part"), true, false, false},
            {u'.' + xBase + QStringLiteral(".zip.nothex00.part"), true, false, false},
            {u'.' + xBase + QStringLiteral(".zip.00000004.part.bak"), true, false, false},
            {xBase + QStringLiteral(".zip.00000005.part"), true, false, false},
            {xBase + QStringLiteral(".zip"), true, false, false},
        };
        std::list<TTravaEscrita> xTravas;
        for (const TCaso& xCaso : xCasos) {
            Grava(Caminho(xCaso.Nome), "PK resto");
            if (xCaso.Antigo) {
                QFile xArquivo(Caminho(xCaso.Nome));
                QVERIFY(xArquivo.open(QIODevice::ReadWrite));
                QVERIFY(xArquivo.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                                             QFileDevice::FileModificationTime));
            }
            if (xCaso.Travado)
                QVERIFY(xTravas.emplace_back().Toma(Caminho(xCaso.Nome)));
        }
        {
            TZipEmCurso xZip(vPasta.path(), xBase);
            QVERIFY(!QFile::exists(Caminho(xCasos.front().Nome))); // starting the archive cleaned up
            xZip.Acrescenta("a.xml", "<a/>", 1700000000);
            // Its own hidden file is held: another program starting the same archive leaves it alone.
            QFile xProprio(xZip.CaminhoTemporario());
            QVERIFY(xProprio.open(QIODevice::ReadWrite));
            QVERIFY(xProprio.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                                         QFileDevice::FileModificationTime));
            xProprio.close();
            const TRestosEscrita xRestos = RecuperaRestosDeEscrita(vPasta.path(), xBase);
            QCOMPARE(xRestos.Removidos, 0);
            QCOMPARE(xRestos.Publicados, QStringList());
            QVERIFY(QFile::exists(xZip.CaminhoTemporario()));
        }
        for (const TCaso& xCaso : xCasos)
            QVERIFY2(QFile::exists(Caminho(xCaso.Nome)) != xCaso.Removido, qPrintable(xCaso.Nome));
    }

    // An archive that already holds entries keeps them ahead of the new ones.
    void EscritorMantemEntradas()
    {
        const QString xCaminho = Caminho(QStringLiteral("existente.zip"));
        QVERIFY(::CriaZipVazio(xCaminho));
        {
            TZipEscritor xZip(xCaminho);
            xZip.Acrescenta("NF_E_AUT_1_1_PRODUCAO.xml", "<um>ç</um>", 1700000000);
            xZip.Acrescenta("CANC_NF_E_1_1_PRODUCAO.xml", "<canc/>", 1700000000);
            xZip.Fecha();
        }
        QFile::setPermissions(xCaminho, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        {
            TZipEscritor xZip(xCaminho);
            xZip.Acrescenta("NF_E_AUT_2_1_PRODUCAO.xml", "<dois/>", 1700000000);
            xZip.Fecha();
        }
        const QVector<TEntradaZip> xEntradas = LeZip(xCaminho);
        QCOMPARE(xEntradas.size(), 3);
        QCOMPARE(xEntradas[0].Nome, QStringLiteral("NF_E_AUT_1_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[0].Dados, QByteArray("<um>ç</um>"));
        QCOMPARE(xEntradas[1].Nome, QStringLiteral("CANC_NF_E_1_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[2].Nome, QStringLiteral("NF_E_AUT_2_1_PRODUCAO.xml"));
        QCOMPARE(xEntradas[2].Dados, QByteArray("<dois/>"));
        QCOMPARE(VerificaZipExterno(xCaminho, 3), QString());
#ifndef Q_OS_WIN // POSIX modes; a Windows file takes its folder's permissions
        QCOMPARE(QFile::permissions(xCaminho) & 0x7077,
                 QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
#endif
        QCOMPARE(Arquivos().size(), 1);
    }

    // The writer of an existing archive: what it cannot read is left as it was, nothing is staged.
    void EscritorFalha_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("archive missing") << "missing";
        QTest::newRow("not an archive") << "garbage";
    }
    void EscritorFalha()
    {
        QFETCH(QString, caso);
        const QString xCaminho = Caminho(QStringLiteral("existente.zip"));
        if (caso == QLatin1String("garbage"))
            Grava(xCaminho, "this is not a zip archive at all");
        QVERIFY_THROWS_EXCEPTION(Exception, TZipEscritor{xCaminho});
        if (caso == QLatin1String("garbage"))
            QCOMPARE(LeArquivo(xCaminho), QByteArray("this is not a zip archive at all"));
        QCOMPARE(Arquivos().size(), caso == "missing" ? 0 : 1);
    }

    // A write that fails (the file size limit stands in for a full disk) raises, and the archive leaves
    // nothing behind, hidden or not.
    void EscritaFalha()
    {
        // Incompressible, so that it stays large in the archive.
        QByteArray xGrande(3 * 1024 * 1024, Qt::Uninitialized);
        QRandomGenerator xAleatorio(42);
        xAleatorio.fillRange(reinterpret_cast<quint32*>(xGrande.data()), xGrande.size() / 4);
        if (!TLimiteArquivo::Disponivel())
            QSKIP("no per-process file size limit to stand in for a full disk on this system");
        TLimiteArquivo xLimite;
        bool xFalhou = false;
        {
            TZipEmCurso xZip(vPasta.path(), QStringLiteral("download_xmls_1_NF_E_PRODUCAO"));
            xZip.Acrescenta("pequena.xml", "<pequena/>", 1700000000);
            QVERIFY(xLimite.Limita(64 * 1024));
            try {
                xZip.Acrescenta("grande.xml", xGrande, 1700000000);
                xZip.Publica(NomePasso(), 100);
            } catch (const Exception&) {
                xFalhou = true;
            }
            QVERIFY(xLimite.Restaura());
        }
        QVERIFY(xFalhou);
        QCOMPARE(Arquivos(), QStringList());
    }

    // The empty archive is made whole or not at all.
    void ZipVazio()
    {
        const QString xCaminho = Caminho(QStringLiteral("vazio.zip"));
        QVERIFY(::CriaZipVazio(xCaminho));
        QVERIFY(!::CriaZipVazio(xCaminho));
        QCOMPARE(LeArquivo(xCaminho).size(), 22);
        QCOMPARE(VerificaZipExterno(xCaminho, 0), QString());
        QVERIFY_THROWS_EXCEPTION(Exception, ::CriaZipVazio(Caminho(QStringLiteral("missing/vazio.zip"))));
    }

    // Past 65,535 entries the archive needs zip64 records; every reader must still accept it.
    void MuitasEntradas()
    {
        const QString xCaminho = Caminho(QStringLiteral("muitas.zip"));
        QVERIFY(::CriaZipVazio(xCaminho));
        QVERIFY(!::CriaZipVazio(xCaminho));
        {
            TZipEscritor xZip(xCaminho);
            for (int i = 0; i < 70000; ++i)
                xZip.Acrescenta(QStringLiteral("n%1.xml").arg(i),
                                QByteArray("<n>") + QByteArray::number(i) + "</n>", 1700000000);
            xZip.Fecha();
        }
        QCOMPARE(VerificaZipExterno(xCaminho, 70000), QString());
        TArquivoSistema xArquivo = TArquivoSistema::AbreLeituraEscrita(xCaminho);
        QVERIFY(ZipCompleto(xArquivo)); // through its Zip64 records
    }

    // Whole archives are told from ones cut short or followed by anything.
    void Completo_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<bool>("completo");
        QTest::newRow("empty archive") << "vazio" << true;
        QTest::newRow("archive with entries") << "entradas" << true;
        QTest::newRow("with a comment") << "comentario" << true;
        QTest::newRow("last byte missing") << "sem ultimo" << false;
        QTest::newRow("cut in half") << "metade" << false;
        QTest::newRow("end record missing") << "sem fim" << false;
        QTest::newRow("bytes after the end") << "sobra" << false;
        QTest::newRow("empty file") << "nada" << false;
        QTest::newRow("not an archive") << "lixo" << false;
    }
    void Completo()
    {
        QFETCH(QString, caso);
        QFETCH(bool, completo);
        const QString xCaminho = Caminho(QStringLiteral("a.zip"));
        QVERIFY(::CriaZipVazio(xCaminho));
        if (caso != u"vazio") {
            TZipEscritor xZip(xCaminho);
            for (int i = 0; i < 3; ++i)
                xZip.Acrescenta(QStringLiteral("n%1.xml").arg(i), QByteArray(5000, char('a' + i)), 1700000000);
            xZip.Fecha();
        }
        QByteArray xBytes = LeArquivo(xCaminho);
        if (caso == u"comentario") {
            xBytes[xBytes.size() - 2] = 4; // comment length 4, then the comment
            xBytes += "nota";
        } else if (caso == u"sem ultimo") {
            xBytes.chop(1);
        } else if (caso == u"metade") {
            xBytes.truncate(xBytes.size() / 2);
        } else if (caso == u"sem fim") {
            xBytes.chop(22);
        } else if (caso == u"sobra") {
            xBytes += "PK";
        } else if (caso == u"nada") {
            xBytes.clear();
        } else if (caso == u"lixo") {
            xBytes = QByteArray(100, 'x');
        }
        QVERIFY(QFile::remove(xCaminho));
        Grava(xCaminho, xBytes);
        TArquivoSistema xArquivo = TArquivoSistema::AbreLeituraEscrita(xCaminho);
        QVERIFY(xArquivo.Aberto());
        QCOMPARE(ZipCompleto(xArquivo), completo);
    }

    // A leftover that holds a whole archive (its writer died between finishing and naming it, a power
    // cut undid the rename, an archive kept because it could not be named) is published under the
    // archive's name when the next archive of that name starts; one cut short is removed; one a live
    // writer holds, or written to lately, stays.
    void RestoCompleto_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QStringList>("existentes"); // archives already in the folder
        QTest::addColumn<QString>("publicado");      // the leftover's new name; empty: not published
        QTest::addColumn<bool>("fica");              // the leftover stays where it was
        const QString B = QStringLiteral("download_xmls_1_NF_E_PRODUCAO");
        QTest::newRow("whole") << "inteiro" << QStringList() << B + ".zip" << false;
        QTest::newRow("whole, the name taken") << "inteiro" << QStringList{B + ".zip"} << B + " (1).zip"
                                               << false;
        QTest::newRow("cut short") << "cortado" << QStringList() << QString() << false;
        QTest::newRow("whole, a live writer holds it") << "travado" << QStringList() << QString() << true;
        QTest::newRow("whole, written to lately") << "recente" << QStringList() << QString() << true;
    }
    void RestoCompleto()
    {
        QFETCH(QString, caso);
        QFETCH(QStringList, existentes);
        QFETCH(QString, publicado);
        QFETCH(bool, fica);
        const QString xBase = QStringLiteral("download_xmls_1_NF_E_PRODUCAO");
        for (const QString& xNome : existentes)
            Grava(Caminho(xNome), "taken");
        const QString xResto = Caminho(u'.' + xBase + QStringLiteral(".zip.0123abcd.part"));
        {
            TZipEscritor xZip(CriaArquivoOculto(xResto), xResto);
            xZip.Acrescenta(QStringLiteral("NF_E_AUT_1_1_PRODUCAO.xml"), "<nfe>resto</nfe>", 1700000000);
            xZip.Fecha();
        }
        if (caso == u"cortado") {
            QByteArray xBytes = LeArquivo(xResto);
            xBytes.chop(10);
            QVERIFY(QFile::remove(xResto));
            Grava(xResto, xBytes);
        }
        if (caso != u"recente") {
            QFile xArquivo(xResto);
            QVERIFY(xArquivo.open(QIODevice::ReadWrite));
            QVERIFY(xArquivo.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                                         QFileDevice::FileModificationTime));
        }
        TTravaEscrita xTrava;
        if (caso == u"travado")
            QVERIFY(xTrava.Toma(xResto));

        QString xNovo;
        QStringList xRecuperados;
        {
            TZipEmCurso xZip(vPasta.path(), xBase);
            xRecuperados = xZip.Recuperados();
            xZip.Acrescenta("novo.xml", "<novo/>", 1700000000);
            xNovo = xZip.Publica(NomePasso1(), 100);
        }
        xTrava.Libera();
        QCOMPARE(QFile::exists(xResto), fica);
        if (publicado.isEmpty()) {
            QCOMPARE(xRecuperados, QStringList());
        } else {
            QCOMPARE(xRecuperados, QStringList{Caminho(publicado)});
            const QVector<TEntradaZip> xEntradas = LeZip(Caminho(publicado));
            QCOMPARE(xEntradas.size(), 1);
            QCOMPARE(xEntradas[0].Dados, QByteArray("<nfe>resto</nfe>"));
            QCOMPARE(VerificaZipExterno(Caminho(publicado), 1), QString());
        }
        // The new archive took the next free name; what was there is untouched.
        QVERIFY(xNovo != Caminho(publicado));
        QCOMPARE(NomesZip(xNovo), QStringList{"novo.xml"});
        for (const QString& xNome : existentes)
            QCOMPARE(LeArquivo(Caminho(xNome)), QByteArray("taken"));
        QCOMPARE(Arquivos().size(), existentes.size() + (publicado.isEmpty() ? 0 : 1) + 1 + (fica ? 1 : 0));
    }

    // A finished archive that cannot be named is kept under its hidden name, which the message gives,
    // never deleted; the next archive of that name publishes it. Names all taken stand for any failure
    // of the system here; on Windows another program holding the file throughout is the real one, and
    // one holding it for 300 ms is waited for.
    void PublicacaoFalhaMantem_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::newRow("no free name") << "sem nome";
        QTest::newRow("held 300 ms") << "300 ms";
        QTest::newRow("held throughout") << "retido";
    }
    void PublicacaoFalhaMantem()
    {
        QFETCH(QString, caso);
        if (caso != u"sem nome" && !TDetentorArquivo::Impede())
            QSKIP("another program's open file stops no rename on this system");
        const QString xBase = QStringLiteral("download_xmls_1_NF_E_PRODUCAO");
        if (caso == u"sem nome") {
            Grava(Caminho(xBase + ".zip"), "taken");
            Grava(Caminho(xBase + " (1).zip"), "taken");
        }
        QString xMantido, xMensagem, xPublicado;
        QElapsedTimer xRelogio;
        {
            TZipEmCurso xZip(vPasta.path(), xBase);
            xZip.Acrescenta("a.xml", "<a/>", 1700000000);
            TDetentorArquivo xDetentor;
            if (caso != u"sem nome") {
                QVERIFY(xDetentor.Abre(xZip.CaminhoTemporario()));
                if (caso == u"300 ms")
                    xDetentor.LiberaApos(300);
            }
            xRelogio.start();
            try {
                xPublicado = xZip.Publica(NomePasso1(), 1);
            } catch (const Exception& E) {
                xMensagem = E.Message();
            }
            qInfo("%s: %lld ms (the longest wait so far: %lld ms)", qPrintable(caso), xRelogio.elapsed(),
                  MaiorEsperaOcupado());
            xMantido = xZip.Mantido();
        }
        if (caso == u"300 ms") {
            QCOMPARE(xPublicado, Caminho(xBase + ".zip"));
            QCOMPARE(NomesZip(xPublicado), QStringList{"a.xml"});
            QCOMPARE(Arquivos(), QStringList{xBase + ".zip"});
            return;
        }
        QVERIFY(xPublicado.isEmpty());
        QVERIFY(!xMantido.isEmpty());
        QVERIFY2(xMensagem.endsWith(QStringLiteral("O arquivo completo foi mantido em \"") + QDir::toNativeSeparators(xMantido) +
                                    QStringLiteral("\".")),
                 qPrintable(xMensagem));
        if (caso == u"retido")
            QVERIFY2(xMensagem.startsWith(QStringLiteral("Não foi possível criar o arquivo \"") +
                                          QDir::toNativeSeparators(Caminho(xBase + ".zip")) + "\": "),
                     qPrintable(xMensagem));
        QVERIFY(QFileInfo(xMantido).fileName().startsWith(u'.' + xBase + ".zip."));
        QVERIFY(QFileInfo(xMantido).isHidden());
        QCOMPARE(NomesZip(xMantido), QStringList{"a.xml"});

        // A minute later, the next archive of that name gives it a name.
        {
            QFile xArquivo(xMantido);
            QVERIFY(xArquivo.open(QIODevice::ReadWrite));
            QVERIFY(xArquivo.setFileTime(QDateTime::currentDateTime().addSecs(-120),
                                         QFileDevice::FileModificationTime));
        }
        TZipEmCurso xSeguinte(vPasta.path(), xBase);
        const QString xRecuperado = caso == u"sem nome" ? xBase + " (2).zip" : xBase + ".zip";
        QCOMPARE(xSeguinte.Recuperados(), QStringList{Caminho(xRecuperado)});
        QVERIFY(!QFile::exists(xMantido));
        QCOMPARE(NomesZip(Caminho(xRecuperado)), QStringList{"a.xml"});
    }
};

QTEST_GUILESS_MAIN(TestZip)
#include "tst_Zip.moc"
