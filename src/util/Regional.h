#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

// The user's regional settings, in one place. The program serves Brazilian desktops:
// day/month/year with "/", time with ":", decimal comma, thousands dot. The settings are fixed
// constants: nothing here reads them from the system or lets a caller change them for everyone
// (a reading with other separators or order gets its own TFormatoData).
namespace Regional {

inline constexpr QChar DateSeparator = u'/';
inline constexpr QChar TimeSeparator = u':';
inline constexpr QChar DecimalSeparator = u',';
inline constexpr QChar ThousandSeparator = u'.';
// Significant digits of the general number format (values shown with up to 15 digits).
inline constexpr int GeneralDigits = 15;

// "dd/MM/yyyy" in QDate's pattern language.
QString ShortDateFormat();

// Reads a date typed by the user in the short-date order (day, month, year, separated by "/");
// nothing when it is not a valid calendar date.
std::optional<QDate> StrToDate(const QString& pTexto);

// dd/mm/yyyy.
QString DateToStr(const QDate& pData);

// Reads a time typed as hours[:minutes[:seconds[,milliseconds]]], blanks around it allowed and an
// optional AM/PM; nothing when it is not a valid time of day.
std::optional<QTime> StrToTime(const QString& pTexto, QChar pSeparadorHora = TimeSeparator);

// How a date and time text is laid out. The date format only gives the order of day, month and year
// (from its first d, m and y letters, in the "dd/mm/yyyy" pattern language of the settings); the
// time format is kept for completeness (times always read as hours, minutes, seconds).
struct TFormatoData
{
    QChar SeparadorData = DateSeparator;
    QChar SeparadorHora = TimeSeparator;
    QString FormatoData = QStringLiteral("dd/mm/yyyy");
    QString FormatoHora = QStringLiteral("hh:nn");
};

// Reads a date with an optional time after it, or a time alone (on 30/12/1899, the day zero of
// the settings' date-time values); a two-digit year falls in 1950..2049.
std::optional<QDateTime> StrToDateTime(const QString& pTexto, const TFormatoData& pFormato = {});

// The general number format: up to 15 significant digits, decimal comma, no trailing zeros, no
// thousands separators; an exponent ("1,5E20", "1E-6") from 10^15 on and below 0,00001.
// Not-a-number and infinities as "NAN", "INF", "-INF".
QString FloatToStr(double pValor);
// Reads a number written with a decimal comma and an optional exponent; nothing otherwise.
std::optional<double> StrToFloat(const QString& pTexto);

} // namespace Regional
