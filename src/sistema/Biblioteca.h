#pragma once

#include <QString>
#include <QStringList>

// Shared libraries loaded while the program runs (the Firebird client at the first connection).
namespace Biblioteca {

// Called first thing at start, before any library is loaded by name: from then on the process looks for
// libraries only in the program's own folder and the system's. Windows: never in the working folder nor
// in a PATH folder, where anyone who can write there would plant a DLL that runs as the user.
// POSIX: nothing to do (the working directory is never searched).
void ProtegeBusca();

// The file names of the Firebird client library on this system, in the order they are tried.
// POSIX: Debian's "libfbclient.so.2", then "libfbclient.so", "libgds.so.0", "libgds.so".
// Windows: "fbclient.dll", then the older "gds32.dll".
QStringList NomesClienteFirebird();

// Where the Firebird client is looked for, in order.
// POSIX: the names above, searched where the system looks for libraries.
// Windows, full paths only: "fbclient.dll" then "gds32.dll" beside the executable (the customer's own
// copy); the "fbclient.dll" of each Firebird instance registered on the PC (the values of
// HKLM\SOFTWARE\Firebird Project\Firebird Server\Instances, 64-bit view then 32-bit view), in its
// folder then in its "bin"; "fbclient.dll" then "gds32.dll" in the system folder, then in the 32-bit
// system folder (SysWOW64: never usable, but a client there is worth naming when it is the only one);
// last the client shipped with the program, "firebird\fbclient.dll" beside the executable.
QStringList CandidatosClienteFirebird();

// Why a library could not be loaded, from the least to the most telling.
enum class TRecusa
{
    Nenhuma,     // it loaded
    Ausente,     // no file there (POSIX: the system found none of that name)
    Outra,       // the system refused it for another reason, given in the message
    Antiga,      // it loads but lacks what the program needs (decided by the caller)
    Dependencia, // the file is there but a library it needs is not
    Arquitetura, // a library for another kind of processor (a 32-bit one for this 64-bit program)
};

struct TFalha
{
    TRecusa Recusa = TRecusa::Nenhuma;
    QString Mensagem; // in Portuguese, naming the file: "C:\Firebird\fbclient.dll: é de 32 bits ..."
};

// Loads the library pCandidato (one of CandidatosClienteFirebird, or any path) with all its symbols
// resolved, visible to libraries it loads in turn (POSIX: RTLD_NOW | RTLD_GLOBAL). Windows: a full path
// only (anything else is refused), its header read first (a 32-bit library is refused without loading
// it), then loaded with its own folder and the system's as the only places for the libraries it needs.
// Returns the library, or nullptr with the reason in pFalha.
void* Carrega(const QString& pCandidato, TFalha* pFalha);

// The full path of the file a loaded library came from (native separators); empty when unknown.
QString Caminho(void* pBiblioteca);

// The function pNome of a loaded library; nullptr when it has none.
void* Funcao(void* pBiblioteca, const char* pNome);

// Unloads a library Carrega loaded.
void Descarrega(void* pBiblioteca);

} // namespace Biblioteca
