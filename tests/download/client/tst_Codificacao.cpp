#include "download/client/HttpCodificacao.h"
#include "download/client/ServiceHost.h"

#include <QTemporaryDir>
#include <QtTest>

// Wire encodings of the notes client and the reading of its host setting.
class TstClienteCodificacao : public QObject
{
    Q_OBJECT

private slots:
    void codificaFormulario_data()
    {
        QTest::addColumn<QString>("valor");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("nao reservados ficam") << "AZaz09-._~" << QByteArray("AZaz09-._~");
        QTest::newRow("branco vira mais") << " 1 2 " << QByteArray("+1+2+");
        QTest::newRow("cnpj pontuado") << "11.222.333/0001-81" << QByteArray("11.222.333%2F0001-81");
        QTest::newRow("reservados") << "a&b=c+d?%#" << QByteArray("a%26b%3Dc%2Bd%3F%25%23");
        QTest::newRow("acentos em utf-8")
            << QString::fromUtf8("ção€") << QByteArray("%C3%A7%C3%A3o%E2%82%AC");
        QTest::newRow("vazio") << "" << QByteArray();
    }
    void codificaFormulario()
    {
        QFETCH(QString, valor);
        QFETCH(QByteArray, esperado);
        QCOMPARE(HttpCodificacao::CodificaFormulario(valor), esperado);
    }

    void charsetDoContentType_data()
    {
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("esperado");
        QTest::newRow("sem charset") << QByteArray("application/json") << QByteArray();
        QTest::newRow("vazio") << QByteArray() << QByteArray();
        QTest::newRow("simples") << QByteArray("application/json;charset=UTF-8") << QByteArray("UTF-8");
        QTest::newRow("caixa e brancos")
            << QByteArray("application/json ;  CharSet = iso-8859-1 ") << QByteArray("iso-8859-1");
        QTest::newRow("aspas") << QByteArray("text/plain; charset=\"windows-1252\"")
                               << QByteArray("windows-1252");
        QTest::newRow("outros parametros")
            << QByteArray("application/json; q=1; charset=latin1; x=y") << QByteArray("latin1");
        QTest::newRow("charset no tipo nao conta") << QByteArray("charset=utf-16") << QByteArray();
    }
    void charsetDoContentType()
    {
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, esperado);
        QCOMPARE(HttpCodificacao::CharsetDoContentType(contentType), esperado);
    }

    void corpoEmUtf8_data()
    {
        QTest::addColumn<QByteArray>("corpo");
        QTest::addColumn<QByteArray>("charset");
        QTest::addColumn<QString>("esperado");
        const QString xTexto = QString::fromUtf8("{\"x\":\"Peças São João\"}");
        QTest::newRow("utf-8 declarado") << xTexto.toUtf8() << QByteArray("UTF-8") << xTexto;
        QTest::newRow("sem charset e utf-8") << xTexto.toUtf8() << QByteArray() << xTexto;
        QTest::newRow("marca de ordem descartada") << QByteArray("\xEF\xBB\xBF{}") << QByteArray() << "{}";
        QTest::newRow("iso-8859-1") << xTexto.toLatin1() << QByteArray("ISO-8859-1") << xTexto;
        QTest::newRow("latin1") << xTexto.toLatin1() << QByteArray("latin1") << xTexto;
        QTest::newRow("windows-1252 com euro") << QByteArray("pre\xE7o \x80 10") << QByteArray("Windows-1252")
                                               << QString::fromUtf8("preço € 10");
        QTest::newRow("utf-16le") << QByteArray("{\0}\0", 4) << QByteArray("UTF-16LE") << "{}";
        QTest::newRow("desconhecido passa como utf-8") << xTexto.toUtf8() << QByteArray("x-nada") << xTexto;
    }
    void corpoEmUtf8()
    {
        QFETCH(QByteArray, corpo);
        QFETCH(QByteArray, charset);
        QFETCH(QString, esperado);
        QCOMPARE(QString::fromUtf8(HttpCodificacao::CorpoEmUtf8(corpo, charset)), esperado);
    }

    void corpoUtf8SemCopia()
    {
        // A page can be megabytes: UTF-8 bodies reach the JSON reader without being copied.
        QByteArray xCorpo(1 << 20, 'a');
        const char* xDados = xCorpo.constData();
        const QByteArray xSaida = HttpCodificacao::CorpoEmUtf8(std::move(xCorpo), "utf-8");
        QCOMPARE(xSaida.constData(), xDados);
    }

    void hostDoArquivoOuPadrao()
    {
        QTemporaryDir xPasta;
        const QString xAnterior = QDir::currentPath();
        QVERIFY(QDir::setCurrent(xPasta.path()));
        const QString xSemArquivo = HostServicoNotas();
        QFile xArquivo("Tarnwick.ini");
        QVERIFY(xArquivo.open(QIODevice::WriteOnly));
        xArquivo.write("[CONEXAO]\r\nCaminho=x.fdb\r\n[RECEPCAONF]\r\nHost=notas.exemplo\r\n");
        xArquivo.close();
        const QString xComArquivo = HostServicoNotas();
        QDir::setCurrent(xAnterior);
        QCOMPARE(xSemArquivo, QStringLiteral(TARNWICK_NOTES_HOST_DEFAULT));
        QCOMPARE(xComArquivo, QStringLiteral("notas.exemplo"));
    }
};

QTEST_GUILESS_MAIN(TstClienteCodificacao)
#include "tst_Codificacao.moc"
