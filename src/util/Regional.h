#pragma once

#include <QChar>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// The user's regional settings, in one place. The program serves Brazilian desktops:
// day/month/year with "/", time with ":", decimal comma, thousands dot.
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

} // namespace Regional
