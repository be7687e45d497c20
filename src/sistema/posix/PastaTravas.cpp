#include "sistema/posix/PastaTravasPosix.h"

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace PastaTravas {

namespace {

QByteArray Bytes(const QString& pCaminho)
{
    return QFile::encodeName(pCaminho);
}

// A real folder (lstat: a link is refused) owned by pUsuario and closed to group and others.
bool PastaFechada(const QByteArray& pCaminho, uid_t pUsuario)
{
    struct stat xInfo
    {
    };
    return lstat(pCaminho.constData(), &xInfo) == 0 && S_ISDIR(xInfo.st_mode) && xInfo.st_uid == pUsuario &&
           (xInfo.st_mode & 077) == 0;
}

} // namespace

bool PadraoUtilizavel(const QString& pPasta)
{
    if (geteuid() == 0)
        return true; // the engine makes it when missing and may use it whatever its owner
    const QByteArray xCaminho = Bytes(pPasta);
    struct stat xInfo
    {
    };
    if (lstat(xCaminho.constData(), &xInfo) != 0 || !S_ISDIR(xInfo.st_mode))
        return false; // missing: made by this user it would lock out everyone else
    return faccessat(AT_FDCWD, xCaminho.constData(), R_OK | W_OK | X_OK, AT_EACCESS) == 0;
}

QString PastaSegura(const QString& pBase, const QString& pNome, uid_t pUsuario)
{
    const QString xPasta = pBase + u'/' + pNome;
    const QByteArray xCaminho = Bytes(xPasta);
    if (mkdir(xCaminho.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    struct stat xInfo
    {
    };
    if (lstat(xCaminho.constData(), &xInfo) != 0 || !S_ISDIR(xInfo.st_mode) || xInfo.st_uid != pUsuario)
        return {};
    if ((xInfo.st_mode & 077) != 0) {
        // Ours but open to others: close it, through a handle on the folder itself, never a link.
        const int xDescritor = open(xCaminho.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (xDescritor < 0)
            return {};
        const bool xFechada = fchmod(xDescritor, 0700) == 0;
        close(xDescritor);
        if (!xFechada || !PastaFechada(xCaminho, pUsuario))
            return {};
    }
    return xPasta;
}

QString PastaDoUsuario(uid_t pUsuario, const QString& pRuntimeDir)
{
    if (pRuntimeDir.startsWith(u'/') && PastaFechada(Bytes(pRuntimeDir), pUsuario)) {
        const QString xPasta = PastaSegura(pRuntimeDir, QStringLiteral("tarnwick-firebird"), pUsuario);
        if (!xPasta.isEmpty())
            return xPasta;
    }
    const QString xNome = QStringLiteral("tarnwick-%1").arg(pUsuario);
    const QString xPasta = PastaSegura(QStringLiteral("/tmp"), xNome, pUsuario);
    if (!xPasta.isEmpty())
        return xPasta;
    // The name is someone else's (or a link): a fresh folder that only this process could have made.
    QByteArray xModelo = Bytes(QStringLiteral("/tmp/%1-XXXXXX").arg(xNome));
    if (!mkdtemp(xModelo.data()))
        return {};
    return QFile::decodeName(xModelo);
}

QString Prepara()
{
    if (const char* xDefinida = std::getenv(VARIAVEL_ENGINE); xDefinida && *xDefinida)
        return QFile::decodeName(xDefinida);
    const QString xPadrao = QString::fromLatin1(PASTA_PADRAO);
    if (PadraoUtilizavel(xPadrao))
        return xPadrao;
    const uid_t xUsuario = geteuid();
    const char* xRuntime = std::getenv("XDG_RUNTIME_DIR");
    const QString xPasta = PastaDoUsuario(xUsuario, xRuntime ? QFile::decodeName(xRuntime) : QString());
    if (xPasta.isEmpty())
        return xPadrao;
    // Set before the client library is loaded, while the GUI thread is the only one reading the
    // environment; the engine reads it when it first needs a lock.
    setenv(VARIAVEL_ENGINE, Bytes(xPasta).constData(), 1);
    return xPasta;
}

} // namespace PastaTravas
