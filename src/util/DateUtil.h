#pragma once

#include <QDateTime>
#include <QString>

// Date helpers, all class operations.
class TDateUtil
{
public:
    // Completes a date typed into a "99/99/9999" mask (blanks in unfilled positions);
    // missing parts come from today (first form) or pDataPadrao. Empty when no valid date results.
    static QString MontaData(const QString& vfData);
    static QString MontaData(const QString& vfData, const QDateTime& vfDataPadrao);

    // (the helpers of the rest of the library follow here)
};
