// Completion of dates and times typed into day/month/year and hours:minutes(:seconds) fields.
#include "util/Clock.h"
#include "util/Exception.h"
#include "util/Funcoes.h"
#include "util/Regional.h"
#include "util/TextoBase.h"

using TextoBase::Copia;
using TextoBase::Trim;

namespace {

bool EmBranco(const QString& pTexto)
{
    return Trim(pTexto).isEmpty();
}

// A typed year piece as a number; blank is 0, anything else that is not a number fails as the
// platform's integer conversion does.
qint64 LerAno(const QString& pPedaco)
{
    const QString xPedaco = Trim(pPedaco);
    if (xPedaco.isEmpty())
        return 0;
    const std::optional<qint64> xValor = TextoBase::LerInteiro(xPedaco);
    if (!xValor)
        throw EConvertError(QStringLiteral("'%1' não é um valor inteiro válido").arg(xPedaco));
    return *xValor;
}

} // namespace

QString TFuncoes::CompletaData(const QString& pData, int pAnoBase) const
{
    const QDate xHoje = Clock::Hoje();
    const QString xBarra = QStringLiteral("/");
    QString xTexto = pData;
    if (!xTexto.contains(u'/'))
        xTexto = PadR(Copia(xTexto, 1, 2), 2) + xBarra + PadR(Copia(xTexto, 3, 2), 2) + xBarra +
                 PadR(Copia(xTexto, 5, 4), 4);

    const QString xPedacoAno = Copia(Trim(xTexto), 7, 4);
    if (EmBranco(xPedacoAno)) {
        // No year typed: nothing typed at all stays as it is; otherwise the month and year of today
        // fill what is missing.
        if (EmBranco(Copia(xTexto, 1, 2)))
            return xTexto;
        const QString xAnoAtual = StrZero(QString::number(xHoje.year()), 4);
        const QString xMesAtual = StrZero(QString::number(xHoje.month()), 2);
        if (!EmBranco(Copia(xTexto, 4, 2)))
            xTexto = StrZero(Copia(xTexto, 1, 2), 2) + xBarra + StrZero(Copia(xTexto, 4, 2), 2) + xBarra +
                     xAnoAtual;
        else if (Copia(xTexto, 2, 1) == xBarra)
            xTexto = StrZero(Copia(xTexto, 1, 1), 2) + xBarra + xMesAtual + xBarra + xAnoAtual;
        else
            xTexto = StrZero(Copia(xTexto, 1, 2), 2) + xBarra + xMesAtual + xBarra + xAnoAtual;
        if (Copia(xTexto, 6, 1) != xBarra)
            xTexto = Copia(xTexto, 1, 5) + xBarra + Copia(xTexto, 6, 4);
    }

    // A three-digit year ("024") takes the first digit of the current year.
    if (xPedacoAno.size() == 3)
        xTexto = Copia(xTexto, 1, 6) + QString::number(xHoje.year()).left(1) + Copia(xTexto, 7, 3);

    qint64 xAnoDoisDigitos = LerAno(Copia(xTexto, 7, 2));
    if (xAnoDoisDigitos == 0)
        xAnoDoisDigitos = LerAno(Copia(xTexto, 9, 2));

    xTexto = Copia(xTexto, 1, 6) + Copia(xTexto, 7, 4).remove(u' ');

    QString xResultado;
    const QString xAparado = Trim(xTexto);
    const QString xFinalAno = Copia(xAparado, 9, 2);
    if (!EmBranco(xFinalAno)) {
        if (xFinalAno.size() == 1)
            throw Exception(QStringLiteral("Período inválido.\r\n") + xTexto);
        xResultado = xTexto;
    } else if (Copia(xAparado, 7, 2).isEmpty()) {
        xResultado = xTexto;
    } else {
        const QString xSeculo = xAnoDoisDigitos < pAnoBase ? QStringLiteral("20") : QStringLiteral("19");
        xResultado = Copia(xTexto, 1, 6) + xSeculo + StrZero(QString::number(xAnoDoisDigitos), 2);
    }

    if (!Regional::StrToDate(xTexto))
        throw Exception(QStringLiteral("Data inválida."));
    return xResultado;
}

QString TFuncoes::CompletaHora(const QString& pHora) const
{
    const QTime xAgora = Clock::Agora().time();
    const QString xDoisPontos = QStringLiteral(":");
    QString xTexto = pHora;
    if (!xTexto.contains(u':')) {
        xTexto = PadR(Copia(xTexto, 1, 2), 2) + xDoisPontos + PadR(Copia(xTexto, 3, 2), 2);
        if (pHora.size() >= 5)
            xTexto += xDoisPontos + PadR(Copia(pHora, 5, 4), 4);
    }

    const QString xMinutos = Copia(Trim(xTexto), 4, 2);
    const QString xSegundos = Copia(Trim(xTexto), 7, 2);

    if (EmBranco(xMinutos)) {
        if (EmBranco(Copia(xTexto, 1, 2)))
            return xTexto;
        const QString xMinutoAtual = StrZero(QString::number(xAgora.minute()), 2);
        if (!EmBranco(Copia(xTexto, 4, 2)))
            xTexto = StrZero(Copia(xTexto, 1, 2), 2) + xDoisPontos + StrZero(Copia(xTexto, 4, 2), 2);
        else if (Copia(xTexto, 2, 1) == xDoisPontos)
            xTexto = StrZero(Copia(xTexto, 1, 1), 2) + xDoisPontos + xMinutoAtual;
        else
            xTexto = StrZero(Copia(xTexto, 1, 2), 2) + xDoisPontos + xMinutoAtual;
    }

    if (EmBranco(xSegundos)) {
        if (EmBranco(Copia(xTexto, 1, 2)) || EmBranco(Copia(xTexto, 4, 2)))
            return xTexto;
        if (EmBranco(Copia(xTexto, 6, 2)))
            xTexto = StrZero(Copia(xTexto, 1, 2), 2) + xDoisPontos + StrZero(Copia(xTexto, 4, 2), 2) +
                     xDoisPontos + QString::number(xAgora.second());
        else if (Copia(xTexto, 6, 1) != xDoisPontos)
            xTexto = Copia(xTexto, 1, 5) + xDoisPontos + Copia(xTexto, 6, 2);
    }

    if (!Regional::StrToTime(xTexto))
        throw Exception(QStringLiteral("Hora inválida."));
    return xTexto;
}

QString TFuncoes::retornaDescricaoDiaSemana(int pDia) const
{
    static const char16_t* const DIAS[] = {u"Domingo", u"Segunda", u"Terça", u"Quarta",
                                           u"Quinta",  u"Sexta",   u"Sábado"};
    if (pDia < 0 || pDia > 6)
        return QStringLiteral("Indefinido");
    return QString::fromUtf16(DIAS[pDia]);
}
