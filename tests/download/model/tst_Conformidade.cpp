#include "download/model/ModelRecepcaoNF.h"
#include "util/Exception.h"

#include <QtTest>

namespace {

const QString MSG_OBJETO = QStringLiteral("The input value is not a valid Object");

enum class TResultado
{
    Lido,
    NaoObjeto,
    OutraFalha
};

template <class TClasse>
TResultado Le(const QByteArray& pJson, QString* pMensagem = nullptr)
{
    try {
        TClasse::FromJsonString(pJson);
        return TResultado::Lido;
    } catch (const EConvertError& e) {
        if (pMensagem)
            *pMensagem = e.Message();
        return e.Message() == MSG_OBJETO ? TResultado::NaoObjeto : TResultado::OutraFalha;
    }
}

} // namespace

// The JSONTestSuite parsing cases (y_ must be accepted, n_ rejected, i_ either), read in the two ways
// the service's bodies can carry them: as the value of a key that names no field, which the reader
// must still check whole, and as the whole body.
class TstModelConformidade : public QObject
{
    Q_OBJECT

    QDir vPasta{QStringLiteral(JSONTESTSUITE_DIR)};

    void Casos()
    {
        QTest::addColumn<QString>("arquivo");
        const QStringList xNomes = vPasta.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
        QVERIFY2(xNomes.size() > 300, qPrintable(vPasta.path()));
        for (const QString& xNome : xNomes)
            QTest::newRow(qPrintable(xNome)) << xNome;
    }

    QByteArray Conteudo(const QString& pArquivo)
    {
        QFile xArquivo(vPasta.filePath(pArquivo));
        if (!xArquivo.open(QIODevice::ReadOnly))
            qFatal("%s", qPrintable(pArquivo));
        return xArquivo.readAll();
    }

private slots:
    void comoValorDeChaveDesconhecida_data() { Casos(); }
    void comoValorDeChaveDesconhecida()
    {
        QFETCH(QString, arquivo);
        const QByteArray xJson = "{\"totalPages\":1,\"zzz\":" + Conteudo(arquivo) + "}";
        QString xMensagem;
        const TResultado xResultado = Le<TRecepcaoNFAPIResponse>(xJson, &xMensagem);
        QVERIFY2(xResultado != TResultado::OutraFalha, qPrintable(xMensagem));
        if (arquivo.startsWith("y_"))
            QCOMPARE(xResultado, TResultado::Lido);
        else if (arquivo.startsWith("n_"))
            QCOMPARE(xResultado, TResultado::NaoObjeto);
        if (xResultado == TResultado::Lido)
            QCOMPARE(TRecepcaoNFAPIResponse::FromJsonString(xJson)->TotalPages, 1);
    }

    void comoCorpo_data() { Casos(); }
    void comoCorpo()
    {
        QFETCH(QString, arquivo);
        const QByteArray xJson = Conteudo(arquivo);
        const bool xObjeto = xJson.trimmed().startsWith('{');
        const auto xResultados = {Le<TRecepcaoNFAPIResponse>(xJson), Le<TErrorResponse>(xJson), Le<TNota>(xJson)};
        for (TResultado xResultado : xResultados) {
            if (arquivo.startsWith("y_") && xObjeto)
                QCOMPARE(xResultado, TResultado::Lido);
            else if (arquivo.startsWith("i_"))
                QVERIFY(xResultado != TResultado::OutraFalha);
            else
                QCOMPARE(xResultado, TResultado::NaoObjeto);
        }
    }
};

QTEST_APPLESS_MAIN(TstModelConformidade)
#include "tst_Conformidade.moc"
