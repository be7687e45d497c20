// The branch query against real databases opened by the embedded engine: character sets, column
// types, empty and one-row tables, and a query that fails.
#include "BancoTeste.h"
#include "config/ConexaoBD.h"
#include "config/ConsultaFiliais.h"
#include "config/ControleConfig.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(TListaFiliais)

namespace {

TFilial Filial(const QString& pCodigo, const QString& pDescricao, const QString& pCgc)
{
    TFilial xFilial;
    xFilial.CODEMPRESA = pCodigo;
    xFilial.DESCRICAO = pDescricao;
    xFilial.CGC = pCgc;
    return xFilial;
}

QString Descreve(const TListaFiliais& pFiliais)
{
    QStringList xLinhas;
    for (const TFilial& xFilial : pFiliais)
        xLinhas.append(QStringLiteral("[%1|%2|%3|%4]")
                           .arg(xFilial.CHECKED, xFilial.CODEMPRESA, xFilial.DESCRICAO, xFilial.CGC));
    return xLinhas.join(u'\n');
}

// Inserted out of order: the query sorts them.
const QList<BancoTeste::TLinha> TRES_FILIAIS = {
    {QStringLiteral("02"), QString::fromUtf8("Filial São João"), QStringLiteral("SP"),
     QStringLiteral("12.345.678/0001-95")},
    {QStringLiteral("01"), QString::fromUtf8("Açaí Ltda"), QStringLiteral("PA"),
     QStringLiteral("12345678000195")},
    {QStringLiteral("03"), QString::fromUtf8("Café €"), QStringLiteral("MG"), QString()},
};

const BancoTeste::TLinha LODZ = {QStringLiteral("04"), QString::fromUtf8("Łódź Comércio"), QStringLiteral("PL"),
                                  QStringLiteral("98765432000110")};
const TFilial LODZ_ESPERADA = Filial(QStringLiteral("04"), QString::fromUtf8("04 - Łódź Comércio"),
                                     QStringLiteral("98765432000110"));

const TListaFiliais TRES_ESPERADAS = {
    Filial(QStringLiteral("01"), QString::fromUtf8("01 - Açaí Ltda"), QStringLiteral("12345678000195")),
    Filial(QStringLiteral("02"), QString::fromUtf8("02 - Filial São João"),
           QStringLiteral("12.345.678/0001-95")),
    Filial(QStringLiteral("03"), QString::fromUtf8("03 - Café €"), QString()),
};

} // namespace

class TstFiliaisEmbarcado : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(vPasta.isValid()); }
    void filiais_data();
    void filiais();
    void consultaFalha();
    void textoDaConsulta();

private:
    QTemporaryDir vPasta;
    int vBancos = 0;
};

void TstFiliaisEmbarcado::filiais_data()
{
    QTest::addColumn<QString>("charsetBanco");
    QTest::addColumn<QString>("charsetCarga");
    QTest::addColumn<QStringList>("comandos");
    QTest::addColumn<TListaFiliais>("esperadas");

    using BancoTeste::TabelaFiliais;
    for (const char* xCharset : {"NONE", "WIN1252", "UTF8"}) {
        QTest::addRow("%s, tres filiais", xCharset)
            << xCharset << "WIN1252" << TabelaFiliais(TRES_FILIAIS) << TRES_ESPERADAS;
    }
    QTest::newRow("UTF8 gravado por cliente UTF8") << "UTF8"
                                                   << "UTF8" << TabelaFiliais(TRES_FILIAIS) << TRES_ESPERADAS;
    // A name Windows-1252 cannot hold is read whole, and the other branches with it.
    QTest::newRow("UTF8 com nome fora do WIN1252")
        << "UTF8"
        << "UTF8" << TabelaFiliais(TRES_FILIAIS + QList<BancoTeste::TLinha>{LODZ})
        << TListaFiliais{TRES_ESPERADAS[0], TRES_ESPERADAS[1], TRES_ESPERADAS[2], LODZ_ESPERADA};
    // Bytes Windows-1252 leaves undefined come through as the characters of the same code.
    QTest::newRow("WIN1252 com bytes indefinidos")
        << "WIN1252"
        << "WIN1252" << TabelaFiliais({TRES_FILIAIS[1], {"05", QString::fromUtf8("A\u0081\u008D Ltda"), "SP", "5"}})
        << TListaFiliais{TRES_ESPERADAS[0], Filial(QStringLiteral("05"), QString::fromUtf8("05 - A\u0081\u008D Ltda"),
                                                   QStringLiteral("5"))};
    QTest::newRow("UTF8 com nome fora do WIN1252 em CHAR")
        << "UTF8"
        << "UTF8" << TabelaFiliais({LODZ, TRES_FILIAIS[1]}, QStringLiteral("CHAR(2)"), QStringLiteral("CHAR(20)"))
        << TListaFiliais{Filial(QStringLiteral("01"), QString::fromUtf8("01 - Açaí Ltda").leftJustified(25),
                                QStringLiteral("12345678000195")),
                         Filial(QStringLiteral("04"), QString::fromUtf8("04 - Łódź Comércio").leftJustified(25),
                                QStringLiteral("98765432000110"))};
    // CHAR columns lose the engine's padding; a computed text keeps what the engine put into it.
    QTest::newRow("colunas CHAR sem os brancos do motor")
        << "WIN1252"
        << "WIN1252" << TabelaFiliais(TRES_FILIAIS, QStringLiteral("CHAR(4)"), QStringLiteral("CHAR(30)"))
        << TListaFiliais{
               Filial(QStringLiteral("01"), QString::fromUtf8("01   - Açaí Ltda").leftJustified(37),
                      QStringLiteral("12345678000195")),
               Filial(QStringLiteral("02"), QString::fromUtf8("02   - Filial São João").leftJustified(37),
                      QStringLiteral("12.345.678/0001-95")),
               Filial(QStringLiteral("03"), QString::fromUtf8("03   - Café €").leftJustified(37), QString()),
           };
    QTest::newRow("codigo inteiro, em ordem numerica")
        << "UTF8"
        << "WIN1252"
        << TabelaFiliais(
               {{QStringLiteral("10"), QStringLiteral("Dez"), QStringLiteral("RJ"), QStringLiteral("1")},
                {QStringLiteral("9"), QStringLiteral("Nove"), QStringLiteral("RJ"), QStringLiteral("2")}},
               QStringLiteral("INTEGER"))
        << TListaFiliais{Filial(QStringLiteral("9"), QStringLiteral("9 - Nove"), QStringLiteral("2")),
                         Filial(QStringLiteral("10"), QStringLiteral("10 - Dez"), QStringLiteral("1"))};
    QTest::newRow("uma filial") << "WIN1252"
                                << "WIN1252" << TabelaFiliais({TRES_FILIAIS[1]})
                                << TListaFiliais{TRES_ESPERADAS[0]};
    QTest::newRow("nenhuma filial") << "WIN1252"
                                    << "WIN1252" << TabelaFiliais({}) << TListaFiliais{};
}

void TstFiliaisEmbarcado::filiais()
{
    QFETCH(QString, charsetBanco);
    QFETCH(QString, charsetCarga);
    QFETCH(QStringList, comandos);
    QFETCH(TListaFiliais, esperadas);

    const QString xCaminho = vPasta.filePath(QStringLiteral("filiais%1.fdb").arg(++vBancos));
    try {
        BancoTeste::Cria(xCaminho, charsetBanco, comandos, QStringLiteral("SYSDBA"), QStringLiteral("x"),
                         charsetCarga);
    } catch (const std::exception& xErro) {
        QFAIL(xErro.what());
    }

    TControleConfig xControle;
    const TControleConfig::TResultado xTeste =
        xControle.TestaConexaoBD(xCaminho, QStringLiteral("SYSDBA"), QStringLiteral("x"));
    QVERIFY2(xTeste.Ok, xTeste.Avisos.isEmpty() ? "" : qPrintable(xTeste.Avisos.first().Texto));
    QCOMPARE(Descreve(xControle.CarregaTabPrincipal()), Descreve(esperadas));
    // A second load reads the table again and gives the same rows.
    QCOMPARE(Descreve(xControle.CarregaTabPrincipal()), Descreve(esperadas));
}

void TstFiliaisEmbarcado::consultaFalha()
{
    const QString xCaminho = vPasta.filePath(QStringLiteral("sem-tabela.fdb"));
    try {
        BancoTeste::Cria(
            xCaminho, QStringLiteral("WIN1252"),
            {QStringLiteral("CREATE TABLE Filiais (CodEmpresa CHAR(2), NomeEmpresa VARCHAR(30))")});
    } catch (const std::exception& xErro) {
        QFAIL(xErro.what());
    }
    TControleConfig xControle;
    // Not connected yet: the load fails with its own sentence.
    try {
        xControle.CarregaTabPrincipal();
        QFAIL("a closed connection cannot load");
    } catch (const Exception& xErro) {
        QCOMPARE(xErro.Message(),
                 QStringLiteral("Falha ao carregar as filiais. Motivo: Conexão com o banco de dados "
                                "não está aberta."));
    }
    QVERIFY(xControle.TestaConexaoBD(xCaminho, QStringLiteral("SYSDBA"), QStringLiteral("x")).Ok);
    try {
        xControle.CarregaTabPrincipal();
        QFAIL("the query names columns the table lacks");
    } catch (const Exception& xErro) {
        QVERIFY2(xErro.Message().startsWith(QStringLiteral("Falha ao carregar as filiais. Motivo: ")),
                 qPrintable(xErro.Message()));
        QVERIFY2(xErro.Message().contains(QStringLiteral("Column unknown")), qPrintable(xErro.Message()));
    }
    // The connection is still usable after the failed query.
    QVERIFY(xControle.cnCorvane().Connected());
    QCOMPARE(xControle.cnCorvane().Consulta(QStringLiteral("select 'ok' from rdb$database")).Linhas,
             QList<QStringList>{QStringList{QStringLiteral("ok")}});
}

void TstFiliaisEmbarcado::textoDaConsulta()
{
    QCOMPARE(ConsultaFiliais::TextoConsulta(),
             QStringLiteral("Select 'N' as CHECKED, CodEmpresa, NomeEmpresa, Estado, CGC, \n"
                            "           CodEmpresa || ' - ' || NomeEmpresa As Descricao\n"
                            "From Filiais\n"
                            "Order By CodEmpresa"));
}

QTEST_GUILESS_MAIN(TstFiliaisEmbarcado)
#include "tst_FiliaisEmbarcado.moc"
