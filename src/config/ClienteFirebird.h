#pragma once

#include <QString>
#include <QStringList>

namespace Firebird {
class IMaster;
}

// The Firebird client library (fbclient), loaded by the first connection instead of at program start:
// a machine without it still opens the window, and the connection fails with the reason.
namespace ClienteFirebird {

// The client's master interface. The first call prepares the engine's lock folder (PastaTravas) and
// loads the first candidate (Candidatos()) that loads and speaks the interface this program was built
// for; the log then says which file that was (full path), once per process, after a warning for each
// candidate that was there but could not be used. Raises EConexaoBD when none can be used:
//   "Biblioteca cliente do Firebird não encontrada (<names>)." when no candidate exists, followed on
//   Windows by the folders looked in ("Procurada em: ...") and on POSIX by the system's reason;
//   "Biblioteca cliente do Firebird não pôde ser usada (<names>)." when some were there, followed by
//   one line per such file naming it and saying why ("é de 32 bits", "falta uma DLL", "antiga demais").
// The next call tries again (a client may have been installed meanwhile).
Firebird::IMaster* Master();

// The names of the client on this system (Biblioteca::NomesClienteFirebird): on Debian
// "libfbclient.so.2", then "libfbclient.so", "libgds.so.0", "libgds.so"; on Windows "fbclient.dll",
// then "gds32.dll".
QStringList NomesBiblioteca();

// What is tried, in order: Biblioteca::CandidatosClienteFirebird() (POSIX: the names above, where the
// system looks for libraries; Windows: full paths, the customer's own client first and the one shipped
// in the program's "firebird" folder last), or the names given to DefineNomesBiblioteca.
QStringList Candidatos();

// Test seam: the names (or full paths) to try instead of the usual ones; empty restores them. Takes
// effect for a library not loaded yet.
void DefineNomesBiblioteca(const QStringList& pNomes);

} // namespace ClienteFirebird
