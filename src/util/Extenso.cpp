// Amounts written out in Portuguese words.
#include "util/Exception.h"
#include "util/Funcoes.h"
#include "util/Regional.h"

#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>

namespace {

// Indexed by a digit from 1 to 9 (index 0 unused).
const char16_t* const UNIDADES[] = {u"",      u"um",   u"dois", u"três", u"quatro",
                                    u"cinco", u"seis", u"sete", u"oito", u"nove"};
const char16_t* const DEZ_A_DEZENOVE[] = {u"",       u"onze",      u"doze",      u"treze",   u"quatorze",
                                          u"quinze", u"dezesseis", u"dezessete", u"dezoito", u"dezenove"};
const char16_t* const DEZENAS[] = {u"",          u"dez",      u"vinte",   u"trinta",  u"quarenta",
                                   u"cinqüenta", u"sessenta", u"setenta", u"oitenta", u"noventa"};
const char16_t* const CENTENAS[] = {
    u"",           u"cento",      u"duzentos",   u"trezentos",  u"quatrocentos",
    u"quinhentos", u"seiscentos", u"setecentos", u"oitocentos", u"novecentos"};

// The amount in whole cents, rounded half away from zero on its 15-significant-digit decimal form
// (so 1.005 reads as 1.005 and gives 101 cents, as the user typed it); nothing when out of range.
// The decimal form comes from std::to_chars, which no locale touches: the C library's printf writes the
// process locale's decimal point, which may be another character or several bytes long.
std::optional<qint64> EmCentavos(long double pValor)
{
    if (!std::isfinite(pValor) || pValor < 0 || pValor >= 1e12L)
        return std::nullopt;
    char xTexto[64];
    const std::to_chars_result xFim =
        std::to_chars(xTexto, xTexto + sizeof xTexto, pValor, std::chars_format::scientific, 14);
    if (xFim.ec != std::errc())
        return std::nullopt;
    // d.dddddddddddddde±x: fifteen digits, then the exponent.
    qint64 xMantissa = 0;
    int xDigitos = 0;
    const char* p = xTexto;
    for (; p < xFim.ptr && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') {
            xMantissa = xMantissa * 10 + (*p - '0');
            ++xDigitos;
        }
    if (xDigitos != 15 || p == xFim.ptr)
        return std::nullopt;
    ++p;
    if (p < xFim.ptr && *p == '+')
        ++p; // from_chars reads a minus sign only
    int xExpoente = 0;
    if (std::from_chars(p, xFim.ptr, xExpoente).ec != std::errc())
        return std::nullopt;
    // value = mantissa * 10^(expoente - 14); cents = mantissa * 10^(expoente - 12)
    const int xCasas = 12 - xExpoente;
    if (xCasas <= 0)
        return std::nullopt; // 10^12 or more
    if (xCasas > 17)
        return 0; // below half a cent
    qint64 xDivisor = 1;
    for (int i = 0; i < xCasas; ++i)
        xDivisor *= 10;
    qint64 xCentavos = xMantissa / xDivisor;
    if ((xMantissa % xDivisor) * 2 >= xDivisor)
        ++xCentavos;
    if (xCentavos >= 100'000'000'000'000LL)
        return std::nullopt;
    return xCentavos;
}

} // namespace

QString ifs(bool Expressao, const QString& CasoVerdadeiro, const QString& CasoFalso)
{
    return Expressao ? CasoVerdadeiro : CasoFalso;
}

QString MiniExtenso(const QString& pValor)
{
    if (pValor.size() != 3)
        return QString();
    for (QChar c : pValor)
        if (c < u'0' || c > u'9')
            return QString();
    const int h = pValor[0].unicode() - u'0';
    const int t = pValor[1].unicode() - u'0';
    const int u = pValor[2].unicode() - u'0';

    QString xDezena;
    QString xUnidade;
    if (t == 1 && u != 0) {
        xUnidade = QString::fromUtf16(DEZ_A_DEZENOVE[u]);
    } else {
        xDezena = QString::fromUtf16(DEZENAS[t]);
        xUnidade = QString::fromUtf16(UNIDADES[u]);
    }
    QString xCentena;
    if (h == 1 && xDezena.isEmpty() && xUnidade.isEmpty())
        xCentena = QStringLiteral("cem");
    else
        xCentena = QString::fromUtf16(CENTENAS[h]);

    const QString e = QStringLiteral(" e ");
    return xCentena + ifs(!xCentena.isEmpty() && !(xDezena + xUnidade).isEmpty(), e, QString()) + xDezena +
           ifs(!xDezena.isEmpty() && !xUnidade.isEmpty(), e, QString()) + xUnidade;
}

QString TFuncoes::ValorPorExtenso(long double pValor, bool pMoeda, int pTipo) const
{
    if (pValor == 0)
        return pMoeda ? QString() : QStringLiteral("zero");
    const std::optional<qint64> xCentavosTotal = EmCentavos(pValor);
    if (!xCentavosTotal)
        throw Exception(
            QStringLiteral("Valor fora da faixa para escrita por extenso (0 a 999.999.999.999,99)."));

    // "000000000000,00": twelve digits of the whole part, the separator, two of the cents.
    const QString xTexto = StrZero(QString::number(*xCentavosTotal / 100), 12) + Regional::DecimalSeparator +
                           StrZero(QString::number(*xCentavosTotal % 100), 2);
    auto xGrupo = [&xTexto](int pInicio) { return xTexto.mid(pInicio - 1, 3); };

    const QString xCentavos = MiniExtenso(QStringLiteral("0") + xTexto.mid(13, 2));
    const QString xCentena = MiniExtenso(xGrupo(10));
    QString xMilhar = MiniExtenso(xGrupo(7));
    if (!xMilhar.isEmpty())
        xMilhar += QStringLiteral(" mil");
    QString xMilhao = MiniExtenso(xGrupo(4));
    if (!xMilhao.isEmpty())
        xMilhao += ifs(xGrupo(4) == u"001", QStringLiteral(" milhão"), QStringLiteral(" milhões"));
    QString xBilhao = MiniExtenso(xGrupo(1));
    if (!xBilhao.isEmpty())
        xBilhao += ifs(xGrupo(1) == u"001", QStringLiteral(" bilhão"), QStringLiteral(" bilhões"));

    // A joint is ", " when either side already holds an " e ", else " e ".
    const QString e = QStringLiteral(" e ");
    const QString xVirgula = QStringLiteral(", ");
    QString xJuntaBilhao;
    const QString xAbaixoBilhao = xMilhao + xMilhar + xCentena;
    if (!xBilhao.isEmpty() && !xAbaixoBilhao.isEmpty())
        xJuntaBilhao = ifs(xBilhao.contains(e) || xAbaixoBilhao.contains(e), xVirgula, e);
    QString xJuntaMilhao;
    const QString xAbaixoMilhao = xMilhar + xCentena;
    if (!xMilhao.isEmpty() && !xAbaixoMilhao.isEmpty())
        xJuntaMilhao = ifs(xMilhao.contains(e) || xAbaixoMilhao.contains(e), xVirgula, e);
    QString xJuntaMilhar;
    if (!xMilhar.isEmpty() && !xCentena.isEmpty())
        xJuntaMilhar = ifs(xCentena.contains(e), xVirgula, e);

    const QString xInteiro =
        xBilhao + xJuntaBilhao + xMilhao + xJuntaMilhao + xMilhar + xJuntaMilhar + xCentena;
    if (!pMoeda)
        return xInteiro;

    // Below half a cent there is no money to name: as for zero.
    if (*xCentavosTotal == 0)
        return QString();
    const bool xReais = pTipo == 0;
    QString xResultado;
    if (!xBilhao.isEmpty() && xAbaixoBilhao.isEmpty())
        xResultado =
            xBilhao + ifs(xReais, QStringLiteral(" de reais"), QStringLiteral(" de dolares americanos"));
    else if (!xMilhao.isEmpty() && xAbaixoMilhao.isEmpty())
        xResultado =
            xInteiro + ifs(xReais, QStringLiteral(" de reais"), QStringLiteral(" de dolares americanos"));
    else if (*xCentavosTotal / 100 == 1) // the amount as written, 0.999 included, is one
        xResultado = xInteiro + ifs(xReais, QStringLiteral(" real"), QStringLiteral(" dolar americano"));
    else
        xResultado = xInteiro + ifs(xReais, QStringLiteral(" reais"), QStringLiteral(" dolares americanos"));

    if (!xCentavos.isEmpty()) {
        const QString xPalavra = xTexto.mid(13, 2) == u"01"
                                     ? ifs(xReais, QStringLiteral(" centavo"), QStringLiteral(" cent"))
                                     : ifs(xReais, QStringLiteral(" centavos"), QStringLiteral(" cents"));
        if (xInteiro.isEmpty())
            xResultado = xCentavos + xPalavra;
        else
            xResultado += e + xCentavos + xPalavra;
    }
    return xResultado;
}
