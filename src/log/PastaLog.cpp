#include "log/PastaLog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString ComSeparador(const QString& pPasta)
{
    return pPasta.endsWith(u'/') ? pPasta : pPasta + u'/';
}

} // namespace

bool CriaPastaPrivada(const QString& pPasta)
{
    const QString xLimpa = QDir::cleanPath(pPasta);
    qsizetype xFim = 0;
    while (xFim >= 0) {
        xFim = xLimpa.indexOf(u'/', xFim + 1);
        const QString xParte = xFim < 0 ? xLimpa : xLimpa.left(xFim);
        if (::mkdir(QFile::encodeName(xParte).constData(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return QFileInfo(xLimpa).isDir();
}

bool PastaGravavel(const QString& pPasta)
{
    const QByteArray xNome = QFile::encodeName(pPasta);
    struct stat xInfo = {};
    if (::stat(xNome.constData(), &xInfo) != 0 || !S_ISDIR(xInfo.st_mode))
        return false;
    // The effective ids decide, as they will when the writers open the files.
    return ::faccessat(AT_FDCWD, xNome.constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

QString PastaLogDoUsuario()
{
    QString xEstado = qEnvironmentVariable("XDG_STATE_HOME");
    if (xEstado.isEmpty() || !QDir::isAbsolutePath(xEstado))
        xEstado = QDir::homePath() + QStringLiteral("/.local/state");
    return ComSeparador(xEstado) + QStringLiteral("tarnwick/log/");
}

bool ProgramaDoSistema(const QString& pExecutavel)
{
    const QFileInfo xInfo(pExecutavel);
    const QString xReal = xInfo.canonicalFilePath();
    const QString xCaminho = xReal.isEmpty() ? QDir::cleanPath(xInfo.absoluteFilePath()) : xReal;
    return xCaminho.startsWith(QStringLiteral("/usr/"));
}

QString EscolhePastaLog(const QString& pPastaAoLado, bool pProgramaDoSistema)
{
    const QString xAoLado = ComSeparador(pPastaAoLado);
    if (!pProgramaDoSistema) {
        QDir().mkpath(xAoLado);
        if (PastaGravavel(xAoLado))
            return xAoLado;
    }
    const QString xDoUsuario = PastaLogDoUsuario();
    if (CriaPastaPrivada(xDoUsuario) && PastaGravavel(xDoUsuario))
        return xDoUsuario;
    return pProgramaDoSistema ? xDoUsuario : xAoLado;
}
