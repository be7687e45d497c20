#pragma once

#include <QtGlobal>

// The calling thread as the system knows it.

// The system's id of the calling thread (gettid, GetCurrentThreadId): what the log writes in its lines.
quint32 IdThreadAtual();

// Lowers the calling thread's scheduling priority, so that the other threads of the program come first
// when the processors are busy (POSIX: nice 10 for this thread alone; Windows: below normal).
void ReduzPrioridadeDaThread();
