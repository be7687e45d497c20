#pragma once

#include <QByteArray>
#include <QStringView>

// The text in the Windows-1252 code page of the log files. A character with no Windows-1252 form
// (the C1 controls included, and each surrogate pair or stray surrogate) becomes one "?".
// Needs no codec tables, so writers still running at process exit can use it.
QByteArray ParaWindows1252(QStringView pTexto);
