#include "util/DateUtil.h"

#include "util/Clock.h"
#include "util/Exception.h"
#include "util/Regional.h"
#include "util/TextoBase.h"

#include <QTime>

namespace {

// A typed piece of the mask as a number; blank or unreadable pieces count as 0 (missing).
// Negative numbers are kept negative so that the date check rejects them.
qint64 LerParte(const QString& pTexto, int pInicio, int pQuantidade)
{
    const QString xParte = TextoBase::Trim(TextoBase::Copia(pTexto, pInicio, pQuantidade));
    return TextoBase::LerInteiro(xParte).value_or(0);
}

// Only the letters A-Z/a-z change case; accented letters stay as typed.
QString MinusculasAscii(const QString& pTexto)
{
    QString xTexto = pTexto;
    for (QChar& c : xTexto)
        if (c >= u'A' && c <= u'Z')
            c = QChar(char16_t(c.unicode() + 32));
    return xTexto;
}

// The field description as the messages show it: first letter upper case, the rest lower case.
QString Descricao(const QString& pDescricao)
{
    QString xTexto = MinusculasAscii(pDescricao);
    if (!xTexto.isEmpty() && xTexto[0] >= u'a' && xTexto[0] <= u'z')
        xTexto[0] = QChar(char16_t(xTexto[0].unicode() - 32));
    return xTexto;
}

// The order check shared by periods and time ranges. pInicioDepois: start after end;
// pInicioNaoAntes: start on or after end.
void ValidaOrdem(bool pInicioDepois, bool pInicioNaoAntes, const QString& pDescIni, const QString& pDescFim,
                 const QString& pAtiva, bool pPermiteIgual)
{
    if (pAtiva == u"Ini") {
        if (pPermiteIgual && pInicioDepois)
            throw Exception(pDescIni + QStringLiteral(" não pode ser maior que ") +
                            MinusculasAscii(pDescFim) + QStringLiteral("."));
        if (!pPermiteIgual && pInicioNaoAntes)
            throw Exception(pDescIni + QStringLiteral(" deve ser menor que ") + MinusculasAscii(pDescFim) +
                            QStringLiteral("."));
    } else if (pAtiva == u"Fim") {
        if (pPermiteIgual && pInicioDepois)
            throw Exception(pDescFim + QStringLiteral(" não pode ser menor que ") +
                            MinusculasAscii(pDescIni) + QStringLiteral("."));
        if (!pPermiteIgual && pInicioNaoAntes)
            throw Exception(pDescFim + QStringLiteral(" deve ser maior que ") + MinusculasAscii(pDescIni) +
                            QStringLiteral("."));
    }
}

QTime LerHora(const QString& pHora)
{
    const std::optional<QTime> xHora = Regional::StrToTime(pHora);
    if (!xHora)
        throw EConvertError(QStringLiteral("'%1' não é um horário válido").arg(pHora));
    return *xHora;
}

} // namespace

QString TDateUtil::MontaData(const QString& vfData)
{
    return MontaData(vfData, Clock::Agora());
}

QString TDateUtil::MontaData(const QString& vfData, const QDateTime& vfDataPadrao)
{
    const QDate xPadrao = vfDataPadrao.date();
    qint64 xDia = LerParte(vfData, 1, 2);
    qint64 xMes = LerParte(vfData, 4, 2);
    qint64 xAno = LerParte(vfData, 7, 4);
    if (xDia == 0)
        xDia = xPadrao.day();
    if (xMes == 0)
        xMes = xPadrao.month();
    if (xAno == 0)
        xAno = xPadrao.year();
    if (xDia < 0 || xMes < 0 || xAno < 0)
        return QString();

    if (xAno >= 1 && xAno <= 60)
        xAno += 2000;
    else if (xAno >= 61 && xAno <= 99)
        xAno += 1900;
    else if (xAno >= 100 && xAno <= 999)
        xAno += 1000;

    const QString xTexto = QStringLiteral("%1/%2/%3")
                               .arg(xDia, 2, 10, QChar(u'0'))
                               .arg(xMes, 2, 10, QChar(u'0'))
                               .arg(xAno, 4, 10, QChar(u'0'));
    if (!Regional::StrToDate(xTexto))
        return QString();
    return xTexto;
}

int TDateUtil::RetornaDiferencaEmDias(const QDateTime& pDataIni, const QDateTime& pDataFim)
{
    // On the local wall clock: a day is a day even across a change of daylight-saving time.
    const QDateTime xIni = pDataIni.toLocalTime();
    const QDateTime xFim = pDataFim.toLocalTime();
    const qint64 xMs = xIni.date().daysTo(xFim.date()) * qint64(86400000) + xIni.time().msecsTo(xFim.time());
    return int(qAbs(xMs) / 86400000);
}

QString TDateUtil::RetornaNomeMes(int pNumMes)
{
    static const char16_t* const MESES[] = {u"Janeiro",  u"Fevereiro", u"Março",    u"Abril",
                                            u"Maio",     u"Junho",     u"Julho",    u"Agosto",
                                            u"Setembro", u"Outubro",   u"Novembro", u"Dezembro"};
    if (pNumMes < 1 || pNumMes > 12)
        return QString();
    return QString::fromUtf16(MESES[pNumMes - 1]);
}

QDateTime TDateUtil::StrToDateFormat(const QString& pData, QChar pSeparadorData, QChar pSeparadorHora,
                                     const QString& pFormatoData, const QString& pFormatoHora)
{
    Regional::TFormatoData xFormato;
    if (!pSeparadorData.isNull())
        xFormato.SeparadorData = pSeparadorData;
    if (!pSeparadorHora.isNull())
        xFormato.SeparadorHora = pSeparadorHora;
    if (!pFormatoData.isEmpty())
        xFormato.FormatoData = pFormatoData;
    if (!pFormatoHora.isEmpty())
        xFormato.FormatoHora = pFormatoHora;
    const std::optional<QDateTime> xDataHora = Regional::StrToDateTime(pData, xFormato);
    if (!xDataHora)
        throw EConvertError(QStringLiteral("'%1' não é uma data e hora válida").arg(pData));
    return *xDataHora;
}

bool TDateUtil::ValidaData(const QString& pData, const QString& pDescData)
{
    if (Regional::StrToDate(pData))
        return true;
    if (pData == u"  /  /    ")
        throw Exception(Descricao(pDescData) + QStringLiteral(" não pode ficar em branco."));
    throw Exception(Descricao(pDescData) + QStringLiteral(" inválida.  "));
}

bool TDateUtil::ValidaHora(const QString& pHora, const QString& pDescHora)
{
    if (pHora.isEmpty() || Regional::StrToTime(pHora))
        return true;
    throw Exception(Descricao(pDescHora) + QStringLiteral(" inválida.  "));
}

bool TDateUtil::ValidaPeriodo(const QString& pDataIni, const QString& pDataFim, const QString& pDescDataIni,
                              const QString& pDescDataFim, const QString& pDataAtiva, bool pPermiteIgual)
{
    ValidaData(pDataIni, pDescDataIni);
    ValidaData(pDataFim, pDescDataFim);
    const QDate xIni = *Regional::StrToDate(pDataIni);
    const QDate xFim = *Regional::StrToDate(pDataFim);
    ValidaOrdem(xIni > xFim, xIni >= xFim, pDescDataIni, pDescDataFim, pDataAtiva, pPermiteIgual);
    return true;
}

bool TDateUtil::ValidaHorario(const QString& pHoraIni, const QString& pHoraFim, const QString& pDescHoraIni,
                              const QString& pDescHoraFim, const QString& pHoraAtiva, bool pPermiteIgual)
{
    ValidaHora(pHoraIni, pDescHoraIni);
    ValidaHora(pHoraFim, pDescHoraFim);
    if (pHoraAtiva != u"Ini" && pHoraAtiva != u"Fim")
        return true;
    const QTime xIni = LerHora(pHoraIni);
    const QTime xFim = LerHora(pHoraFim);
    ValidaOrdem(xIni > xFim, xIni >= xFim, pDescHoraIni, pDescHoraFim, pHoraAtiva, pPermiteIgual);
    return true;
}
