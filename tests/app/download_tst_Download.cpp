// The download run driven through the window: the Download button, the folder dialog, the summary, the
// stop request with Esc and the failure report, against the local stand-in of the notes service.

#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/DialogoPasta.h"
#include "app/MaskEdit.h"
#include "app/PrincipalDownloadEstilo.h"
#include "app/StatusBar.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "sistema/Termino.h"
#include "support/NotesService.h"
#include "support/ProcessoHospedeiro.h"

#include <QCheckBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <optional>

namespace {

const QString CNPJ_A = QStringLiteral("11111111000111");
const QString CNPJ_B = QStringLiteral("22222222000122");
const QString CNPJ_C = QStringLiteral("33333333000133"); // 250 notes of every type and environment

const QString FINALIZADO = QStringLiteral("Download de XMLs finalizado.\r\n\r\nCaminho dos arquivos: \r\n");
const QString INTERROMPIDO =
    QStringLiteral("Download de XMLs interrompido.\r\n\r\nCaminho dos arquivos: \r\n");
const QString NADA = QStringLiteral("Nenhuma nota encontrada para os filtros informados.");
const QString TITULO_PASTA = QStringLiteral("Selecione a pasta de destino dos XMLs");

// Stands in for the folder dialog while alive: records each dialog as shown and answers Proxima.
class TPastaRoteirizada : public TApresentadorDialogoPasta
{
public:
    struct TVisto
    {
        QString Title;
        bool PickFolders, ForceFileSystem, PathMustExist;
        QString FileName;
    };

    TPastaRoteirizada() { vAnterior = Define(this); }
    ~TPastaRoteirizada() override { Define(vAnterior); }
    TPastaRoteirizada(const TPastaRoteirizada&) = delete;
    TPastaRoteirizada& operator=(const TPastaRoteirizada&) = delete;

    std::optional<QString> Apresenta(const TDialogoAbrirPasta& pDialogo, QWidget*) override
    {
        Vistos.append({pDialogo.Title, pDialogo.PickFolders, pDialogo.ForceFileSystem, pDialogo.PathMustExist,
                       pDialogo.FileName});
        if (AoApresentar)
            AoApresentar();
        return Proxima;
    }

    std::optional<QString> Proxima;
    QList<TVisto> Vistos;
    std::function<void()> AoApresentar;

private:
    TApresentadorDialogoPasta* vAnterior = nullptr;
};

// What the window looked like at one moment of the run.
struct TMomento
{
    bool Entradas = false; // any input or button enabled
    bool Ampulheta = false;
    bool Processando = false;
    bool Classico = false;
    bool FimDaSessaoBloqueado = false; // the system told that ending the session would cut the download
};

TMomento Momento(TfrmPrincipal& w)
{
    TMomento xMomento;
    for (QWidget* xCampo :
         QList<QWidget*>{w.btnDownload, w.btnLimpar, w.btnSair, w.btnConfig, w.btnInfo, w.chkNFE,
                         w.chkProducao, w.mskDataIni, w.edtNfInicial, w.dbgFiliais, w.chkTodasFiliais})
        xMomento.Entradas = xMomento.Entradas || xCampo->isEnabled();
    xMomento.Ampulheta =
        QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    xMomento.Processando = w.vProcessando;
    xMomento.Classico = TApresentadorClassico::Ativo();
    xMomento.FimDaSessaoBloqueado = TBloqueioFimDaSessao::Algum();
    return xMomento;
}

// The entry names of a ZIP archive, read back by unzip.
QStringList Entradas(const QString& pZip)
{
    const TResultadoHospedeiro xUnzip =
        ExecutaNoHospedeiro(QStringLiteral("unzip"), {QStringLiteral("-Z1"), CaminhoNoHospedeiro(pZip)}, 30000);
    if (!xUnzip.Terminou || xUnzip.Codigo != 0)
        return {QStringLiteral("<unzip failed>")};
    return QString::fromUtf8(xUnzip.Saida).split(u'\n', Qt::SkipEmptyParts);
}

} // namespace

class TestDownloadJanela : public QObject
{
    Q_OBJECT

    TNotesService vServico{{"--cnpj", CNPJ_A + "," + CNPJ_B, "--per-branch", "3", "--cancelled", "34"}};
    TNotesService vServico250{{"--cnpj", CNPJ_C, "--per-branch", "250"}};

    // Branch rows (CNPJ, ticked) and the filters of a run: the whole of 2024, NF-e in production.
    static void Prepara(TJanelaTeste& t, const QList<QPair<QString, bool>>& pFiliais)
    {
        TListaFiliais xLista;
        for (const auto& [xCnpj, xTicada] : pFiliais) {
            TFilial xFilial;
            xFilial.CODEMPRESA = QString::number(xLista.size() + 1);
            xFilial.DESCRICAO = QStringLiteral("FILIAL ") + xCnpj;
            xFilial.CGC = xCnpj;
            xFilial.CHECKED = xTicada ? QStringLiteral("S") : QStringLiteral("N");
            xLista.push_back(xFilial);
        }
        t.Janela.cdsFiliais->Open(xLista);
        t.Janela.mskDataIni->SetText(QStringLiteral("01/01/2024"));
        t.Janela.mskDataFim->SetText(QStringLiteral("31/12/2024"));
        t.Janela.chkNFE->setChecked(true);
        t.Janela.chkProducao->setChecked(true);
    }

    static void ConfereFimDaCorrida(TJanelaTeste& t)
    {
        const TMomento xFim = Momento(t.Janela);
        QVERIFY(!xFim.Ampulheta);
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(!xFim.Processando);
        QVERIFY(!xFim.Classico);
        QVERIFY(!xFim.FimDaSessaoBloqueado);
        for (QWidget* xCampo :
             QList<QWidget*>{t.Janela.btnDownload, t.Janela.btnLimpar, t.Janela.btnSair, t.Janela.btnConfig,
                             t.Janela.btnInfo, t.Janela.chkNFE, t.Janela.mskDataIni, t.Janela.dbgFiliais})
            QVERIFY2(xCampo->isEnabled(), qPrintable(xCampo->objectName()));
        QVERIFY(t.Janela.dlgOpenFolder);
        QCOMPARE(t.Janela.dlgOpenFolder->FileName, QString());
    }

    // The main page as LimpaCampos leaves it.
    static void ConfereLimpa(TJanelaTeste& t)
    {
        QVERIFY(!t.Janela.chkNFE->isChecked());
        QVERIFY(!t.Janela.chkProducao->isChecked());
        QCOMPARE(t.Janela.mskDataIni->Text(), TfrmPrincipal::DATA_VAZIA);
        QCOMPARE(t.Janela.edtNfInicial->text(), QString());
        QCOMPARE(t.Janela.StatusBar->TextoPainel(0), QString());
        QCOMPARE(t.Janela.StatusBar->TextoPainel(1), QString());
        QCOMPARE(t.Janela.ProgressBar->value(), 0);
        QCOMPARE(t.Marcas().left(1), QStringLiteral("S"));
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(vServico.Iniciar(), qPrintable(vServico.Erro()));
        QVERIFY2(vServico250.Iniciar(), qPrintable(vServico250.Erro()));
    }

    // Two ticked branches, NF-e in production: one archive each, listed whole in the summary, shown in the
    // classic style while the inputs are disabled and the hourglass shows; then the page is cleared.
    void finalizado()
    {
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBase());
        QTemporaryDir xPasta;
        TJanelaTeste t;
        QVERIFY(t.Ativa);
        TPastaRoteirizada xDialogoPasta;
        xDialogoPasta.Proxima = xPasta.path();
        Prepara(t, {{CNPJ_A, true}, {CNPJ_B, true}, {CNPJ_C, false}});

        TMomento xNaPasta, xNoResumo;
        xDialogoPasta.AoApresentar = [&] { xNaPasta = Momento(t.Janela); };
        t.Apresentador.AoApresentar = [&](const TDialogoMensagem& pDialogo) {
            if (pDialogo.Tipo == TTipoMensagem::Informacao)
                xNoResumo = Momento(t.Janela);
        };
        const qsizetype xPedidosAntes = vServico.LinhasRecebidas().size();

        QTest::mouseClick(t.Janela.btnDownload, Qt::LeftButton);

        const QString xZipA = QDir(xPasta.path()).filePath("download_xmls_" + CNPJ_A + "_NF_E_PRODUCAO.zip");
        const QString xZipB = QDir(xPasta.path()).filePath("download_xmls_" + CNPJ_B + "_NF_E_PRODUCAO.zip");
        QCOMPARE(t.Apresentador.Textos(),
                 QStringList{FINALIZADO + "NF-e: " + QDir::toNativeSeparators(xZipA) + "\r\n" + "NF-e: " + QDir::toNativeSeparators(xZipB) + "\r\n"});
        QCOMPARE(t.Apresentador.Dialogos.constFirst().Titulo, QStringLiteral("Informação"));
        QCOMPARE(QDir(xPasta.path()).entryList(QDir::Files),
                 (QStringList{QFileInfo(xZipA).fileName(), QFileInfo(xZipB).fileName()}));
        for (const QString& xZip : {xZipA, xZipB}) {
            const QStringList xNomes = Entradas(xZip);
            QVERIFY2(xNomes.size() >= 3, qPrintable(xNomes.join(u',')));
            for (const QString& xNome : xNomes)
                QVERIFY2(xNome.startsWith("NF_E_AUT_") || xNome.startsWith("CANC_NF_E_"), qPrintable(xNome));
        }

        // The filters the service was asked with are the window's, as ValidaCampos completed them.
        const QStringList xPedidos = vServico.LinhasRecebidas().mid(xPedidosAntes);
        QCOMPARE(xPedidos.size(), 2);
        for (const char* xChave : {"dataEmissaoInicial=2024-01-01", "dataEmissaoFinal=2024-12-31",
                                   "numNfInicial=00000001", "numNfFinal=99999999", "serieInicial=1",
                                   "serieFinal=99", "tipoNFe=NF_E", "tipoAmbiente=PRODUCAO"})
            QVERIFY2(xPedidos.at(0).contains(xChave), qPrintable(xPedidos.at(0)));
        QVERIFY(xPedidos.at(0).contains("cnpj=" + CNPJ_A));
        QVERIFY(xPedidos.at(1).contains("cnpj=" + CNPJ_B));

        // While choosing the folder and while the summary is open the run holds the window.
        QVERIFY(xNaPasta.Ampulheta && !xNaPasta.Entradas && !xNaPasta.Processando);
        QVERIFY(xNoResumo.Ampulheta && !xNoResumo.Entradas && xNoResumo.Processando && xNoResumo.Classico);
        // Ending the session waits for the user exactly while the run processes.
        QVERIFY(!xNaPasta.FimDaSessaoBloqueado && xNoResumo.FimDaSessaoBloqueado);

        QCOMPARE(xDialogoPasta.Vistos.size(), 1);
        const TPastaRoteirizada::TVisto xVisto = xDialogoPasta.Vistos.constFirst();
        QCOMPARE(xVisto.Title, TITULO_PASTA);
        QVERIFY(xVisto.PickFolders && xVisto.ForceFileSystem && xVisto.PathMustExist);
        QCOMPARE(xVisto.FileName, QString());
        ConfereFimDaCorrida(t);
        ConfereLimpa(t);
        QCOMPARE(t.Marcas(), QStringLiteral("SNN"));
    }

    // No folder: a warning, nothing asked of the service, the filters and ticks left as they were.
    void semPasta_data()
    {
        QTest::addColumn<bool>("cancelado");
        QTest::addColumn<QString>("resposta");
        QTest::newRow("cancelado") << true << QString();
        QTest::newRow("brancos") << false << QStringLiteral("   ");
    }
    void semPasta()
    {
        QFETCH(bool, cancelado);
        QFETCH(QString, resposta);
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBase());
        TJanelaTeste t;
        TPastaRoteirizada xDialogoPasta;
        if (!cancelado)
            xDialogoPasta.Proxima = resposta;
        Prepara(t, {{CNPJ_A, true}, {CNPJ_B, true}});
        const qsizetype xPedidosAntes = vServico.LinhasRecebidas().size();

        QTest::mouseClick(t.Janela.btnDownload, Qt::LeftButton);

        QCOMPARE(t.Apresentador.Textos(), QStringList{"Selecione uma pasta."});
        QCOMPARE(t.Apresentador.Dialogos.constFirst().Titulo, QStringLiteral("Atenção"));
        QCOMPARE(xDialogoPasta.Vistos.size(), 1);
        QCOMPARE(vServico.LinhasRecebidas().size(), xPedidosAntes);
        QVERIFY(t.Janela.chkNFE->isChecked() && t.Janela.chkProducao->isChecked());
        QCOMPARE(t.Janela.mskDataIni->Text(), QStringLiteral("01/01/2024"));
        QCOMPARE(t.Marcas(), QStringLiteral("SS"));
        ConfereFimDaCorrida(t);

        // The next run's dialog opens without the last answer preset.
        xDialogoPasta.Proxima.reset();
        QTest::mouseClick(t.Janela.btnDownload, Qt::LeftButton);
        QCOMPARE(xDialogoPasta.Vistos.size(), 2);
        QCOMPARE(xDialogoPasta.Vistos.at(1).FileName, QString());
    }

    // Esc pressed while the first step runs, answered "&Sim": the page already fetched is packed, the
    // summary says the run was interrupted, and the next ticked branch is not started.
    void interrompidoComEsc()
    {
        TRecepcaoNF::get().SetUrlBase(vServico250.UrlBase());
        QTemporaryDir xPasta;
        TJanelaTeste t;
        TPastaRoteirizada xDialogoPasta;
        xDialogoPasta.Proxima = xPasta.path();
        Prepara(t, {{CNPJ_C, true}, {CNPJ_C, true}});
        // The key waits in the queue until the run lets the window handle its input.
        xDialogoPasta.AoApresentar = [&] {
            QCoreApplication::postEvent(&t.Janela,
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        };
        t.Apresentador.Respostas = {TApresentadorRoteirizado::SIM};
        QString xPainelNaPergunta;
        t.Apresentador.AoApresentar = [&](const TDialogoMensagem& pDialogo) {
            if (pDialogo.Tipo == TTipoMensagem::Confirmacao)
                xPainelNaPergunta = t.Janela.StatusBar->TextoPainel(0);
        };
        const qsizetype xPedidosAntes = vServico250.LinhasRecebidas().size();

        QTest::mouseClick(t.Janela.btnDownload, Qt::LeftButton);

        const QString xZip = QDir(xPasta.path()).filePath("download_xmls_" + CNPJ_C + "_NF_E_PRODUCAO.zip");
        QCOMPARE(t.Apresentador.Textos(),
                 (QStringList{QStringLiteral("Deseja realmente interromper o download?"),
                              INTERROMPIDO + "NF-e: " + QDir::toNativeSeparators(xZip) + "\r\n"}));
        QCOMPARE(vServico250.LinhasRecebidas().size() - xPedidosAntes, 1);
        QCOMPARE(QDir(xPasta.path()).entryList(QDir::Files), QStringList{QFileInfo(xZip).fileName()});
        const QStringList xNomes = Entradas(xZip);
        QCOMPARE(xNomes.filter("_AUT_").size(), 100);
        QCOMPARE(xPainelNaPergunta, QStringLiteral("Processando NF_E(s) PRODUÇÃO"));
        QVERIFY(t.Janela.vInterromper);
        ConfereFimDaCorrida(t);
        ConfereLimpa(t);
    }

    // Esc pressed while a slow page is in flight: the question appears at once, not when the page has
    // come; answered "Não", the run goes on and finishes as usual.
    void perguntaComPaginaEmVoo()
    {
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBaseComFalha("p0-delay:2500"));
        QTemporaryDir xPasta;
        TJanelaTeste t;
        TPastaRoteirizada xDialogoPasta;
        xDialogoPasta.Proxima = xPasta.path();
        Prepara(t, {{CNPJ_A, true}});
        QElapsedTimer xRelogio;
        xDialogoPasta.AoApresentar = [&] {
            xRelogio.start();
            QTimer::singleShot(300, &t.Janela, [&] {
                QCoreApplication::postEvent(&t.Janela,
                                            new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
            });
        };
        t.Apresentador.Respostas = {TApresentadorRoteirizado::NAO};
        qint64 xNaPergunta = -1;
        int xProgressoNaPergunta = -1;
        t.Apresentador.AoApresentar = [&](const TDialogoMensagem& pDialogo) {
            if (pDialogo.Tipo == TTipoMensagem::Confirmacao) {
                xNaPergunta = xRelogio.elapsed();
                xProgressoNaPergunta = t.Janela.ProgressBar->value();
            }
        };

        QTest::mouseClick(t.Janela.btnDownload, Qt::LeftButton);

        QVERIFY2(xNaPergunta >= 0 && xNaPergunta < 1500, qPrintable(QString::number(xNaPergunta)));
        QCOMPARE(xProgressoNaPergunta, 0); // the page had not come yet
        const QString xZip = QDir(xPasta.path()).filePath("download_xmls_" + CNPJ_A + "_NF_E_PRODUCAO.zip");
        QCOMPARE(t.Apresentador.Textos(), (QStringList{QStringLiteral("Deseja realmente interromper o download?"),
                                                       FINALIZADO + "NF-e: " + QDir::toNativeSeparators(xZip) + "\r\n"}));
        ConfereFimDaCorrida(t);
    }

    // The program terminating while a page is in flight: the run is abandoned at once, without any
    // further dialog, and leaves nothing in the folder.
    void abortaDownload()
    {
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBaseComFalha("p0-delay:5000"));
        QTemporaryDir xPasta;
        TJanelaTeste t;
        TPastaRoteirizada xDialogoPasta;
        xDialogoPasta.Proxima = xPasta.path();
        Prepara(t, {{CNPJ_A, true}, {CNPJ_B, true}});
        t.Janela.AbortaDownload(); // nothing under way: nothing happens
        QElapsedTimer xRelogio;
        xDialogoPasta.AoApresentar = [&] {
            QTimer::singleShot(300, &t.Janela, [&] {
                xRelogio.start();
                t.Janela.AbortaDownload();
            });
        };

        QTest::mouseClick(t.Janela.btnDownload, Qt::LeftButton);

        QVERIFY2(xRelogio.isValid() && xRelogio.elapsed() < 500, qPrintable(QString::number(xRelogio.elapsed())));
        QCOMPARE(t.Apresentador.Textos(), QStringList());
        QCOMPARE(QDir(xPasta.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QVERIFY(!t.Janela.vProcessando);
        QVERIFY(!TBloqueioFimDaSessao::Algum());
        QVERIFY(!QApplication::overrideCursor());
        QVERIFY(t.Janela.btnDownload->isEnabled());
    }

    // An unreachable service: the completion dialog first, then the failure in the application's error
    // report; the window is given back all the same.
    void servicoInacessivel()
    {
        QString xUrl;
        {
            TNotesService xParado;
            QVERIFY2(xParado.Iniciar(), qPrintable(xParado.Erro()));
            xUrl = xParado.UrlBase();
        } // stopped: nothing listens on its port now
        TRecepcaoNF::get().SetUrlBase(xUrl);
        QTemporaryDir xPasta;
        TJanelaTeste t;
        TPastaRoteirizada xDialogoPasta;
        xDialogoPasta.Proxima = xPasta.path();
        Prepara(t, {{CNPJ_A, true}});
        t.Janela.chkNFCE->setChecked(true);

        QTest::mouseClick(t.Janela.btnDownload, Qt::LeftButton);

        const QStringList xTextos = t.Apresentador.Textos();
        QCOMPARE(xTextos.size(), 2);
        QCOMPARE(xTextos.at(0), NADA);
        QCOMPARE(t.Apresentador.Dialogos.at(0).Tipo, TTipoMensagem::Informacao);
        QVERIFY2(xTextos.at(1).startsWith("Falha ao realizar download de notas. Motivo: "
                                          "Falha ao realizar download da(s) NF_E(s). Motivo: "),
                 qPrintable(xTextos.at(1)));
        QCOMPARE(t.Apresentador.Dialogos.at(1).Tipo, TTipoMensagem::Erro);
        QCOMPARE(t.Apresentador.Dialogos.at(1).Titulo, QStringLiteral("Erro"));
        QCOMPARE(QDir(xPasta.path()).entryList(QDir::Files), QStringList());
        ConfereFimDaCorrida(t);
        ConfereLimpa(t);
    }

    // The gauge shows its percentage of the maximum the run set, keeps its progress within it, and shows
    // 0% for a maximum of 0 instead of turning into a busy bar.
    void gauge()
    {
        TJanelaTeste t;
        TfrmPrincipal& w = t.Janela;
        w.GaugeProgresso(0);
        w.GaugeMaximo(3);
        w.GaugeProgresso(1);
        QCOMPARE(w.ProgressBar->text(), QStringLiteral("33%"));
        w.GaugeProgresso(5);
        QCOMPARE(w.ProgressBar->text(), QStringLiteral("100%"));
        w.GaugeMaximo(2);
        QCOMPARE(w.ProgressBar->value(), 2);
        w.GaugeMaximo(0);
        QVERIFY(w.ProgressBar->maximum() > w.ProgressBar->minimum());
        QCOMPARE(w.ProgressBar->text(), QStringLiteral("0%"));
        w.GaugeProgresso(1);
        QCOMPARE(w.ProgressBar->text(), QStringLiteral("0%"));
    }

    // The classic style, with the standard dialogs in place: the box grows to its longest line, so a long
    // path is shown whole, and it goes away again afterwards.
    void estiloClassico()
    {
        const QString xCaminho = QStringLiteral("C:/Users/usuario/Documents/Arquivos fiscais/2024/") +
                                 QString(120, u'x') +
                                 QStringLiteral("/download_xmls_11111111000111_NF_E_PRODUCAO.zip");
        const QString xTexto = FINALIZADO + "NF-e: " + QDir::toNativeSeparators(xCaminho) + "\r\n";
        QString xMostrado;
        bool xQuebra = true;
        int xLarguraRotulo = 0, xLarguraLinha = 0;
        QTimer::singleShot(0, [&] {
            auto* xCaixa = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!xCaixa)
                return;
            auto* xRotulo = xCaixa->findChild<QLabel*>(QStringLiteral("Texto"));
            if (xRotulo) {
                xMostrado = xRotulo->text();
                xQuebra = xRotulo->wordWrap();
                xLarguraRotulo = xRotulo->width();
                xLarguraLinha = xRotulo->fontMetrics().horizontalAdvance("NF-e: " + xCaminho);
            }
            const QList<QPushButton*> xBotoes = xCaixa->findChildren<QPushButton*>();
            if (xBotoes.size() == 1 && xBotoes.constFirst()->text() == QStringLiteral("OK"))
                xBotoes.constFirst()->click();
        });
        TApresentadorClassico::Ativa(true);
        TMessageUtil::Informacao(xTexto);
        TApresentadorClassico::Ativa(false);

        QCOMPARE(xMostrado, QString(xTexto).replace("\r\n", "\n"));
        QVERIFY(!xQuebra);
        QVERIFY2(xLarguraRotulo >= xLarguraLinha,
                 qPrintable(QString("%1 < %2").arg(xLarguraRotulo).arg(xLarguraLinha)));
        QVERIFY(!TApresentadorClassico::Ativo());
        QCOMPARE(TMessageUtil::DefineApresentador(nullptr), nullptr); // the standard dialogs are back
    }
};

TARNWICK_APP_TEST_MAIN(TestDownloadJanela)
#include "download_tst_Download.moc"
