#pragma once

#include <QString>

// Where the daily log files go. The folder "log" beside the executable comes first, so a copied or
// portable program keeps its log with it. Where that folder cannot be created or written (a program
// installed under /usr run by an ordinary user, or under Program Files), the user's own log folder takes
// the log instead (PastaLogDoUsuario, sistema/Pastas.h: ~/.local/state/tarnwick/log by default,
// %LOCALAPPDATA%\Tarnwick\log on Windows). The file names and the lines are the same in either folder.

// Chooses the folder from pPastaAoLado, the folder "log" beside the executable, and creates it with its
// missing parents (folders made in the user's folder are private: mode 0700 on POSIX). The result ends in
// a separator. When neither folder can be written the result is pPastaAoLado: its lines are then dropped.
QString EscolhePastaLog(const QString& pPastaAoLado);
