#include "sistema/Threads.h"

#include <windows.h>

quint32 IdThreadAtual()
{
    return static_cast<quint32>(GetCurrentThreadId());
}

void ReduzPrioridadeDaThread()
{
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
}
