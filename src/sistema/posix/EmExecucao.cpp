#include "sistema/EmExecucao.h"

void MarcaEmExecucao() {}
