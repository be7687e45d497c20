#include "download/model/ModelRecepcaoNF.h"
#include "download/model/ModelUtf8.h"
#include "util/Exception.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// A plain decoder to check against: it reads each sequence by its bit pattern into a code point and
// only then refuses overlong forms, surrogates and code points above U+10FFFF.
bool Referencia(const QByteArray& pTexto)
{
    const auto* p = reinterpret_cast<const unsigned char*>(pTexto.constData());
    const qsizetype n = pTexto.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned c = p[i];
        int xSeguintes;
        char32_t xPonto;
        char32_t xMenor;
        if (c < 0x80) {
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            xSeguintes = 1, xPonto = c & 0x1F, xMenor = 0x80;
        } else if ((c & 0xF0) == 0xE0) {
            xSeguintes = 2, xPonto = c & 0x0F, xMenor = 0x800;
        } else if ((c & 0xF8) == 0xF0) {
            xSeguintes = 3, xPonto = c & 0x07, xMenor = 0x10000;
        } else {
            return false;
        }
        if (i + xSeguintes >= n)
            return false;
        for (int k = 1; k <= xSeguintes; ++k) {
            if ((p[i + k] & 0xC0) != 0x80)
                return false;
            xPonto = (xPonto << 6) | (p[i + k] & 0x3F);
        }
        if (xPonto < xMenor || (xPonto >= 0xD800 && xPonto <= 0xDFFF) || xPonto > 0x10FFFF)
            return false;
        i += xSeguintes + 1;
    }
    return true;
}

QByteArray Codifica(char32_t pPonto)
{
    QByteArray x;
    if (pPonto < 0x80) {
        x += char(pPonto);
    } else if (pPonto < 0x800) {
        x += char(0xC0 | (pPonto >> 6));
        x += char(0x80 | (pPonto & 0x3F));
    } else if (pPonto < 0x10000) {
        x += char(0xE0 | (pPonto >> 12));
        x += char(0x80 | ((pPonto >> 6) & 0x3F));
        x += char(0x80 | (pPonto & 0x3F));
    } else {
        x += char(0xF0 | (pPonto >> 18));
        x += char(0x80 | ((pPonto >> 12) & 0x3F));
        x += char(0x80 | ((pPonto >> 6) & 0x3F));
        x += char(0x80 | (pPonto & 0x3F));
    }
    return x;
}

// pSequencia inside ASCII text, at pPosicao of a text of at least pTamanho bytes.
QByteArray Embute(const QByteArray& pSequencia, int pPosicao, int pTamanho)
{
    QByteArray x(pPosicao, 'a');
    x += pSequencia;
    if (x.size() < pTamanho)
        x += QByteArray(pTamanho - x.size(), 'z');
    return x;
}

bool Valido(const QByteArray& pTexto)
{
    return TModelUtf8::Valido(pTexto.constData(), std::size_t(pTexto.size()));
}

} // namespace

// The UTF-8 check of the notes service's bodies, at every place a sequence can fall in the 8- and
// 16-byte blocks of its ASCII path, against a plain decoder, and through the reading of a page.
class TstModelUtf8 : public QObject
{
    Q_OBJECT

private slots:
    void Sequencias_data()
    {
        QTest::addColumn<QByteArray>("sequencia");
        QTest::addColumn<bool>("valida");

        QTest::newRow("ascii") << QByteArray("x") << true;
        QTest::newRow("U+0080") << QByteArray("\xC2\x80") << true;
        QTest::newRow("U+00E7 ç") << QByteArray("\xC3\xA7") << true;
        QTest::newRow("U+07FF") << QByteArray("\xDF\xBF") << true;
        QTest::newRow("U+0800") << QByteArray("\xE0\xA0\x80") << true;
        QTest::newRow("U+D7FF") << QByteArray("\xED\x9F\xBF") << true;
        QTest::newRow("U+E000") << QByteArray("\xEE\x80\x80") << true;
        QTest::newRow("U+FFFF") << QByteArray("\xEF\xBF\xBF") << true;
        QTest::newRow("U+10000") << QByteArray("\xF0\x90\x80\x80") << true;
        QTest::newRow("U+10FFFF") << QByteArray("\xF4\x8F\xBF\xBF") << true;
        QTest::newRow("U+1F600") << QByteArray("\xF0\x9F\x98\x80") << true;

        QTest::newRow("lone continuation") << QByteArray("\x80") << false;
        QTest::newRow("lone BF") << QByteArray("\xBF") << false;
        QTest::newRow("overlong C0 80") << QByteArray("\xC0\x80") << false;
        QTest::newRow("overlong C1 BF") << QByteArray("\xC1\xBF") << false;
        QTest::newRow("overlong E0 9F BF") << QByteArray("\xE0\x9F\xBF") << false;
        QTest::newRow("overlong F0 8F BF BF") << QByteArray("\xF0\x8F\xBF\xBF") << false;
        QTest::newRow("surrogate D800") << QByteArray("\xED\xA0\x80") << false;
        QTest::newRow("surrogate DFFF") << QByteArray("\xED\xBF\xBF") << false;
        QTest::newRow("U+110000") << QByteArray("\xF4\x90\x80\x80") << false;
        QTest::newRow("F5") << QByteArray("\xF5\x80\x80\x80") << false;
        QTest::newRow("FF") << QByteArray("\xFF") << false;
        QTest::newRow("C3 cut by ascii") << QByteArray("\xC3") + 'a' << false;
        QTest::newRow("E2 82 cut by ascii") << QByteArray("\xE2\x82") + 'a' << false;
        QTest::newRow("F0 9F 98 cut by ascii") << QByteArray("\xF0\x9F\x98") + 'a' << false;
        QTest::newRow("two leads") << QByteArray("\xC3\xC3\xA7") << false;
        QTest::newRow("extra continuation") << QByteArray("\xC3\xA7\xA7") << false;
    }

    // Each sequence at the start, inside a block, across the edge of an 8- and a 16-byte block, and at
    // the very end, in texts shorter and longer than one block.
    void Sequencias()
    {
        QFETCH(QByteArray, sequencia);
        QFETCH(bool, valida);
        for (int xTamanho : {0, 7, 8, 9, 16, 40}) {
            for (int xPosicao : {0, 1, 3, 5, 6, 7, 8, 13, 14, 15, 16, 17, 23, 31, 37}) {
                const QByteArray xTexto = Embute(sequencia, xPosicao, xTamanho);
                QVERIFY2(Valido(xTexto) == valida, qPrintable(xTexto.toHex(' ')));
                QCOMPARE(Referencia(xTexto), valida);
            }
            // At the very end, and cut short by the end of the length given while the rest of the
            // sequence still lies in memory after it.
            const QByteArray xNoFim = QByteArray(qMax(0, xTamanho - int(sequencia.size())), 'a') + sequencia;
            QCOMPARE(Valido(xNoFim), valida);
            for (qsizetype k = 1; k < sequencia.size(); ++k) {
                const std::size_t xCurto = std::size_t(xNoFim.size() - k);
                QCOMPARE(TModelUtf8::Valido(xNoFim.constData(), xCurto), Referencia(xNoFim.chopped(k)));
            }
        }
    }

    void Vazio()
    {
        QVERIFY(TModelUtf8::Valido("", 0));
        QVERIFY(TModelUtf8::Valido(nullptr, 0));
        // The length counts, not a '\0': a bad byte past it is still seen, and one before it is not.
        QVERIFY(!TModelUtf8::Valido("ab\0\xFF", 4));
        QVERIFY(TModelUtf8::Valido("ab\xFF", 2));
    }

    // Random texts of three kinds: any bytes, bytes from the ranges that matter, and well-formed text
    // with one byte changed; the check and the plain decoder must agree on every one.
    void Aleatorios()
    {
        QRandomGenerator xGerador(20261210);
        const unsigned char INTERESSANTES[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF,
                                               0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1, 0xEC, 0xED, 0xEE,
                                               0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFF};
        int xValidos = 0;
        for (int i = 0; i < 60000; ++i) {
            QByteArray xTexto;
            const int xTamanho = int(xGerador.bounded(48));
            switch (i % 3) {
            case 0:
                for (int k = 0; k < xTamanho; ++k)
                    xTexto += char(xGerador.bounded(256));
                break;
            case 1:
                for (int k = 0; k < xTamanho; ++k)
                    xTexto += char(xGerador.bounded(4) == 0
                                       ? 'a'
                                       : INTERESSANTES[xGerador.bounded(int(sizeof INTERESSANTES))]);
                break;
            default:
                while (xTexto.size() < xTamanho) {
                    char32_t xPonto = char32_t(xGerador.bounded(4) == 0 ? xGerador.bounded(0x110000)
                                                                        : xGerador.bounded(0x800));
                    if (xPonto >= 0xD800 && xPonto <= 0xDFFF)
                        xPonto = 0xFFFD;
                    xTexto += Codifica(xPonto);
                }
                QVERIFY(Valido(xTexto));
                if (!xTexto.isEmpty() && xGerador.bounded(2))
                    xTexto[xGerador.bounded(int(xTexto.size()))] = char(xGerador.bounded(256));
                break;
            }
            const bool xEsperado = Referencia(xTexto);
            xValidos += xEsperado;
            QVERIFY2(Valido(xTexto) == xEsperado, qPrintable(xTexto.toHex(' ')));
        }
        QVERIFY(xValidos > 10000); // the comparison saw both outcomes in number
    }

    // Through the reading of a page: a bad sequence anywhere (a value read, a key, a value skipped)
    // makes the body unreadable; good text in the XML arrives byte for byte.
    void Pagina_data()
    {
        QTest::addColumn<QByteArray>("antes");
        QTest::addColumn<QByteArray>("depois");
        QTest::newRow("xml") << QByteArray(R"({"content":[{"xml":")") << QByteArray(R"("}]})");
        QTest::newRow("key") << QByteArray(R"({"totalPages":1,")") << QByteArray(R"(":2})");
        QTest::newRow("unknown key's value") << QByteArray(R"({"outro":[")") << QByteArray(R"("]})");
        QTest::newRow("after the object") << QByteArray(R"({"size":1})") << QByteArray();
    }

    void Pagina()
    {
        QFETCH(QByteArray, antes);
        QFETCH(QByteArray, depois);
        const QByteArray xBom = "<xNome>Comércio São José – ação 😀</xNome>";
        for (const char* xRuim : {"\xC3", "\xED\xA0\x80", "\xC0\xAF", "\xF4\x90\x80\x80", "\xFF"}) {
            for (int xPosicao : {0, 5, 7, 8, 15, 16}) {
                QByteArray xMeio = xBom;
                xMeio.insert(xPosicao, xRuim);
                try {
                    TRecepcaoNFAPIResponse::FromJsonString(antes + xMeio + depois);
                    QFAIL(qPrintable(xMeio.toHex(' ')));
                } catch (const EConvertError& e) {
                    QCOMPARE(e.Message(), QStringLiteral("The input value is not a valid Object"));
                }
            }
        }
        if (QTest::currentDataTag() == QByteArray("xml")) {
            const auto xPagina = TRecepcaoNFAPIResponse::FromJsonString(antes + xBom + depois);
            QCOMPARE(xPagina->Content.at(0).Xml, xBom);
        }
    }
};

QTEST_APPLESS_MAIN(TstModelUtf8)
#include "tst_Utf8.moc"
