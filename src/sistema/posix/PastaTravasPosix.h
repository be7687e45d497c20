#pragma once

#include "sistema/PastaTravas.h"

#include <QString>
#include <sys/types.h>

// The engine's lock folder on POSIX. The engine's own folder (/tmp/firebird) belongs to the firebird
// group: a user outside it cannot open a local database there. Such a user gets a folder of his own,
// made with permissions only he has; root and the members of the group keep sharing the engine's folder
// with the other Firebird programs of the machine.
namespace PastaTravas {

// The engine's own lock folder.
inline constexpr char PASTA_PADRAO[] = "/tmp/firebird";
// The variable the engine reads its lock folder from.
inline constexpr char VARIAVEL_ENGINE[] = "FIREBIRD_LOCK";

// Prepara (sistema/PastaTravas.h): nothing changes when the variable is already set or when the
// engine's folder can be used by this user; otherwise the user's own folder is made (see PastaDoUsuario)
// and the variable set to it. When no folder of the user's own can be made, the engine's default stays
// and a local path fails with its message.

// Whether this process may use the engine's folder pPasta: as root always (the engine makes it when
// missing); otherwise when it is a real folder (not a link) the process can read, write and enter.
bool PadraoUtilizavel(const QString& pPasta);

// A lock folder of the user's own under pBase, made when missing: pBase + "/" + pNome, refused unless it
// is a real folder owned by pUsuario that no one else can enter (a folder of his with looser
// permissions is closed to 0700). Empty when it cannot be had.
QString PastaSegura(const QString& pBase, const QString& pNome, uid_t pUsuario);

// The user's folder: "tarnwick-firebird" in $XDG_RUNTIME_DIR when that is a folder of the user's own
// closed to others, else /tmp/tarnwick-<uid>, else a fresh /tmp/tarnwick-<uid>-XXXXXX when that name
// is taken by someone else. Empty when none can be made.
QString PastaDoUsuario(uid_t pUsuario, const QString& pRuntimeDir);

} // namespace PastaTravas
