#pragma once

#include <QString>

// The folder where the embedded Firebird engine keeps its lock files.
//
// POSIX: the engine's own folder (/tmp/firebird) belongs to the firebird group, and a user outside it
// cannot open a local database there. Such a user gets a folder of his own, made with permissions only
// he has (details in sistema/posix/PastaTravasPosix.h). Windows: the engine's own choice stands; nothing
// is prepared.
namespace PastaTravas {

// Prepares the lock folder for this process's engine; must run before the client library is loaded.
// Nothing changes when FIREBIRD_LOCK is already set (by whoever started the program). Returns the
// folder the engine will use (empty on Windows: the engine's own). Never raises.
QString Prepara();

} // namespace PastaTravas
