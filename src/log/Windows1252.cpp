#include "log/Windows1252.h"

#include <cstdint>

namespace {

// Bytes 0x80-0x9F of Windows-1252; 0 marks the five bytes the code page leaves undefined.
constexpr char16_t FAIXA_80_9F[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      //
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char Byte(char16_t pCaractere)
{
    if (pCaractere < 0x80 || (pCaractere >= 0xA0 && pCaractere <= 0xFF))
        return static_cast<char>(pCaractere);
    for (int i = 0; i < 32; ++i)
        if (FAIXA_80_9F[i] == pCaractere && pCaractere != 0)
            return static_cast<char>(0x80 + i);
    return '?';
}

} // namespace

QByteArray ParaWindows1252(QStringView pTexto)
{
    QByteArray xBytes;
    xBytes.reserve(pTexto.size());
    for (qsizetype i = 0; i < pTexto.size(); ++i) {
        const char16_t xUnidade = pTexto[i].unicode();
        if (QChar::isHighSurrogate(xUnidade) && i + 1 < pTexto.size() &&
            QChar::isLowSurrogate(pTexto[i + 1].unicode()))
            ++i; // one character outside the code page, one "?"
        xBytes.append(Byte(xUnidade));
    }
    return xBytes;
}
