#pragma once

#include <QString>
#include <QtGlobal>
#include <mutex>
#include <thread>

// Another program that holds a file for a moment, as an antivirus, the search indexer or a sync agent
// does with a freshly closed file: on Windows the file is opened for reading without delete sharing, so
// renaming, replacing or removing it fails (sharing violation) until it is let go. A POSIX system has no
// such hold (Impede() is false there): the file is only opened, and nothing waits for it.
class TDetentorArquivo
{
public:
    static bool Impede();

    TDetentorArquivo() = default;
    ~TDetentorArquivo(); // lets go, and waits for LiberaApos's thread
    TDetentorArquivo(const TDetentorArquivo&) = delete;
    TDetentorArquivo& operator=(const TDetentorArquivo&) = delete;

    // Holds pCaminho; false when it cannot be opened.
    bool Abre(const QString& pCaminho);
    // Lets go pMs milliseconds from now, from a thread of its own (the test meanwhile works on the file).
    void LiberaApos(int pMs);
    void Libera();

private:
    static void Fecha(qintptr pArquivo); // per system: closes what Abre opened

    std::mutex vTrava;
    qintptr vArquivo = -1;
    std::thread vLiberador;
};
