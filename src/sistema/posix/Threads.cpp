#include "sistema/Threads.h"

#include <sys/resource.h>
#include <unistd.h>

quint32 IdThreadAtual()
{
    return static_cast<quint32>(gettid());
}

void ReduzPrioridadeDaThread()
{
    // On Linux a thread has a nice value of its own, set through its id.
    setpriority(PRIO_PROCESS, id_t(gettid()), 10);
}
