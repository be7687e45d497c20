#include "config/CodigoPagina.h"

namespace CodigoPagina {

namespace {

// Characters of the bytes 0x80 to 0x9F; the undefined ones keep their own code.
constexpr char16_t FAIXA_80_9F[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString DeWindows1252(QByteArrayView pBytes)
{
    QString xTexto(pBytes.size(), Qt::Uninitialized);
    QChar* xDestino = xTexto.data();
    for (qsizetype i = 0; i < pBytes.size(); ++i) {
        const auto xByte = static_cast<unsigned char>(pBytes[i]);
        xDestino[i] = (xByte >= 0x80 && xByte <= 0x9F) ? QChar(FAIXA_80_9F[xByte - 0x80]) : QChar(xByte);
    }
    return xTexto;
}

std::optional<QByteArray> ParaWindows1252(QStringView pTexto)
{
    QByteArray xBytes;
    xBytes.reserve(pTexto.size());
    for (const QChar xChar : pTexto) {
        const char16_t xCodigo = xChar.unicode();
        if (xCodigo < 0x80 || (xCodigo >= 0xA0 && xCodigo <= 0xFF)) {
            xBytes.append(static_cast<char>(xCodigo));
            continue;
        }
        int xByte = -1;
        for (int i = 0; i < 32; ++i) {
            if (FAIXA_80_9F[i] == xCodigo) {
                xByte = 0x80 + i;
                break;
            }
        }
        if (xByte < 0)
            return std::nullopt;
        xBytes.append(static_cast<char>(xByte));
    }
    return xBytes;
}

} // namespace CodigoPagina
