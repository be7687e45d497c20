#pragma once

#include <QByteArray>

// Writes every byte of pBytes to the open file descriptor pArquivo, going on after partial writes and
// interruptions by signals; false, with errno set, when a write fails.
bool EscreveTudo(int pArquivo, const QByteArray& pBytes);
