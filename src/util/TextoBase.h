#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Small text primitives shared by the helpers of this library (not part of its public surface).
namespace TextoBase {

// Trimming removes every character whose code is 32 (space) or lower from the chosen end(s).
inline bool EhBranco(QChar c)
{
    return c.unicode() <= 32;
}
QString Trim(QStringView pTexto);
QString TrimLeft(QStringView pTexto);
QString TrimRight(QStringView pTexto);

// pQuantidade characters from position pInicio (counted from 1); positions outside the text are skipped,
// so a piece past the end is shorter or empty.
QString Copia(QStringView pTexto, qsizetype pInicio, qsizetype pQuantidade);

// Reads a whole number as typed: leading blanks, an optional sign, decimal digits or hexadecimal
// digits after "$", "x", "X", "0x" or "0X". Nothing when the text is not such a number or does not fit.
std::optional<qint64> LerInteiro(QStringView pTexto);

} // namespace TextoBase
