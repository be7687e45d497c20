#pragma once

// A private Firebird server of the build machine, run by scripts/firebird-server.sh (start <folder>
// <password> [port] prints its port; stop <folder>), from the Linux tests and, through the build
// machine's shell, from the Windows ones under Wine.
#include "support/ProcessoHospedeiro.h"

#include <QtGlobal>

// Runs the script pScript with pArgumentos; its trimmed output in pSaida. False, with a warning that
// shows the script's errors, when it fails.
inline bool ScriptFirebird(const QString& pScript, const QStringList& pArgumentos, QString& pSaida)
{
    const TResultadoHospedeiro xResultado =
        ExecutaNoHospedeiro(QStringLiteral("bash"), QStringList{pScript} + pArgumentos, 60000);
    if (!xResultado.Terminou || xResultado.Codigo != 0) {
        qWarning("firebird-server.sh %s: %s", qPrintable(pArgumentos.join(u' ')),
                 xResultado.Erros.constData());
        return false;
    }
    pSaida = QString::fromUtf8(xResultado.Saida).trimmed();
    return true;
}
