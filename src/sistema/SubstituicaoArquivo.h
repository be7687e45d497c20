#pragma once

#include <QByteArray>
#include <QString>

// Replaces the content of the file pDestino (not a link) with pBytes so that a crash leaves the old
// content or the new one, never a mix: a temporary file beside it takes the bytes, reaches the disk and
// is renamed over it. A folder that takes no new file, around a file that may be written, gets the file
// written in place instead (a full disk never costs the file its content). False when it failed.
//
// The file may hold a secret: one made here is readable and writable by its owner only, whatever the
// umask (POSIX mode 0600); one that exists keeps its mode and, where allowed, its owner. On Windows the
// file has the permissions its folder passes on (the user's folders are the user's own).
bool SubstituiArquivo(const QString& pDestino, const QByteArray& pBytes);
