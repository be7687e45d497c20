// Whole download runs against the local stand-in of the notes service, driven through a recording view.

#include "download/archive/LeitorZip.h"
#include "download/run/DownloadRun.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "download/run/EntradasEsperadas.h"
#include "download/run/VisaoFalsa.h"
#include "log/LogArquivo.h"
#include "support/NotesService.h"
#include "util/Exception.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>

namespace {

const QString CNPJ_A = QStringLiteral("11111111000111");
const QString CNPJ_B = QStringLiteral("22222222000122");
const QString CNPJ_C = QStringLiteral("33333333000133"); // 250 notes of every type and environment
const QString CNPJ_SEM_NOTAS = QStringLiteral("99999999000199");

const QString FINALIZADO = QStringLiteral("Download de XMLs finalizado.\r\n\r\nCaminho dos arquivos: \r\n");
const QString INTERROMPIDO =
    QStringLiteral("Download de XMLs interrompido.\r\n\r\nCaminho dos arquivos: \r\n");
const QString NADA = QStringLiteral("Nenhuma nota encontrada para os filtros informados.");
const QString FALHA_RUN = QStringLiteral("Falha ao realizar download de notas. Motivo: ");

const QStringList STATUS_PASSOS{"Processando NF_E(s) PRODUÇÃO",  "Processando NF_E(s) HOMOLOGAÇÃO",
                                "Processando NFC_E(s) PRODUÇÃO", "Processando NFC_E(s) HOMOLOGAÇÃO",
                                "Processando NFS_E(s) PRODUÇÃO", "Processando NFS_E(s) HOMOLOAÇÃO"};

TFilial Filial(const QString& pCnpj, bool pTicada)
{
    TFilial xFilial;
    xFilial.CHECKED = pTicada ? QStringLiteral("S") : QStringLiteral("N");
    xFilial.CGC = pCnpj;
    return xFilial;
}

} // namespace

class TestDownloadRun : public QObject
{
    Q_OBJECT

    TNotesService vServico{
        {"--cnpj", CNPJ_A + "," + CNPJ_B, "--per-branch", "3", "--cancelled", "34", "--xml-size", "600"}};
    TNotesService vServico250{{"--cnpj", CNPJ_C, "--per-branch", "250", "--xml-size", "400"}};
    QTemporaryDir vPasta;
    TVisaoFalsa vVisao;

    void Prepara(const TListaFiliais& pFiliais, TCaixasDownload pCaixas)
    {
        vVisao = TVisaoFalsa();
        vVisao.vFiliais = pFiliais;
        vVisao.vCaixas = pCaixas;
        vVisao.vPasta = vPasta.path();
    }
    // Runs it; the failure it raised, empty when none.
    QString Executa()
    {
        try {
            TDownloadRun(vVisao).Executa();
        } catch (const Exception& E) {
            return E.Message();
        }
        return QString();
    }
    QString Zip(const QString& pCnpj, const QString& pTipo, const QString& pAmbiente,
                const QString& pNumero = {})
    {
        return vPasta.filePath("download_xmls_" + pCnpj + "_" + pTipo + "_" + pAmbiente + pNumero + ".zip");
    }
    QStringList Arquivos() const { return QDir(vPasta.path()).entryList(QDir::Files | QDir::Hidden); }
    // The requests a server received, each as its query keys.
    static QList<QUrlQuery> Consultas(const TNotesService& pServico)
    {
        QList<QUrlQuery> xConsultas;
        for (const QString& xLinha : pServico.LinhasRecebidas()) {
            const QString xAlvo = xLinha.section(' ', 1, 1);
            xConsultas << QUrlQuery(xAlvo.section('?', 1));
        }
        return xConsultas;
    }
    static QStringList Resumo(const QList<QUrlQuery>& pConsultas)
    {
        QStringList xResumo;
        for (const QUrlQuery& q : pConsultas)
            xResumo << q.queryItemValue("cnpj", QUrl::FullyDecoded) + " " + q.queryItemValue("tipoNFe") +
                           " " + q.queryItemValue("tipoAmbiente") + " " + q.queryItemValue("page");
        return xResumo;
    }
    void ComparaZip(const QString& pCaminho, const QVector<TEsperado>& pEsperado)
    {
        QString xErro;
        const QVector<TEntradaZip> xEntradas = LeZip(pCaminho, &xErro);
        QVERIFY2(xErro.isEmpty(), qPrintable(pCaminho + ": " + xErro));
        QCOMPARE(xEntradas.size(), pEsperado.size());
        for (int i = 0; i < xEntradas.size(); ++i) {
            QCOMPARE(xEntradas[i].Nome, pEsperado[i].Nome);
            QCOMPARE(xEntradas[i].Dados, pEsperado[i].Dados);
            QCOMPARE(xEntradas[i].Metodo, 8);
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(vServico.Iniciar(), qPrintable(vServico.Erro()));
        QVERIFY2(vServico250.Iniciar(), qPrintable(vServico250.Erro()));
    }
    void init()
    {
        QVERIFY(vPasta.isValid());
        QDir xPasta(vPasta.path());
        for (const QString& xNome :
             xPasta.entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden))
            QVERIFY(QFileInfo(xPasta.filePath(xNome)).isDir()
                        ? QDir(xPasta.filePath(xNome)).removeRecursively()
                        : xPasta.remove(xNome));
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBase());
    }

    // One ticked branch (a second one unticked), NF-e and NFC-e, production only.
    void UmaFilialDoisTipos()
    {
        Prepara({Filial(CNPJ_A, true), Filial(CNPJ_B, false)}, {true, true, false, true, false});
        const int xAntes = vServico.LinhasRecebidas().size();
        QCOMPARE(Executa(), QString());

        const QString xNFe = Zip(CNPJ_A, "NF_E", "PRODUCAO");
        const QString xNFCe = Zip(CNPJ_A, "NFC_E", "PRODUCAO");
        QCOMPARE(vVisao.Dialogos(),
                 QStringList{"info:" + FINALIZADO + "NF-e: " + QDir::toNativeSeparators(xNFe) + "\r\nNFC-e: " + QDir::toNativeSeparators(xNFCe) + "\r\n"});
        QCOMPARE(vVisao.Com("status0:"), (QStringList{STATUS_PASSOS[0], STATUS_PASSOS[2]}));
        QCOMPARE(vVisao.Com("status1:").mid(0, 4),
                 (QStringList{"Realizando o download da(s) NF_E(s)", "Download da(s) NF_E(s) finalizado",
                              "Realizando a compressão da(s) NF_E(s)",
                              "Compressão do(s) XML(s) da(s) NF_E(s) finalizada"}));
        // The frame of a run: hourglass, checks, inputs off, folder ... summary, clearing, inputs on.
        QCOMPARE(vVisao.vEventos.mid(0, 5),
                 (QStringList{"cursor:1", "valida", "enable:0", "pasta", "linha:0"}));
        const QStringList xFim = vVisao.vEventos.mid(vVisao.vEventos.size() - 7);
        QCOMPARE(xFim.size(), 7);
        QCOMPARE(xFim[0], QStringLiteral("classico:1"));
        QVERIFY(xFim[1].startsWith("info:"));
        QCOMPARE(xFim.mid(2), (QStringList{"classico:0", "limpa", "cursor:0", "enable:1", "eventos"}));
        QVERIFY(!vVisao.vEstado.vProcessando);
        QCOMPARE(vVisao.vEstado.vCaminhoPasta, vPasta.path());

        QCOMPARE(Resumo(Consultas(vServico).mid(xAntes)),
                 (QStringList{CNPJ_A + " NF_E PRODUCAO 0", CNPJ_A + " NFC_E PRODUCAO 0"}));
        QCOMPARE(Arquivos().size(), 2);
        const QVector<TEsperado> xEsperado = EntradasDoServico(CNPJ_A, "NF_E", "PRODUCAO");
        QVERIFY(xEsperado.size() > 3); // a cancellation among them
        ComparaZip(xNFe, xEsperado);
        ComparaZip(xNFCe, EntradasDoServico(CNPJ_A, "NFC_E", "PRODUCAO"));
        // ç and ã of the service's XML, as UTF-8, no byte-order mark.
        const QByteArray xXml = LeZip(xNFe)[0].Dados;
        QVERIFY(xXml.contains("Pe\xC3\xA7"
                              "as S\xC3\xA3o"));
        QVERIFY(xXml.startsWith("<?xml"));
    }

    // Two ticked branches, every box: twelve steps, branch after branch, each in the order 1 to 6.
    void DuasFiliaisTodasCaixas()
    {
        Prepara({Filial(CNPJ_A, true), Filial(CNPJ_B, true)}, {true, true, true, true, true});
        const int xAntes = vServico.LinhasRecebidas().size();
        QCOMPARE(Executa(), QString());
        QCOMPARE(vVisao.Com("status0:"), STATUS_PASSOS + STATUS_PASSOS);

        const QStringList TIPOS{"NF_E", "NF_E", "NFC_E", "NFC_E", "NFS_E", "NFS_E"};
        const QStringList AMBIENTES{"PRODUCAO",    "HOMOLOGACAO", "PRODUCAO",
                                    "HOMOLOGACAO", "PRODUCAO",    "HOMOLOGACAO"};
        const QStringList ROTULOS{"NF-e: ", "NF-e: ", "NFC-e: ", "NFC-e: ", "NFS-e: ", "NFS-e: "};
        QString xResumo = FINALIZADO;
        QStringList xConsultas;
        for (const QString& xCnpj : {CNPJ_A, CNPJ_B})
            for (int i = 0; i < 6; ++i) {
                xResumo += ROTULOS[i] + QDir::toNativeSeparators(Zip(xCnpj, TIPOS[i], AMBIENTES[i])) + "\r\n";
                xConsultas << xCnpj + " " + TIPOS[i] + " " + AMBIENTES[i] + " 0";
            }
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + xResumo});
        QCOMPARE(Resumo(Consultas(vServico).mid(xAntes)), xConsultas);
        QCOMPARE(Arquivos().size(), 12);
        ComparaZip(Zip(CNPJ_B, "NFS_E", "HOMOLOGACAO"), EntradasDoServico(CNPJ_B, "NFS_E", "HOMOLOGACAO"));
    }

    void NadaEncontrado()
    {
        Prepara({Filial(CNPJ_SEM_NOTAS, true)}, {true, false, false, true, true});
        QCOMPARE(Executa(), QString());
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + NADA});
        QVERIFY(!vVisao.vEventos.contains("classico:1"));
        QVERIFY(vVisao.vEventos.contains("limpa"));
        QCOMPARE(Arquivos(), QStringList());
        QCOMPARE(vVisao.vStatus[1], QStringLiteral("Realizando o download da(s) NF_E(s)"));
    }

    // 250 notes at 100 a page: pages 0, 1 and 2, the notes in the service's order, the gauge at 3 of 3.
    void TresPaginas()
    {
        TRecepcaoNF::get().SetUrlBase(vServico250.UrlBase());
        Prepara({Filial(CNPJ_C, true)}, {true, false, false, true, false});
        const int xAntes = vServico250.LinhasRecebidas().size();
        QCOMPARE(Executa(), QString());
        const QList<QUrlQuery> xConsultas = Consultas(vServico250).mid(xAntes);
        QCOMPARE(Resumo(xConsultas), (QStringList{CNPJ_C + " NF_E PRODUCAO 0", CNPJ_C + " NF_E PRODUCAO 1",
                                                  CNPJ_C + " NF_E PRODUCAO 2"}));
        QCOMPARE(xConsultas[0].queryItemValue("size"), QStringLiteral("100"));
        // Gauge during the fetch: maximum 3, then 1, 2, 3.
        const QStringList xGauge = vVisao.vEventos.filter(QRegularExpression("^gauge"));
        QCOMPARE(xGauge.mid(0, 7), (QStringList{"gauge:0", "gaugeMax:3", "gauge:1", "gaugeMax:3", "gauge:2",
                                                "gaugeMax:3", "gauge:3"}));
        const QVector<TEsperado> xEsperado = EntradasDoServico(CNPJ_C, "NF_E", "PRODUCAO");
        int xAutorizadas = 0;
        for (const TEsperado& e : xEsperado)
            xAutorizadas += e.Nome.contains("_AUT_");
        QCOMPARE(xAutorizadas, 250);
        ComparaZip(Zip(CNPJ_C, "NF_E", "PRODUCAO"), xEsperado);
        QCOMPARE(VerificaZipExterno(Zip(CNPJ_C, "NF_E", "PRODUCAO"), xEsperado.size()), QString());
    }

    // Stop asked as page 0 is asked for: its 100 notes are packed, nothing else is asked for. (The next
    // page is asked for as soon as a page has come, so a stop asked once page 0 is in lets page 1, then
    // in flight, come and be packed too: see tst_download_run_fluxo.)
    void InterrompePagina0()
    {
        TRecepcaoNF::get().SetUrlBase(vServico250.UrlBase());
        Prepara({Filial(CNPJ_C, true)}, {true, true, false, true, false});
        vVisao.AoProcessarEventos = [](TVisaoFalsa& v) {
            if (v.vGauge == 0 && v.vStatus[1].startsWith("Realizando o download"))
                v.vEstado.vInterromper = true;
        };
        const int xAntes = vServico250.LinhasRecebidas().size();
        QCOMPARE(Executa(), QString());
        QCOMPARE(Resumo(Consultas(vServico250).mid(xAntes)), QStringList{CNPJ_C + " NF_E PRODUCAO 0"});
        const QString xZip = Zip(CNPJ_C, "NF_E", "PRODUCAO");
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + INTERROMPIDO + "NF-e: " + QDir::toNativeSeparators(xZip) + "\r\n"});
        QVERIFY(vVisao.Com("status1:").contains("Download da(s) NF_E(s) interrompido pelo usuário"));
        QVERIFY(vVisao.Com("status1:")
                    .contains("Download interrompido pelo usuário... Realizando a compressão da(s) NF_E(s) "
                              "que foram baixadas"));
        ComparaZip(xZip, EntradasDoServico(CNPJ_C, "NF_E", "PRODUCAO", 1));
        QCOMPARE(vVisao.Com("status0:"), QStringList{STATUS_PASSOS[0]});
        QVERIFY(vVisao.vEstado.vInterromper); // kept until the next run
    }

    // Stop asked during step 6 of the first branch: that step ends, the next branch is not started.
    void InterrompePasso6()
    {
        Prepara({Filial(CNPJ_A, true), Filial(CNPJ_B, true)}, {true, true, true, true, true});
        vVisao.AoProcessarEventos = [](TVisaoFalsa& v) {
            if (v.vStatus[0] == STATUS_PASSOS[5])
                v.vEstado.vInterromper = true;
        };
        const int xAntes = vServico.LinhasRecebidas().size();
        QCOMPARE(Executa(), QString());
        QCOMPARE(vVisao.Com("status0:"), STATUS_PASSOS);
        for (const QString& xConsulta : Resumo(Consultas(vServico).mid(xAntes)))
            QVERIFY2(xConsulta.startsWith(CNPJ_A), qPrintable(xConsulta));
        QCOMPARE(Arquivos().size(), 6);
        const QStringList xDialogos = vVisao.Dialogos();
        QCOMPARE(xDialogos.size(), 1);
        QVERIFY(xDialogos[0].startsWith("info:" + INTERROMPIDO + "NF-e: "));
        QVERIFY(xDialogos[0].endsWith("NFS-e: " + QDir::toNativeSeparators(Zip(CNPJ_A, "NFS_E", "HOMOLOGACAO")) + "\r\n"));
    }

    void InterrompeSemArquivo()
    {
        Prepara({Filial(CNPJ_SEM_NOTAS, true), Filial(CNPJ_A, true)}, {true, false, false, true, true});
        vVisao.AoProcessarEventos = [](TVisaoFalsa& v) { v.vEstado.vInterromper = v.vEstado.vProcessando; };
        QCOMPARE(Executa(), QString());
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:Processo interrompido... Nenhuma nota encontrada."});
        QCOMPARE(vVisao.Com("status0:"), QStringList{STATUS_PASSOS[0]});
        QCOMPARE(Arquivos(), QStringList());
    }

    // The service fails: the completion dialog first, then the run's failure.
    void FalhaDoServico_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<QString>("motivo"); // end of the message; empty: any
        QTest::newRow("unreachable") << "unreachable"
                                     << "";
        QTest::newRow("503") << "503"
                             << "";
        QTest::newRow("HTML body") << "404:html"
                                   << "The input value is not a valid Object";
    }
    void FalhaDoServico()
    {
        QFETCH(QString, falha);
        QFETCH(QString, motivo);
        TRecepcaoNF::get().SetUrlBase(falha == "unreachable" ? QStringLiteral("http://127.0.0.1:1/RecepcaoNF")
                                                             : vServico.UrlBaseComFalha(falha));
        Prepara({Filial(CNPJ_A, true), Filial(CNPJ_B, true)}, {true, true, false, true, false});
        const QString xFalha = Executa();
        const QString xInicio = FALHA_RUN + "Falha ao realizar download da(s) NF_E(s). Motivo: ";
        QVERIFY2(xFalha.startsWith(xInicio) && xFalha.size() > xInicio.size(), qPrintable(xFalha));
        if (!motivo.isEmpty())
            QCOMPARE(xFalha, xInicio + motivo);
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + NADA});
        QCOMPARE(vVisao.Com("status0:"), QStringList{STATUS_PASSOS[0]});
        QCOMPARE(vVisao.vEventos.mid(vVisao.vEventos.size() - 4),
                 (QStringList{"limpa", "cursor:0", "enable:1", "eventos"}));
        QVERIFY(!vVisao.vEstado.vProcessando);
        QCOMPARE(Arquivos(), QStringList());
    }

    // Archives of earlier runs stay: the new one takes the first free numbered name.
    void Colisoes()
    {
        for (const QString& xNumero : {QString(), QStringLiteral(" (1)")}) {
            QFile xArquivo(Zip(CNPJ_A, "NF_E", "PRODUCAO", xNumero));
            QVERIFY(xArquivo.open(QIODevice::WriteOnly));
            xArquivo.write("earlier run");
        }
        Prepara({Filial(CNPJ_A, true)}, {true, false, false, true, false});
        QCOMPARE(Executa(), QString());
        const QString xZip = Zip(CNPJ_A, "NF_E", "PRODUCAO", " (2)");
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + FINALIZADO + "NF-e: " + QDir::toNativeSeparators(xZip) + "\r\n"});
        ComparaZip(xZip, EntradasDoServico(CNPJ_A, "NF_E", "PRODUCAO"));
        QFile xAnterior(Zip(CNPJ_A, "NF_E", "PRODUCAO"));
        QVERIFY(xAnterior.open(QIODevice::ReadOnly));
        QCOMPARE(xAnterior.readAll(), QByteArray("earlier run"));
    }

    // A punctuated CNPJ is sent as held, and its archive lands in the chosen folder.
    void CnpjPontuado()
    {
        Prepara({Filial("11.111.111/0001-11", true)}, {true, false, false, true, false});
        const int xAntes = vServico.LinhasRecebidas().size();
        QCOMPARE(Executa(), QString());
        QCOMPARE(Resumo(Consultas(vServico).mid(xAntes)), QStringList{"11.111.111/0001-11 NF_E PRODUCAO 0"});
        const QString xZip = vPasta.filePath("download_xmls_11.111.111_0001-11_NF_E_PRODUCAO.zip");
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + FINALIZADO + "NF-e: " + QDir::toNativeSeparators(xZip) + "\r\n"});
        ComparaZip(xZip, EntradasDoServico(CNPJ_A, "NF_E", "PRODUCAO"));
    }

    // A folder where nothing can be created (root included): each step reports it, the run goes on.
    void PastaSemEscrita()
    {
        QFile xArquivo(vPasta.filePath("a-file"));
        QVERIFY(xArquivo.open(QIODevice::WriteOnly));
        xArquivo.close();
        Prepara({Filial(CNPJ_A, true)}, {true, false, false, true, true});
        vVisao.vPasta = vPasta.filePath("a-file/xmls");
        QCOMPARE(Executa(), QString());
        const QStringList xDialogos = vVisao.Dialogos();
        QCOMPARE(xDialogos.size(), 3);
        QVERIFY(xDialogos[0].startsWith("erro:Falha ao tentar criar o arquivo .zip. Motivo: "));
        QVERIFY(xDialogos[1].startsWith("erro:Falha ao tentar criar o arquivo .zip. Motivo: "));
        QCOMPARE(xDialogos[2], "info:" + NADA);
        QCOMPARE(vVisao.Com("status0:"), STATUS_PASSOS.mid(0, 2));
    }

    // Endings before the branch walk: no summary, no clearing, the inputs and cursor given back.
    void SemCaminhada_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QStringList>("eventos");
        QTest::addColumn<QString>("falha");
        QTest::newRow("checks fail") << "valida"
                                     << QStringList{"cursor:1", "valida", "cursor:0", "enable:1", "eventos"}
                                     << "";
        QTest::newRow("checks raise")
            << "raise" << QStringList{"cursor:1", "valida", "cursor:0", "enable:1", "eventos"}
            << "Falha ao validar campos. Motivo: x";
        QTest::newRow("no folder")
            << "pasta"
            << QStringList{"cursor:1", "valida",   "enable:0", "pasta", "alerta:Selecione uma pasta.",
                           "cursor:0", "enable:1", "eventos"}
            << "";
    }
    void SemCaminhada()
    {
        QFETCH(QString, caso);
        QFETCH(QStringList, eventos);
        QFETCH(QString, falha);
        Prepara({Filial(CNPJ_A, true)}, {true, true, true, true, true});
        vVisao.vValida = caso != "valida";
        if (caso == "raise")
            vVisao.vValidaFalha = [] { throw Exception("Falha ao validar campos. Motivo: x"); };
        if (caso == "pasta")
            vVisao.vPasta = "   ";
        vVisao.vEstado.vInterromper = true; // an old answer: only a branch walk clears it
        QCOMPARE(Executa(), falha);
        QCOMPARE(vVisao.vEventos, eventos);
        QVERIFY(vVisao.vEstado.vInterromper);
        QVERIFY(!vVisao.vEstado.vProcessando);
    }

    // The log and its folder come with the first line: a click that ends in a check's message logs
    // nothing and leaves no folder, not even once the log is released at the program's end; a download
    // logs its requests.
    void PastaDoLog_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<bool>("comLog");
        QTest::newRow("checks fail") << "valida" << false;
        QTest::newRow("no folder") << "pasta" << false;
        QTest::newRow("download") << "" << true;
    }
    void PastaDoLog()
    {
        QFETCH(QString, caso);
        QFETCH(bool, comLog);
        QTemporaryDir xPrograma;
        QVERIFY(xPrograma.isValid());
        const QString xPastaLog = xPrograma.filePath("log");
        LiberaLog(); // what earlier cases logged
        TLogArquivo::DefinePastaLog(xPastaLog);
        const auto xRestaura = qScopeGuard([] {
            LiberaLog();
            TLogArquivo::DefinePastaLog({});
        });
        Prepara({Filial(CNPJ_A, true)}, {true, false, false, true, false});
        vVisao.vValida = caso != "valida";
        if (caso == "pasta")
            vVisao.vPasta = "";
        QCOMPARE(Executa(), QString());
        QCOMPARE(QFileInfo(xPastaLog).isDir(), comLog);
        LiberaLog();
        QVERIFY(TLogArquivo::AguardaEscritores());
        QCOMPARE(QFileInfo::exists(xPastaLog), comLog);
        if (!comLog)
            return;
        const QStringList xArquivos = QDir(xPastaLog).entryList(QDir::Files);
        QCOMPARE(xArquivos.size(), 1);
        QFile xLog(xPastaLog + "/" + xArquivos.first());
        QVERIFY(xLog.open(QIODevice::ReadOnly));
        const QByteArray xLinhas = xLog.readAll();
        QVERIFY(xLinhas.contains("[TRecepcaoNF"));
        QVERIFY(xLinhas.contains("**** Log finalizado ****"));
    }
};

QTEST_GUILESS_MAIN(TestDownloadRun)
#include "tst_Download.moc"
