#include "download/model/ModelRecepcaoNF.h"
#include "util/Exception.h"

#include <QtTest>

namespace {

const QString MSG_OBJETO = QStringLiteral("The input value is not a valid Object");

// The message FromJsonString raised, or a null text when it read.
template <class TClasse>
QString Falha(const QByteArray& pJson)
{
    try {
        TClasse::FromJsonString(pJson);
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return {};
}

std::unique_ptr<TNota> Nota(const QByteArray& pMembros)
{
    return TNota::FromJsonString("{" + pMembros + "}");
}

QDateTime Utc(int pAno, int pMes, int pDia, int pHora, int pMinuto, int pSegundo, int pMs = 0)
{
    return QDateTime(QDate(pAno, pMes, pDia), QTime(pHora, pMinuto, pSegundo, pMs), Qt::UTC);
}

} // namespace

// The notes service's bodies read from JSON and written back: the conversion of each kind of value,
// the mapping of keys onto fields, what is not a JSON object, and the handing over of a page's notes.
class TstModelRecepcaoNF : public QObject
{
    Q_OBJECT

private slots:
    void valoresIniciais()
    {
        const TNota xNova;
        auto xNota = TNota::FromJsonString(QByteArray("{}"));
        const TNota* xNotas[] = {&xNova, xNota.get()};
        for (const TNota* x : xNotas) {
            QCOMPARE(x->Id, 0);
            QVERIFY(x->Cnpj.isEmpty() && x->TipoAmbiente.isEmpty() && x->TipoNFe.isEmpty());
            QVERIFY(x->CodEmpresa.isEmpty() && x->NumNF.isEmpty() && x->Serie.isEmpty());
            QVERIFY(x->NumeroNFSe.isEmpty() && x->Chave.isEmpty());
            QVERIFY(x->Xml.isEmpty() && x->XmlCancelamento.isEmpty());
            QVERIFY(x->DataEmissao.isNull() && x->DataSincronizacao.isNull());
            QVERIFY(!x->Cancelada && !x->GerouCobranca);
        }
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(QByteArray("{}"));
        QVERIFY(xPagina->Content.empty());
        QCOMPARE(xPagina->TotalPages, 0);
        QCOMPARE(xPagina->TotalElements, 0);
        QCOMPARE(xPagina->Size, 0);
        QCOMPARE(xPagina->Number, 0);
        QVERIFY(!xPagina->Empty && !xPagina->First && !xPagina->Last);
        QVERIFY(TErrorResponse::FromJsonString(QByteArray("{}"))->error.isEmpty());
    }

    // A whole page as the service sends it: every field of every note, in array order.
    void paginaCompleta()
    {
        const QByteArray xJson = "{\n"
"          \"content\": [\n"
"            {\"id\": 7, \"cnpj\": \"11.222.333/0001-81\", \"tipoAmbiente\": \"PRODUCAO\", \"tipoNFe\": \"NF_E\",\n"
"             \"codEmpresa\": \"001\", \"numNF\": \"000123\", \"serie\": \"1\",\n"
"             \"dataEmissao\": \"2024-03-05T10:20:30-03:00\", \"dataSincronizacao\": \"2024-03-05T14:00:00Z\",\n"
"             \"numeroNFSe\": null, \"chave\": \"35240311222333000181550010000001231000001230\",\n"
"             \"xml\": \"<?xml version=\\\"1.0\\\" encoding=\\\"UTF-8\\\"?>\\n<nfe><xNome>Comércio de Peças São João</xNome><url>http:\\/\\/x<\\/url></nfe>\",\n"
"             \"xmlCancelamento\": null, \"cancelada\": false, \"gerouCobranca\": true},\n"
"            {\"id\": 8, \"numNF\": \"000124\", \"serie\": \"2\", \"xml\": \"<b/>\", \"xmlCancelamento\": \"<canc/>\",\n"
"             \"cancelada\": true}\n"
"          ],\n"
"          \"totalPages\": 3, \"totalElements\": 250, \"size\": 100, \"empty\": false, \"first\": true,\n"
"          \"last\": false, \"number\": 0, \"pageable\": {\"sort\": {\"sorted\": true}, \"offset\": 0}\n"
"        }";
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(xJson);
        QCOMPARE(xPagina->TotalPages, 3);
        QCOMPARE(xPagina->TotalElements, 250);
        QCOMPARE(xPagina->Size, 100);
        QVERIFY(!xPagina->Empty && xPagina->First && !xPagina->Last);
        QCOMPARE(xPagina->Number, 0);
        QCOMPARE(xPagina->Content.size(), size_t(2));
        const TNota& x1 = xPagina->Content[0];
        QCOMPARE(x1.Id, 7);
        QCOMPARE(x1.Cnpj, QStringLiteral("11.222.333/0001-81"));
        QCOMPARE(x1.TipoAmbiente, QStringLiteral("PRODUCAO"));
        QCOMPARE(x1.TipoNFe, QStringLiteral("NF_E"));
        QCOMPARE(x1.CodEmpresa, QStringLiteral("001"));
        QCOMPARE(x1.NumNF, QStringLiteral("000123"));
        QCOMPARE(x1.Serie, QStringLiteral("1"));
        QCOMPARE(x1.DataEmissao, Utc(2024, 3, 5, 13, 20, 30));
        QCOMPARE(x1.DataSincronizacao, Utc(2024, 3, 5, 14, 0, 0));
        QVERIFY(x1.NumeroNFSe.isEmpty());
        QCOMPARE(x1.Chave, QStringLiteral("35240311222333000181550010000001231000001230"));
        QCOMPARE(x1.Xml, QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<nfe><xNome>Comércio de Peças "
                                    "São João</xNome><url>http://x</url></nfe>"));
        QVERIFY(x1.XmlCancelamento.isEmpty());
        QVERIFY(!x1.Cancelada && x1.GerouCobranca);
        const TNota& x2 = xPagina->Content[1];
        QCOMPARE(x2.Id, 8);
        QCOMPARE(x2.NumNF, QStringLiteral("000124"));
        QCOMPARE(x2.Serie, QStringLiteral("2"));
        QCOMPARE(x2.Xml, QByteArray("<b/>"));
        QCOMPARE(x2.XmlCancelamento, QByteArray("<canc/>"));
        QVERIFY(x2.Cancelada && !x2.GerouCobranca);
        QVERIFY(x2.DataEmissao.isNull());
    }

    void paginaVazia()
    {
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(
            QByteArray(R"({"content":[],"totalPages":0,"totalElements":0,"empty":true})"));
        QVERIFY(xPagina->Content.empty());
        QCOMPARE(xPagina->TotalPages, 0);
        QCOMPARE(xPagina->TotalElements, 0);
        QVERIFY(xPagina->Empty);
    }

    void texto_data()
    {
        QTest::addColumn<QByteArray>("valor");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("texto") << QByteArray(R"("PRODUCAO")") << QStringLiteral("PRODUCAO");
        QTest::newRow("vazio") << QByteArray(R"("")") << QString();
        QTest::newRow("escapes") << QByteArray("\"a\\\"b\\\\c\\/d\\n\\t\\u00e9\\u0041\"") << QStringLiteral("a\"b\\c/d\n\téA");
        QTest::newRow("par substituto") << QByteArray(R"("\ud83d\ude00")") << QStringLiteral("\U0001F600");
        QTest::newRow("utf-8") << QByteArray("\"S\xC3\xA3o Jo\xC3\xA3o\"") << QStringLiteral("São João");
        QTest::newRow("numero com casas") << QByteArray("1.50") << QStringLiteral("1.50");
        QTest::newRow("numero com expoente") << QByteArray("1E+05") << QStringLiteral("1E+05");
        QTest::newRow("menos zero") << QByteArray("-0") << QStringLiteral("-0");
        QTest::newRow("numero longo") << QByteArray("123456789012345678901234567890")
                                      << QStringLiteral("123456789012345678901234567890");
        QTest::newRow("null") << QByteArray("null") << QString();
    }
    void texto()
    {
        QFETCH(QByteArray, valor);
        QFETCH(QString, esperado);
        QCOMPARE(Nota("\"serie\":" + valor)->Serie, esperado);
        // null and a later value both replace an earlier one
        QCOMPARE(Nota("\"serie\":\"antes\",\"serie\":" + valor)->Serie, esperado);
        QCOMPARE(TErrorResponse::FromJsonString("{\"error\":" + valor + "}")->error, esperado);
    }

    // The XML fields keep the bytes exactly (escapes decoded, nothing else touched).
    void bytes_data()
    {
        QTest::addColumn<QByteArray>("valor");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("xml") << QByteArray("\"<a b=\\\"1\\\">\\r\\n\\t<c>x<\\/c></a>\"")
                             << QByteArray("<a b=\"1\">\r\n\t<c>x</c></a>");
        QTest::newRow("acentos") << QByteArray("\"<x>Peças \\u00e7\xC3\xA3</x>\"") << QByteArray("<x>Peças çã</x>");
        QTest::newRow("nul escapado") << QByteArray(R"("a\u0000b")") << QByteArray("a\0b", 3);
        QTest::newRow("vazio") << QByteArray(R"("")") << QByteArray();
        QTest::newRow("numero") << QByteArray("12.50") << QByteArray("12.50");
        QTest::newRow("null") << QByteArray("null") << QByteArray();
    }
    void bytes()
    {
        QFETCH(QByteArray, valor);
        QFETCH(QByteArray, esperado);
        auto xNota = Nota("\"xml\":\"antes\",\"xml\":" + valor + ",\"xmlCancelamento\":" + valor);
        QCOMPARE(xNota->Xml, esperado);
        QCOMPARE(xNota->XmlCancelamento, esperado);
    }

    void xmlCancelamentoAusente()
    {
        QVERIFY(Nota(R"("xml":"<a/>")")->XmlCancelamento.isEmpty());
        QVERIFY(Nota(R"("xml":"<a/>","xmlCancelamento":null)")->XmlCancelamento.isEmpty());
    }

    // A whole number spelled by a JSON number or string: optional "+" or "-", digits, nothing else.
    void inteiro_data()
    {
        QTest::addColumn<QByteArray>("valor");
        QTest::addColumn<int>("esperado");
        QTest::newRow("numero") << QByteArray("12") << 12;
        QTest::newRow("texto") << QByteArray(R"("12")") << 12;
        QTest::newRow("negativo") << QByteArray("-12") << -12;
        QTest::newRow("texto negativo") << QByteArray(R"("-12")") << -12;
        QTest::newRow("texto com mais") << QByteArray(R"("+12")") << 12;
        QTest::newRow("zeros a esquerda") << QByteArray(R"("007")") << 7;
        QTest::newRow("menos zero") << QByteArray("-0") << 0;
        QTest::newRow("maximo") << QByteArray("2147483647") << 2147483647;
        QTest::newRow("minimo") << QByteArray("-2147483648") << int(-2147483647 - 1);
        QTest::newRow("texto minimo") << QByteArray(R"("-2147483648")") << int(-2147483647 - 1);
        QTest::newRow("acima do maximo") << QByteArray("2147483648") << 0;
        QTest::newRow("abaixo do minimo") << QByteArray("-2147483649") << 0;
        QTest::newRow("muito grande") << QByteArray("99999999999999999999999") << 0;
        QTest::newRow("fracao") << QByteArray("12.5") << 0;
        QTest::newRow("fracao zero") << QByteArray("12.0") << 0;
        QTest::newRow("texto fracao") << QByteArray(R"("12.5")") << 0;
        QTest::newRow("expoente") << QByteArray("1e2") << 0;
        QTest::newRow("texto expoente") << QByteArray(R"("1E2")") << 0;
        QTest::newRow("letras") << QByteArray(R"("doze")") << 0;
        QTest::newRow("hexadecimal") << QByteArray(R"("0x10")") << 0;
        QTest::newRow("vazio") << QByteArray(R"("")") << 0;
        QTest::newRow("so sinal") << QByteArray(R"("-")") << 0;
        QTest::newRow("branco antes") << QByteArray(R"(" 12")") << 0;
        QTest::newRow("branco depois") << QByteArray(R"("12 ")") << 0;
        QTest::newRow("dois sinais") << QByteArray(R"("--12")") << 0;
        QTest::newRow("digitos largos") << QByteArray("\"\xEF\xBC\x91\xEF\xBC\x92\"") << 0; // "１２"
        QTest::newRow("null") << QByteArray("null") << 0;
    }
    void inteiro()
    {
        QFETCH(QByteArray, valor);
        QFETCH(int, esperado);
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(
            "{\"totalElements\":99,\"totalElements\":" + valor + ",\"totalPages\":" + valor + ",\"size\":" +
            valor + ",\"number\":" + valor + "}");
        QCOMPARE(xPagina->TotalElements, esperado);
        QCOMPARE(xPagina->TotalPages, esperado);
        QCOMPARE(xPagina->Size, esperado);
        QCOMPARE(xPagina->Number, esperado);
        QCOMPARE(Nota("\"id\":" + valor)->Id, esperado);
    }

    void booleano_data()
    {
        QTest::addColumn<QByteArray>("valor");
        QTest::addColumn<bool>("esperado");
        QTest::newRow("true") << QByteArray("true") << true;
        QTest::newRow("false") << QByteArray("false") << false;
        QTest::newRow("null") << QByteArray("null") << false;
    }
    void booleano()
    {
        QFETCH(QByteArray, valor);
        QFETCH(bool, esperado);
        const QByteArray xMembros = "\"cancelada\":true,\"cancelada\":" + valor + ",\"gerouCobranca\":" + valor;
        auto xNota = Nota(xMembros);
        QCOMPARE(xNota->Cancelada, esperado);
        QCOMPARE(xNota->GerouCobranca, esperado);
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString("{\"empty\":" + valor + ",\"first\":" + valor +
                                                              ",\"last\":true,\"last\":" + valor + "}");
        QCOMPARE(xPagina->Empty, esperado);
        QCOMPARE(xPagina->First, esperado);
        QCOMPARE(xPagina->Last, esperado);
    }

    void dataHora_data()
    {
        QTest::addColumn<QByteArray>("texto");
        QTest::addColumn<QDateTime>("esperado");
        QTest::newRow("fuso negativo") << QByteArray("2024-03-05T10:20:30-03:00") << Utc(2024, 3, 5, 13, 20, 30);
        QTest::newRow("fuso positivo") << QByteArray("2024-03-05T10:20:30+01:00") << Utc(2024, 3, 5, 9, 20, 30);
        QTest::newRow("Z") << QByteArray("2024-03-05T10:20:30Z") << Utc(2024, 3, 5, 10, 20, 30);
        QTest::newRow("sem fuso") << QByteArray("2024-03-05T10:20:30") << Utc(2024, 3, 5, 10, 20, 30);
        QTest::newRow("fuso sem dois pontos") << QByteArray("2024-03-05T10:20:30+0530") << Utc(2024, 3, 5, 4, 50, 30);
        QTest::newRow("fuso so horas") << QByteArray("2024-03-05T10:20:30-02") << Utc(2024, 3, 5, 12, 20, 30);
        QTest::newRow("milissegundos") << QByteArray("2024-03-05T10:20:30.123Z") << Utc(2024, 3, 5, 10, 20, 30, 123);
        QTest::newRow("decimo") << QByteArray("2024-03-05T10:20:30.5") << Utc(2024, 3, 5, 10, 20, 30, 500);
        QTest::newRow("microssegundos") << QByteArray("2024-03-05T10:20:30.123987-03:00")
                                        << Utc(2024, 3, 5, 13, 20, 30, 123);
        QTest::newRow("fuso muda o dia") << QByteArray("2024-12-31T22:30:00-03:00") << Utc(2025, 1, 1, 1, 30, 0);
        QTest::newRow("hora 24") << QByteArray("2024-02-28T24:00:00") << Utc(2024, 2, 29, 0, 0, 0);
        QTest::newRow("hora 24 com fuso") << QByteArray("2024-03-05T24:00:00.000+02:00") << Utc(2024, 3, 5, 22, 0, 0);
        QTest::newRow("segundo 60") << QByteArray("2016-12-31T23:59:60Z") << Utc(2017, 1, 1, 0, 0, 0);
        QTest::newRow("segundo 60 com fracao") << QByteArray("2024-03-05T10:20:60.250") << Utc(2024, 3, 5, 10, 21, 0, 250);
        QTest::newRow("29 de fevereiro") << QByteArray("2024-02-29T00:00:00") << Utc(2024, 2, 29, 0, 0, 0);
        QTest::newRow("ano 1") << QByteArray("0001-01-01T00:00:00Z") << Utc(1, 1, 1, 0, 0, 0);
        QTest::newRow("ano 9999") << QByteArray("9999-12-31T23:59:59.999Z") << Utc(9999, 12, 31, 23, 59, 59, 999);
        QTest::newRow("escapes") << QByteArray(R"(2024\u002d03-05T10:20:30Z)") << Utc(2024, 3, 5, 10, 20, 30);
    }
    void dataHora()
    {
        QFETCH(QByteArray, texto);
        QFETCH(QDateTime, esperado);
        auto xNota = Nota("\"dataEmissao\":\"" + texto + "\",\"dataSincronizacao\":\"" + texto + "\"");
        QCOMPARE(xNota->DataEmissao, esperado);
        QCOMPARE(xNota->DataEmissao.timeSpec(), Qt::UTC);
        QCOMPARE(xNota->DataSincronizacao, esperado);
    }

    // A date-time text that does not read makes the whole reading fail, the page with its notes too.
    void dataHoraInvalida_data()
    {
        QTest::addColumn<QByteArray>("texto");
        for (const char* x :
             {"", " ", "abc", "2024-03-05", "2024-03-05T", "2024-03-05 10:20:30", "2024-03-05t10:20:30",
              "2024-03-05T10:20", "24-03-05T10:20:30", "2024-3-5T10:20:30", "2024-03-05T1:20:30",
              "2023-02-29T00:00:00", "2024-13-01T00:00:00", "2024-00-10T00:00:00", "2024-04-31T00:00:00",
              "0000-01-01T00:00:00", "2024-03-05T25:00:00", "2024-03-05T24:00:01", "2024-03-05T24:00:00.001",
              "2024-03-05T10:60:00", "2024-03-05T10:20:61", "2024-03-05T10:20:30.", "2024-03-05T10:20:30,5",
              "2024-03-05T10:20:30X", "2024-03-05T10:20:30Z ", " 2024-03-05T10:20:30", "2024-03-05T10:20:30+3",
              "2024-03-05T10:20:30+03:", "2024-03-05T10:20:30+24:00", "2024-03-05T10:20:30+03:60",
              "2024-03-05T10:20:30ZZ", "9999-12-31T24:00:00", "0001-01-01T00:00:00+01:00",
              "+2024-03-05T10:20:30", "2024-03-05T10:20:30.5Z+01:00"})
            QTest::addRow("[%s]", x) << QByteArray(x);
    }
    void dataHoraInvalida()
    {
        QFETCH(QByteArray, texto);
        const QByteArray xNota = "{\"numNF\":\"1\",\"dataEmissao\":\"" + texto + "\"}";
        const QString xFalha = Falha<TNota>(xNota);
        QVERIFY2(!xFalha.isNull() && xFalha != MSG_OBJETO, qPrintable(xFalha));
        QVERIFY2(xFalha.contains("dataEmissao"), qPrintable(xFalha));
        QCOMPARE(Falha<TRecepcaoNFAPIResponse>(R"({"totalPages":1,"content":[{"numNF":"0"},)" + xNota + "]}"),
                 xFalha);
    }

    void dataHoraNull()
    {
        auto xNota = Nota(R"("dataEmissao":null)");
        QVERIFY(xNota->DataEmissao.isNull());
        xNota = Nota(R"("dataEmissao":"2024-03-05T10:20:30Z","dataEmissao":null,"dataSincronizacao":null)");
        QCOMPARE(xNota->DataEmissao, Utc(2024, 3, 5, 10, 20, 30));
        QVERIFY(xNota->DataSincronizacao.isNull());
    }

    // A page whose document is not valid JSON fails as such, even when a value before the fault
    // could not be converted.
    void jsonInvalidoDepoisDeFalhaDeConversao()
    {
        QCOMPARE(Falha<TNota>(R"({"dataEmissao":"ontem","numNF":})"), MSG_OBJETO);
        QCOMPARE(Falha<TNota>(R"({"cancelada":"S"} x)"), MSG_OBJETO);
        QCOMPARE(Falha<TRecepcaoNFAPIResponse>(R"({"content":[1,{"a":"\x"}]})"), MSG_OBJETO);
    }

    // The service sends none of these forms; each one is a conversion failure naming the key.
    void formaForaDaTabela_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("chave");
        QTest::newRow("texto <- true") << QByteArray(R"({"numNF":true})") << QStringLiteral("numNF");
        QTest::newRow("texto <- lista") << QByteArray(R"({"serie":["1"]})") << QStringLiteral("serie");
        QTest::newRow("texto <- objeto") << QByteArray(R"({"cnpj":{}})") << QStringLiteral("cnpj");
        QTest::newRow("xml <- false") << QByteArray(R"({"xml":false})") << QStringLiteral("xml");
        QTest::newRow("xml <- objeto") << QByteArray(R"({"xml":{"a":"b"}})") << QStringLiteral("xml");
        QTest::newRow("inteiro <- true") << QByteArray(R"({"id":true})") << QStringLiteral("id");
        QTest::newRow("inteiro <- lista") << QByteArray(R"({"id":[1]})") << QStringLiteral("id");
        QTest::newRow("booleano <- texto") << QByteArray(R"({"cancelada":"true"})") << QStringLiteral("cancelada");
        QTest::newRow("booleano <- numero") << QByteArray(R"({"gerouCobranca":1})") << QStringLiteral("gerouCobranca");
        QTest::newRow("data <- numero") << QByteArray(R"({"dataEmissao":20240305})") << QStringLiteral("dataEmissao");
        QTest::newRow("data <- booleano") << QByteArray(R"({"dataSincronizacao":true})") << QStringLiteral("dataSincronizacao");
        QTest::newRow("data <- objeto") << QByteArray(R"({"dataEmissao":{}})") << QStringLiteral("dataEmissao");
    }
    void formaForaDaTabela()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, chave);
        const QString xFalha = Falha<TNota>(json);
        QVERIFY2(!xFalha.isNull() && xFalha != MSG_OBJETO, qPrintable(xFalha));
        QVERIFY2(xFalha.contains("\"" + chave + "\""), qPrintable(xFalha));
    }

    void conteudoForaDaTabela_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("objeto") << QByteArray(R"({"xml":"<a/>"})");
        QTest::newRow("texto") << QByteArray(R"("[]")");
        QTest::newRow("numero") << QByteArray("0");
        QTest::newRow("booleano") << QByteArray("false");
        QTest::newRow("elemento numero") << QByteArray(R"([{"xml":"<a/>"},1])");
        QTest::newRow("elemento null") << QByteArray("[null]");
        QTest::newRow("elemento texto") << QByteArray(R"(["<a/>"])");
        QTest::newRow("elemento lista") << QByteArray("[[]]");
    }
    void conteudoForaDaTabela()
    {
        QFETCH(QByteArray, content);
        const QString xFalha = Falha<TRecepcaoNFAPIResponse>("{\"content\":" + content + "}");
        QVERIFY2(!xFalha.isNull() && xFalha != MSG_OBJETO && xFalha.contains("\"content\""), qPrintable(xFalha));
    }

    void conteudo()
    {
        // null empties the list; a later "content" replaces an earlier one
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(QByteArray(R"({"content":[{"numNF":"1"}],"content":null})"));
        QVERIFY(xPagina->Content.empty());
        xPagina = TRecepcaoNFAPIResponse::FromJsonString(
            QByteArray(R"({"content":[{"numNF":"1"},{"numNF":"2"}],"Content":[{"numNF":"3"}]})"));
        QCOMPARE(xPagina->Content.size(), size_t(1));
        QCOMPARE(xPagina->Content[0].NumNF, QStringLiteral("3"));
        // an empty note object gives a note at its initial values
        xPagina = TRecepcaoNFAPIResponse::FromJsonString(QByteArray(R"({"content":[{},{"numNF":"9"},{}]})"));
        QCOMPARE(xPagina->Content.size(), size_t(3));
        QVERIFY(xPagina->Content[0].NumNF.isEmpty());
        QCOMPARE(xPagina->Content[1].NumNF, QStringLiteral("9"));
        // the keys of a page mean nothing inside a note, and the other way round
        xPagina = TRecepcaoNFAPIResponse::FromJsonString(
            QByteArray(R"({"xml":"<a/>","numNF":"5","content":[{"totalPages":4,"content":[{"numNF":"6"}],"numNF":"7"}]})"));
        QCOMPARE(xPagina->TotalPages, 0);
        QCOMPARE(xPagina->Content.size(), size_t(1));
        QCOMPARE(xPagina->Content[0].NumNF, QStringLiteral("7"));
        QVERIFY(TNota::FromJsonString(QByteArray(R"({"content":[{"numNF":"1"}],"error":"x"})"))->NumNF.isEmpty());
    }

    void ordemDasNotas()
    {
        QByteArray xJson = "{\"content\":[";
        for (int i = 0; i < 500; ++i)
            xJson += (i ? "," : "") + QByteArray("{\"numNF\":\"") + QByteArray::number(499 - i) + "\",\"id\":" +
                     QByteArray::number(i) + "}";
        xJson += "]}";
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(xJson);
        QCOMPARE(xPagina->Content.size(), size_t(500));
        for (int i = 0; i < 500; ++i) {
            QCOMPARE(xPagina->Content[size_t(i)].Id, i);
            QCOMPARE(xPagina->Content[size_t(i)].NumNF, QString::number(499 - i));
        }
    }

    // "F" + key, compared with the field names without regard to the case of ASCII letters.
    void chaves_data()
    {
        QTest::addColumn<QByteArray>("chave");
        QTest::addColumn<bool>("alcanca");
        QTest::newRow("exata") << QByteArray("totalElements") << true;
        QTest::newRow("maiuscula inicial") << QByteArray("TotalElements") << true;
        QTest::newRow("maiusculas") << QByteArray("TOTALELEMENTS") << true;
        QTest::newRow("minusculas") << QByteArray("totalelements") << true;
        QTest::newRow("com F") << QByteArray("FTotalElements") << false;
        QTest::newRow("so F") << QByteArray("F") << false;
        QTest::newRow("vazia") << QByteArray("") << false;
        QTest::newRow("prefixo") << QByteArray("totalElement") << false;
        QTest::newRow("mais longa") << QByteArray("totalElementss") << false;
        QTest::newRow("branco") << QByteArray("totalElements ") << false;
        QTest::newRow("sublinhado") << QByteArray("total_elements") << false;
        QTest::newRow("escapada") << QByteArray(R"(total\u0045lements)") << true;
        QTest::newRow("nul no fim") << QByteArray(R"(totalElements\u0000)") << false;
        QTest::newRow("s longo") << QByteArray("totalElement\xC5\xBF") << false; // U+017F folds to "s"
        QTest::newRow("K kelvin") << QByteArray("totalElements\xE2\x84\xAA") << false;
    }
    void chaves()
    {
        QFETCH(QByteArray, chave);
        QFETCH(bool, alcanca);
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString("{\"" + chave + "\":12}");
        QCOMPARE(xPagina->TotalElements, alcanca ? 12 : 0);
    }

    void chavesDasNotas()
    {
        auto xNota = Nota(R"("ID":1,"CNPJ":"c","TIPOAMBIENTE":"a","tiponfe":"t","CodEmpresa":"e","NUMNF":"n",)"
                          R"("Serie":"s","DATAEMISSAO":"2024-01-02T03:04:05Z","datasincronizacao":"2024-01-02T03:04:06Z",)"
                          R"("NumeroNfse":"ns","CHAVE":"ch","XML":"<x/>","XmlCANCELAMENTO":"<c/>","CANCELADA":true,)"
                          R"("GEROUCOBRANCA":true)");
        QCOMPARE(xNota->Id, 1);
        QCOMPARE(xNota->Cnpj, QStringLiteral("c"));
        QCOMPARE(xNota->TipoAmbiente, QStringLiteral("a"));
        QCOMPARE(xNota->TipoNFe, QStringLiteral("t"));
        QCOMPARE(xNota->CodEmpresa, QStringLiteral("e"));
        QCOMPARE(xNota->NumNF, QStringLiteral("n"));
        QCOMPARE(xNota->Serie, QStringLiteral("s"));
        QCOMPARE(xNota->DataEmissao, Utc(2024, 1, 2, 3, 4, 5));
        QCOMPARE(xNota->DataSincronizacao, Utc(2024, 1, 2, 3, 4, 6));
        QCOMPARE(xNota->NumeroNFSe, QStringLiteral("ns"));
        QCOMPARE(xNota->Chave, QStringLiteral("ch"));
        QCOMPARE(xNota->Xml, QByteArray("<x/>"));
        QCOMPARE(xNota->XmlCancelamento, QByteArray("<c/>"));
        QVERIFY(xNota->Cancelada && xNota->GerouCobranca);
        QCOMPARE(TErrorResponse::FromJsonString(QByteArray(R"({"ERROR":"e"})"))->error, QStringLiteral("e"));
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(
            QByteArray(R"({"CONTENT":[{}],"TOTALPAGES":2,"Size":3,"EMPTY":true,"First":true,"LAST":true,"Number":4})"));
        QCOMPARE(xPagina->Content.size(), size_t(1));
        QCOMPARE(xPagina->TotalPages, 2);
        QCOMPARE(xPagina->Size, 3);
        QCOMPARE(xPagina->Number, 4);
        QVERIFY(xPagina->Empty && xPagina->First && xPagina->Last);
    }

    // Keys that name no field are skipped whatever their values, but their values must be valid JSON.
    void chavesDesconhecidas()
    {
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(QByteArray(
            R"({"pageable":{"content":[1,{"totalPages":9}],"sort":[[[]],{}]},"totalPages":3,"zzz":null,)"
            "\"conteudo\":[{\"xml\":1}],\"x\":\"\\u00e9\\\"\",\"y\":-1.5e-7,\"z\":true,\"totalElements\":5,\"w\":[{\"a\":[{}]}]}"));
        QCOMPARE(xPagina->TotalPages, 3);
        QCOMPARE(xPagina->TotalElements, 5);
        QVERIFY(xPagina->Content.empty());
        QCOMPARE(Falha<TRecepcaoNFAPIResponse>(R"({"zzz":[1,2,],"totalPages":1})"), MSG_OBJETO);
        QCOMPARE(Falha<TRecepcaoNFAPIResponse>(R"({"zzz":{"a" 1}})"), MSG_OBJETO);
        QCOMPARE(Falha<TRecepcaoNFAPIResponse>(R"({"zzz":[01]})"), MSG_OBJETO);
        QCOMPARE(Falha<TRecepcaoNFAPIResponse>("{\"zzz\":\"\xC3\x28\"}"), MSG_OBJETO);
        QCOMPARE(Falha<TRecepcaoNFAPIResponse>("{\"zzz\":\"\t\"}"), MSG_OBJETO);
        // deep nesting is read without recursion
        const QByteArray xFundo = QByteArray(200000, '[') + QByteArray(200000, ']');
        QCOMPARE(TRecepcaoNFAPIResponse::FromJsonString("{\"zzz\":" + xFundo + ",\"size\":2}")->Size, 2);
        QCOMPARE(Falha<TRecepcaoNFAPIResponse>("{\"zzz\":" + QByteArray(200000, '[') + "}"), MSG_OBJETO);
    }

    void naoObjeto_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("vazio") << QByteArray();
        QTest::newRow("brancos") << QByteArray(" \r\n\t");
        QTest::newRow("lista") << QByteArray("[]");
        QTest::newRow("lista de objeto") << QByteArray(R"([{"totalPages":1}])");
        QTest::newRow("texto") << QByteArray(R"("{}")");
        QTest::newRow("numero") << QByteArray("12");
        QTest::newRow("null") << QByteArray("null");
        QTest::newRow("true") << QByteArray("true");
        QTest::newRow("html") << QByteArray("<html><body><h1>404 Not Found</h1></body></html>");
        QTest::newRow("incompleto") << QByteArray(R"({"totalPages":1)");
        QTest::newRow("virgula no fim") << QByteArray(R"({"totalPages":1,})");
        QTest::newRow("aspas simples") << QByteArray("{'totalPages':1}");
        QTest::newRow("chave sem aspas") << QByteArray("{totalPages:1}");
        QTest::newRow("dois objetos") << QByteArray("{} {}");
        QTest::newRow("lixo depois") << QByteArray(R"({"totalPages":1}x)");
        QTest::newRow("nul depois") << QByteArray("{}\0", 3);
        QTest::newRow("nul depois e lixo") << QByteArray("{}\0{\"a\"", 7);
        QTest::newRow("nul dentro") << QByteArray("{\"error\":\"a\0b\"}", 15);
        QTest::newRow("comentario") << QByteArray("{}//x");
        QTest::newRow("BOM") << QByteArray("\xEF\xBB\xBF{}");
        QTest::newRow("utf-8 invalido") << QByteArray("{\"error\":\"\xC3\x28\"}");
        QTest::newRow("utf-8 longo demais") << QByteArray("{\"error\":\"\xC0\xAF\"}");
        QTest::newRow("latin-1") << QByteArray("{\"error\":\"S\xE3o\"}");
        QTest::newRow("substituto em utf-8") << QByteArray("{\"error\":\"\xED\xA0\x80\"}");
        QTest::newRow("utf-16") << QByteArray("{\0}\0", 4);
        QTest::newRow("controle no texto") << QByteArray("{\"error\":\"a\nb\"}");
        QTest::newRow("escape invalido") << QByteArray(R"({"error":"\x41"})");
        QTest::newRow("substituto incompleto") << QByteArray(R"({"error":"\ud83d"})");
        QTest::newRow("numero invalido") << QByteArray(R"({"totalPages":01})");
        QTest::newRow("numero com mais") << QByteArray(R"({"totalPages":+1})");
        QTest::newRow("NaN") << QByteArray(R"({"totalPages":NaN})");
    }
    void naoObjeto()
    {
        QFETCH(QByteArray, json);
        QCOMPARE(Falha<TRecepcaoNFAPIResponse>(json), MSG_OBJETO);
        QCOMPARE(Falha<TErrorResponse>(json), MSG_OBJETO);
        QCOMPARE(Falha<TNota>(json), MSG_OBJETO);
    }

    void corpoDeErro()
    {
        QCOMPARE(TErrorResponse::FromJsonString(QByteArray(R"({"error":"Nota n\u00e3o encontrada"})"))->error,
                 QStringLiteral("Nota não encontrada"));
        QCOMPARE(TErrorResponse::FromJsonString(
                     QByteArray(R"({"timestamp":"2024-03-05T10:20:30Z","status":404,"error":"Not Found","path":"/v1/nota"})"))
                     ->error,
                 QStringLiteral("Not Found"));
        QVERIFY(TErrorResponse::FromJsonString(QByteArray("{}"))->error.isEmpty());
    }

    // The text overloads read the same document as the UTF-8 ones.
    void textoQString()
    {
        const QString xJson = QStringLiteral(R"({"error":"Peças São João 😀"})");
        QCOMPARE(TErrorResponse::FromJsonString(xJson)->error, QStringLiteral("Peças São João 😀"));
        auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(QStringLiteral(R"({"content":[{"xml":"<x>ção</x>"}]})"));
        QCOMPARE(xPagina->Content.at(0).Xml, QByteArray("<x>ção</x>"));
        QCOMPARE(TNota::FromJsonString(QStringLiteral(R"({"serie":"é"})"))->Serie, QStringLiteral("é"));
        QCOMPARE(Falha<TNota>(QStringLiteral("[]").toUtf8()), MSG_OBJETO);
        try {
            TRecepcaoNFAPIResponse::FromJsonString(QString());
            QFAIL("read an empty text");
        } catch (const EConvertError& e) {
            QCOMPARE(e.Message(), MSG_OBJETO);
        }
    }

    void escritaNaOrdemDosCampos()
    {
        TNota xNota;
        xNota.Id = -5;
        xNota.NumNF = QStringLiteral("12");
        xNota.Xml = "<a b=\"1\">\n\xC3\xA7</a>";
        xNota.DataEmissao = Utc(2024, 3, 5, 13, 20, 30);
        xNota.GerouCobranca = true;
        QCOMPARE(xNota.ToJsonString(),
                 QStringLiteral(R"({"id":-5,"cnpj":"","tipoAmbiente":"","tipoNFe":"","codEmpresa":"","numNF":"12",)"
                                R"("serie":"","dataEmissao":"2024-03-05T13:20:30.000Z","dataSincronizacao":null,)"
                                "\"numeroNFSe\":\"\",\"chave\":\"\",\"xml\":\"<a b=\\\"1\\\">\\nç</a>\",\"xmlCancelamento\":\"\","
                                R"("cancelada":false,"gerouCobranca":true})"));
        TRecepcaoNFAPIResponse xPagina;
        xPagina.TotalPages = 2;
        xPagina.Last = true;
        QCOMPARE(xPagina.ToJsonString(), QStringLiteral(R"({"content":[],"totalPages":2,"totalElements":0,"size":0,)"
                                                        R"("empty":false,"first":false,"last":true,"number":0})"));
        TErrorResponse xErro;
        xErro.error = QStringLiteral("Falha \"x\"");
        QCOMPARE(xErro.ToJsonString(), QStringLiteral("{\"error\":\"Falha \\\"x\\\"\"}"));
    }

    // Writing and reading back gives the same values.
    void idaEVolta()
    {
        TRecepcaoNFAPIResponse xPagina;
        xPagina.TotalPages = 7;
        xPagina.TotalElements = -2147483647 - 1;
        xPagina.Size = 100;
        xPagina.Empty = true;
        xPagina.First = true;
        xPagina.Number = 2147483647;
        TNota xNota;
        xNota.Id = 42;
        xNota.Cnpj = QStringLiteral("11.222.333/0001-81");
        xNota.TipoAmbiente = QStringLiteral("HOMOLOGACAO");
        xNota.TipoNFe = QStringLiteral("NFS_E");
        xNota.CodEmpresa = QStringLiteral("0\t1");
        xNota.NumNF = QStringLiteral("00000001");
        xNota.Serie = QStringLiteral("99");
        xNota.DataEmissao = Utc(2024, 3, 5, 13, 20, 30, 7);
        xNota.NumeroNFSe = QStringLiteral("Nº 5 😀");
        xNota.Chave = QStringLiteral("\\/\"\u0001");
        xNota.Xml = QByteArray("<a>\0\x1F\x7F</a>\xE2\x82\xAC", 13);
        xNota.XmlCancelamento = "<c/>";
        xNota.Cancelada = true;
        xPagina.Content.push_back(xNota);
        xNota.DataSincronizacao = Utc(1, 1, 1, 0, 0, 0);
        xNota.DataEmissao = QDateTime();
        xPagina.Content.push_back(xNota);

        auto xLida = TRecepcaoNFAPIResponse::FromJsonString(xPagina.ToJsonString());
        QCOMPARE(xLida->ToJsonString(), xPagina.ToJsonString());
        QCOMPARE(xLida->TotalPages, 7);
        QCOMPARE(xLida->TotalElements, -2147483647 - 1);
        QCOMPARE(xLida->Number, 2147483647);
        QVERIFY(xLida->Empty && xLida->First && !xLida->Last);
        QCOMPARE(xLida->Content.size(), size_t(2));
        for (size_t i = 0; i < 2; ++i) {
            const TNota& a = xPagina.Content[i];
            const TNota& b = xLida->Content[i];
            QCOMPARE(b.Id, a.Id);
            QCOMPARE(b.Cnpj, a.Cnpj);
            QCOMPARE(b.TipoAmbiente, a.TipoAmbiente);
            QCOMPARE(b.TipoNFe, a.TipoNFe);
            QCOMPARE(b.CodEmpresa, a.CodEmpresa);
            QCOMPARE(b.NumNF, a.NumNF);
            QCOMPARE(b.Serie, a.Serie);
            QCOMPARE(b.DataEmissao, a.DataEmissao);
            QCOMPARE(b.DataEmissao.isNull(), a.DataEmissao.isNull());
            QCOMPARE(b.DataSincronizacao, a.DataSincronizacao);
            QCOMPARE(b.NumeroNFSe, a.NumeroNFSe);
            QCOMPARE(b.Chave, a.Chave);
            QCOMPARE(b.Xml, a.Xml);
            QCOMPARE(b.XmlCancelamento, a.XmlCancelamento);
            QCOMPARE(b.Cancelada, a.Cancelada);
            QCOMPARE(b.GerouCobranca, a.GerouCobranca);
        }
        auto xNotaLida = TNota::FromJsonString(xNota.ToJsonString());
        QCOMPARE(xNotaLida->ToJsonString(), xNota.ToJsonString());
        TErrorResponse xErro;
        xErro.error = QStringLiteral("Nota não encontrada: \"1\"\r\n");
        QCOMPARE(TErrorResponse::FromJsonString(xErro.ToJsonString())->error, xErro.error);
    }

    // The notes leave the page in order; their XML buffers are moved, not copied.
    void moveContentTo()
    {
        auto xPagina1 = TRecepcaoNFAPIResponse::FromJsonString(
            QByteArray(R"({"content":[{"numNF":"1","xml":"<um/>"},{"numNF":"2","xml":"<dois/>"}]})"));
        auto xPagina2 = TRecepcaoNFAPIResponse::FromJsonString(
            QByteArray(R"({"content":[{"numNF":"3","xml":"<tres/>"},{"numNF":"4","xml":"<quatro/>"}]})"));
        auto xPaginaVazia = TRecepcaoNFAPIResponse::FromJsonString(QByteArray(R"({"content":[]})"));
        const char* xBuffer3 = xPagina2->Content[0].Xml.constData();
        TListaNotas xLista;
        xPagina1->MoveContentTo(xLista);
        xPaginaVazia->MoveContentTo(xLista);
        xPagina2->MoveContentTo(xLista);
        QVERIFY(xPagina1->Content.empty());
        QVERIFY(xPagina2->Content.empty());
        QCOMPARE(xLista.size(), size_t(4));
        for (size_t i = 0; i < 4; ++i)
            QCOMPARE(xLista[i].NumNF, QString::number(i + 1));
        QCOMPARE(xLista[2].Xml, QByteArray("<tres/>"));
        QVERIFY(xLista[2].Xml.constData() == xBuffer3);
        xPagina1.reset(); // releasing the pages leaves the notes handed over alone
        xPagina2.reset();
        QCOMPARE(xLista[3].Xml, QByteArray("<quatro/>"));
    }
};

QTEST_APPLESS_MAIN(TstModelRecepcaoNF)
#include "tst_RecepcaoNF.moc"
