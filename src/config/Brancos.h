#pragma once

#include <QString>
#include <QStringView>

// Blanks as the configuration understands them: every character whose code is 32 (space) or lower.
// A no-break space or any other character above 32 is text, and stays.
namespace Brancos {

inline bool EhBranco(QChar pCaractere)
{
    return pCaractere.unicode() <= 32;
}

// pTexto without the blanks at its start and its end.
inline QString Apara(QStringView pTexto)
{
    qsizetype xInicio = 0;
    qsizetype xFim = pTexto.size();
    while (xInicio < xFim && EhBranco(pTexto[xInicio]))
        ++xInicio;
    while (xFim > xInicio && EhBranco(pTexto[xFim - 1]))
        --xFim;
    return pTexto.sliced(xInicio, xFim - xInicio).toString();
}

} // namespace Brancos
