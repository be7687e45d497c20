#include "sistema/ErroSistema.h"

#include <cerrno>
#include <cstring>

TErroSistema TErroSistema::Ultimo()
{
    return TErroSistema(errno);
}

bool TErroSistema::NomeExiste() const
{
    return vCodigo == EEXIST;
}

bool TErroSistema::AcessoNegado() const
{
    return vCodigo == EACCES || vCodigo == EPERM;
}

bool TErroSistema::Transitorio() const
{
    return false;
}

QString TErroSistema::Mensagem() const
{
    return QString::fromLocal8Bit(std::strerror(vCodigo));
}
