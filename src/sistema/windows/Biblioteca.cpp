#include "sistema/Biblioteca.h"

#include "sistema/ErroSistema.h"
#include "sistema/Pastas.h"
#include "sistema/windows/CaminhoWindows.h"

#include <QDir>
#include <QFileInfo>
#include <windows.h>

namespace Biblioteca {

QStringList NomesClienteFirebird()
{
    return {QStringLiteral("fbclient.dll"), QStringLiteral("gds32.dll")};
}

QStringList Candidatos(const QStringList& pNomes)
{
    // The client installed beside the program comes first, before any other the system would find.
    const QString xPasta = QFileInfo(CaminhoExecutavel()).absolutePath();
    QStringList xCandidatos;
    for (const QString& xNome : pNomes)
        if (!xNome.contains(u'/') && !xNome.contains(u'\\'))
            xCandidatos << xPasta + u'/' + xNome;
    return xCandidatos + pNomes;
}

void* Carrega(const QString& pCandidato, QString* pErro)
{
    // A full path: the libraries the client needs are looked for in its folder first.
    const bool xComPasta = QDir::isAbsolutePath(pCandidato);
    const HMODULE xBiblioteca = LoadLibraryExW(TCaminhoWindows(pCandidato).c_str(), nullptr,
                                               xComPasta ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
    if (!xBiblioteca && pErro) {
        const TErroSistema xErro = TErroSistema::Ultimo();
        *pErro = QDir::toNativeSeparators(pCandidato) + QStringLiteral(": ") + xErro.Mensagem();
    }
    return reinterpret_cast<void*>(xBiblioteca);
}

void* Funcao(void* pBiblioteca, const char* pNome)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(pBiblioteca), pNome));
}

void Descarrega(void* pBiblioteca)
{
    FreeLibrary(static_cast<HMODULE>(pBiblioteca));
}

} // namespace Biblioteca
