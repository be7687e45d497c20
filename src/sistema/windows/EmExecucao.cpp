#include "sistema/EmExecucao.h"

#include <windows.h>

void MarcaEmExecucao()
{
    // Kept open until the process ends: Windows closes it then, and the mutex goes with its last handle.
    // Not owned: its existence is the mark. Where it cannot be made (another user's copy made it and its
    // rights keep this one out), that copy's mutex already says the program runs.
    static const HANDLE xMarca = CreateMutexW(nullptr, FALSE, NOME_MARCA_EM_EXECUCAO);
    (void)xMarca;
}
