#pragma once

#include <QString>

// Where the notes service lives: key "Host" of section "RECEPCAONF" in Tarnwick.ini in the working
// directory; the build's default host (TARNWICK_NOTES_HOST_DEFAULT) when the file names none.
QString HostServicoNotas();
