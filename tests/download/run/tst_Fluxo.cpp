// A download step as it streams: the pages asked for, the archive published or left out, transient
// failures asked again, stop and abandonment, against the local stand-in of the notes service.

#include "download/archive/LeitorZip.h"
#include "download/client/ServiceConexaoHTTP.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "download/client/ServiceRetentativas.h"
#include "download/run/DownloadRun.h"
#include "download/run/VisaoFalsa.h"
#include "log/LogArquivo.h"
#include "support/DetentorArquivo.h"
#include "support/LimiteArquivo.h"
#include "support/NotesService.h"
#include "util/Exception.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <QtTest>
#include <thread>

namespace {

const QString CNPJ_A = QStringLiteral("11111111000111"); // 3 notes of every type and environment
const QString CNPJ_C = QStringLiteral("33333333000133"); // 250 notes of every type and environment

const QString FINALIZADO = QStringLiteral("Download de XMLs finalizado.\r\n\r\nCaminho dos arquivos: \r\n");
const QString INTERROMPIDO =
    QStringLiteral("Download de XMLs interrompido.\r\n\r\nCaminho dos arquivos: \r\n");
const QString NADA = QStringLiteral("Nenhuma nota encontrada para os filtros informados.");
const QString FALHA_NFE = QStringLiteral("Falha ao realizar download de notas. Motivo: "
                                         "Falha ao realizar download da(s) NF_E(s). Motivo: ");
const QString FALHA_COMPRESSAO =
    QStringLiteral("erro:Falha ao tentar realizar a compressão do(s) XML(s) da(s) NF_E(s).");

TFilial Filial(const QString& pCnpj)
{
    TFilial xFilial;
    xFilial.CHECKED = QStringLiteral("S");
    xFilial.CGC = pCnpj;
    return xFilial;
}

} // namespace

class TestDownloadFluxo : public QObject
{
    Q_OBJECT

    TNotesService vServico{{"--cnpj", CNPJ_A, "--per-branch", "3", "--cancelled", "34", "--xml-size", "600"}};
    TNotesService vServico250{{"--cnpj", CNPJ_C, "--per-branch", "250", "--xml-size", "400", "--cancelled", "0"}};
    QTemporaryDir vPasta;
    QTemporaryDir vPastaLog;
    TVisaoFalsa vVisao;

    void Prepara(const QString& pCnpj, TCaixasDownload pCaixas = {true, false, false, true, false})
    {
        vVisao = TVisaoFalsa();
        vVisao.vFiliais = {Filial(pCnpj)};
        vVisao.vCaixas = pCaixas;
        vVisao.vPasta = vPasta.path();
    }
    QString Executa(TDownloadRun* pRun = nullptr)
    {
        try {
            if (pRun)
                pRun->Executa();
            else
                TDownloadRun(vVisao).Executa();
        } catch (const Exception& E) {
            return E.Message();
        }
        return QString();
    }
    // Everything in the folder, hidden files included.
    QStringList Arquivos() const
    {
        return QDir(vPasta.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    QString Zip(const QString& pCnpj, const QString& pTipo = QStringLiteral("NF_E")) const
    {
        return vPasta.filePath("download_xmls_" + pCnpj + "_" + pTipo + "_PRODUCAO.zip");
    }
    // The pages a server was asked for since pAntes, in order.
    static QStringList Paginas(const TNotesService& pServico, qsizetype pAntes)
    {
        QStringList xPaginas;
        for (const QString& xLinha : pServico.LinhasRecebidas().mid(pAntes))
            xPaginas << QUrlQuery(xLinha.section(' ', 1, 1).section('?', 1)).queryItemValue("page");
        return xPaginas;
    }
    // The authorised notes' numbers in an archive, in its order.
    static QStringList Numeros(const QString& pZip)
    {
        QStringList xNumeros;
        for (const QString& xNome : NomesZip(pZip))
            xNumeros << xNome.section('_', 3, 3);
        return xNumeros;
    }
    static QStringList Faixa(int pDe, int pAte)
    {
        QStringList xNumeros;
        for (int i = pDe; i <= pAte; ++i)
            xNumeros << QString::number(i);
        return xNumeros;
    }
    QString LinhasDoLog() const
    {
        TLogArquivo::AguardaEscritores();
        QString xTexto;
        for (const QFileInfo& xArquivo : QDir(vPastaLog.path()).entryInfoList(QDir::Files)) {
            QFile xLog(xArquivo.filePath());
            if (xLog.open(QIODevice::ReadOnly))
                xTexto += QString::fromLatin1(xLog.readAll());
        }
        return xTexto;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(vPasta.isValid() && vPastaLog.isValid());
        TLogArquivo::DefinePastaLog(vPastaLog.path());
        QVERIFY2(vServico.Iniciar(), qPrintable(vServico.Erro()));
        QVERIFY2(vServico250.Iniciar(), qPrintable(vServico250.Erro()));
    }
    void init()
    {
        QDir xPasta(vPasta.path());
        for (const QString& xNome : Arquivos())
            QVERIFY(xPasta.remove(xNome));
        TControleConsulta::DefineMsPorSegundo(20);
    }
    void cleanup() { TControleConsulta::DefineMsPorSegundo(1000); }

    // What the service reports page by page -> the pages asked for and what the step leaves.
    void Paginacao_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<QStringList>("paginas");
        QTest::addColumn<QStringList>("numeros"); // of the archive; empty: no archive at all
        QTest::addColumn<QString>("motivo");      // the run's failure; empty: none

        QTest::newRow("plain") << "" << QStringList{"0", "1", "2"} << Faixa(1, 250) << "";
        QTest::newRow("totalPages 2 then 3: page 2 asked")
            << "p0-totalpages:2,p1-totalpages:3" << QStringList{"0", "1", "2"} << Faixa(1, 250) << "";
        QTest::newRow("totalPages 3 then 1: page 2 not asked")
            << "p1-totalpages:1" << QStringList{"0", "1"} << Faixa(1, 200) << "";
        QTest::newRow("elements but no content: goes on")
            << "p1-nocontent" << QStringList{"0", "1", "2"} << Faixa(1, 100) + Faixa(201, 250) << "";
        QTest::newRow("later page without elements: step dropped")
            << "p2-noelements" << QStringList{"0", "1", "2"} << QStringList() << "";
        QTest::newRow("later page fails: step and run fail")
            << "p1-404:html" << QStringList{"0", "1"} << QStringList()
            << FALHA_NFE + "The input value is not a valid Object";
    }
    void Paginacao()
    {
        QFETCH(QString, falha);
        QFETCH(QStringList, paginas);
        QFETCH(QStringList, numeros);
        QFETCH(QString, motivo);
        TRecepcaoNF::get().SetUrlBase(falha.isEmpty() ? vServico250.UrlBase() : vServico250.UrlBaseComFalha(falha));
        Prepara(CNPJ_C);
        const qsizetype xAntes = vServico250.LinhasRecebidas().size();
        QCOMPARE(Executa(), motivo);
        QCOMPARE(Paginas(vServico250, xAntes), paginas);
        if (numeros.isEmpty()) {
            QCOMPARE(Arquivos(), QStringList());
            QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + NADA});
        } else {
            QCOMPARE(Arquivos(), QStringList{QFileInfo(Zip(CNPJ_C)).fileName()});
            QCOMPARE(Numeros(Zip(CNPJ_C)), numeros);
            QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + FINALIZADO + "NF-e: " + QDir::toNativeSeparators(Zip(CNPJ_C)) + "\r\n"});
            // The texts in their order: download, then compression, then its end.
            QCOMPARE(vVisao.Com("status1:"),
                     (QStringList{"Realizando o download da(s) NF_E(s)", "Download da(s) NF_E(s) finalizado",
                                  "Realizando a compressão da(s) NF_E(s)",
                                  "Compressão do(s) XML(s) da(s) NF_E(s) finalizada"}));
            QCOMPARE(vVisao.vGauge, numeros.size());
            QCOMPARE(vVisao.vGaugeMax, numeros.size());
        }
    }

    // Esc answered while page 1 is in flight: that page is still packed, page 2 is not asked for.
    void ParadaComPaginaEmVoo()
    {
        TRecepcaoNF::get().SetUrlBase(vServico250.UrlBaseComFalha("p1-delay:700"));
        Prepara(CNPJ_C);
        const qsizetype xAntes = vServico250.LinhasRecebidas().size();
        vVisao.AoProcessarEventos = [&](TVisaoFalsa& v) {
            if (!v.vEstado.vInterromper && v.vGauge == 1 && vServico250.LinhasRecebidas().size() - xAntes == 2)
                v.vEstado.vInterromper = true;
        };
        QCOMPARE(Executa(), QString());
        QCOMPARE(Paginas(vServico250, xAntes), (QStringList{"0", "1"}));
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + INTERROMPIDO + "NF-e: " + QDir::toNativeSeparators(Zip(CNPJ_C)) + "\r\n"});
        QCOMPARE(Numeros(Zip(CNPJ_C)), Faixa(1, 200));
        QCOMPARE(Arquivos().size(), 1);
        QVERIFY(vVisao.Com("status1:").contains("Download da(s) NF_E(s) interrompido pelo usuário"));
    }

    // A stop waits for the page in flight no longer than the answer time-out, even while the page keeps
    // trickling in: then the step ends with the pages it had.
    void ParadaNaoEsperaMaisQueOTempoLimite()
    {
        THTTPConnectionClient::DefineTemposLimite(30000, 400);
        TRecepcaoNF::get().SetUrlBase(vServico250.UrlBaseComFalha("p1-slow:200:5000"));
        Prepara(CNPJ_C);
        const qsizetype xAntes = vServico250.LinhasRecebidas().size();
        QElapsedTimer xRelogio;
        vVisao.AoProcessarEventos = [&](TVisaoFalsa& v) {
            if (!v.vEstado.vInterromper && v.vGauge == 1 && vServico250.LinhasRecebidas().size() - xAntes == 2) {
                v.vEstado.vInterromper = true;
                xRelogio.start();
            }
        };
        const QString xFalha = Executa();
        THTTPConnectionClient::DefineTemposLimite(THTTPConnectionClient::TEMPO_LIMITE_PADRAO,
                                                  THTTPConnectionClient::TEMPO_LIMITE_PADRAO);
        QCOMPARE(xFalha, QString());
        QVERIFY2(xRelogio.elapsed() < 1500, qPrintable(QString::number(xRelogio.elapsed())));
        QCOMPARE(Paginas(vServico250, xAntes), (QStringList{"0", "1"}));
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + INTERROMPIDO + "NF-e: " + QDir::toNativeSeparators(Zip(CNPJ_C)) + "\r\n"});
        QCOMPARE(Numeros(Zip(CNPJ_C)), Faixa(1, 100));
        QCOMPARE(Arquivos().size(), 1);
    }

    // A write that fails in the middle of a step (the file size limit stands in for a full disk): the
    // compression failure is reported, nothing of that step stays, and the run goes on with the next.
    void DiscoCheio()
    {
        if (!TLimiteArquivo::Disponivel())
            QSKIP("no per-process file size limit to stand in for a full disk on this system");
        TRecepcaoNF::get().SetUrlBase(vServico250.UrlBase());
        Prepara(CNPJ_C, {true, true, false, true, false});
        TLimiteArquivo xLimite;
        vVisao.AoProcessarEventos = [&](TVisaoFalsa& v) {
            if (v.vStatus[0] == QStringLiteral("Processando NF_E(s) PRODUÇÃO"))
                xLimite.Limita(8 * 1024);
            else
                xLimite.Restaura();
        };
        const QString xFalha = Executa();
        xLimite.Restaura();
        QCOMPARE(xFalha, QString());
        QCOMPARE(vVisao.Dialogos(),
                 (QStringList{FALHA_COMPRESSAO, "info:" + FINALIZADO + "NFC-e: " + QDir::toNativeSeparators(Zip(CNPJ_C, "NFC_E")) + "\r\n"}));
        QCOMPARE(Arquivos(), QStringList{QFileInfo(Zip(CNPJ_C, "NFC_E")).fileName()});
        QCOMPARE(NomesZip(Zip(CNPJ_C, "NFC_E")).size(), 250);
    }

    // Another program (an antivirus) holds the finished archive throughout: it is kept under its hidden
    // name, which the message and the log give with the system's reason, and the run goes on.
    void PublicacaoRetida()
    {
        if (!TDetentorArquivo::Impede())
            QSKIP("another program's open file stops no rename on this system");
        TRecepcaoNF::get().SetUrlBase(vServico250.UrlBase());
        Prepara(CNPJ_C, {true, true, false, true, false});
        TDetentorArquivo xDetentor;
        QString xOculto;
        vVisao.AoProcessarEventos = [&](TVisaoFalsa& v) {
            if (xOculto.isEmpty() && v.vStatus[0] == QStringLiteral("Processando NF_E(s) PRODUÇÃO") &&
                v.vStatus[1].startsWith(QStringLiteral("Realizando a compressão"))) {
                const QStringList xOcultos = QDir(vPasta.path()).entryList({".download_xmls_*.part"}, QDir::Files | QDir::Hidden);
                if (xOcultos.size() == 1 && xDetentor.Abre(vPasta.filePath(xOcultos.front())))
                    xOculto = vPasta.filePath(xOcultos.front());
            } else if (v.vStatus[0] != QStringLiteral("Processando NF_E(s) PRODUÇÃO")) {
                xDetentor.Libera();
            }
        };
        const QString xFalha = Executa();
        xDetentor.Libera();
        QCOMPARE(xFalha, QString());
        QVERIFY(!xOculto.isEmpty());
        const QStringList xDialogos = vVisao.Dialogos();
        QCOMPARE(xDialogos.size(), 2);
        QVERIFY2(xDialogos[0].startsWith(FALHA_COMPRESSAO + " Motivo: Não foi possível criar o arquivo \"" +
                                         QDir::toNativeSeparators(Zip(CNPJ_C)) + "\": "),
                 qPrintable(xDialogos[0]));
        QVERIFY2(xDialogos[0].endsWith("O arquivo completo foi mantido em \"" + QDir::toNativeSeparators(xOculto) + "\"."),
                 qPrintable(xDialogos[0]));
        QCOMPARE(xDialogos[1], "info:" + FINALIZADO + "NFC-e: " + QDir::toNativeSeparators(Zip(CNPJ_C, "NFC_E")) + "\r\n");
        QVERIFY(LinhasDoLog().contains(QStringLiteral("O arquivo completo foi mantido em")));
        // Kept whole, every note in it.
        QCOMPARE(NomesZip(xOculto).size(), 250);
        QVERIFY(!QFile::exists(Zip(CNPJ_C)));
    }

    // A fetch that fails after earlier steps wrote their archives: the summary lists them, then the
    // failure is raised.
    void FalhaDepoisDeArquivos()
    {
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBase());
        Prepara(CNPJ_A, {true, true, false, true, false});
        const QString xFalhando = vServico.UrlBaseComFalha("404");
        vVisao.AoProcessarEventos = [&](TVisaoFalsa& v) {
            if (v.vStatus[0] == QStringLiteral("Processando NFC_E(s) PRODUÇÃO"))
                TRecepcaoNF::get().SetUrlBase(xFalhando);
        };
        const QString xFalha = Executa();
        QVERIFY2(xFalha.startsWith("Falha ao realizar download de notas. Motivo: Falha ao realizar download "
                                   "da(s) NFC_E(s). Motivo: "),
                 qPrintable(xFalha));
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + FINALIZADO + "NF-e: " + QDir::toNativeSeparators(Zip(CNPJ_A)) + "\r\n"});
        QCOMPARE(Arquivos(), QStringList{QFileInfo(Zip(CNPJ_A)).fileName()});
    }

    // Which failures are asked again, how often, and what the log says.
    void Retentativas_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<int>("pedidos");     // requests for page 0
        QTest::addColumn<bool>("sucesso");
        QTest::addColumn<QStringList>("esperas"); // seconds announced in the log, in order

        QTest::newRow("503 twice") << "503,times:2" << 3 << true << QStringList{"1", "2"};
        QTest::newRow("429 once") << "429,times:1" << 2 << true << QStringList{"1"};
        QTest::newRow("502 always") << "502" << 4 << false << QStringList{"1", "2", "4"};
        QTest::newRow("504 always") << "504" << 4 << false << QStringList{"1", "2", "4"};
        QTest::newRow("cut body twice") << "cut,times:2" << 3 << true << QStringList{"1", "2"};
        QTest::newRow("Retry-After honoured") << "503,retryafter:3,times:1" << 2 << true << QStringList{"3"};
        QTest::newRow("Retry-After capped") << "503,retryafter:45,times:1" << 2 << true << QStringList{"30"};
        QTest::newRow("500 not asked again") << "500" << 1 << false << QStringList();
        QTest::newRow("404 not asked again") << "404" << 1 << false << QStringList();
        QTest::newRow("400 not asked again") << "400" << 1 << false << QStringList();
    }
    void Retentativas()
    {
        QFETCH(QString, falha);
        QFETCH(int, pedidos);
        QFETCH(bool, sucesso);
        QFETCH(QStringList, esperas);
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBaseComFalha("p0-" + falha.replace(",", ",p0-")));
        Prepara(CNPJ_A);
        const qsizetype xAntes = vServico.LinhasRecebidas().size();
        const qsizetype xLogAntes = LinhasDoLog().size();
        const QString xFalha = Executa();
        QCOMPARE(Paginas(vServico, xAntes), QStringList(pedidos, "0"));
        if (sucesso) {
            QCOMPARE(xFalha, QString());
            QCOMPARE(Arquivos(), QStringList{QFileInfo(Zip(CNPJ_A)).fileName()});
        } else {
            QVERIFY2(xFalha.startsWith(FALHA_NFE), qPrintable(xFalha));
            QCOMPARE(Arquivos(), QStringList());
        }
        const QString xLog = LinhasDoLog().mid(xLogAntes);
        QStringList xAnunciadas;
        const QRegularExpression xNova(
            QStringLiteral("Nova tentativa da consulta da p.gina 0 em (\\d+) s \\(tentativa (\\d) de 4\\)\\."));
        for (auto xAchou = xNova.globalMatch(xLog); xAchou.hasNext();) {
            const QRegularExpressionMatch m = xAchou.next();
            xAnunciadas << m.captured(1);
            QCOMPARE(m.captured(2).toInt(), xAnunciadas.size() + 1);
        }
        QCOMPARE(xAnunciadas, esperas);
        // Every attempt is in the log as a request, every failed one as its failure.
        QCOMPARE(xLog.count("Realizando a consulta: "), pedidos);
        QCOMPARE(xLog.count("Falha na consulta: "), pedidos - (sucesso ? 1 : 0));
    }

    // The waits are 1 s and 2 s apart for real.
    void RetentativasEspacadas()
    {
        TControleConsulta::DefineMsPorSegundo(1000);
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBaseComFalha("p0-503,p0-times:2,p0-error:spaced"));
        Prepara(CNPJ_A);
        QElapsedTimer xRelogio;
        xRelogio.start();
        QCOMPARE(Executa(), QString());
        QVERIFY2(xRelogio.elapsed() >= 3000, qPrintable(QString::number(xRelogio.elapsed())));
        QCOMPARE(Arquivos().size(), 1);
    }

    // Esc answered during the wait before asking again: the wait ends at once, nothing more is asked,
    // and the pages received are published as a stopped step.
    void EscDuranteEspera()
    {
        TControleConsulta::DefineMsPorSegundo(1000);
        TRecepcaoNF::get().SetUrlBase(vServico250.UrlBaseComFalha("p1-503"));
        Prepara(CNPJ_C);
        const qsizetype xAntes = vServico250.LinhasRecebidas().size();
        QElapsedTimer xRelogio;
        vVisao.AoProcessarEventos = [&](TVisaoFalsa& v) {
            if (!v.vEstado.vInterromper && vServico250.LinhasRecebidas().size() - xAntes == 2) {
                QTest::qWait(100); // inside the 1 s wait by now
                v.vEstado.vInterromper = true;
                xRelogio.start();
            }
        };
        QCOMPARE(Executa(), QString());
        QVERIFY2(xRelogio.elapsed() < 800, qPrintable(QString::number(xRelogio.elapsed())));
        QCOMPARE(Paginas(vServico250, xAntes), (QStringList{"0", "1"}));
        QCOMPARE(vVisao.Dialogos(), QStringList{"info:" + INTERROMPIDO + "NF-e: " + QDir::toNativeSeparators(Zip(CNPJ_C)) + "\r\n"});
        QCOMPARE(Numeros(Zip(CNPJ_C)), Faixa(1, 100));
        QCOMPARE(Arquivos().size(), 1);
    }

    // Abandoned (program termination) while a page is in flight, from the GUI thread or another one:
    // Executa returns at once, with no dialog, and nothing is left in the folder.
    void Abandono_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<bool>("outraThread");
        QTest::newRow("slow page, GUI thread") << "p1-delay:5000" << false;
        QTest::newRow("slow page, other thread") << "p1-delay:5000" << true;
        QTest::newRow("waiting to ask again") << "p1-503" << true;
    }
    void Abandono()
    {
        QFETCH(QString, falha);
        QFETCH(bool, outraThread);
        TControleConsulta::DefineMsPorSegundo(1000);
        TRecepcaoNF::get().SetUrlBase(vServico250.UrlBaseComFalha(falha));
        Prepara(CNPJ_C, {true, true, false, true, false});
        const qsizetype xAntes = vServico250.LinhasRecebidas().size();
        TDownloadRun xRun(vVisao);
        QElapsedTimer xRelogio;
        std::thread xOutra;
        vVisao.AoProcessarEventos = [&](TVisaoFalsa&) {
            if (xRelogio.isValid() || vServico250.LinhasRecebidas().size() - xAntes < 2)
                return;
            QTest::qWait(200);
            xRelogio.start();
            if (outraThread)
                xOutra = std::thread([&xRun] { xRun.Aborta(); });
            else
                xRun.Aborta();
        };
        QCOMPARE(Executa(&xRun), QString());
        const qint64 xDecorrido = xRelogio.elapsed();
        if (xOutra.joinable())
            xOutra.join();
        QVERIFY2(xDecorrido < 500, qPrintable(QString::number(xDecorrido)));
        QCOMPARE(vVisao.Dialogos(), QStringList());
        QCOMPARE(Arquivos(), QStringList());
        QCOMPARE(Paginas(vServico250, xAntes), (QStringList{"0", "1"}));
        QVERIFY(!vVisao.vEstado.vProcessando);
        QCOMPARE(vVisao.vEventos.mid(vVisao.vEventos.size() - 2), (QStringList{"cursor:0", "enable:1"}));
    }
};

QTEST_GUILESS_MAIN(TestDownloadFluxo)
#include "tst_Fluxo.moc"
