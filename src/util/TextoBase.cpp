#include "util/TextoBase.h"

#include <limits>

namespace TextoBase {

QString TrimLeft(QStringView pTexto)
{
    qsizetype i = 0;
    while (i < pTexto.size() && EhBranco(pTexto[i]))
        ++i;
    return pTexto.mid(i).toString();
}

QString TrimRight(QStringView pTexto)
{
    qsizetype n = pTexto.size();
    while (n > 0 && EhBranco(pTexto[n - 1]))
        --n;
    return pTexto.left(n).toString();
}

QString Trim(QStringView pTexto)
{
    qsizetype i = 0;
    qsizetype n = pTexto.size();
    while (i < n && EhBranco(pTexto[i]))
        ++i;
    while (n > i && EhBranco(pTexto[n - 1]))
        --n;
    return pTexto.mid(i, n - i).toString();
}

QString Copia(QStringView pTexto, qsizetype pInicio, qsizetype pQuantidade)
{
    if (pInicio < 1)
        pInicio = 1;
    if (pQuantidade <= 0 || pInicio > pTexto.size())
        return QString();
    const qsizetype xDisponivel = pTexto.size() - (pInicio - 1);
    return pTexto.mid(pInicio - 1, qMin(pQuantidade, xDisponivel)).toString();
}

std::optional<qint64> LerInteiro(QStringView pTexto)
{
    qsizetype i = 0;
    const qsizetype n = pTexto.size();
    while (i < n && pTexto[i] == u' ')
        ++i;
    bool xNegativo = false;
    if (i < n && (pTexto[i] == u'+' || pTexto[i] == u'-')) {
        xNegativo = pTexto[i] == u'-';
        ++i;
    }
    int xBase = 10;
    if (i < n && (pTexto[i] == u'$' || pTexto[i] == u'x' || pTexto[i] == u'X')) {
        xBase = 16;
        ++i;
    } else if (i + 1 < n && pTexto[i] == u'0' && (pTexto[i + 1] == u'x' || pTexto[i + 1] == u'X')) {
        xBase = 16;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;
    // Accumulated as a negative number so that the most negative value fits too.
    constexpr qint64 xMinimo = std::numeric_limits<qint64>::min();
    qint64 xValor = 0;
    for (; i < n; ++i) {
        const char16_t c = pTexto[i].unicode();
        int xDigito;
        if (c >= u'0' && c <= u'9')
            xDigito = c - u'0';
        else if (xBase == 16 && c >= u'a' && c <= u'f')
            xDigito = c - u'a' + 10;
        else if (xBase == 16 && c >= u'A' && c <= u'F')
            xDigito = c - u'A' + 10;
        else
            return std::nullopt;
        if (xValor < (xMinimo + xDigito) / xBase)
            return std::nullopt;
        xValor = xValor * xBase - xDigito;
    }
    if (!xNegativo) {
        if (xValor == xMinimo)
            return std::nullopt;
        xValor = -xValor;
    }
    return xValor;
}

} // namespace TextoBase
