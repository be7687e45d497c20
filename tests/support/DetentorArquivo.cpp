#include "support/DetentorArquivo.h"

#include <chrono>

// What both systems share: letting go, now or later. Each system's file opens and closes the handle.

TDetentorArquivo::~TDetentorArquivo()
{
    if (vLiberador.joinable())
        vLiberador.join();
    Libera();
}

void TDetentorArquivo::LiberaApos(int pMs)
{
    vLiberador = std::thread([this, pMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(pMs));
        Libera();
    });
}

void TDetentorArquivo::Libera()
{
    std::lock_guard<std::mutex> xTrava(vTrava);
    if (vArquivo != -1) {
        Fecha(vArquivo);
        vArquivo = -1;
    }
}
