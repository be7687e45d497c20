#include "sistema/Biblioteca.h"

#include <QFile>
#include <dlfcn.h>

namespace Biblioteca {

QStringList NomesClienteFirebird()
{
    return {QStringLiteral("libfbclient.so.2"), QStringLiteral("libfbclient.so"),
            QStringLiteral("libgds.so.0"), QStringLiteral("libgds.so")};
}

QStringList Candidatos(const QStringList& pNomes)
{
    return pNomes;
}

void* Carrega(const QString& pCandidato, QString* pErro)
{
    // Global: the engine's plugins, loaded by the client, resolve its symbols.
    void* xBiblioteca = dlopen(QFile::encodeName(pCandidato).constData(), RTLD_NOW | RTLD_GLOBAL);
    if (!xBiblioteca && pErro) {
        const char* xErro = dlerror();
        *pErro = xErro ? QString::fromLocal8Bit(xErro) : pCandidato;
    }
    return xBiblioteca;
}

void* Funcao(void* pBiblioteca, const char* pNome)
{
    return dlsym(pBiblioteca, pNome);
}

void Descarrega(void* pBiblioteca)
{
    dlclose(pBiblioteca);
}

} // namespace Biblioteca
