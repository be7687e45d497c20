#pragma once

#include <QString>

// A failure the operating system reported: its own code (errno on POSIX, GetLastError() on Windows) and
// what it says about it. The kinds the program acts on are asked by name, so no caller needs the codes.
class TErroSistema
{
public:
    TErroSistema() = default; // no failure
    explicit TErroSistema(int pCodigo) : vCodigo(pCodigo) {}

    // The calling thread's last failure.
    static TErroSistema Ultimo();

    bool Falhou() const { return vCodigo != 0; }
    int Codigo() const { return vCodigo; }

    // The name is taken by a file (or folder) that exists.
    bool NomeExiste() const;
    // The system refused for lack of permission (a folder closed to new files, a read-only medium).
    bool AcessoNegado() const;
    // Another program holds the file for a moment (an antivirus, the search indexer, a backup or sync
    // agent that opens a freshly closed file without delete sharing): worth trying again shortly.
    // Windows: a sharing or lock violation, a denied access. Never on POSIX, where such a holder does not
    // stop a rename or a removal.
    bool Transitorio() const;

    // The system's own sentence for it, in Portuguese where the system has it (Windows: its Brazilian
    // Portuguese text, else the program's own for the failures of files it acts on, else the user's
    // language; POSIX: the locale's).
    QString Mensagem() const;

private:
    int vCodigo = 0;
};
