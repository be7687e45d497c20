#include "app/FiliaisModel.h"
#include "util/Exception.h"

#include <QSignalSpy>
#include <QTest>

namespace {

TListaFiliais Filiais(int pQuantidade)
{
    TListaFiliais xLista;
    for (int i = 1; i <= pQuantidade; ++i) {
        TFilial xFilial;
        xFilial.CODEMPRESA = QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
        xFilial.DESCRICAO = xFilial.CODEMPRESA + QStringLiteral(" - Filial ") + QString::number(i);
        xFilial.CGC = QStringLiteral("12.345.678/0001-%1").arg(i, 2, 10, QChar(u'0'));
        xLista.push_back(xFilial);
    }
    return xLista;
}

} // namespace

class TesteFiliaisModel : public QObject
{
    Q_OBJECT
private slots:
    void camposNaOrdem()
    {
        TClientDataSetFiliais xTabela;
        QCOMPARE(xTabela.objectName(), QStringLiteral("cdsFiliais"));
        QCOMPARE(TClientDataSetFiliais::NomesCampos(),
                 QStringList({"CHECKED", "CODEMPRESA", "DESCRICAO", "CGC"}));
        QCOMPARE(xTabela.columnCount(), 4);
        QCOMPARE(TClientDataSetFiliais::TamanhoCampo(TClientDataSetFiliais::DESCRICAO), 35);
        xTabela.Open(Filiais(2));
        QCOMPARE(xTabela.data(xTabela.index(0, 0)).toString(), QStringLiteral("N"));
        QCOMPARE(xTabela.data(xTabela.index(1, 3)).toString(), QStringLiteral("12.345.678/0001-02"));
    }

    void fechadaOuVaziaNaoAnda()
    {
        TClientDataSetFiliais xTabela;
        QVERIFY(!xTabela.Active());
        xTabela.First();
        QVERIFY(xTabela.Eof());
        QCOMPARE(xTabela.RecNo(), 0);
        QVERIFY_THROWS_EXCEPTION(Exception, xTabela.Edit());
        xTabela.Open({});
        QVERIFY(xTabela.Active());
        QVERIFY(xTabela.Eof());
        QCOMPARE(xTabela.FieldByName("CHECKED"), QString());
        QVERIFY_THROWS_EXCEPTION(Exception, xTabela.Edit());
    }

    void percorreAteOFim()
    {
        TClientDataSetFiliais xTabela;
        xTabela.Open(Filiais(3));
        QStringList xCodigos;
        xTabela.First();
        while (!xTabela.Eof()) {
            xCodigos << xTabela.FieldByName("CODEMPRESA");
            xTabela.Next();
        }
        QCOMPARE(xCodigos, QStringList({"01", "02", "03"}));
        QCOMPARE(xTabela.RecNo(), 3); // the walk leaves the last row current
        xTabela.SetRecNo(2);
        QVERIFY(!xTabela.Eof());
        QCOMPARE(xTabela.FieldByName("descricao"), QStringLiteral("02 - Filial 2"));
    }

    void edicaoGravaAoMover()
    {
        TClientDataSetFiliais xTabela;
        xTabela.Open(Filiais(2));
        xTabela.Edit();
        xTabela.SetFieldByName("CHECKED", "S");
        QCOMPARE(xTabela.FieldByName("CHECKED"), QStringLiteral("S"));
        QCOMPARE(xTabela.Registro(0).CHECKED, QStringLiteral("N")); // not saved yet
        xTabela.Next();
        QCOMPARE(xTabela.State(), TClientDataSetFiliais::TEstado::dsBrowse);
        QCOMPARE(xTabela.Registro(0).CHECKED, QStringLiteral("S"));
        xTabela.Edit();
        xTabela.SetFieldByName("CHECKED", "S");
        xTabela.Cancel();
        QCOMPARE(xTabela.Registro(1).CHECKED, QStringLiteral("N"));
    }

    void soSouNNoCampoChecked()
    {
        TClientDataSetFiliais xTabela;
        xTabela.Open(Filiais(1));
        xTabela.Edit();
        QVERIFY_THROWS_EXCEPTION(Exception, xTabela.SetFieldByName("CHECKED", "X"));
        QVERIFY_THROWS_EXCEPTION(Exception, xTabela.SetFieldByName("NOMEEMPRESA", "X"));
        xTabela.Cancel();
        QVERIFY_THROWS_EXCEPTION(Exception, xTabela.SetFieldByName("CHECKED", "S")); // not editing
        TListaFiliais xLista = Filiais(1);
        xLista[0].CHECKED = QStringLiteral("s");
        QVERIFY_THROWS_EXCEPTION(Exception, xTabela.Open(xLista));
    }

    // While suspended the grid hears nothing; resuming repaints every row once and moves the grid.
    void suspensaoAcumulaUmaNotificacao()
    {
        TClientDataSetFiliais xTabela;
        xTabela.Open(Filiais(4));
        QSignalSpy xDados(&xTabela, &QAbstractItemModel::dataChanged);
        QSignalSpy xAtual(&xTabela, &TClientDataSetFiliais::RegistroAtualAlterado);
        xTabela.DisableControls();
        xTabela.DisableControls();
        QVERIFY(xTabela.ControlsDisabled());
        xTabela.First();
        while (!xTabela.Eof()) {
            xTabela.Edit();
            xTabela.SetFieldByName("CHECKED", "S");
            xTabela.Post();
            xTabela.Next();
        }
        xTabela.EnableControls();
        QVERIFY(xTabela.ControlsDisabled());
        QCOMPARE(xDados.count(), 0);
        QCOMPARE(xAtual.count(), 0);
        xTabela.EnableControls();
        QVERIFY(!xTabela.ControlsDisabled());
        QCOMPARE(xDados.count(), 1);
        QCOMPARE(xDados[0][0].toModelIndex().row(), 0);
        QCOMPARE(xDados[0][1].toModelIndex().row(), 3);
        QCOMPARE(xAtual.count(), 1);
        QCOMPARE(xAtual[0][0].toInt(), 4);
        xTabela.EnableControls(); // unmatched: no effect
        QCOMPARE(xDados.count(), 1);
    }

    void notificaLinhaAtualQuandoAtiva()
    {
        TClientDataSetFiliais xTabela;
        xTabela.Open(Filiais(3));
        QSignalSpy xAtual(&xTabela, &TClientDataSetFiliais::RegistroAtualAlterado);
        xTabela.SetRecNo(3);
        xTabela.SetRecNo(3);
        xTabela.First();
        QCOMPARE(xAtual.count(), 2);
        QCOMPARE(xAtual[0][0].toInt(), 3);
        QCOMPARE(xAtual[1][0].toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TesteFiliaisModel)
#include "tst_filiaismodel.moc"
