#include "download/client/HttpCodificacao.h"

#include <QList>
#include <QStringDecoder>

namespace HttpCodificacao {

namespace {

bool NaoReservado(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

// A charset name reduced for comparison: lower case, without "-" and "_".
QByteArray NomeReduzido(const QByteArray& pNome)
{
    QByteArray xNome = pNome.toLower();
    xNome.replace('-', "").replace('_', "");
    return xNome;
}

// windows-1252 differs from ISO-8859-1 only in 0x80..0x9F; Qt's own decoders do not know it.
QString DecodificaWindows1252(const QByteArray& pCorpo)
{
    static const char16_t TABELA[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString xTexto(pCorpo.size(), Qt::Uninitialized);
    QChar* xDestino = xTexto.data();
    for (char c : pCorpo) {
        const auto b = static_cast<unsigned char>(c);
        *xDestino++ = (b >= 0x80 && b <= 0x9F) ? QChar(TABELA[b - 0x80]) : QChar(b);
    }
    return xTexto;
}

} // namespace

QByteArray CodificaFormulario(const QString& pValor)
{
    static const char HEX[] = "0123456789ABCDEF";
    const QByteArray xUtf8 = pValor.toUtf8();
    QByteArray xSaida;
    xSaida.reserve(xUtf8.size() * 3);
    for (char c : xUtf8) {
        if (NaoReservado(c)) {
            xSaida += c;
        } else if (c == ' ') {
            xSaida += '+';
        } else {
            const auto b = static_cast<unsigned char>(c);
            xSaida += '%';
            xSaida += HEX[b >> 4];
            xSaida += HEX[b & 0xF];
        }
    }
    return xSaida;
}

QByteArray CharsetDoContentType(const QByteArray& pContentType)
{
    const QList<QByteArray> xPartes = pContentType.split(';');
    for (qsizetype i = 1; i < xPartes.size(); ++i) {
        const qsizetype xIgual = xPartes[i].indexOf('=');
        if (xIgual < 0 || xPartes[i].left(xIgual).trimmed().toLower() != "charset")
            continue;
        QByteArray xValor = xPartes[i].mid(xIgual + 1).trimmed();
        if (xValor.size() >= 2 && (xValor.front() == '"' || xValor.front() == '\'') &&
            xValor.back() == xValor.front())
            xValor = xValor.mid(1, xValor.size() - 2).trimmed();
        return xValor;
    }
    return {};
}

QByteArray CorpoEmUtf8(QByteArray pCorpo, const QByteArray& pCharset)
{
    const QByteArray xNome = NomeReduzido(pCharset);
    if (xNome == "windows1252" || xNome == "cp1252" || xNome == "xcp1252")
        return DecodificaWindows1252(pCorpo).toUtf8();
    if (xNome == "iso88591" || xNome == "latin1" || xNome == "l1" || xNome == "isoir100" ||
        xNome == "cp819" || xNome == "ibm819")
        return QString::fromLatin1(pCorpo).toUtf8();
    if (!xNome.isEmpty() && xNome != "utf8" && xNome != "usascii" && xNome != "ascii") {
        QStringDecoder xDecoder(pCharset.constData());
        if (xDecoder.isValid()) {
            const QString xTexto = xDecoder.decode(pCorpo);
            return xTexto.toUtf8();
        }
    }
    // UTF-8: the bytes go to the JSON reader as they came; only a byte-order mark is dropped.
    if (pCorpo.startsWith("\xEF\xBB\xBF"))
        pCorpo.remove(0, 3);
    return pCorpo;
}

} // namespace HttpCodificacao
