#include "support/LimiteArquivo.h"

#include <csignal>
#include <sys/resource.h>

bool TLimiteArquivo::Disponivel()
{
    return true;
}

TLimiteArquivo::TLimiteArquivo()
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit xAtual{};
    vGravado = getrlimit(RLIMIT_FSIZE, &xAtual) == 0;
    vAntes = xAtual.rlim_cur;
}

TLimiteArquivo::~TLimiteArquivo()
{
    Restaura();
}

bool TLimiteArquivo::Limita(qint64 pBytes)
{
    rlimit xLimite{};
    if (!vGravado || getrlimit(RLIMIT_FSIZE, &xLimite) != 0)
        return false;
    xLimite.rlim_cur = rlim_t(pBytes);
    return setrlimit(RLIMIT_FSIZE, &xLimite) == 0;
}

bool TLimiteArquivo::Restaura()
{
    rlimit xLimite{};
    if (!vGravado || getrlimit(RLIMIT_FSIZE, &xLimite) != 0)
        return false;
    xLimite.rlim_cur = rlim_t(vAntes);
    return setrlimit(RLIMIT_FSIZE, &xLimite) == 0;
}
