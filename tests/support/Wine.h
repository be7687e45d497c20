#pragma once

// Windows programs under Wine, started by a test of the Linux build on a private X display (TXvfb), in
// a Wine prefix of the test's own.
#include "support/Xvfb.h"

#include <QRegularExpression>

// A Unix path as a Windows program under Wine names it: drive Z: is the Unix root.
inline QString NoWindows(const QString& pCaminho)
{
    return QStringLiteral("Z:") + QString(pCaminho).replace(u'/', u'\\');
}

// The environment of a Windows program of prefix pPrefixo on pXvfb's display.
inline QProcessEnvironment AmbienteWine(const TXvfb& pXvfb, const QString& pPrefixo)
{
    QProcessEnvironment xAmbiente = pXvfb.Ambiente();
    xAmbiente.insert(QStringLiteral("WINEPREFIX"), pPrefixo);
    xAmbiente.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    xAmbiente.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    // Qt's messages on the standard error, where the test reads them for its diagnostics.
    xAmbiente.insert(QStringLiteral("WINEQT_FORCE_STDERR_LOGGING"), QStringLiteral("1"));
    // A locale Wine knows on every machine: the Western code page (1252) as the ANSI one.
    xAmbiente.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    xAmbiente.remove(QStringLiteral("LC_ALL"));
    xAmbiente.remove(QStringLiteral("LANGUAGE"));
    return xAmbiente;
}

// Makes the prefix. Wine then draws the windows' frames and title bars itself: no window manager runs
// on the display, and the screenshots show the caption. Empty when done, else what went wrong.
inline QString PreparaPrefixo(const QProcessEnvironment& pAmbiente)
{
    const TSaidaPrograma xBoot =
        ExecutaPrograma(QStringLiteral("wineboot"), {QStringLiteral("-i")}, pAmbiente, 300000);
    if (xBoot.Codigo != 0)
        return QStringLiteral("wineboot: ") + xBoot.Texto();
    const TSaidaPrograma xDecorado = ExecutaPrograma(
        QStringLiteral("wine"),
        {QStringLiteral("reg"), QStringLiteral("add"), QStringLiteral("HKCU\\Software\\Wine\\X11 Driver"),
         QStringLiteral("/v"), QStringLiteral("Decorated"), QStringLiteral("/d"), QStringLiteral("N"),
         QStringLiteral("/f")},
        pAmbiente, 120000);
    if (xDecorado.Codigo != 0)
        return QStringLiteral("wine reg: ") + xDecorado.Texto();
    ExecutaPrograma(QStringLiteral("wineserver"), {QStringLiteral("-w")}, pAmbiente, 120000);
    return {};
}

// Enter answers the dialog pJanela, titled pTitulo. On a loaded machine Wine may not have given it the
// keyboard yet: Enter again, a few times, until it is gone. True when it is gone.
inline bool FechaComEnter(const TXvfb& pXvfb, const QString& pJanela, const QString& pTitulo)
{
    const QString xTitulo = QStringLiteral("^") + QRegularExpression::escape(pTitulo) + QStringLiteral("$");
    for (int xVez = 0; xVez < 4 && !pXvfb.Janela(xTitulo).isEmpty(); ++xVez) {
        pXvfb.Tecla(pJanela, QStringLiteral("Return"));
        const QDeadlineTimer xPrazo(5000);
        while (!pXvfb.Janela(xTitulo).isEmpty() && !xPrazo.hasExpired())
            QTest::qWait(200);
    }
    return pXvfb.Janela(xTitulo).isEmpty();
}
