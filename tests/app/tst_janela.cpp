#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/MaskEdit.h"
#include "app/StatusBar.h"
#include "util/GlobalVar.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>

namespace {

QString TextoDe(const QWidget* pControle)
{
    if (auto* xLabel = qobject_cast<const QLabel*>(pControle))
        return xLabel->text();
    if (auto* xBotao = qobject_cast<const QAbstractButton*>(pControle))
        return xBotao->text();
    if (auto* xGrupo = qobject_cast<const QGroupBox*>(pControle))
        return xGrupo->title();
    return {};
}

const QStringList CONTROLES_HABILITAVEIS = {
    "chkTodasFiliais", "dbgFiliais",  "edtNfInicial", "edtNfFinal", "mskDataIni", "mskDataFim",
    "edtSerieIni",     "edtSerieFim", "chkNFE",       "chkNFCE",    "chkNFSE",    "chkProducao",
    "chkHomologacao",  "btnConfig",   "btnDownload",  "btnLimpar",  "btnSair",    "btnInfo"};

} // namespace

class TesteJanela : public QObject
{
    Q_OBJECT
private slots:
    void controlesPorNome_data()
    {
        QTest::addColumn<QString>("pagina");
        QTest::addColumn<QString>("classe");
        QTest::addColumn<QRect>("posicao"); // width -1: a label placed by its top-left corner
        QTest::addColumn<QString>("texto");
        const auto L = [](int x, int y) { return QRect(x, y, -1, -1); };
        const QString P = QStringLiteral("tsPrincipal");
        const QString C = QStringLiteral("tsConfig");
        QTest::newRow("lblFilial") << P << "QLabel" << L(5, 6) << "Filiais";
        QTest::newRow("chkTodasFiliais") << P << "QCheckBox" << QRect(263, 2, 49, 17) << "Todas";
        QTest::newRow("dbgFiliais") << P << "QTableView" << QRect(5, 25, 307, 157) << "";
        QTest::newRow("lblPeriodo") << P << "QLabel" << L(337, 28) << "Período";
        QTest::newRow("mskDataIni") << P << "QLineEdit" << QRect(375, 25, 70, 21) << "";
        QTest::newRow("lbla2") << P << "QLabel" << L(451, 28) << "a";
        QTest::newRow("mskDataFim") << P << "QLineEdit" << QRect(463, 25, 70, 21) << "";
        QTest::newRow("lblNumeroNF") << P << "QLabel" << L(320, 55) << "Número NF";
        QTest::newRow("edtNfInicial") << P << "QLineEdit" << QRect(375, 52, 70, 21) << "";
        QTest::newRow("lbla") << P << "QLabel" << L(451, 55) << "a";
        QTest::newRow("edtNfFinal") << P << "QLineEdit" << QRect(463, 52, 70, 21) << "";
        QTest::newRow("lblSerie") << P << "QLabel" << L(349, 82) << "Série";
        QTest::newRow("edtSerieIni") << P << "QLineEdit" << QRect(375, 79, 25, 21) << "";
        QTest::newRow("lbla1") << P << "QLabel" << L(408, 83) << "a";
        QTest::newRow("edtSerieFim") << P << "QLineEdit" << QRect(420, 79, 25, 21) << "";
        QTest::newRow("grpTipoNota") << P << "QGroupBox" << QRect(329, 102, 204, 40) << "Tipo NF";
        QTest::newRow("chkNFE") << P << "QCheckBox" << QRect() << "NF-e";
        QTest::newRow("chkNFCE") << P << "QCheckBox" << QRect() << "NFC-e";
        QTest::newRow("chkNFSE") << P << "QCheckBox" << QRect() << "NFS-e";
        QTest::newRow("grpTipoAmbiente") << P << "QGroupBox" << QRect(329, 143, 204, 40) << "Tipo Ambiente";
        QTest::newRow("chkProducao") << P << "QCheckBox" << QRect() << "Produção";
        QTest::newRow("chkHomologacao") << P << "QCheckBox" << QRect() << "Homologação";
        QTest::newRow("btnInfo") << P << "QToolButton" << QRect(5, 188, 28, 29) << "";
        QTest::newRow("btnConfig") << P << "QToolButton" << QRect(5, 218, 28, 29) << "";
        QTest::newRow("lblInfoESC") << P << "QLabel" << L(39, 234) << "Tecla <ESC> interrompe o download";
        QTest::newRow("btnDownload") << P << "QPushButton" << QRect(269, 197, 88, 50) << "&Download";
        QTest::newRow("btnLimpar") << P << "QPushButton" << QRect(357, 197, 88, 50) << "&Limpar";
        QTest::newRow("btnSair") << P << "QPushButton" << QRect(445, 197, 88, 50) << "&Sair";
        QTest::newRow("ProgressBar") << P << "QProgressBar" << QRect(1, 249, 537, 25) << "";
        QTest::newRow("StatusBar") << P << "QStatusBar" << QRect() << "";
        QTest::newRow("lbl1") << C << "QLabel" << L(16, 16) << "Caminho do banco de dados";
        QTest::newRow("edtCaminhoBD") << C << "QLineEdit" << QRect(15, 35, 475, 21) << "";
        QTest::newRow("btnBuscarBD") << C << "QPushButton" << QRect(496, 35, 29, 21) << " ...";
        QTest::newRow("lbl2") << C << "QLabel" << L(16, 72) << "Usuário";
        QTest::newRow("edtUsuarioBD") << C << "QLineEdit" << QRect(15, 91, 75, 21) << "";
        QTest::newRow("lbl3") << C << "QLabel" << L(112, 72) << "Senha";
        QTest::newRow("mskSenhaBD") << C << "QLineEdit" << QRect(111, 91, 74, 21) << "";
        QTest::newRow("btnTestaConexaoBD")
            << C << "QPushButton" << QRect(15, 223, 98, 50) << "&Testar Conexão";
        QTest::newRow("btnSalvar") << C << "QPushButton" << QRect(349, 223, 88, 50) << "&Salvar";
        // "&Cancelar" by design; the start-up check without a configuration file captions it "&Sair".
        QTest::newRow("btnCancelar") << C << "QPushButton" << QRect(437, 223, 88, 50) << "&Sair";
    }

    // Every control is found by its name, on its page, at its place, with its caption.
    void controlesPorNome()
    {
        QFETCH(QString, pagina);
        QFETCH(QString, classe);
        QFETCH(QRect, posicao);
        QFETCH(QString, texto);
        TJanelaTeste xTela;
        const QString xNome = QString::fromLatin1(QTest::currentDataTag());
        auto* xControle = xTela.Janela.findChild<QWidget*>(xNome);
        QVERIFY(xControle);
        QVERIFY2(xControle->inherits(qPrintable(classe)), xControle->metaObject()->className());
        auto* xPagina = xTela.Janela.findChild<QWidget*>(pagina);
        QVERIFY(xPagina && xPagina->isAncestorOf(xControle));
        QCOMPARE(TextoDe(xControle), texto);
        if (posicao.isNull())
            return;
        if (posicao.width() < 0)
            QCOMPARE(xControle->pos(), posicao.topLeft());
        else
            QCOMPARE(xControle->geometry(), posicao);
        // Every place lies inside the window's client area.
        xTela.Janela.pgcPrincipal->setCurrentWidget(xPagina);
        const QRect xNaJanela(xControle->mapTo(&xTela.Janela, QPoint(0, 0)), xControle->size());
        QVERIFY2(xTela.Janela.rect().contains(xNaJanela), qPrintable(QDebug::toString(xNaJanela)));
    }

    void janela()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        QCOMPARE(MVersaoSoftware, QStringLiteral("v.26.09ed0"));
        QCOMPARE(w.windowTitle(), QStringLiteral("Download de XMLs WS Velmar - v.26.09ed0"));
        QCOMPARE(w.size(), QSize(543, 305));
        // The runs at a display's scale: the window is drawn at it, in the same layout units.
        if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
            QCOMPARE(w.devicePixelRatio(), qEnvironmentVariable("QT_SCALE_FACTOR").toDouble());
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(w.font().pixelSize() == 11 || (w.font().pixelSize() == 10 && w.font().family() != u"Tahoma"));
        QVERIFY(w.btnDownload->font().bold());
        QVERIFY(w.btnCancelar->font().bold());

        // Placed in the middle of the screen's free area, frame and title bar included.
        if (const QScreen* xTela = QGuiApplication::primaryScreen()) {
            const QPoint xDiferenca = w.frameGeometry().center() - xTela->availableGeometry().center();
            QVERIFY2(qAbs(xDiferenca.x()) <= 1 && qAbs(xDiferenca.y()) <= 1,
                     qPrintable(QDebug::toString(w.frameGeometry()) +
                                QDebug::toString(xTela->availableGeometry())));
        }

        // Two pages, no tabs to see, the main page active; the pages fill the client area.
        QCOMPARE(w.pgcPrincipal->count(), 2);
        QCOMPARE(w.pgcPrincipal->geometry(), QRect(-2, -22, 549, 327));
        QCOMPARE(w.pgcPrincipal->currentWidget(), w.tsPrincipal);
        QCOMPARE(QRect(w.tsPrincipal->mapTo(&w, QPoint(0, 0)), w.tsPrincipal->size()), QRect(2, 2, 541, 299));
        for (const QTabBar* xAbas : w.findChildren<QTabBar*>())
            QVERIFY(!xAbas->isVisible());
        w.pgcPrincipal->setCurrentWidget(w.tsConfig);
        for (const QTabBar* xAbas : w.findChildren<QTabBar*>())
            QVERIFY(!xAbas->isVisible());
        QVERIFY(!w.StatusBar->isVisible()); // it belongs to the main page
        w.pgcPrincipal->setCurrentWidget(w.tsPrincipal);

        // Status bar: two panels of 220 and 300 pixels at the bottom; the gauge starts at 0 and shows it.
        QVERIFY(w.StatusBar->isVisible());
        QCOMPARE(w.StatusBar->geometry(), QRect(0, 281, 541, 18));
        QCOMPARE(w.StatusBar->QuantidadePaineis(), 2);
        QCOMPARE(w.StatusBar->Painel(0)->width(), 220);
        QCOMPARE(w.StatusBar->Painel(1)->width(), 300);
        QCOMPARE(w.ProgressBar->value(), 0);
        QCOMPARE(w.ProgressBar->text(), QStringLiteral("0%"));
        QVERIFY(w.ProgressBar->isTextVisible());

        // State and components.
        QCOMPARE(w.vKey, quint16(0));
        QVERIFY(!w.vProcessando && !w.vInterromper);
        QVERIFY(w.vCaminhoPasta.isEmpty() && w.vCurrentCnpj.isEmpty() && w.vCurrentNFe.isEmpty() &&
                w.vCurrentTipoAmbiente.isEmpty());
        QVERIFY(w.findChild<TClientDataSetFiliais*>("cdsFiliais"));
        QVERIFY(w.findChild<QObject*>("ImageList"));
        QVERIFY(!w.cdsFiliais->Active());
        QCOMPARE(w.mskDataIni->EditMask(), QStringLiteral("!99/99/9999;1;_"));
        QCOMPARE(w.edtNfInicial->maxLength(), 8);
        QCOMPARE(w.edtSerieFim->maxLength(), 2);
        QCOMPARE(w.mskSenhaBD->echoMode(), QLineEdit::Password);
        QCOMPARE(w.btnInfo->focusPolicy(), Qt::NoFocus);
        QCOMPARE(w.btnConfig->focusPolicy(), Qt::NoFocus);
    }

    // Nothing is clipped or overlaps with the font in use.
    void captionsCabem()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        const QList<QPair<QWidget*, QWidget*>> xPares = {
            {w.lblPeriodo, w.mskDataIni}, {w.lbla2, w.mskDataFim},     {w.lblNumeroNF, w.edtNfInicial},
            {w.lbla, w.edtNfFinal},       {w.lblSerie, w.edtSerieIni}, {w.lbla1, w.edtSerieFim},
            {w.lblInfoESC, w.btnDownload}};
        for (const auto& [xRotulo, xCampo] : xPares)
            QVERIFY2(xRotulo->geometry().right() < xCampo->x(), qPrintable(xRotulo->objectName()));
        for (QCheckBox* xBox : w.findChildren<QCheckBox*>()) {
            const int xNecessario =
                xBox->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, xBox) +
                xBox->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, xBox) +
                xBox->fontMetrics().horizontalAdvance(xBox->text());
            QVERIFY2(xNecessario <= xBox->width(), qPrintable(xBox->objectName()));
        }
        for (QPushButton* xBotao : w.findChildren<QPushButton*>()) {
            const QString xTexto = QString(xBotao->text()).remove(u'&');
            QVERIFY2(xBotao->fontMetrics().horizontalAdvance(xTexto) <= xBotao->width() - 6,
                     qPrintable(xBotao->objectName()));
        }
        QVERIFY(w.lblFilial->geometry().right() < w.chkTodasFiliais->x());
    }

    void ordemTabulacao()
    {
        TJanelaTeste xTela;
        xTela.Janela.dbgFiliais->setFocus();
        QStringList xVisitados = {xTela.Foco()->objectName()};
        for (int i = 0; i < 16; ++i) {
            QTest::keyClick(xTela.Foco(), Qt::Key_Tab);
            xVisitados << xTela.Foco()->objectName();
        }
        QCOMPARE(xVisitados, QStringList({"dbgFiliais", "mskDataIni", "mskDataFim", "edtNfInicial",
                                          "edtNfFinal", "edtSerieIni", "edtSerieFim", "chkNFE", "chkNFCE",
                                          "chkNFSE", "chkProducao", "chkHomologacao", "btnDownload",
                                          "btnLimpar", "btnSair", "chkTodasFiliais", "dbgFiliais"}));
    }

    void ordemTabulacaoConfig()
    {
        TJanelaTeste xTela;
        xTela.Janela.pgcPrincipal->setCurrentWidget(xTela.Janela.tsConfig);
        xTela.Janela.edtCaminhoBD->setFocus();
        QStringList xVisitados = {xTela.Foco()->objectName()};
        for (int i = 0; i < 7; ++i) {
            QTest::keyClick(xTela.Foco(), Qt::Key_Tab);
            xVisitados << xTela.Foco()->objectName();
        }
        QCOMPARE(xVisitados, QStringList({"edtCaminhoBD", "btnBuscarBD", "edtUsuarioBD", "mskSenhaBD",
                                          "btnTestaConexaoBD", "btnSalvar", "btnCancelar", "edtCaminhoBD"}));
    }

    // Enter moves on like Tab (Shift too); a focused push button takes Enter itself.
    void enterMoveFoco()
    {
        THojeFixo xHoje;
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        w.edtNfFinal->setFocus();
        QTest::keyClick(w.edtNfFinal, Qt::Key_Return);
        QCOMPARE(xTela.Foco(), w.edtSerieIni);
        QCOMPARE(w.edtNfFinal->text(), QStringLiteral("99999999")); // its exit saw Enter
        QTest::keyClick(w.edtSerieIni, Qt::Key_Enter, Qt::ShiftModifier | Qt::KeypadModifier);
        QCOMPARE(xTela.Foco(), w.edtSerieFim);
        w.chkNFSE->setFocus();
        QTest::keyClick(w.chkNFSE, Qt::Key_Return);
        QCOMPARE(xTela.Foco(), w.chkProducao);
        QVERIFY(!w.chkNFSE->isChecked());

        w.vKey = 0;
        w.btnLimpar->setFocus();
        QTest::keyClick(w.btnLimpar, Qt::Key_Return);
        QCOMPARE(w.edtNfFinal->text(), QString()); // Limpar pressed
        QCOMPARE(w.vKey, quint16(0));              // the window's handler did not see the key
    }

    void ctrlTabECtrlDelete()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.CarregaFiliais(3);
        QTest::keyClick(w.dbgFiliais, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(w.vKey, quint16(9));
        QCOMPARE(xTela.Foco(), w.dbgFiliais);
        QCOMPARE(w.pgcPrincipal->currentWidget(), w.tsPrincipal);
        QTest::keyClick(w.dbgFiliais, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(w.cdsFiliais->RecordCount(), 3);

        w.edtNfInicial->setFocus();
        w.edtNfInicial->setText(QStringLiteral("123"));
        w.edtNfInicial->setCursorPosition(0);
        QTest::keyClick(w.edtNfInicial, Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(w.edtNfInicial->text(), QStringLiteral("123"));
        QCOMPARE(w.vKey, quint16(46));
        QTest::keyClick(w.edtNfInicial, Qt::Key_Delete);
        QCOMPARE(w.edtNfInicial->text(), QStringLiteral("23"));
        // Ctrl+Shift+Delete is not Ctrl alone: it reaches the field, which deletes to the end of the line.
        QTest::keyClick(w.edtNfInicial, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.vKey, quint16(46));
        QVERIFY(xTela.Apresentador.Dialogos.isEmpty());
    }

    // Esc with nothing filled asks to leave; "&Não" leaves everything as it was, "&Sim" ends the program.
    void escSemCamposPerguntaSair()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.CarregaFiliais(2);
        xTela.Apresentador.Respostas = {TApresentadorRoteirizado::NAO};
        QTest::keyClick(w.dbgFiliais, Qt::Key_Escape);
        QCOMPARE(xTela.Apresentador.Textos(), QStringList{"Deseja realmente sair?"});
        QCOMPARE(xTela.Apresentador.Dialogos[0].BotaoPadrao, 0);
        QCOMPARE(xTela.Terminos, 0);
        QVERIFY(w.isVisible());
        QCOMPARE(xTela.Marcas(), QStringLiteral("SN"));

        xTela.Apresentador.Respostas = {TApresentadorRoteirizado::SIM};
        QTest::keyClick(w.dbgFiliais, Qt::Key_Escape, Qt::ShiftModifier);
        QCOMPARE(xTela.Terminos, 1);
        QVERIFY(w.isVisible()); // the close itself is refused; the message loop ends the program
    }

    // Esc with only a series filled clears the page without a question and ticks the first branch again.
    void escComCamposLimpa()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.DefineMarcas(QStringLiteral("NSS"));
        w.edtSerieFim->setText(QStringLiteral("5"));
        w.edtSerieFim->setFocus();
        QTest::keyClick(w.edtSerieFim, Qt::Key_Escape, Qt::ControlModifier);
        QVERIFY(xTela.Apresentador.Dialogos.isEmpty());
        QCOMPARE(w.edtSerieFim->text(), QString());
        QCOMPARE(xTela.Marcas(), QStringLiteral("SNN"));
        QCOMPARE(xTela.Foco(), w.dbgFiliais);
        QCOMPARE(w.vKey, quint16(0)); // reset by the series field's exit
    }

    // During a run Esc asks to interrupt; the answer always replaces the earlier one.
    void escDuranteDownload()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        w.edtNfInicial->setText(QStringLiteral("1"));
        w.EnableDisableCampos(false);
        w.vProcessando = true;
        xTela.Apresentador.Respostas = {TApresentadorRoteirizado::SIM, TApresentadorRoteirizado::NAO};
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(w.vInterromper);
        QTest::keyClick(&w, Qt::Key_Escape);
        QVERIFY(!w.vInterromper);
        QCOMPARE(xTela.Apresentador.Textos(), QStringList(2, "Deseja realmente interromper o download?"));
        QCOMPARE(xTela.Apresentador.Dialogos[0].BotaoPadrao, 0);
        QCOMPARE(w.edtNfInicial->text(), QStringLiteral("1")); // nothing cleared
        QCOMPARE(xTela.Terminos, 0);
    }

    // On the settings page Esc returns to the main page only with a working configuration.
    void escNaConfiguracao()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        w.pgcPrincipal->setCurrentWidget(w.tsConfig);
        w.edtCaminhoBD->setFocus();
        QTest::keyClick(w.edtCaminhoBD, Qt::Key_Escape);
        QCOMPARE(w.pgcPrincipal->currentWidget(), w.tsConfig); // no configuration yet
        QVERIFY(xTela.Apresentador.Dialogos.isEmpty());
        QCOMPARE(xTela.Terminos, 0);
    }

    void fechar_data()
    {
        QTest::addColumn<bool>("processando");
        QTest::addColumn<QList<int>>("respostas");
        QTest::addColumn<QStringList>("perguntas");
        QTest::addColumn<bool>("interromper");
        QTest::addColumn<int>("terminos");
        const int S = TApresentadorRoteirizado::SIM;
        const int N = TApresentadorRoteirizado::NAO;
        const QString xSair = QStringLiteral("Deseja realmente sair?");
        const QString xAndamento = QStringLiteral("Download em andamento... Deseja realmente interrompe-lo?");
        QTest::newRow("parado, nao") << false << QList<int>{N} << QStringList{xSair} << false << 0;
        QTest::newRow("parado, sim") << false << QList<int>{S} << QStringList{xSair} << false << 1;
        QTest::newRow("rodando, nao") << true << QList<int>{N} << QStringList{xAndamento} << false << 0;
        QTest::newRow("rodando, sim e nao")
            << true << QList<int>{S, N} << QStringList{xAndamento, xSair} << true << 0;
        QTest::newRow("rodando, sim e sim")
            << true << QList<int>{S, S} << QStringList{xAndamento, xSair} << true << 1;
    }

    // Closing (title bar, Alt+F4, Sair) always asks and never closes the window itself.
    void fechar()
    {
        QFETCH(bool, processando);
        QFETCH(QList<int>, respostas);
        QFETCH(QStringList, perguntas);
        QFETCH(bool, interromper);
        QFETCH(int, terminos);
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        if (processando) {
            w.EnableDisableCampos(false);
            w.vProcessando = true;
            w.vInterromper = !interromper;
        }
        xTela.Apresentador.Respostas = respostas;
        QVERIFY(!w.close());
        QVERIFY(w.isVisible());
        QCOMPARE(xTela.Apresentador.Textos(), perguntas);
        QCOMPARE(w.vInterromper, interromper);
        QCOMPARE(xTela.Terminos, terminos);
    }

    void botaoSair()
    {
        TJanelaTeste xTela;
        xTela.Apresentador.Respostas = {TApresentadorRoteirizado::SIM};
        QTest::mouseClick(xTela.Janela.btnSair, Qt::LeftButton);
        QCOMPARE(xTela.Apresentador.Textos(), QStringList{"Deseja realmente sair?"});
        QCOMPARE(xTela.Terminos, 1);
    }

    void botaoInformacao()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        w.mskDataFim->setFocus();
        QTest::mouseClick(w.btnInfo, Qt::LeftButton);
        QCOMPARE(xTela.Apresentador.Dialogos.size(), 1);
        const TDialogoMensagem& xDialogo = xTela.Apresentador.Dialogos[0];
        QCOMPARE(xDialogo.Tipo, TTipoMensagem::Informacao);
        QCOMPARE(xDialogo.Titulo, QStringLiteral("Informação"));
        QCOMPARE(xDialogo.Botoes, QStringList{"OK"});
        QCOMPARE(xDialogo.Texto.count(u'\r'), 16);
        QCOMPARE(xDialogo.Texto.count(QStringLiteral("\r\r")), 8);
        QCOMPARE(xDialogo.Texto.count(u'\n'), 0);
        QVERIFY(xDialogo.Texto.startsWith(QStringLiteral(
            "Atenção: Esta ferramenta NÃO realiza a exportação de XMLs a partir do banco de dados que foi "
            "utilizado na conexão!\r\rEla realiza o download de XMLs diretamente do WebService/API de Notas "
            "da "
            "Velmar utilizando apenas os CNPJs das filiais selecionadas")));
        QVERIFY(xDialogo.Texto.contains(
            QStringLiteral("\r\r- Corvane Business > Cadastros > Parâmetros > NF-e > Reenviar NF-e Velmar\r\r"
                           "- Corvane Business > NFS-e > Parâmetros > Reenviar NFS-e Velmar\r\r")));
        QVERIFY(xDialogo.Texto.endsWith(
            QStringLiteral("- Strandel > Configurações > Aba NFC-e > Reenviar NFC-e Velmar\r\r")));
        QCOMPARE(xTela.Foco(), w.mskDataFim);
    }

    void enableDisableCampos()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.CarregaFiliais(1);
        w.chkTodasFiliais->setEnabled(false);
        w.dbgFiliais->setEnabled(false);
        w.EnableDisableCampos(false);
        QStringList xAtivos;
        for (QWidget* xControle : w.tsPrincipal->findChildren<QWidget*>())
            if (xControle->isEnabled() && CONTROLES_HABILITAVEIS.contains(xControle->objectName()))
                xAtivos << xControle->objectName();
        QVERIFY2(xAtivos.isEmpty(), qPrintable(xAtivos.join(u' ')));
        for (QWidget* xIntocado :
             QList<QWidget*>{w.lblFilial, w.lblInfoESC, w.grpTipoNota, w.grpTipoAmbiente, w.ProgressBar,
                             w.StatusBar, w.pgcPrincipal, w.edtCaminhoBD, w.btnSalvar})
            QVERIFY2(xIntocado->isEnabled(), qPrintable(xIntocado->objectName()));

        w.EnableDisableCampos(true);
        for (const QString& xNome : CONTROLES_HABILITAVEIS)
            QVERIFY2(w.findChild<QWidget*>(xNome)->isEnabled(), qPrintable(xNome));
    }

    void limpaCampos()
    {
        THojeFixo xHoje;
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.DefineMarcas(QStringLiteral("SSS"));
        w.chkTodasFiliais->blockSignals(true);
        w.chkTodasFiliais->setChecked(true);
        w.chkTodasFiliais->blockSignals(false);
        w.cdsFiliais->SetRecNo(3);
        w.mskDataIni->SetText(QStringLiteral("01/05/2024"));
        w.mskDataFim->SetText(QStringLiteral("02/  /    "));
        for (QLineEdit* xEdit : {w.edtNfInicial, w.edtNfFinal, w.edtSerieIni, w.edtSerieFim})
            xEdit->setText(QStringLiteral("12"));
        for (QCheckBox* xBox : {w.chkNFE, w.chkNFCE, w.chkNFSE, w.chkProducao, w.chkHomologacao})
            xBox->setChecked(true);
        w.ProgressBar->setValue(40);
        w.StatusBar->DefineTextoPainel(0, QStringLiteral("Processando NF_E(s) PRODUÇÃO"));
        w.StatusBar->DefineTextoPainel(1, QStringLiteral("Página 1"));
        w.edtSerieFim->setFocus();

        QTest::mouseClick(w.btnLimpar, Qt::LeftButton);
        QCOMPARE(xTela.Marcas(), QStringLiteral("SNN"));
        QVERIFY(!w.chkTodasFiliais->isChecked());
        QCOMPARE(w.cdsFiliais->RecNo(), 1);
        QCOMPARE(w.mskDataIni->Text(), QStringLiteral("  /  /    "));
        QCOMPARE(w.mskDataFim->Text(), QStringLiteral("  /  /    "));
        for (QLineEdit* xEdit : {w.edtNfInicial, w.edtNfFinal, w.edtSerieIni, w.edtSerieFim})
            QCOMPARE(xEdit->text(), QString());
        for (QCheckBox* xBox : {w.chkNFE, w.chkNFCE, w.chkNFSE, w.chkProducao, w.chkHomologacao})
            QVERIFY(!xBox->isChecked());
        QCOMPARE(w.ProgressBar->value(), 0);
        QCOMPARE(w.StatusBar->TextoPainel(0), QString());
        QCOMPARE(w.StatusBar->TextoPainel(1), QString());
        QCOMPARE(xTela.Foco(), w.dbgFiliais);
        QVERIFY(!w.VerificaTemCamposPreenchidos());
        QVERIFY(xTela.Apresentador.Dialogos.isEmpty());
    }

    // A single branch ends ticked with "Todas"; a disabled grid sends the focus to the start date.
    void limpaCamposUmaFilial()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.DefineMarcas(QStringLiteral("N"));
        w.dbgFiliais->setEnabled(false);
        w.chkTodasFiliais->setEnabled(false);
        w.LimpaCampos();
        QCOMPARE(xTela.Marcas(), QStringLiteral("S"));
        QVERIFY(w.chkTodasFiliais->isChecked());
        QCOMPARE(xTela.Foco(), w.mskDataIni);
    }

    void limpaCamposSemTabela()
    {
        TJanelaTeste xTela;
        xTela.Janela.LimpaCampos();
        QVERIFY(!xTela.Janela.cdsFiliais->Active());
        QVERIFY(xTela.Apresentador.Dialogos.isEmpty());
    }

    void camposPreenchidos_data()
    {
        QTest::addColumn<QString>("campo");
        QTest::addColumn<QString>("valor");
        QTest::addColumn<bool>("esperado");
        QTest::newRow("nada") << ""
                              << "" << false;
        QTest::newRow("data inicial so dia") << "mskDataIni"
                                             << "01/  /    " << true;
        QTest::newRow("data final") << "mskDataFim"
                                    << "01/02/2024" << true;
        QTest::newRow("nf inicial") << "edtNfInicial"
                                    << "1" << true;
        QTest::newRow("nf final") << "edtNfFinal"
                                  << "9" << true;
        QTest::newRow("serie inicial") << "edtSerieIni"
                                       << "1" << true;
        QTest::newRow("serie final") << "edtSerieFim"
                                     << "2" << true;
        QTest::newRow("serie em branco") << "edtSerieFim"
                                         << "  " << false;
        for (const char* xBox : {"chkNFE", "chkNFCE", "chkNFSE", "chkProducao", "chkHomologacao"})
            QTest::newRow(xBox) << xBox << "S" << true;
        QTest::newRow("todas nao conta") << "chkTodasFiliais"
                                         << "S" << false;
    }

    void camposPreenchidos()
    {
        QFETCH(QString, campo);
        QFETCH(QString, valor);
        QFETCH(bool, esperado);
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.DefineMarcas(QStringLiteral("SS"));
        QWidget* xCampo = campo.isEmpty() ? nullptr : w.findChild<QWidget*>(campo);
        if (auto* xMask = qobject_cast<TMaskEdit*>(xCampo))
            xMask->SetText(valor);
        else if (auto* xEdit = qobject_cast<QLineEdit*>(xCampo))
            xEdit->setText(valor);
        else if (auto* xBox = qobject_cast<QCheckBox*>(xCampo))
            xBox->setChecked(true);
        QCOMPARE(w.VerificaTemCamposPreenchidos(), esperado);
    }
};

TARNWICK_APP_TEST_MAIN(TesteJanela)
#include "tst_janela.moc"
