#include "support/PermissoesArquivo.h"

bool PermissoesArquivo::Disponivel()
{
    return false;
}

QString PermissoesArquivo::Acl(const QString&)
{
    return {};
}

bool PermissoesArquivo::DefineAclPropria(const QString&, const QString&)
{
    return false;
}
