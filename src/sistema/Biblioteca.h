#pragma once

#include <QString>
#include <QStringList>

// Shared libraries loaded while the program runs (the Firebird client at the first connection).
namespace Biblioteca {

// The file names of the Firebird client library on this system, in the order they are tried.
// POSIX: Debian's "libfbclient.so.2", then "libfbclient.so", "libgds.so.0", "libgds.so".
// Windows: "fbclient.dll", then the older "gds32.dll".
QStringList NomesClienteFirebird();

// Where libraries of the names pNomes are looked for, in order. POSIX: the names themselves (a name
// without a "/" is searched where the system looks for libraries). Windows: every name without a folder
// first as the file of that name beside the executable, then each name by the system's own search.
QStringList Candidatos(const QStringList& pNomes);

// Loads the library pCandidato (one of Candidatos) with all its symbols resolved, visible to libraries
// it loads in turn (POSIX: RTLD_NOW | RTLD_GLOBAL; Windows: a full path with
// LOAD_WITH_ALTERED_SEARCH_PATH, so that its own libraries are found beside it). Returns the library,
// or nullptr with the system's reason in pErro (which names the file).
void* Carrega(const QString& pCandidato, QString* pErro);

// The function pNome of a loaded library; nullptr when it has none.
void* Funcao(void* pBiblioteca, const char* pNome);

// Unloads a library Carrega loaded.
void Descarrega(void* pBiblioteca);

} // namespace Biblioteca
