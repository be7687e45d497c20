#include "download/client/ServiceHost.h"

#include "config/ArquivoIni.h"
#include "config/ConfigINI.h"

#ifndef TARNWICK_NOTES_HOST_DEFAULT
#define TARNWICK_NOTES_HOST_DEFAULT "localhost"
#endif

QString HostServicoNotas()
{
    const QString xHost = TCopiaIni(ConfigINI::CaminhoINI())
                              .ReadString(QStringLiteral("RECEPCAONF"), QStringLiteral("Host"))
                              .trimmed();
    return xHost.isEmpty() ? QStringLiteral(TARNWICK_NOTES_HOST_DEFAULT) : xHost;
}
