#include "app/Programa.h"
#include "sistema/EmExecucao.h"

int main(int argc, char* argv[])
{
    // The installer and the uninstaller wait while this mark exists (Windows).
    MarcaEmExecucao();
    return ExecutaPrograma(argc, argv);
}
