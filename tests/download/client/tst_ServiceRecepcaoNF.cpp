#include "download/client/HttpCodificacao.h"
#include "download/client/HttpSessao.h"
#include "download/client/ServiceConexaoHTTP.h"
#include "download/client/ServiceRecepcaoNF.h"
#include "log/LogArquivo.h"
#include "support/NotesService.h"
#include "support/ProcessoHospedeiro.h"
#include "support/PortaEntupida.h"
#include "util/Exception.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QtTest>

// The notes service client against the local stand-in: the request on the wire, the pages it
// returns, and every outcome of a failed query with its log line.
class TstServiceRecepcaoNF : public QObject
{
    Q_OBJECT

    static constexpr const char* CNPJ = "11222333000181";
    static constexpr int CONEXAO_MS = 1500;
    static constexpr int SILENCIO_MS = 1000;

    QTemporaryDir vPastaLog;
    QTemporaryDir vPastaIni;
    TNotesService vServico{{"--cnpj", "11222333000181,44555666000199", "--per-branch", "250", "--xml-size",
                            "600", "--from", "2024-01-01", "--to", "2024-12-31"}};
    TPortaEntupida vPortaEntupida;
    qsizetype vMarcaLog = 0;
    QString vHostLido;

    // Everything the log holds (the log writes Windows-1252).
    QString TextoLog()
    {
        TLogArquivo::AguardaEscritores(10000);
        QString xTexto;
        const QDir xPasta(vPastaLog.path());
        for (const QString& xNome : xPasta.entryList({"*.txt"}, QDir::Files, QDir::Name)) {
            QFile xArquivo(xPasta.filePath(xNome));
            if (xArquivo.open(QIODevice::ReadOnly))
                xTexto += QString::fromUtf8(HttpCodificacao::CorpoEmUtf8(xArquivo.readAll(), "windows-1252"));
        }
        return xTexto;
    }
    // What the log received since the last call.
    QString LogNovo()
    {
        const QString xTexto = TextoLog();
        const QString xNovo = xTexto.mid(vMarcaLog);
        vMarcaLog = xTexto.size();
        return xNovo;
    }

    // The start of a line of the client in the log: level, sender column, text.
    static QString Linha(const QString& pNivel, const QString& pTexto)
    {
        return pNivel.leftJustified(6) + " : [" + QStringLiteral("TRecepcaoNF").leftJustified(32) + "] " +
               pTexto;
    }

    static std::unique_ptr<TRecepcaoNFAPIResponse> Consulta(const QString& pPage = "0",
                                                            const QString& pCnpj = CNPJ)
    {
        return TRecepcaoNF::get().ConsultaNF(pCnpj, "PRODUCAO", "NF_E", "", "", "00000001", "99999999", "1",
                                             "99", pPage);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(vPastaLog.isValid());
        TLogArquivo::DefinePastaLog(vPastaLog.path());
        THTTPConnectionClient::DefineTemposLimite(CONEXAO_MS, SILENCIO_MS);
        QVERIFY2(vServico.Iniciar(), qPrintable(vServico.Erro()));

        // The client is made on first use, with the host of Tarnwick.ini in the working directory.
        const QString xAnterior = QDir::currentPath();
        QFile xIni(vPastaIni.filePath("Tarnwick.ini"));
        QVERIFY(xIni.open(QIODevice::WriteOnly));
        xIni.write("[RECEPCAONF]\r\nHost=notas.exemplo\r\n");
        xIni.close();
        QVERIFY(QDir::setCurrent(vPastaIni.path()));
        vHostLido = TRecepcaoNF::get().UrlBase();
        QDir::setCurrent(xAnterior);
    }

    void init()
    {
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBase());
        LogNovo();
    }

    void enderecoBaseDoArquivoDeConfiguracao()
    {
        QCOMPARE(vHostLido, QStringLiteral("http://notas.exemplo:2020/RecepcaoNF"));
        QCOMPARE(&TRecepcaoNF::get(), &TRecepcaoNF::get());
    }

    void paginasDaConsulta()
    {
        QStringList xNumeros;
        for (int xPagina = 0; xPagina < 3; ++xPagina) {
            auto xResposta = Consulta(QString::number(xPagina));
            QVERIFY(xResposta);
            QCOMPARE(xResposta->TotalElements, 250);
            QCOMPARE(xResposta->TotalPages, 3);
            QCOMPARE(xResposta->Number, xPagina);
            QCOMPARE(int(xResposta->Content.size()), xPagina < 2 ? 100 : 50);
            for (const TNota& xNota : xResposta->Content) {
                QCOMPARE(xNota.Cnpj, QStringLiteral("11222333000181"));
                QCOMPARE(xNota.TipoNFe, QStringLiteral("NF_E"));
                QCOMPARE(xNota.TipoAmbiente, QStringLiteral("PRODUCAO"));
                QVERIFY(xNota.Xml.contains("Comércio de Peças São João"));
                xNumeros << xNota.NumNF;
            }
        }
        QCOMPARE(xNumeros.size(), 250);
        for (int i = 0; i < xNumeros.size(); ++i)
            QCOMPARE(xNumeros[i], QString::number(i + 1));

        // Past the last page: an empty page, not a failure.
        auto xAlem = Consulta("3");
        QVERIFY(xAlem);
        QVERIFY(xAlem->Content.empty());

        const QString xLog = LogNovo();
        QCOMPARE(xLog.count(QStringLiteral("Preparando o Request do método: /v1/nota")), 4);
        QVERIFY(xLog.contains(Linha("INFO", "Realizando a consulta: " + vServico.UrlBase()) +
                              "/v1/nota?cnpj=11222333000181&tipoAmbiente=PRODUCAO&tipoNFe=NF_E"
                              "&numNfInicial=00000001&numNfFinal=99999999&serieInicial=1"
                              "&serieFinal=99&page=2&size=100&sort=numNF"));
        QVERIFY(!xLog.contains("ERRO"));
    }

    void queryString_data()
    {
        QTest::addColumn<QStringList>("argumentos"); // cnpj, ambiente, tipo, datas, numeros, series, page
        QTest::addColumn<QString>("esperado");
        QTest::newRow("completa")
            << QStringList{CNPJ,       "PRODUCAO", "NF_E", "01/03/2024", "31/03/2024",
                           "00000001", "99999999", "1",    "99",         "0"}
            << "cnpj=11222333000181&tipoAmbiente=PRODUCAO&tipoNFe=NF_E&dataEmissaoInicial="
               "2024-03-01&dataEmissaoFinal=2024-03-31&numNfInicial=00000001&numNfFinal="
               "99999999&serieInicial=1&serieFinal=99&page=0&size=100&sort=numNF";
        QTest::newRow("filtros vazios nao vao")
            << QStringList{CNPJ, "HOMOLOGACAO", "NFC_E", "", "", "", "", "", "", "3"}
            << "cnpj=11222333000181&tipoAmbiente=HOMOLOGACAO&tipoNFe=NFC_E&page=3&size=100&sort=numNF";
        QTest::newRow("so brancos nao vai, brancos em volta vao")
            << QStringList{CNPJ, "PRODUCAO", "NF_E", "  ", "", "   ", " 99 ", " 1", "", "0"}
            << "cnpj=11222333000181&tipoAmbiente=PRODUCAO&tipoNFe=NF_E&numNfFinal=+99+&serieInicial=+1"
               "&page=0&size=100&sort=numNF";
        QTest::newRow("data dia e mes com zero")
            << QStringList{CNPJ, "PRODUCAO", "NF_E", "05/03/2024", "", "", "", "", "", "0"}
            << "cnpj=11222333000181&tipoAmbiente=PRODUCAO&tipoNFe=NF_E"
               "&dataEmissaoInicial=2024-03-05&page=0&size=100&sort=numNF";
        QTest::newRow("cnpj pontuado")
            << QStringList{"11.222.333/0001-81", "PRODUCAO", "NF_E", "", "", "", "", "", "", "0"}
            << "cnpj=11.222.333%2F0001-81&tipoAmbiente=PRODUCAO&tipoNFe=NF_E&page=0"
               "&size=100&sort=numNF";
        QTest::newRow("reservados e acentos")
            << QStringList{"a&b=c ç", "PRODUCAO", "NF_E", "", "", "", "", "", "", "0"}
            << "cnpj=a%26b%3Dc+%C3%A7&tipoAmbiente=PRODUCAO&tipoNFe=NF_E&page=0"
               "&size=100&sort=numNF";
    }
    void queryString()
    {
        QFETCH(QStringList, argumentos);
        QFETCH(QString, esperado);
        const int xAntes = vServico.LinhasRecebidas().size();
        auto xResposta = TRecepcaoNF::get().ConsultaNF(
            argumentos[0], argumentos[1], argumentos[2], argumentos[3], argumentos[4], argumentos[5],
            argumentos[6], argumentos[7], argumentos[8], argumentos[9]);
        QVERIFY(xResposta);
        const QStringList xLinhas = vServico.LinhasRecebidas();
        QCOMPARE(xLinhas.size(), xAntes + 1);
        QCOMPARE(xLinhas.last(), "GET /RecepcaoNF/v1/nota?" + esperado + " HTTP/1.1");
    }

    void filtrosAplicados()
    {
        // The CNPJ held with punctuation reaches the same branch; dates, numbers and series narrow it.
        auto xResposta = TRecepcaoNF::get().ConsultaNF("11.222.333/0001-81", "PRODUCAO", "NF_E", "01/03/2024",
                                                       "31/03/2024", "00000001", "99999999", "2", "2", "0");
        QVERIFY(xResposta);
        QVERIFY(xResposta->TotalElements > 0);
        QVERIFY(xResposta->TotalElements < 30);
        for (const TNota& xNota : xResposta->Content) {
            QCOMPARE(xNota.Serie, QStringLiteral("2"));
            QCOMPARE(xNota.DataEmissao.toOffsetFromUtc(-3 * 3600).date().month(), 3);
        }
    }

    void falhaRegistrada_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("404 com erro em json") << "404"
                                              << "Falha simulada pelo serviço: status 404";
        QTest::newRow("400 sem chave error") << "400:object"
                                             << "\r\n"; // an empty reason, then the next line
        QTest::newRow("503") << "503"
                             << "HTTP/1.1 503 Service Unavailable";
        QTest::newRow("500 com html") << "500:html"
                                      << "HTTP/1.1 500 Internal Server Error";
        QTest::newRow("corpo cortado") << "cut"
                                       << "REST request failed: ";
        QTest::newRow("servidor calado") << "delay:4000"
                                         << "REST request failed: ";
        QTest::newRow("corpo parado") << "slow:4000:100000"
                                      << "REST request failed: ";
    }
    void falhaRegistrada()
    {
        QFETCH(QString, falha);
        QFETCH(QString, motivo);
        const QString xBase = vServico.UrlBaseComFalha(falha);
        TRecepcaoNF::get().SetUrlBase(xBase);
        QElapsedTimer xTempo;
        xTempo.start();
        auto xResposta = Consulta();
        QVERIFY(!xResposta);
        QVERIFY(xTempo.elapsed() < SILENCIO_MS + 2000);
        const QString xLog = LogNovo();
        const QString xLinha =
            Linha("ERRO", "Falha na consulta: " + xBase + "/v1/nota. Motivo:\r\n" + motivo);
        QVERIFY2(xLog.contains(xLinha), qPrintable(xLog));
    }

    void corpoQueNaoEJsonSobe_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::newRow("404 com html") << "404:html";
        QTest::newRow("204 vazio") << "204:empty";
        QTest::newRow("400 vazio") << "400:empty";
    }
    void corpoQueNaoEJsonSobe()
    {
        QFETCH(QString, falha);
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBaseComFalha(falha));
        try {
            Consulta();
            QFAIL("no failure raised");
        } catch (const EConvertError& E) {
            QCOMPARE(E.Message(), QStringLiteral("The input value is not a valid Object"));
        }
        const QString xLog = LogNovo();
        QVERIFY(xLog.contains("Realizando a consulta: "));
        QVERIFY2(!xLog.contains("ERRO"), qPrintable(xLog));
    }

    void respostaEntregue_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<int>("pedidos");
        QTest::newRow("redirecionada") << "redirect" << 2;
        QTest::newRow("lenta mas fluindo") << "slow:300:12000" << 1;
        QTest::newRow("iso-8859-1") << "latin1" << 1;
        QTest::newRow("charset com aspas e caixa")
            << "latin1,contenttype:application/json ;  CharSet = \"iso-8859-1\"" << 1;
        QTest::newRow("windows-1252") << "latin1,contenttype:application/json; charset=windows-1252" << 1;
    }
    void respostaEntregue()
    {
        QFETCH(QString, falha);
        QFETCH(int, pedidos);
        const int xAntes = vServico.LinhasRecebidas().size();
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBaseComFalha(falha));
        QElapsedTimer xTempo;
        xTempo.start();
        auto xResposta = Consulta("1");
        QVERIFY2(xResposta, qPrintable(LogNovo()));
        if (falha.startsWith("slow"))
            QVERIFY(xTempo.elapsed() > SILENCIO_MS); // longer than the silence allowed, yet it arrived
        QCOMPARE(xResposta->TotalElements, 250);
        QCOMPARE(int(xResposta->Content.size()), 100);
        QCOMPARE(xResposta->Content.front().NumNF, QStringLiteral("101"));
        QVERIFY(xResposta->Content.front().Xml.contains("Comércio de Peças São João"));
        QCOMPARE(vServico.LinhasRecebidas().size(), xAntes + pedidos);
        QVERIFY(!LogNovo().contains("ERRO"));
    }

    void servidorInalcancavel_data()
    {
        QTest::addColumn<QString>("base");
        TNotesService xFechado;
        QVERIFY2(xFechado.Iniciar(), qPrintable(xFechado.Erro()));
        const QString xBaseFechada = xFechado.UrlBase();
        xFechado.Parar();
        QTest::newRow("porta fechada") << xBaseFechada;
        QTest::newRow("nome que nao resolve") << "http://nome-que-nao-existe.invalid:2020/RecepcaoNF";
        QTest::newRow("conexao que nao completa")
            << QStringLiteral("http://127.0.0.1:%1/RecepcaoNF").arg(vPortaEntupida.Porta());
    }
    void servidorInalcancavel()
    {
        QFETCH(QString, base);
        TRecepcaoNF::get().SetUrlBase(base);
        QElapsedTimer xTempo;
        xTempo.start();
        QVERIFY(!Consulta());
        const qint64 xDecorrido = xTempo.elapsed();
        QVERIFY(xDecorrido < CONEXAO_MS + 3000);
        const QString xLog = LogNovo();
        QVERIFY2(xLog.contains("Falha na consulta: " + base + "/v1/nota. Motivo:\r\nREST request failed: "),
                 qPrintable(xLog));
        if (QTest::currentDataTag() == QLatin1String("conexao que nao completa")) {
            // The connect time-out governs until the connection stands, not the shorter silence one.
            QVERIFY(vPortaEntupida.Porta() != 0);
            QVERIFY2(xDecorrido >= CONEXAO_MS - 100, qPrintable(QString::number(xDecorrido)));
        }
    }

    void enderecoBaseVazio()
    {
        const int xAntes = vServico.LinhasRecebidas().size();
        TRecepcaoNF::get().SetUrlBase("");
        QVERIFY(!Consulta("0", "11.222.333/0001-81"));
        const QString xLog = LogNovo();
        QVERIFY(xLog.contains("Preparando o Request do método: /v1/nota"));
        QVERIFY(xLog.contains(Linha("ERRO", "Falha ao Preparar Request da consulta da(s) NF_E(s) para o CNPJ "
                                            "11.222.333/0001-81.")));
        QVERIFY(!xLog.contains("Realizando a consulta"));
        QCOMPARE(vServico.LinhasRecebidas().size(), xAntes);
    }

    void dataQueNaoLe_data()
    {
        QTest::addColumn<QString>("inicial");
        QTest::addColumn<QString>("final");
        QTest::newRow("dia inexistente") << "31/02/2024"
                                         << "";
        QTest::newRow("texto") << "01/03/2024"
                               << "ontem";
    }
    void dataQueNaoLe()
    {
        QFETCH(QString, inicial);
        QFETCH(QString, final);
        const int xAntes = vServico.LinhasRecebidas().size();
        QVERIFY(
            !TRecepcaoNF::get().ConsultaNF(CNPJ, "PRODUCAO", "NF_E", inicial, final, "", "", "", "", "0"));
        const QString xLog = LogNovo();
        QVERIFY2(xLog.contains("Falha na consulta: " + vServico.UrlBase() + "/v1/nota. Motivo:\r\n'" +
                               (final.isEmpty() ? inicial : final) + "' não é uma data válida"),
                 qPrintable(xLog));
        QVERIFY(!xLog.contains("Realizando a consulta"));
        QCOMPARE(vServico.LinhasRecebidas().size(), xAntes);
    }

    // The headers as they go on the wire; the pages of a session share one connection, queries without
    // one do not; an aborted session's query ends at once and says so.
    void cabecalhosESessao()
    {
        QTemporaryDir xPasta;
        const QString xArquivo = xPasta.filePath("headers.log");
        TNotesService xServico({"--cnpj", CNPJ, "--per-branch", "250", "--header-log", CaminhoNoHospedeiro(xArquivo)});
        QVERIFY2(xServico.Iniciar(), qPrintable(xServico.Erro()));
        TRecepcaoNF::get().SetUrlBase(xServico.UrlBase());
        auto xConsulta = [](const QString& pPage, THTTPSessao* pSessao, TResultadoPagina* pResultado = nullptr) {
            return TRecepcaoNF::get().ConsultaNF(CNPJ, "PRODUCAO", "NF_E", "", "", "", "", "", "", pPage, pSessao,
                                                 pResultado);
        };
        {
            THTTPSessao xSessao;
            for (const char* xPagina : {"0", "1", "2"})
                QVERIFY(xConsulta(xPagina, &xSessao));
        }
        QVERIFY(xConsulta("0", nullptr));
        QVERIFY(xConsulta("1", nullptr));

        QFile xLog(xArquivo);
        QVERIFY(xLog.open(QIODevice::ReadOnly));
        const QStringList xPedidos = QString::fromUtf8(xLog.readAll()).split("\n\n", Qt::SkipEmptyParts);
        QCOMPARE(xPedidos.size(), 5);
        QStringList xPortas;
        for (const QString& xPedido : xPedidos) {
            const QStringList xLinhas = xPedido.split('\n');
            xPortas << xLinhas[0].section(" from port ", 1);
            QVERIFY2(xLinhas.contains("Accept: application/json, text/plain; q=0.9, text/html;q=0.8,"),
                     qPrintable(xPedido));
            QVERIFY2(xLinhas.contains("Accept-Charset: UTF-8, *;q=0.8"), qPrintable(xPedido));
            QVERIFY(xLinhas.filter(QRegularExpression("^(Authorization|Cookie):")).isEmpty());
        }
        QCOMPARE(xPortas[1], xPortas[0]);
        QCOMPARE(xPortas[2], xPortas[0]);
        QVERIFY(xPortas[3] != xPortas[0] && xPortas[4] != xPortas[3]);

        THTTPSessao xAbortada;
        xAbortada.Aborta();
        TResultadoPagina xResultado;
        QElapsedTimer xRelogio;
        xRelogio.start();
        QVERIFY(!xConsulta("0", &xAbortada, &xResultado));
        QVERIFY(xRelogio.elapsed() < 1000);
        QVERIFY(xResultado.Abortada && !xResultado.Transitoria);
        QCOMPARE(xServico.LinhasRecebidas().size(), 5);
    }

    // How a failed query went: what is worth asking again, and the Retry-After it carried.
    void resultadoDaFalha_data()
    {
        QTest::addColumn<QString>("falha");
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("transitoria");
        QTest::addColumn<int>("retryAfter");
        QTest::newRow("503") << "503" << 503 << true << -1;
        QTest::newRow("502 Retry-After 7") << "502,retryafter:7" << 502 << true << 7;
        QTest::newRow("429") << "429" << 429 << true << -1;
        QTest::newRow("504") << "504" << 504 << true << -1;
        QTest::newRow("cut") << "cut" << 200 << true << -1;
        QTest::newRow("500") << "500" << 500 << false << -1;
        QTest::newRow("404") << "404" << 404 << false << -1;
    }
    void resultadoDaFalha()
    {
        QFETCH(QString, falha);
        QFETCH(int, status);
        QFETCH(bool, transitoria);
        QFETCH(int, retryAfter);
        TRecepcaoNF::get().SetUrlBase(vServico.UrlBaseComFalha(falha));
        TResultadoPagina xResultado;
        QVERIFY(!TRecepcaoNF::get().ConsultaNF(CNPJ, "PRODUCAO", "NF_E", "", "", "", "", "", "", "0", nullptr,
                                               &xResultado));
        if (falha != "cut")
            QCOMPARE(xResultado.Status, status);
        QCOMPARE(xResultado.Transitoria, transitoria);
        QCOMPARE(xResultado.RetryAfter, retryAfter);
        QVERIFY(!xResultado.Abortada);
    }
};

QTEST_GUILESS_MAIN(TstServiceRecepcaoNF)
#include "tst_ServiceRecepcaoNF.moc"
