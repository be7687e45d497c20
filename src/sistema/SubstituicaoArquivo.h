#pragma once

#include "sistema/ErroSistema.h"

#include <QByteArray>
#include <QString>

// Replaces the content of the file pDestino (not a link) with pBytes so that a crash leaves the old
// content or the new one, never a mix: a temporary file beside it, under a hidden name (".<name>.<six
// random characters>", also marked hidden on Windows), takes the bytes, reaches the disk and is renamed
// over it, once. A folder that takes no new file, around a file that may be written, gets the file
// written in place instead (a full disk never costs the file its content). Returns why it failed; the
// temporary file is gone then (or, when even its removal fails, still hidden).
//
// The file may hold a secret: one made here is readable and writable by its owner only, whatever the
// umask (POSIX mode 0600; on Windows the permissions its folder passes on, the user's folders being the
// user's own); one that exists keeps its permissions: its mode and, where allowed, its owner on POSIX,
// its access control list (explicit entries, and whether it takes those its folder passes on) on
// Windows. Another program that holds the file for a moment is waited for (RepeteEnquantoOcupado).
TErroSistema SubstituiArquivo(const QString& pDestino, const QByteArray& pBytes);
