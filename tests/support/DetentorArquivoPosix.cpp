#include "support/DetentorArquivo.h"

#include <QFile>
#include <fcntl.h>
#include <unistd.h>

bool TDetentorArquivo::Impede()
{
    return false; // an open descriptor stops no rename or removal
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

void TDetentorArquivo::Fecha(qintptr pArquivo)
{
    ::close(int(pArquivo));
}
