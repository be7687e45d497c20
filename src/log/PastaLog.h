#pragma once

#include <QString>

// Where the daily log files go. The folder "log" beside the executable comes first, so a copied or
// portable program (the build tree, a folder the user unpacked or installed for himself) keeps its log
// with it. A program in a folder of the system's programs (ProgramaDoSistema, sistema/Pastas.h: under
// /usr, or %ProgramFiles% on Windows) never writes there, whoever runs it, and where the folder beside
// cannot be created or written, the user's own log folder takes the log instead (PastaLogDoUsuario:
// ~/.local/state/tarnwick/log by default, %LOCALAPPDATA%\Tarnwick\log on Windows). The file names and the
// lines are the same in either folder.

// Chooses the folder from pPastaAoLado, the folder "log" beside the executable, skipped when
// pProgramaDoSistema, and creates it with its missing parents (folders made in the user's folder are
// private: mode 0700 on POSIX). The result ends in a separator. When no folder can be written the result
// is the last one tried: its lines are then dropped.
QString EscolhePastaLog(const QString& pPastaAoLado, bool pProgramaDoSistema);
