#pragma once

#include <QString>

// Where the notes service lives: key "Host" of section "RECEPCAONF" in Tarnwick.ini in the working
// directory; the build's default host (TARNWICK_NOTES_HOST_DEFAULT) when the file names none.
QString HostServicoNotas();

// One value of an INI file read as the Windows profile functions do: blanks trimmed, ";" comment lines,
// section and key names without regard to case, the first match wins, one pair of enclosing quotes
// dropped. Empty when the file, the section or the key is missing.
QString LeValorIni(const QString& pArquivo, const QString& pSecao, const QString& pChave);
