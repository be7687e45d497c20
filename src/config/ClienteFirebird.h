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
// loads the first library of NomesBiblioteca() that loads. Raises EConexaoBD with the reason when none
// does; the next call tries again (the library may have been installed meanwhile).
Firebird::IMaster* Master();

// The names tried, in order (Biblioteca::NomesClienteFirebird): on Debian "libfbclient.so.2", then
// "libfbclient.so", "libgds.so.0", "libgds.so", searched where the system looks for libraries; on
// Windows "fbclient.dll", then "gds32.dll", beside the executable first, then by the system's search.
QStringList NomesBiblioteca();

// Test seam: the names (or full paths) to try instead of the usual ones; empty restores them. Takes
// effect for a library not loaded yet.
void DefineNomesBiblioteca(const QStringList& pNomes);

} // namespace ClienteFirebird
