#pragma once

#include <QString>

// Where the daily log files go. The folder "log" beside the executable comes first, so a copied or
// portable program (the build tree, a folder the user unpacked or installed for himself) keeps its log
// with it. A program in a folder of the system's programs never writes there, whoever runs it, and where
// the folder beside cannot be created or written, the user's state folder takes the log instead:
// $XDG_STATE_HOME/tarnwick/log, by default ~/.local/state/tarnwick/log. The file names and the lines
// are the same in either folder.

// True when the executable pExecutavel (a full path) lies in a folder of the system's programs: under
// /usr, /usr/local included; symbolic links are followed first. The one place that decides it (on Windows
// it is %ProgramFiles% that counts).
bool ProgramaDoSistema(const QString& pExecutavel);

// Chooses the folder from pPastaAoLado, the folder "log" beside the executable, skipped when
// pProgramaDoSistema, and creates it with its missing parents (folders made in the state folder get mode
// 0700). The result ends in a separator. When no folder can be written the result is the last one tried:
// its lines are then dropped.
QString EscolhePastaLog(const QString& pPastaAoLado, bool pProgramaDoSistema);

// The log folder in the user's state folder, ending in a separator; created by nothing here.
// An XDG_STATE_HOME that is empty or not an absolute path is ignored, as the XDG base directories say.
QString PastaLogDoUsuario();

// mkdir -p in the user's own folders: every folder it makes gets mode 0700, as the XDG base directories
// ask; folders already there are left as they are. True when pPasta is a folder at the end.
bool CriaPastaPrivada(const QString& pPasta);

// True when pPasta is a folder in which this process can create and append files.
bool PastaGravavel(const QString& pPasta);
