#include "sistema/Processo.h"

#include <windows.h>
// after windows.h, whose types it uses
#include <psapi.h>

namespace {

double Segundos(const FILETIME& pTempo)
{
    ULARGE_INTEGER xValor;
    xValor.LowPart = pTempo.dwLowDateTime;
    xValor.HighPart = pTempo.dwHighDateTime;
    return double(xValor.QuadPart) / 1e7; // units of 100 ns
}

} // namespace

TUsoProcesso UsoDoProcesso()
{
    TUsoProcesso xUso;
    FILETIME xCriacao, xFim, xSistema, xUsuario;
    if (GetProcessTimes(GetCurrentProcess(), &xCriacao, &xFim, &xSistema, &xUsuario))
        xUso.CpuSegundos = Segundos(xUsuario) + Segundos(xSistema);
    PROCESS_MEMORY_COUNTERS xMemoria{};
    xMemoria.cb = sizeof xMemoria;
    if (K32GetProcessMemoryInfo(GetCurrentProcess(), &xMemoria, sizeof xMemoria)) {
        xUso.ResidenteKiB = qint64(xMemoria.WorkingSetSize / 1024);
        xUso.PicoKiB = qint64(xMemoria.PeakWorkingSetSize / 1024);
    }
    return xUso;
}
