// Number, size and code helpers of TFuncoes.
#include "util/Exception.h"
#include "util/Funcoes.h"
#include "util/Regional.h"

#include <QRandomGenerator>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

QString Invertido(QString pTexto)
{
    std::reverse(pTexto.begin(), pTexto.end());
    return pTexto;
}

// The value as the general format shows it (15 significant digits), read back.
double Arredondado15(double pValor)
{
    return Regional::StrToFloat(Regional::FloatToStr(pValor)).value_or(0);
}

} // namespace

double TFuncoes::Round(double pValor, int pDecimais) const
{
    if (!std::isfinite(pValor))
        return 0; // its text ("NAN", "INF") does not read back
    const double xFator = std::pow(10.0, pDecimais);
    const double xEscalado = pValor * xFator;
    if (xFator == 0)
        return 0; // a unit of 10^309 and more: every finite value rounds to nothing
    if (!std::isfinite(xEscalado))
        return Arredondado15(pValor); // so many decimals the value has none to lose
    // Through its text, so that 1.005 × 100 is 100.5 as written and not 100.49999999999999.
    const double x = Arredondado15(xEscalado);
    double w = std::trunc(x);
    const double f = x - w;
    if (f >= 0.5)
        w += 1;
    else if (f <= -0.5)
        w -= 1;
    return w / xFator + 0.0; // + 0.0: no negative zero
}

double TFuncoes::Trunc(double pValor, int pDecimais) const
{
    if (!std::isfinite(pValor))
        return pValor;
    QString xTexto = Regional::FloatToStr(pValor);
    const qsizetype xExpoente = xTexto.indexOf(u'E');
    if (xExpoente >= 0) {
        // From 10^15 on there are no decimals to cut; below 0,00001 the digits are written out in full
        // so that the cut counts real decimal places and not those of the mantissa.
        const int xPotencia = xTexto.mid(xExpoente + 1).toInt();
        if (xPotencia >= 0)
            return Arredondado15(pValor);
        QString xMantissa = xTexto.left(xExpoente);
        const bool xNegativo = xMantissa.startsWith(u'-');
        if (xNegativo)
            xMantissa.remove(0, 1);
        xMantissa.remove(Regional::DecimalSeparator);
        xTexto = (xNegativo ? QStringLiteral("-0") : QStringLiteral("0")) + Regional::DecimalSeparator +
                 QString(-xPotencia - 1, u'0') + xMantissa;
    }
    const qsizetype xSeparador = xTexto.indexOf(Regional::DecimalSeparator);
    if (xSeparador >= 0)
        xTexto.truncate(xSeparador + 1 + qMax(pDecimais, 0));
    return Regional::StrToFloat(xTexto).value_or(0) + 0.0;
}

double TFuncoes::DivisaoSegura(double pDividendo, double pDivisor) const
{
    if (pDivisor == 0)
        return 0;
    return pDividendo / pDivisor;
}

QString TFuncoes::MontaMascara(int pTamanho, int pDecimais) const
{
    QString xMascara;
    if (pDecimais <= 0)
        xMascara = Replicate(QStringLiteral("#"), pTamanho - 2) + QStringLiteral("0.");
    else
        xMascara = Replicate(QStringLiteral("#"), pTamanho - pDecimais - 2) + QStringLiteral("0.") +
                   Replicate(QStringLiteral("0"), pDecimais);
    // Grouping is placed from the decimal point leftwards, hence the work on the reversed mask.
    xMascara = Invertido(Troca(Invertido(xMascara), QStringLiteral(".0###"), QStringLiteral(".0##,")));
    xMascara = Invertido(Troca(Invertido(xMascara), QStringLiteral("####"), QStringLiteral(",###")));
    if (xMascara.startsWith(u','))
        xMascara[0] = u'#';
    return xMascara;
}

QString TFuncoes::TamanhoArquivoToString(double pTamanho) const
{
    if (pTamanho == 0)
        return QStringLiteral("Nenhum");
    if (pTamanho >= 1000000)
        return Regional::FloatToStr(Round(pTamanho / 1000000, 2)) + QStringLiteral("GB");
    return Regional::FloatToStr(Round(pTamanho / 1000, 2)) + QStringLiteral("MB");
}

QString TFuncoes::TamanhoArquivoToString(qint64 pTamanho) const
{
    if (pTamanho == 0)
        return QStringLiteral("Nenhum");
    const double xMegas = Round(double(pTamanho) / 1024 / 1024, 2);
    if (xMegas >= 1000)
        return Regional::FloatToStr(Round(xMegas / 1000, 2)) + QStringLiteral("GB");
    return Regional::FloatToStr(xMegas) + QStringLiteral("MB");
}

int TFuncoes::VersaoEmNumero(const QString& pVersao) const
{
    const qsizetype xParentese = pVersao.indexOf(u'(');
    const QStringView xVersao =
        xParentese >= 0 ? QStringView(pVersao).left(xParentese) : QStringView(pVersao);
    QString xDigitos;
    for (QChar c : xVersao) {
        if (xDigitos.size() >= 7)
            break;
        const char16_t x = c.unicode();
        if (x >= u'0' && x <= u'9')
            xDigitos += c;
        else if (x >= u'A' && x <= u'E')
            xDigitos += QChar(u'1' + (x - u'A'));
        else if (x >= u'a' && x <= u'e')
            xDigitos += QChar(u'1' + (x - u'a'));
    }
    if (xDigitos.isEmpty())
        return 0;
    if (xDigitos.size() == 6)
        xDigitos += u'0';
    return xDigitos.toInt();
}

QString TFuncoes::Base26(int pId) const
{
    if (pId < 0)
        throw Exception(QStringLiteral("Limite excedido."));
    // 0 gives "@", the character before "A"; so does every zero of the leading part ("A@A" for 677).
    QString xResultado(QChar(char16_t(u'A' + (pId - 1) % 26)));
    for (int q = (pId - 1) / 26; q != 0; q /= 26)
        xResultado.prepend(QChar(char16_t(64 + q % 26)));
    return xResultado;
}

QChar DigitoBase36(int pDigito)
{
    if (pDigito < 0 || pDigito > 35)
        throw Exception(QStringLiteral("Limite excedido."));
    return pDigito < 10 ? QChar(char16_t(u'0' + pDigito)) : QChar(char16_t(u'A' + pDigito - 10));
}

QString TFuncoes::Base36(qint64 pNumero, int pQuantidadeCasas) const
{
    if (pNumero < 0 || pQuantidadeCasas < 0)
        throw Exception(QStringLiteral("Limite excedido."));
    // 36^12 is the largest power of 36 in 64 bits; from 13 places on every number fits.
    if (pQuantidadeCasas < 13) {
        qint64 xLimite = 1;
        for (int i = 0; i < pQuantidadeCasas; ++i)
            xLimite *= 36;
        if (pNumero >= xLimite)
            throw Exception(QStringLiteral("Limite excedido."));
    }
    QString xResultado(pQuantidadeCasas, u'0');
    for (int i = pQuantidadeCasas - 1; i >= 0; --i) {
        xResultado[i] = DigitoBase36(int(pNumero % 36));
        pNumero /= 36;
    }
    return xResultado;
}

QString TFuncoes::geraCodigoAleatorio() const
{
    // The system generator is seeded once from the operating system; two calls in the same tick of a
    // clock still give independent codes.
    std::vector<int> xNumeros(10);
    for (int i = 0; i < 10; ++i)
        xNumeros[i] = i + 1;
    for (int n = 9; n >= 0; --n)
        std::swap(xNumeros[n], xNumeros[QRandomGenerator::global()->bounded(n + 1)]);
    QString xCodigo;
    for (int x : xNumeros)
        xCodigo += QString::number(x);
    return xCodigo;
}
