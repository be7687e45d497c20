#include "util/Regional.h"

#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace Regional {

QString ShortDateFormat()
{
    return QStringLiteral("dd/MM/yyyy");
}

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

QString DateToStr(const QDate& pData)
{
    return pData.toString(ShortDateFormat());
}

namespace {

// Walks a typed date or time text.
class TLeitor
{
public:
    explicit TLeitor(QStringView pTexto) : vTexto(pTexto) {}

    void PulaBrancos()
    {
        while (vPos < vTexto.size() && vTexto[vPos] == u' ')
            ++vPos;
    }
    bool Caractere(QChar c)
    {
        if (vPos < vTexto.size() && vTexto[vPos] == c) {
            ++vPos;
            return true;
        }
        return false;
    }
    bool Palavra(QStringView pPalavra)
    {
        if (vTexto.mid(vPos).startsWith(pPalavra, Qt::CaseInsensitive)) {
            vPos += pPalavra.size();
            return true;
        }
        return false;
    }
    // One to four digits; the count read goes to pDigitos.
    std::optional<int> Numero(int* pDigitos = nullptr)
    {
        int xValor = 0;
        int n = 0;
        while (vPos < vTexto.size() && n < 4 && vTexto[vPos] >= u'0' && vTexto[vPos] <= u'9') {
            xValor = xValor * 10 + (vTexto[vPos].unicode() - u'0');
            ++vPos;
            ++n;
        }
        if (n == 0 || (vPos < vTexto.size() && vTexto[vPos] >= u'0' && vTexto[vPos] <= u'9'))
            return std::nullopt;
        if (pDigitos)
            *pDigitos = n;
        return xValor;
    }
    bool Fim() const { return vPos >= vTexto.size(); }
    qsizetype Posicao() const { return vPos; }
    void Volta(qsizetype pPos) { vPos = pPos; }

private:
    QStringView vTexto;
    qsizetype vPos = 0;
};

std::optional<QTime> LerHora(TLeitor& pLeitor, QChar pSeparador)
{
    pLeitor.PulaBrancos();
    int xBase = -1;
    if (pLeitor.Palavra(u"AM"))
        xBase = 0;
    else if (pLeitor.Palavra(u"PM"))
        xBase = 12;
    if (xBase >= 0)
        pLeitor.PulaBrancos();
    std::optional<int> xHora = pLeitor.Numero();
    if (!xHora)
        return std::nullopt;
    int xMinuto = 0, xSegundo = 0, xMili = 0;
    if (pLeitor.Caractere(pSeparador)) {
        const std::optional<int> m = pLeitor.Numero();
        if (!m)
            return std::nullopt;
        xMinuto = *m;
        if (pLeitor.Caractere(pSeparador)) {
            const std::optional<int> s = pLeitor.Numero();
            if (!s)
                return std::nullopt;
            xSegundo = *s;
            if (pLeitor.Caractere(DecimalSeparator)) {
                const std::optional<int> z = pLeitor.Numero();
                if (!z)
                    return std::nullopt;
                xMili = *z;
            }
        }
    }
    pLeitor.PulaBrancos();
    if (xBase < 0) {
        if (pLeitor.Palavra(u"AM"))
            xBase = 0;
        else if (pLeitor.Palavra(u"PM"))
            xBase = 12;
    }
    if (xBase >= 0) {
        if (*xHora == 0 || *xHora > 12)
            return std::nullopt;
        *xHora = *xHora % 12 + xBase;
    }
    pLeitor.PulaBrancos();
    if (*xHora > 23 || xMinuto > 59 || xSegundo > 59 || xMili > 999)
        return std::nullopt;
    return QTime(*xHora, xMinuto, xSegundo, xMili);
}

// Order of day, month and year in a date format: its first d, m and y letters (d/m/y when it lacks one).
void OrdemDaData(const QString& pFormato, char pOrdem[3])
{
    int n = 0;
    for (QChar c : pFormato) {
        const char16_t x = c.unicode() | 0x20;
        if ((x == u'd' || x == u'm' || x == u'y') && std::count(pOrdem, pOrdem + n, char(x)) == 0)
            pOrdem[n++] = char(x);
        if (n == 3)
            return;
    }
    pOrdem[0] = 'd';
    pOrdem[1] = 'm';
    pOrdem[2] = 'y';
}

std::optional<QDate> LerData(TLeitor& pLeitor, const TFormatoData& pFormato)
{
    char xOrdem[3];
    OrdemDaData(pFormato.FormatoData, xOrdem);
    int xDia = 0, xMes = 0, xAno = 0, xDigitosAno = 0;
    pLeitor.PulaBrancos();
    for (int i = 0; i < 3; ++i) {
        if (i > 0 && !pLeitor.Caractere(pFormato.SeparadorData))
            return std::nullopt;
        int xDigitos = 0;
        const std::optional<int> xValor = pLeitor.Numero(&xDigitos);
        if (!xValor)
            return std::nullopt;
        if (xOrdem[i] == 'd')
            xDia = *xValor;
        else if (xOrdem[i] == 'm')
            xMes = *xValor;
        else {
            xAno = *xValor;
            xDigitosAno = xDigitos;
        }
    }
    if (xDigitosAno <= 2)
        xAno += xAno < 50 ? 2000 : 1900;
    const QDate xData(xAno, xMes, xDia);
    if (!xData.isValid())
        return std::nullopt;
    return xData;
}

} // namespace

std::optional<QTime> StrToTime(const QString& pTexto, QChar pSeparadorHora)
{
    TLeitor xLeitor(pTexto);
    const std::optional<QTime> xHora = LerHora(xLeitor, pSeparadorHora);
    if (!xHora || !xLeitor.Fim())
        return std::nullopt;
    return xHora;
}

std::optional<QDateTime> StrToDateTime(const QString& pTexto, const TFormatoData& pFormato)
{
    TLeitor xLeitor(pTexto);
    const std::optional<QDate> xData = LerData(xLeitor, pFormato);
    if (!xData) {
        // A time alone.
        TLeitor xSoHora(pTexto);
        const std::optional<QTime> xHora = LerHora(xSoHora, pFormato.SeparadorHora);
        if (!xHora || !xSoHora.Fim())
            return std::nullopt;
        return QDateTime(QDate(1899, 12, 30), *xHora);
    }
    xLeitor.PulaBrancos();
    if (xLeitor.Fim())
        return QDateTime(*xData, QTime(0, 0));
    const std::optional<QTime> xHora = LerHora(xLeitor, pFormato.SeparadorHora);
    if (!xHora || !xLeitor.Fim())
        return std::nullopt;
    return QDateTime(*xData, *xHora);
}

QString FloatToStr(double pValor)
{
    if (std::isnan(pValor))
        return QStringLiteral("NAN");
    if (std::isinf(pValor))
        return pValor > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (pValor == 0)
        return QStringLiteral("0");
    char xTexto[64];
    std::snprintf(xTexto, sizeof xTexto, "%.*e", GeneralDigits - 1, pValor);
    const bool xNegativo = xTexto[0] == '-';
    const char* p = xTexto + (xNegativo ? 1 : 0);
    QString xDigitos;
    // (the C library writes the decimal point of the process locale: skip whatever it is)
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            xDigitos += QChar(u'0' + (*p - '0'));
    const int xExpoente = std::atoi(p + 1);
    while (xDigitos.size() > 1 && xDigitos.endsWith(u'0'))
        xDigitos.chop(1);

    QString xResultado;
    if (xExpoente >= GeneralDigits || xExpoente < -5) {
        xResultado = xDigitos.left(1);
        if (xDigitos.size() > 1)
            xResultado += DecimalSeparator + xDigitos.mid(1);
        xResultado += u'E' + QString::number(xExpoente);
    } else if (xExpoente >= 0) {
        if (xDigitos.size() <= xExpoente + 1)
            xResultado = xDigitos + QString(xExpoente + 1 - xDigitos.size(), u'0');
        else
            xResultado = xDigitos.left(xExpoente + 1) + DecimalSeparator + xDigitos.mid(xExpoente + 1);
    } else {
        xResultado = QStringLiteral("0") + DecimalSeparator + QString(-xExpoente - 1, u'0') + xDigitos;
    }
    return xNegativo ? u'-' + xResultado : xResultado;
}

std::optional<double> StrToFloat(const QString& pTexto)
{
    static const QRegularExpression xPadrao(
        QStringLiteral("^\\s*[+-]?(\\d+(,\\d*)?|,\\d+)([eE][+-]?\\d+)?\\s*$"));
    if (!xPadrao.match(pTexto).hasMatch())
        return std::nullopt;
    QString xTexto = pTexto.trimmed();
    xTexto.replace(DecimalSeparator, u'.');
    // "1," and ",5" are numbers here; the C locale wants a digit on both sides of the point.
    xTexto.replace(QStringLiteral(".e"), QStringLiteral(".0e"), Qt::CaseInsensitive);
    if (xTexto.endsWith(u'.'))
        xTexto += u'0';
    const qsizetype xPonto = xTexto.indexOf(u'.');
    if (xPonto >= 0 && (xPonto == 0 || !xTexto[xPonto - 1].isDigit()))
        xTexto.insert(xPonto, u'0');
    bool xOk = false;
    const double xValor = QLocale::c().toDouble(xTexto, &xOk);
    if (!xOk)
        return std::nullopt;
    return xValor;
}

} // namespace Regional
