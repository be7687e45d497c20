#include "sistema/Pastas.h"

#include <QCoreApplication>
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

// An XDG base directory: the variable when it holds an absolute path, else its default under home.
QString PastaXdg(const char* pVariavel, const QString& pPadrao)
{
    const QString xPasta = qEnvironmentVariable(pVariavel);
    if (xPasta.isEmpty() || !QDir::isAbsolutePath(xPasta))
        return QDir::homePath() + pPadrao;
    return xPasta;
}

} // namespace

QString CaminhoExecutavel()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

bool ProgramaDoSistema(const QString& pExecutavel)
{
    const QFileInfo xInfo(pExecutavel);
    const QString xReal = xInfo.canonicalFilePath();
    const QString xCaminho = xReal.isEmpty() ? QDir::cleanPath(xInfo.absoluteFilePath()) : xReal;
    return xCaminho.startsWith(QStringLiteral("/usr/"));
}

QString PastaPessoalDoUsuario()
{
    return QDir::homePath();
}

QString PastaLogDoUsuario()
{
    return ComSeparador(PastaXdg("XDG_STATE_HOME", QStringLiteral("/.local/state"))) +
           QStringLiteral("tarnwick/log/");
}

QString PastaConfiguracaoDoUsuario()
{
    return QDir::cleanPath(PastaXdg("XDG_CONFIG_HOME", QStringLiteral("/.config")) +
                           QStringLiteral("/tarnwick"));
}

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
