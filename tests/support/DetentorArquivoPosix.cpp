#include "support/DetentorArquivo.h"

#include <QFile>
#include <chrono>
#include <fcntl.h>
#include <unistd.h>

bool TDetentorArquivo::Impede()
{
    return false; // an open descriptor stops no rename or removal
}

TDetentorArquivo::~TDetentorArquivo()
{
    if (vLiberador.joinable())
        vLiberador.join();
    Libera();
}

bool TDetentorArquivo::Abre(const QString& pCaminho)
{
    const int xDescritor = ::open(QFile::encodeName(pCaminho).constData(), O_RDONLY | O_CLOEXEC);
    if (xDescritor < 0)
        return false;
    std::lock_guard<std::mutex> xTrava(vTrava);
    vArquivo = xDescritor;
    return true;
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
        ::close(int(vArquivo));
        vArquivo = -1;
    }
}
