#include "sistema/Processo.h"

#include <QFile>
#include <sys/resource.h>

namespace {

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 where there is none (not Linux).
qint64 StatusKiB(const QByteArray& pCampo)
{
    QFile xStatus(QStringLiteral("/proc/self/status"));
    if (!xStatus.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray xPrefixo = pCampo + ':';
    for (const QByteArray& xLinha : xStatus.readAll().split('\n'))
        if (xLinha.startsWith(xPrefixo))
            return xLinha.mid(xPrefixo.size()).trimmed().split(' ').first().toLongLong();
    return -1;
}

} // namespace

TUsoProcesso UsoDoProcesso()
{
    TUsoProcesso xUso;
    rusage xConta{};
    if (getrusage(RUSAGE_SELF, &xConta) == 0)
        xUso.CpuSegundos = double(xConta.ru_utime.tv_sec) + double(xConta.ru_utime.tv_usec) / 1e6 +
                           double(xConta.ru_stime.tv_sec) + double(xConta.ru_stime.tv_usec) / 1e6;
    xUso.ResidenteKiB = StatusKiB("VmRSS");
    xUso.PicoKiB = StatusKiB("VmHWM");
    return xUso;
}
