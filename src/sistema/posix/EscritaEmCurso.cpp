#include "sistema/EscritaEmCurso.h"

#include "sistema/AcessoArquivo.h"

#include <QFile>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

TArquivoSistema CriaArquivoOculto(const QString& pCaminho)
{
    return TArquivoSistema::CriaNovo(pCaminho);
}

bool TTravaEscrita::Toma(const QString& pCaminho)
{
    Libera();
    vArquivo = ::open(QFile::encodeName(pCaminho).constData(), O_RDONLY | O_CLOEXEC);
    return vArquivo >= 0 && ::flock(int(vArquivo), LOCK_EX | LOCK_NB) == 0;
}

void TTravaEscrita::Libera()
{
    if (vArquivo >= 0) {
        ::close(int(vArquivo));
        vArquivo = -1;
    }
}

bool RemoveSeAbandonado(const QString& pCaminho, int pIdadeMinimaSeg)
{
    const QByteArray xCaminho = QFile::encodeName(pCaminho);
    const int xDescritor = ::open(xCaminho.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (xDescritor < 0)
        return false;
    struct stat xInfo
    {
    };
    // Held by a live writer, or written to lately (its writer may not hold the lock yet): left alone.
    const bool xRemovido = ::fstat(xDescritor, &xInfo) == 0 && S_ISREG(xInfo.st_mode) &&
                           std::time(nullptr) - xInfo.st_mtime >= pIdadeMinimaSeg &&
                           ::flock(xDescritor, LOCK_EX | LOCK_NB) == 0 && ::unlink(xCaminho.constData()) == 0;
    ::close(xDescritor);
    return xRemovido;
}

TArquivoSistema AbreSeAbandonado(const QString& pCaminho, int pIdadeMinimaSeg)
{
    const int xDescritor = ::open(QFile::encodeName(pCaminho).constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (xDescritor < 0)
        return TAcessoArquivo::Falho(TErroSistema::Ultimo(), pCaminho);
    TArquivoSistema xArquivo = TAcessoArquivo::Aberto(xDescritor, pCaminho);
    struct stat xInfo
    {
    };
    // The lock is kept with the descriptor: a writer that comes now cannot take its hold.
    if (::fstat(xDescritor, &xInfo) != 0 || !S_ISREG(xInfo.st_mode) ||
        std::time(nullptr) - xInfo.st_mtime < pIdadeMinimaSeg || ::flock(xDescritor, LOCK_EX | LOCK_NB) != 0)
        return TAcessoArquivo::Falho(TErroSistema(), pCaminho);
    return xArquivo;
}
