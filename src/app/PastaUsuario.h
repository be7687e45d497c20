#pragma once

#include "sistema/Pastas.h"

#include <QString>

// The installed launcher starts the program with this switch: it then works in the user's own
// configuration folder (PastaConfiguracaoDoUsuario, sistema/Pastas.h: by default ~/.config/tarnwick, made
// on first start with mode 0700; %APPDATA%\Tarnwick on Windows), so that Tarnwick.ini is read and saved
// there. Without the switch the program works in the folder it was started from, as before.
inline constexpr char ARGUMENTO_PASTA_DO_USUARIO[] = "--pasta-do-usuario";

// When argv holds the switch, makes that folder and changes into it. Returns the message to show when
// this failed, empty otherwise (and always without the switch). Runs before the application object.
QString EntraNaPastaDoUsuario(int argc, const char* const* argv);

// The folder the file and folder pickers open in: the working directory, unless that is the program's
// own configuration folder (started from the launcher), a hidden folder the user never chose: then the
// user's home folder (PastaPessoalDoUsuario, sistema/Pastas.h).
QString PastaInicialDosSeletores();
