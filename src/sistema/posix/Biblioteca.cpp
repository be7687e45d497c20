#include "sistema/Biblioteca.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>
#include <link.h>

namespace Biblioteca {

void ProtegeBusca()
{
    // The dynamic loader never looks in the working directory unless told to by LD_LIBRARY_PATH, which
    // whoever starts the program controls anyway.
}

QStringList NomesClienteFirebird()
{
    return {QStringLiteral("libfbclient.so.2"), QStringLiteral("libfbclient.so"),
            QStringLiteral("libgds.so.0"), QStringLiteral("libgds.so")};
}

QStringList CandidatosClienteFirebird()
{
    return NomesClienteFirebird();
}

namespace {

// dlerror's text tells the cases apart: "<file>: cannot open shared object file: No such file or
// directory" names the candidate itself when it is missing and a library it needs otherwise; "wrong ELF
// class" is a library of the other word size.
TRecusa Recusa(const QString& pCandidato, const QString& pErro)
{
    if (pErro.contains(QStringLiteral("wrong ELF class")))
        return TRecusa::Arquitetura;
    if (!pErro.contains(QStringLiteral("cannot open shared object file")))
        return TRecusa::Outra;
    const QString xArquivo = pErro.section(QStringLiteral(": "), 0, 0);
    return xArquivo == pCandidato || xArquivo == QFileInfo(pCandidato).fileName() ? TRecusa::Ausente
                                                                                    : TRecusa::Dependencia;
}

} // namespace

void* Carrega(const QString& pCandidato, TFalha* pFalha)
{
    // Global: the engine's plugins, loaded by the client, resolve its symbols.
    void* xBiblioteca = dlopen(QFile::encodeName(pCandidato).constData(), RTLD_NOW | RTLD_GLOBAL);
    if (!xBiblioteca && pFalha) {
        const char* xErro = dlerror();
        pFalha->Mensagem = xErro ? QString::fromLocal8Bit(xErro) : pCandidato;
        pFalha->Recusa = Recusa(pCandidato, pFalha->Mensagem);
        // The file is named first, as on Windows, even where the reason names another (the one missing).
        if (!pFalha->Mensagem.startsWith(pCandidato + QStringLiteral(": ")))
            pFalha->Mensagem = pCandidato + QStringLiteral(": ") + pFalha->Mensagem;
    }
    return xBiblioteca;
}

QString Caminho(void* pBiblioteca)
{
    // The loader's own record of the file it mapped: the full path it found a bare name at.
    link_map* xMapa = nullptr;
    if (dlinfo(pBiblioteca, RTLD_DI_LINKMAP, &xMapa) != 0 || !xMapa || !xMapa->l_name)
        return {};
    const QString xCaminho = QFile::decodeName(xMapa->l_name);
    return xCaminho.isEmpty() ? QString() : QFileInfo(xCaminho).absoluteFilePath();
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
