// A branch whose CNPJ has the alphanumeric form (capital letters among its first twelve characters),
// from the branch table of a real database (embedded engine) to its archives: read as the table holds it,
// sent to the local stand-in of the notes service as held, and its archives named with it.

#include "download/archive/LeitorZip.h"
#include "config/BancoTeste.h"
#include "config/ControleConfig.h"
#include "download/run/DownloadRun.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "download/run/EntradasEsperadas.h"
#include "download/run/VisaoFalsa.h"
#include "support/NotesService.h"
#include "util/Exception.h"
#include "util/Funcoes.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString CNPJ_ALFA = QStringLiteral("12ABC34501DE35");
const QString CNPJ_NUMERICO = QStringLiteral("11222333000181");

const QString FINALIZADO = QStringLiteral("Download de XMLs finalizado.\r\n\r\nCaminho dos arquivos: \r\n");

// pCorpo (twelve characters) with its two check digits, each character worth its code minus 48.
QString ComDigitos(const QString& pCorpo)
{
    QString xNumero = pCorpo;
    for (int xVez = 0; xVez < 2; ++xVez) {
        int xSoma = 0;
        for (qsizetype i = xNumero.size() - 1, xPeso = 2; i >= 0; --i, xPeso = xPeso == 9 ? 2 : xPeso + 1)
            xSoma += (xNumero[i].unicode() - u'0') * int(xPeso);
        xNumero += QChar(u'0' + (xSoma % 11 < 2 ? 0 : 11 - xSoma % 11));
    }
    return xNumero;
}

} // namespace

class TstCnpjAlfanumerico : public QObject
{
    Q_OBJECT

    TNotesService vServico{{"--cnpj", CNPJ_NUMERICO + "," + CNPJ_ALFA, "--per-branch", "5", "--cancelled",
                            "40", "--xml-size", "500"}};
    QTemporaryDir vPasta;

private slots:
    void initTestCase()
    {
        QVERIFY(vPasta.isValid());
        QVERIFY2(vServico.Iniciar(), qPrintable(vServico.Erro()));
    }
    void init() { TRecepcaoNF::get().SetUrlBase(vServico.UrlBase()); }

    // Two alphanumeric branches whose digits alone are the same: each query gets its own branch's notes.
    void servicoSeparaFiliaisDeMesmosDigitos()
    {
        const QString xOutra = ComDigitos(QStringLiteral("12XYZ34501QR"));
        QCOMPARE(ComDigitos(CNPJ_ALFA.left(12)), CNPJ_ALFA);
        QVERIFY(TFuncoes::get().ValidaCNPJCPF(xOutra, tpJuridica));
        TNotesService xServico{{"--cnpj", CNPJ_ALFA + "," + xOutra, "--per-branch", "3", "--types", "NF_E",
                                "--envs", "PRODUCAO"}};
        QVERIFY2(xServico.Iniciar(), qPrintable(xServico.Erro()));
        TRecepcaoNF::get().SetUrlBase(xServico.UrlBase());
        for (const QString& xCnpj : {CNPJ_ALFA, xOutra}) {
            auto xResposta =
                TRecepcaoNF::get().ConsultaNF(xCnpj, "PRODUCAO", "NF_E", "01/01/2024", "31/12/2024",
                                              "00000001", "99999999", "1", "99", "0");
            QVERIFY(xResposta);
            QCOMPARE(xResposta->Content.size(), 3);
            for (const TNota& xNota : xResposta->Content)
                QCOMPARE(xNota.Cnpj, xCnpj);
        }
    }

    void daTabelaAosArquivos()
    {
        // The branch table, one numeric and one alphanumeric CNPJ.
        const QString xBanco = vPasta.filePath(QStringLiteral("filiais.fdb"));
        try {
            BancoTeste::Cria(xBanco, QStringLiteral("WIN1252"),
                             BancoTeste::TabelaFiliais({{"01", "Matriz", "SP", CNPJ_NUMERICO},
                                                        {"02", "Filial Nova", "PR", CNPJ_ALFA}}),
                             QStringLiteral("SYSDBA"), QStringLiteral("x"));
        } catch (const std::exception& xErro) {
            QFAIL(xErro.what());
        }
        TControleConfig xControle;
        const TControleConfig::TResultado xTeste =
            xControle.TestaConexaoBD(xBanco, QStringLiteral("SYSDBA"), QStringLiteral("x"));
        QVERIFY2(xTeste.Ok, xTeste.Avisos.isEmpty() ? "" : qPrintable(xTeste.Avisos.first().Texto));
        TListaFiliais xFiliais = xControle.CarregaTabPrincipal();
        QCOMPARE(xFiliais.size(), 2);
        QCOMPARE(xFiliais[1].CODEMPRESA, QStringLiteral("02"));
        QCOMPARE(xFiliais[1].CGC, CNPJ_ALFA); // letters kept, nothing added or taken away
        QVERIFY(TFuncoes::get().ValidaCNPJCPF(xFiliais[1].CGC, tpJuridica));

        // Only the alphanumeric branch ticked; NF-e and NFS-e, production.
        xFiliais[1].CHECKED = QStringLiteral("S");
        const QString xSaida = vPasta.filePath(QStringLiteral("saida"));
        QVERIFY(QDir().mkpath(xSaida));
        TVisaoFalsa xVisao;
        xVisao.vFiliais = xFiliais;
        xVisao.vCaixas = {true, false, true, true, false};
        xVisao.vPasta = xSaida;
        const int xAntes = vServico.LinhasRecebidas().size();
        try {
            TDownloadRun(xVisao).Executa();
        } catch (const Exception& xErro) {
            QFAIL(qPrintable(xErro.Message()));
        }

        // Sent exactly as held: the query key as it went over the wire, in every request.
        const QStringList xPedidos = vServico.LinhasRecebidas().mid(xAntes);
        QCOMPARE(xPedidos.size(), 2);
        for (const QString& xLinha : xPedidos)
            QVERIFY2(xLinha.contains(QStringLiteral("?cnpj=12ABC34501DE35&")), qPrintable(xLinha));

        // Named with it.
        const QString xNFe =
            QDir(xSaida).filePath(QStringLiteral("download_xmls_12ABC34501DE35_NF_E_PRODUCAO.zip"));
        const QString xNFSe =
            QDir(xSaida).filePath(QStringLiteral("download_xmls_12ABC34501DE35_NFS_E_PRODUCAO.zip"));
        QStringList xArquivos = QDir(xSaida).entryList(QDir::Files);
        xArquivos.sort();
        QCOMPARE(xArquivos, (QStringList{QStringLiteral("download_xmls_12ABC34501DE35_NFS_E_PRODUCAO.zip"),
                                         QStringLiteral("download_xmls_12ABC34501DE35_NF_E_PRODUCAO.zip")}));
        QCOMPARE(xVisao.Dialogos(),
                 QStringList{"info:" + FINALIZADO + "NF-e: " + QDir::toNativeSeparators(xNFe) + "\r\nNFS-e: " + QDir::toNativeSeparators(xNFSe) + "\r\n"});

        // Entries by their names, with the service's bytes; the notes' access keys carry the CNPJ and
        // pass the key check.
        for (const auto& [xArquivo, xTipo] :
             {std::pair{xNFe, QStringLiteral("NF_E")}, std::pair{xNFSe, QStringLiteral("NFS_E")}}) {
            QString xErro;
            const QVector<TEntradaZip> xEntradas = LeZip(xArquivo, &xErro);
            QVERIFY2(xErro.isEmpty(), qPrintable(xErro));
            const QVector<TEsperado> xEsperado =
                EntradasDoServico(CNPJ_ALFA, xTipo, QStringLiteral("PRODUCAO"));
            QVERIFY(xEsperado.size() > 5); // five notes, a cancellation among them
            QCOMPARE(xEntradas.size(), xEsperado.size());
            for (int i = 0; i < xEntradas.size(); ++i) {
                QCOMPARE(xEntradas[i].Nome, xEsperado[i].Nome);
                QCOMPARE(xEntradas[i].Dados, xEsperado[i].Dados);
                QVERIFY(xEntradas[i].Nome.startsWith(xTipo + "_AUT_") ||
                        xEntradas[i].Nome.startsWith("CANC_" + xTipo + "_"));
                QVERIFY(xEntradas[i].Nome.endsWith(QStringLiteral("_PRODUCAO.xml")));

                static const QRegularExpression xPadraoChave(QStringLiteral("(?:NFe|<chNFe>)([0-9A-Z]{44})"));
                const QRegularExpressionMatch xAchada =
                    xPadraoChave.match(QString::fromUtf8(xEntradas[i].Dados));
                QVERIFY2(xAchada.hasMatch(), qPrintable(xEntradas[i].Nome));
                TChaveAcesso xChave;
                try {
                    QVERIFY(TFuncoes::get().ValidaChaveAcesso(xAchada.captured(1), xChave));
                } catch (const Exception& xErro) {
                    QFAIL(
                        qPrintable(xEntradas[i].Nome + ": " + xAchada.captured(1) + ": " + xErro.Message()));
                }
                QCOMPARE(xChave.CNPJ, CNPJ_ALFA);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TstCnpjAlfanumerico)
#include "tst_CnpjAlfanumerico.moc"
