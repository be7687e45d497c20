#include "download/client/ServiceConexaoHTTP.h"
#include "support/NotesService.h"
#include "support/ProcessoHospedeiro.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using TParametros = QList<QPair<QString, QString>>;

// The local stand-in of the notes service, which the client's and the download's tests rely on:
// notes from JSON files, filters, numeric order, the fault chosen by query key, the request count.
class TstNotesService : public QObject
{
    Q_OBJECT

    QTemporaryDir vPasta;
    std::unique_ptr<TNotesService> vServico;

    struct TResposta
    {
        int Status = 0;
        QJsonObject Corpo;
    };

    TResposta Get(const QString& pCaminho, const TParametros& pParametros)
    {
        THTTPConnectionClient xConexao;
        xConexao.vClient->SetBaseURL(QStringLiteral("http://127.0.0.1:%1").arg(vServico->Porta()) + pCaminho);
        for (const auto& [xChave, xValor] : pParametros)
            xConexao.vRequest->AddParameter(xChave, xValor);
        xConexao.vRequest->Execute();
        return {xConexao.vResponse->StatusCode(),
                QJsonDocument::fromJson(xConexao.vResponse->TakeConteudoUtf8()).object()};
    }

    static QStringList Numeros(const QJsonObject& pPagina)
    {
        QStringList xNumeros;
        for (const QJsonValue& xNota : pPagina["content"].toArray())
            xNumeros << xNota.toObject()["numNF"].toVariant().toString();
        return xNumeros;
    }

private slots:
    void initTestCase()
    {
        auto xGrava = [this](const char* pNome, const QByteArray& pJson) {
            QFile xArquivo(vPasta.filePath(pNome));
            QVERIFY(xArquivo.open(QIODevice::WriteOnly));
            xArquivo.write(pJson);
        };
        xGrava("a.json", R"([
          {"id":1,"cnpj":"11.222.333/0001-81","tipoAmbiente":"PRODUCAO","tipoNFe":"NF_E","numNF":"10","serie":"1",
           "dataEmissao":"2024-03-05T10:20:30-03:00","xml":"<a>ç</a>","xmlCancelamento":null},
          {"id":2,"cnpj":"11.222.333/0001-81","tipoAmbiente":"PRODUCAO","tipoNFe":"NF_E","numNF":9,"serie":"2",
           "dataEmissao":"2024-04-05T10:20:30-03:00","xml":"<b/>"}])");
        xGrava("b.json", R"({"id":3,"cnpj":"11222333000181","tipoAmbiente":"HOMOLOGACAO","tipoNFe":"NF_E",
           "numNF":"100","serie":"1","dataEmissao":"2024-03-06T00:00:00-03:00","xml":"<c/>"})");
        xGrava("ignorado.txt", "nada");
        vServico = std::make_unique<TNotesService>(QStringList{"--data-dir", CaminhoNoHospedeiro(vPasta.path())});
        QVERIFY2(vServico->Iniciar(), qPrintable(vServico->Erro()));
    }

    void notasDaPasta_data()
    {
        QTest::addColumn<TParametros>("parametros");
        QTest::addColumn<QStringList>("numeros");
        using P = TParametros;
        QTest::newRow("todas em ordem numerica") << P{} << QStringList{"9", "10", "100"};
        QTest::newRow("cnpj so pelos digitos")
            << P{{"cnpj", "11222333000181"}} << QStringList{"9", "10", "100"};
        QTest::newRow("ambiente") << P{{"tipoAmbiente", "PRODUCAO"}} << QStringList{"9", "10"};
        QTest::newRow("datas") << P{{"dataEmissaoInicial", "2024-03-05"}, {"dataEmissaoFinal", "2024-03-31"}}
                               << QStringList{"10", "100"};
        QTest::newRow("numeros com zeros")
            << P{{"numNfInicial", "00000010"}, {"numNfFinal", "00000099"}} << QStringList{"10"};
        QTest::newRow("series") << P{{"serieInicial", "2"}, {"serieFinal", "99"}} << QStringList{"9"};
        QTest::newRow("pagina") << P{{"page", "1"}, {"size", "2"}} << QStringList{"100"};
        QTest::newRow("decrescente") << P{{"sort", "numNF,desc"}} << QStringList{"100", "10", "9"};
    }
    void notasDaPasta()
    {
        QFETCH(TParametros, parametros);
        QFETCH(QStringList, numeros);
        const TResposta xResposta = Get("/RecepcaoNF/v1/nota", parametros);
        QCOMPARE(xResposta.Status, 200);
        QCOMPARE(Numeros(xResposta.Corpo), numeros);
    }

    void paginaDescrita()
    {
        const TResposta xResposta = Get("/RecepcaoNF/v1/nota", {{"page", "1"}, {"size", "2"}});
        const QJsonObject& xPagina = xResposta.Corpo;
        QCOMPARE(xPagina["totalElements"].toInt(), 3);
        QCOMPARE(xPagina["totalPages"].toInt(), 2);
        QCOMPARE(xPagina["size"].toInt(), 2);
        QCOMPARE(xPagina["number"].toInt(), 1);
        QCOMPARE(xPagina["first"].toBool(), false);
        QCOMPARE(xPagina["last"].toBool(), true);
        QCOMPARE(xPagina["empty"].toBool(), false);
        // A note from a file goes out as it was written.
        const QJsonObject xNota = Get("/RecepcaoNF/v1/nota", {{"numNfFinal", "10"}, {"numNfInicial", "10"}})
                                      .Corpo["content"]
                                      .toArray()[0]
                                      .toObject();
        QCOMPARE(xNota["xml"].toString(), QString::fromUtf8("<a>ç</a>"));
        QVERIFY(xNota["xmlCancelamento"].isNull());
    }

    void falhasPorChave()
    {
        const TResposta xTotal = Get("/RecepcaoNF/v1/nota", {{"fault", "totalpages:7"}});
        QCOMPARE(xTotal.Corpo["totalPages"].toInt(), 7);
        const TResposta xErro = Get("/RecepcaoNF/v1/nota", {{"fault", "404,error:sem notas"}});
        QCOMPARE(xErro.Status, 404);
        QCOMPARE(xErro.Corpo["error"].toString(), QStringLiteral("sem notas"));
        const TResposta xInvalido = Get("/RecepcaoNF/v1/nota", {{"dataEmissaoInicial", "05/03/2024"}});
        QCOMPARE(xInvalido.Status, 400);
        QVERIFY(!xInvalido.Corpo["error"].toString().isEmpty());
    }

    void contaPedidos()
    {
        const int xAntes = Get("/_stats", {}).Corpo["requests"].toInt();
        Get("/RecepcaoNF/v1/nota", {});
        Get("/outro", {});
        QCOMPARE(Get("/_stats", {}).Corpo["requests"].toInt(), xAntes + 2);
        QCOMPARE(vServico->LinhasRecebidas().size(), xAntes + 2);
        QCOMPARE(vServico->LinhasRecebidas().last(), QStringLiteral("GET /outro HTTP/1.1"));
    }
};

QTEST_GUILESS_MAIN(TstNotesService)
#include "tst_NotesService.moc"
