#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>

// Date helpers, all class operations. Dates and times are read with the regional settings
// (util/Regional.h): day/month/year with "/", hours:minutes:seconds with ":".
class TDateUtil
{
public:
    // Completes a date typed into a "99/99/9999" mask (blanks in unfilled positions);
    // missing parts come from today (first form) or pDataPadrao. Empty when no valid date results.
    // Day: positions 1-2, month: 4-5, year: 7-10; a piece that is blank, 0 or not a number takes the
    // default's part; years 1-60 become 20xx, 61-99 19xx, 100-999 1xxx.
    static QString MontaData(const QString& vfData);
    static QString MontaData(const QString& vfData, const QDateTime& vfDataPadrao);

    // Whole days between two local date-times, whatever their order (never negative).
    static int RetornaDiferencaEmDias(const QDateTime& pDataIni, const QDateTime& pDataFim);
    // "Janeiro" to "Dezembro"; empty for any other number.
    static QString RetornaNomeMes(int pNumMes);
    // Reads pData with the given separators and formats (a null character or an empty format keeps
    // the regional one; the date format gives the order of day, month and year). Only this reading
    // sees them: the regional settings themselves never change. Raises EConvertError.
    static QDateTime StrToDateFormat(const QString& pData, QChar pSeparadorData, QChar pSeparadorHora,
                                     const QString& pFormatoData, const QString& pFormatoHora);

    // Entry checks: true, or an Exception whose message is built from the field description
    // ("Data inicial inválida.  ", "Data inicial não pode ficar em branco.").
    static bool ValidaData(const QString& pData, const QString& pDescData);
    // The empty time is accepted.
    static bool ValidaHora(const QString& pHora, const QString& pDescHora);
    // Both dates valid and, for the field being left (pDataAtiva "Ini" or "Fim"), in order; pPermiteIgual
    // lets both be the same day.
    static bool ValidaPeriodo(const QString& pDataIni, const QString& pDataFim, const QString& pDescDataIni,
                              const QString& pDescDataFim, const QString& pDataAtiva, bool pPermiteIgual);
    // The same for two times; comparing an empty time raises EConvertError.
    static bool ValidaHorario(const QString& pHoraIni, const QString& pHoraFim, const QString& pDescHoraIni,
                              const QString& pDescHoraFim, const QString& pHoraAtiva, bool pPermiteIgual);
};
