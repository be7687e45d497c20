#pragma once

#include <QtGlobal>

// The process's file size limit, which stands in for a full disk in the tests of failed writes: once set,
// a write past the limit fails (and SIGXFSZ is ignored, so it fails with an error rather than killing the
// test). Windows has no such per-process limit: there Disponivel() is false and the tests skip.
class TLimiteArquivo
{
public:
    static bool Disponivel();

    // Records the limit in force; the destructor puts it back.
    TLimiteArquivo();
    ~TLimiteArquivo();
    TLimiteArquivo(const TLimiteArquivo&) = delete;
    TLimiteArquivo& operator=(const TLimiteArquivo&) = delete;

    // Writes past pBytes fail from now on; false when the limit could not be set.
    bool Limita(qint64 pBytes);
    // The limit recorded at construction again.
    bool Restaura();

private:
    quint64 vAntes = 0;
    bool vGravado = false;
};
