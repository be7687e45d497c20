#include "sistema/Publicacao.h"

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

TErroSistema PublicaSemSobrescrever(const QString& pDe, const QString& pPara)
{
    const QByteArray xDe = QFile::encodeName(pDe);
    const QByteArray xPara = QFile::encodeName(pPara);
    // One atomic step where the file system offers it.
    if (::renameat2(AT_FDCWD, xDe.constData(), AT_FDCWD, xPara.constData(), RENAME_NOREPLACE) == 0)
        return {};
    int xErro = errno;
    if (xErro != EINVAL && xErro != ENOSYS && xErro != ENOTSUP && xErro != EOPNOTSUPP)
        return TErroSistema(xErro);
    // Otherwise a second name, which link() never puts over an existing file, then the first one goes.
    if (::link(xDe.constData(), xPara.constData()) == 0) {
        ::unlink(xDe.constData());
        return {};
    }
    xErro = errno;
    if (xErro != EPERM && xErro != ENOTSUP && xErro != EOPNOTSUPP && xErro != ENOSYS)
        return TErroSistema(xErro);
    // File systems without links (FAT): the name is first reserved exclusively, then ours replaces our
    // own empty reservation.
    const int xReserva = ::open(xPara.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (xReserva < 0)
        return TErroSistema::Ultimo();
    ::close(xReserva);
    if (::rename(xDe.constData(), xPara.constData()) != 0) {
        xErro = errno;
        ::unlink(xPara.constData());
        return TErroSistema(xErro);
    }
    return {};
}

TErroSistema PublicaSubstituindo(const QString& pDe, const QString& pPara)
{
    if (::rename(QFile::encodeName(pDe).constData(), QFile::encodeName(pPara).constData()) != 0)
        return TErroSistema::Ultimo();
    return {};
}
