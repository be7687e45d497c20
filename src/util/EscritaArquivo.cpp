#include "util/EscritaArquivo.h"

#include <cerrno>
#include <unistd.h>

bool EscreveTudo(int pArquivo, const QByteArray& pBytes)
{
    const char* xDados = pBytes.constData();
    qsizetype xFalta = pBytes.size();
    while (xFalta > 0) {
        const ssize_t xEscritos = write(pArquivo, xDados, static_cast<size_t>(xFalta));
        if (xEscritos < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        xDados += xEscritos;
        xFalta -= xEscritos;
    }
    return true;
}
