#include "util/Regional.h"

#include <QStringList>

namespace Regional {

QString ShortDateFormat() { return QStringLiteral("dd/MM/yyyy"); }

std::optional<QDate> StrToDate(const QString& pTexto)
{
    // Like the desktop's own reading: day, month and year as numbers between the separators;
    // a two-digit year falls in the window 1950..2049.
    const QStringList xPartes = pTexto.trimmed().split(DateSeparator);
    if (xPartes.size() != 3)
        return std::nullopt;
    int xValores[3];
    for (int i = 0; i < 3; ++i) {
        const QString xParte = xPartes[i].trimmed();
        if (xParte.isEmpty() || xParte.size() > 4)
            return std::nullopt;
        for (QChar c : xParte)
            if (c < u'0' || c > u'9')
                return std::nullopt;
        xValores[i] = xParte.toInt();
    }
    int xAno = xValores[2];
    if (xPartes[2].trimmed().size() <= 2)
        xAno += xAno < 50 ? 2000 : 1900;
    const QDate xData(xAno, xValores[1], xValores[0]);
    if (!xData.isValid())
        return std::nullopt;
    return xData;
}

QString DateToStr(const QDate& pData) { return pData.toString(ShortDateFormat()); }

} // namespace Regional
