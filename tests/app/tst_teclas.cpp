#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/DialogoArquivo.h"
#include "app/DialogoPasta.h"
#include "app/Principal.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>

namespace {

QPoint CentroDaLinha(TfrmPrincipal& w, int pLinha)
{
    return w.dbgFiliais->visualRect(w.cdsFiliais->index(pLinha, TClientDataSetFiliais::DESCRICAO)).center();
}

// Pickers that are cancelled at once.
struct TSeletoresCancelados : TApresentadorDialogoArquivo, TApresentadorDialogoPasta
{
    int Arquivos = 0;
    int Pastas = 0;
    TApresentadorDialogoArquivo* vArquivoAnterior = TApresentadorDialogoArquivo::Define(this);
    TApresentadorDialogoPasta* vPastaAnterior = TApresentadorDialogoPasta::Define(this);
    ~TSeletoresCancelados() override
    {
        TApresentadorDialogoArquivo::Define(vArquivoAnterior);
        TApresentadorDialogoPasta::Define(vPastaAnterior);
    }
    std::optional<QString> Apresenta(const TDialogoAbrirArquivo&, QWidget*) override
    {
        ++Arquivos;
        return std::nullopt;
    }
    std::optional<QString> Apresenta(const TDialogoAbrirPasta&, QWidget*) override
    {
        ++Pastas;
        return std::nullopt;
    }
};

} // namespace

class TesteTeclas : public QObject
{
    Q_OBJECT
private slots:
    // A disabled grid (a run under way, or a single branch) takes no mouse or key input.
    void gradeDesativada_data()
    {
        QTest::addColumn<int>("filiais");
        QTest::newRow("a run under way") << 3;
        QTest::newRow("a single branch") << 1;
    }
    void gradeDesativada()
    {
        QFETCH(int, filiais);
        TJanelaTeste t;
        TfrmPrincipal& w = t.Janela;
        t.CarregaFiliais(filiais);
        if (filiais == 1) {
            // As the branch loader leaves a single branch: ticked, grid and "Todas" disabled.
            w.dbgFiliais->setEnabled(false);
            w.chkTodasFiliais->setEnabled(false);
        } else {
            w.EnableDisableCampos(false);
        }
        const QString xMarcas = t.Marcas();
        const int xRecNo = w.cdsFiliais->RecNo();
        const bool xTodas = w.chkTodasFiliais->isChecked();

        for (int xLinha = 0; xLinha < filiais; ++xLinha) {
            QTest::mouseDClick(w.dbgFiliais->viewport(), Qt::LeftButton, {}, CentroDaLinha(w, xLinha));
            QTest::mouseClick(w.dbgFiliais->viewport(), Qt::LeftButton, {}, CentroDaLinha(w, xLinha));
        }
        QTest::keyClick(w.dbgFiliais, Qt::Key_Space);
        QTest::keyClick(w.dbgFiliais, Qt::Key_Down);
        QTest::keyClick(w.dbgFiliais, Qt::Key_Space);
        QCOMPARE(t.Marcas(), xMarcas);
        QCOMPARE(w.cdsFiliais->RecNo(), xRecNo);
        QCOMPARE(w.chkTodasFiliais->isChecked(), xTodas);

        // Enabled again, the grid answers the mouse as before.
        w.EnableDisableCampos(true);
        QTest::mouseDClick(w.dbgFiliais->viewport(), Qt::LeftButton, {}, CentroDaLinha(w, 0));
        QCOMPARE(t.Marcas().at(0), QChar(u'N'));
    }

    // Letters and digits do not move the current row; only the moving keys and Space act in the grid.
    void semBuscaPorDigitacao_data()
    {
        QTest::addColumn<int>("tecla");
        QTest::addColumn<int>("modificadores");
        QTest::addColumn<int>("linha"); // current row afterwards (from 1; it starts at 2)
        QTest::addColumn<QString>("marcas");
        QTest::newRow("digit 0") << int(Qt::Key_0) << 0 << 2 << "SNNN";
        QTest::newRow("digit 4") << int(Qt::Key_4) << 0 << 2 << "SNNN";
        QTest::newRow("letter F") << int(Qt::Key_F) << 0 << 2 << "SNNN";
        QTest::newRow("shift+F") << int(Qt::Key_F) << int(Qt::ShiftModifier) << 2 << "SNNN";
        QTest::newRow("ctrl+A") << int(Qt::Key_A) << int(Qt::ControlModifier) << 2 << "SNNN";
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 0 << 2 << "SNNN";
        QTest::newRow("Insert") << int(Qt::Key_Insert) << 0 << 2 << "SNNN";
        QTest::newRow("Down") << int(Qt::Key_Down) << 0 << 3 << "SNNN";
        QTest::newRow("Up") << int(Qt::Key_Up) << 0 << 1 << "SNNN";
        QTest::newRow("End") << int(Qt::Key_End) << 0 << 4 << "SNNN";
        QTest::newRow("Home") << int(Qt::Key_Home) << 0 << 1 << "SNNN";
        QTest::newRow("PgDn") << int(Qt::Key_PageDown) << 0 << 4 << "SNNN";
        QTest::newRow("Space") << int(Qt::Key_Space) << 0 << 2 << "SSNN";
    }
    void semBuscaPorDigitacao()
    {
        QFETCH(int, tecla);
        QFETCH(int, modificadores);
        QFETCH(int, linha);
        QFETCH(QString, marcas);
        TJanelaTeste t;
        TfrmPrincipal& w = t.Janela;
        t.CarregaFiliais(4);
        w.cdsFiliais->SetRecNo(2);
        w.dbgFiliais->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), w.dbgFiliais);
        QTest::keyClick(w.dbgFiliais, Qt::Key(tecla), Qt::KeyboardModifiers(modificadores));
        QCOMPARE(w.cdsFiliais->RecNo(), linha);
        QCOMPARE(t.Marcas(), marcas);
        // A Space right after the key ticks the row the user sees as current.
        QTest::keyClick(w.dbgFiliais, Qt::Key_Space);
        QCOMPARE(t.Marcas().at(linha - 1), QChar(marcas.at(linha - 1) == u'S' ? u'N' : u'S'));
    }

    // Enter on a focused push button presses it, on both pages.
    void enterNosBotoes_data()
    {
        QTest::addColumn<QString>("botao");
        QTest::addColumn<bool>("configuracao");
        QTest::addColumn<int>("tecla");
        for (const auto& [xTecla, xNome] :
             {std::pair{int(Qt::Key_Return), "Return"}, std::pair{int(Qt::Key_Enter), "keypad Enter"}}) {
            for (const char* xBotao : {"btnDownload", "btnLimpar", "btnSair"})
                QTest::newRow(
                    qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(xBotao), QLatin1String(xNome))))
                    << xBotao << false << xTecla;
            for (const char* xBotao : {"btnBuscarBD", "btnTestaConexaoBD", "btnSalvar", "btnCancelar"})
                QTest::newRow(
                    qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(xBotao), QLatin1String(xNome))))
                    << xBotao << true << xTecla;
        }
    }
    void enterNosBotoes()
    {
        QFETCH(QString, botao);
        QFETCH(bool, configuracao);
        QFETCH(int, tecla);
        TSeletoresCancelados xSeletores;
        TJanelaTeste t;
        TfrmPrincipal& w = t.Janela;
        t.CarregaFiliais(2);
        w.pgcPrincipal->setCurrentWidget(configuracao ? w.tsConfig : w.tsPrincipal);
        auto* xBotao = w.findChild<QPushButton*>(botao);
        QVERIFY(xBotao);
        xBotao->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), xBotao);
        QSignalSpy xCliques(xBotao, &QAbstractButton::clicked);
        QTest::keyClick(xBotao, Qt::Key(tecla));
        QCOMPARE(xCliques.count(), 1);
        if (botao == QStringLiteral("btnBuscarBD")) {
            QCOMPARE(xSeletores.Arquivos, 1);
            QCOMPARE(QApplication::focusWidget(), xBotao); // the picker was cancelled: the focus stays
        }
    }
};

TARNWICK_APP_TEST_MAIN(TesteTeclas)
#include "tst_teclas.moc"
