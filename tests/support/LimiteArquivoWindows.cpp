#include "support/LimiteArquivo.h"

// Windows has no per-process file size limit; the write-failure tests run on Linux.
bool TLimiteArquivo::Disponivel()
{
    return false;
}

TLimiteArquivo::TLimiteArquivo() = default;
TLimiteArquivo::~TLimiteArquivo() = default;

bool TLimiteArquivo::Limita(qint64)
{
    return false;
}

bool TLimiteArquivo::Restaura()
{
    return false;
}
