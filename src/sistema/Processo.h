#pragma once

#include <QtGlobal>

// What this process has used of the machine so far: the benchmarks' figures.
struct TUsoProcesso
{
    double CpuSegundos = 0;   // user and system time of all its threads
    qint64 ResidenteKiB = -1; // resident memory now (POSIX: VmRSS; Windows: the working set); -1 unknown
    qint64 PicoKiB = -1;      // the most it has held resident (VmHWM; the peak working set)
};

TUsoProcesso UsoDoProcesso();
