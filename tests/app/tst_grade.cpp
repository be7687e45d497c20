#include "JanelaTeste.h"
#include "TesteApp.h"
#include "app/GradeFiliais.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QImage>
#include <QSignalSpy>

namespace {

// The rectangle of a cell in the grid's viewport.
QRect Celula(const TfrmPrincipal& w, int pLinha, int pColuna)
{
    return w.dbgFiliais->visualRect(w.cdsFiliais->index(pLinha, pColuna));
}

QImage ImagemDaGrade(TfrmPrincipal& w)
{
    w.dbgFiliais->viewport()->repaint();
    return w.dbgFiliais->viewport()->grab().toImage();
}

int PixelsVerdes(const QImage& pImagem, const QRect& pRet)
{
    int xVerdes = 0;
    for (int y = pRet.top(); y <= pRet.bottom(); ++y)
        for (int x = pRet.left(); x <= pRet.right(); ++x) {
            const QColor c = pImagem.pixelColor(x, y);
            if (c.green() > 100 && c.green() > c.red() + 50 && c.green() > c.blue() + 50)
                ++xVerdes;
        }
    return xVerdes;
}

// Pixels of the cell (inside its lines) that differ from the background colour.
int PixelsDiferentes(const QImage& pImagem, const QRect& pRet, const QColor& pFundo)
{
    int xDiferentes = 0;
    for (int y = pRet.top() + 1; y < pRet.bottom(); ++y)
        for (int x = pRet.left() + 1; x < pRet.right(); ++x)
            if (pImagem.pixelColor(x, y) != pFundo)
                ++xDiferentes;
    return xDiferentes;
}

} // namespace

class TesteGrade : public QObject
{
    Q_OBJECT
private slots:
    void colunas()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.CarregaFiliais(2);
        xTela.CarregaFiliais(3); // a new load keeps the column layout
        QTableView* g = w.dbgFiliais;
        QCOMPARE(g->columnWidth(TClientDataSetFiliais::CHECKED), 22);
        QVERIFY(g->isColumnHidden(TClientDataSetFiliais::CODEMPRESA));
        QCOMPARE(g->columnWidth(TClientDataSetFiliais::DESCRICAO), 260);
        QVERIFY(g->isColumnHidden(TClientDataSetFiliais::CGC));
        QVERIFY(!g->horizontalHeader()->isVisible());
        QVERIFY(!g->verticalHeader()->isVisible());
        QCOMPARE(g->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(g->selectionBehavior(), QAbstractItemView::SelectRows);
        QVERIFY(!g->tabKeyNavigation());
        QVERIFY(g->showGrid());
    }

    void alterna_data()
    {
        QTest::addColumn<QString>("marcas");
        QTest::addColumn<int>("linha");
        QTest::addColumn<QString>("esperado");
        QTest::addColumn<bool>("todas");
        QTest::newRow("desmarca") << "SSS" << 2 << "SNS" << false;
        QTest::newRow("marca a ultima que faltava") << "SSN" << 3 << "SSS" << true;
        QTest::newRow("marca uma de varias") << "SNN" << 3 << "SNS" << false;
        QTest::newRow("unica") << "N" << 1 << "S" << true;
        QTest::newRow("unica desmarcada") << "S" << 1 << "N" << false;
    }

    // The toggle changes the current row's tick, keeps the row current and brings "Todas" in step.
    void alterna()
    {
        QFETCH(QString, marcas);
        QFETCH(int, linha);
        QFETCH(QString, esperado);
        QFETCH(bool, todas);
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.DefineMarcas(marcas);
        w.chkTodasFiliais->blockSignals(true);
        w.chkTodasFiliais->setChecked(!marcas.contains(u'N'));
        w.chkTodasFiliais->blockSignals(false);
        w.cdsFiliais->SetRecNo(linha);
        QSignalSpy xDados(w.cdsFiliais, &QAbstractItemModel::dataChanged);
        w.dbgFiliaisDblClick();
        QCOMPARE(xTela.Marcas(), esperado);
        QCOMPARE(w.chkTodasFiliais->isChecked(), todas);
        QCOMPARE(w.cdsFiliais->RecNo(), linha);
        QCOMPARE(w.dbgFiliais->currentIndex().row(), linha - 1);
        QCOMPARE(xDados.count(), 1); // one repaint
        QVERIFY(!w.cdsFiliais->ControlsDisabled());
    }

    void duploCliqueEEspaco()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.CarregaFiliais(3);
        QCOMPARE(xTela.Marcas(), QStringLiteral("SNN"));
        // A double click: the first click picks the row, the second one toggles it.
        QTest::mouseClick(w.dbgFiliais->viewport(), Qt::LeftButton, {}, Celula(w, 2, 2).center());
        QTest::mouseDClick(w.dbgFiliais->viewport(), Qt::LeftButton, {}, Celula(w, 2, 2).center());
        QCOMPARE(w.cdsFiliais->RecNo(), 3);
        QCOMPARE(xTela.Marcas(), QStringLiteral("SNS"));

        w.dbgFiliais->setFocus();
        QTest::keyClick(w.dbgFiliais, Qt::Key_Space);
        QCOMPARE(xTela.Marcas(), QStringLiteral("SNN"));
        QTest::keyClick(w.dbgFiliais, Qt::Key_Down, Qt::NoModifier);
        QCOMPARE(w.cdsFiliais->RecNo(), 3); // already the last row
        QTest::keyClick(w.dbgFiliais, Qt::Key_Up);
        QCOMPARE(w.cdsFiliais->RecNo(), 2);
        QTest::keyClick(w.dbgFiliais, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(xTela.Marcas(), QStringLiteral("SSN"));
        QCOMPARE(w.vKey, quint16(32)); // the window's handler saw the key first
        QTest::keyClick(w.dbgFiliais, Qt::Key_Space, Qt::ControlModifier);
        QCOMPARE(xTela.Marcas(), QStringLiteral("SNN"));
        QCOMPARE(w.cdsFiliais->RecNo(), 2);
        QVERIFY(!w.chkTodasFiliais->isChecked());
    }

    // "Todas" sets every row to its own state, repaints once and returns to the first row.
    void todas()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.CarregaFiliais(5);
        w.cdsFiliais->SetRecNo(4);
        QSignalSpy xDados(w.cdsFiliais, &QAbstractItemModel::dataChanged);
        QTest::mouseClick(w.chkTodasFiliais, Qt::LeftButton);
        QVERIFY(w.chkTodasFiliais->isChecked());
        QCOMPARE(xTela.Marcas(), QStringLiteral("SSSSS"));
        QCOMPARE(w.cdsFiliais->RecNo(), 1);
        QCOMPARE(w.dbgFiliais->currentIndex().row(), 0);
        QCOMPARE(xDados.count(), 1);

        // Unticking a row unticks the box, which leaves the other rows alone.
        w.cdsFiliais->SetRecNo(3);
        w.dbgFiliaisDblClick();
        QVERIFY(!w.chkTodasFiliais->isChecked());
        QCOMPARE(xTela.Marcas(), QStringLiteral("SSNSS"));
        // Ticking it back ticks "Todas" again, still without touching the rows.
        w.dbgFiliaisDblClick();
        QVERIFY(w.chkTodasFiliais->isChecked());
        QCOMPARE(xTela.Marcas(), QStringLiteral("SSSSS"));

        w.chkTodasFiliais->setChecked(false); // by code: its handler runs as well
        QCOMPARE(xTela.Marcas(), QStringLiteral("NNNNN"));
        QCOMPARE(w.RetornaMarcado(), QStringLiteral("N"));
    }

    void todasSemFiliais()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        w.chkTodasFiliais->setChecked(true); // closed table
        w.dbgFiliaisDblClick();
        w.cdsFiliais->Open({});
        w.chkTodasFiliais->setChecked(false);
        w.chkTodasFiliais->setChecked(true);
        w.dbgFiliaisDblClick();
        QVERIFY(w.chkTodasFiliais->isChecked());
        QCOMPARE(w.cdsFiliais->RecordCount(), 0);
        QVERIFY(xTela.Apresentador.Dialogos.isEmpty());
    }

    // The current row in sky blue, the others white; the first column shows a tick or nothing, never a
    // letter.
    void desenho()
    {
        TJanelaTeste xTela;
        TfrmPrincipal& w = xTela.Janela;
        xTela.DefineMarcas(QStringLiteral("NSN"));
        w.cdsFiliais->SetRecNo(1);
        const QImage xImagem = ImagemDaGrade(w);
        const QColor xAzul(166, 202, 240);
        QCOMPARE(xImagem.pixelColor(Celula(w, 0, 2).topLeft() + QPoint(200, 3)), xAzul);
        QCOMPARE(xImagem.pixelColor(Celula(w, 0, 0).topLeft() + QPoint(18, 3)), xAzul);
        QCOMPARE(xImagem.pixelColor(Celula(w, 2, 2).topLeft() + QPoint(200, 3)), QColor(Qt::white));
        QCOMPARE(PixelsDiferentes(xImagem, Celula(w, 0, 0), xAzul), 0);
        QCOMPARE(PixelsDiferentes(xImagem, Celula(w, 2, 0), QColor(Qt::white)), 0);
        QVERIFY(PixelsVerdes(xImagem, Celula(w, 1, 0)) > 10);
        QCOMPARE(PixelsVerdes(xImagem, Celula(w, 0, 0)), 0);
        QVERIFY(PixelsDiferentes(xImagem, Celula(w, 1, 2), QColor(Qt::white)) > 10); // the name is drawn

        // An empty table paints white.
        w.cdsFiliais->Open({});
        const QImage xVazia = ImagemDaGrade(w);
        QCOMPARE(xVazia.pixelColor(10, 5), QColor(Qt::white));
        QCOMPARE(xVazia.pixelColor(150, 60), QColor(Qt::white));
    }
};

TARNWICK_APP_TEST_MAIN(TesteGrade)
#include "tst_grade.moc"
