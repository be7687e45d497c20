#pragma once

#include <QString>

// The executable's place and the user's own folders. Paths use "/" as their separator on every system,
// as Qt does.

// Full path of the running executable (also before the application object exists).
QString CaminhoExecutavel();

// True when the executable pExecutavel (a full path) lies in a folder of the system's programs, where a
// program never writes: POSIX: under /usr (/usr/local included), symbolic links followed first;
// Windows: under %ProgramFiles% (either the 64-bit or the 32-bit one), or in the folder of the installation
// for all users (the machine's uninstall entry of Tarnwick names it), wherever its administrator put it.
bool ProgramaDoSistema(const QString& pExecutavel);

// The user's home folder (no separator at the end).
// POSIX: $HOME, as Qt reads it (QDir::homePath()).
// Windows: %USERPROFILE% when it holds an absolute path, else the shell's profile folder (the same rule
// as the other folders of the profile below; Qt's own answer reads the account, never the variable).
QString PastaPessoalDoUsuario();

// Where the log goes when the folder "log" beside the executable cannot be written, ending in a
// separator; made by nothing here.
// POSIX: $XDG_STATE_HOME/tarnwick/log, by default ~/.local/state/tarnwick/log (an XDG_STATE_HOME that is
// empty or not an absolute path is ignored, as the XDG base directories say).
// Windows: %LOCALAPPDATA%\Tarnwick\log.
QString PastaLogDoUsuario();

// The program's working folder when the launcher starts it with its switch (no separator at the end);
// made by nothing here.
// POSIX: $XDG_CONFIG_HOME/tarnwick, by default ~/.config/tarnwick (the same rule for the variable).
// Windows: %APPDATA%\Tarnwick.
QString PastaConfiguracaoDoUsuario();

// Makes pPasta with every missing parent. In the user's own folders: every folder made gets mode 0700 on
// POSIX, as the XDG base directories ask (Windows: the permissions the parent passes on); folders already
// there are left as they are. True when pPasta is a folder at the end.
bool CriaPastaPrivada(const QString& pPasta);

// True when pPasta is a folder in which this process can create and append files.
bool PastaGravavel(const QString& pPasta);
