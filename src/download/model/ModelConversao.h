#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QtGlobal>
#include <cstddef>
#include <optional>

// Conversions of JSON values into the fields of the notes service's bodies, all class operations.
// They take the value's UTF-8 text as the parser hands it over (escapes decoded; a number as written).
class TModelConversao
{
public:
    // The whole number the text spells: an optional sign ("+" or "-"), then one or more ASCII digits
    // and nothing else, within qint32. Anything else (blanks, a fraction, an exponent, letters, an empty
    // text, a value out of range) gives 0.
    static qint32 Inteiro(const char* pTexto, std::size_t pTamanho);

    // "yyyy-mm-ddThh:nn:ss[.f...][Z|+hh:mm|-hh:mm]" (the offset may also be "+hhmm" or "+hh") as a UTC
    // date-time: an offset is applied, no zone means UTC, hour 24 (with nothing after it) is midnight at
    // the end of the day and second 60 is carried into the next minute. Fractions beyond milliseconds
    // are cut. Nothing when the text does not read or the result falls outside the years 1 to 9999.
    static std::optional<QDateTime> DataHora(const char* pTexto, std::size_t pTamanho);

    // A UTC date-time as "yyyy-mm-ddThh:nn:ss.zzzZ", which DataHora reads back to the same value.
    static QByteArray TextoDataHora(const QDateTime& pDataHora);
};
