#include "download/archive/ZipEmCurso.h"

#include "download/archive/ZipArquivo.h"
#include "util/Exception.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString MensagemSistema(int pErro)
{
    return QString::fromLocal8Bit(std::strerror(pErro));
}

QString ComBarra(const QString& pPasta)
{
    return pPasta.endsWith(u'/') ? pPasta : pPasta + u'/';
}

// The hidden name of an archive being written: "." + name + ".zip." + 8 hex digits + ".part".
QString NomeOculto(const QString& pNomeBase, quint32 pSorteio)
{
    return u'.' + pNomeBase + QStringLiteral(".zip.%1.part").arg(pSorteio, 8, 16, QLatin1Char('0'));
}

} // namespace

int RemoveRestosDeEscrita(const QString& pPasta, const QString& pNomeBase, int pIdadeMinimaSeg)
{
    const QRegularExpression xPadrao(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(u'.' + pNomeBase + QStringLiteral(".zip.")) +
        QStringLiteral("[0-9a-f]{8}\\.part")));
    const QStringList xCandidatos = QDir(pPasta).entryList({u'.' + pNomeBase + QStringLiteral(".zip.*.part")},
                                                           QDir::Files | QDir::Hidden);
    int xRemovidos = 0;
    for (const QString& xNome : xCandidatos) {
        if (!xPadrao.match(xNome).hasMatch())
            continue;
        const QByteArray xCaminho = QFile::encodeName(ComBarra(pPasta) + xNome);
        const int xDescritor = ::open(xCaminho.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
        if (xDescritor < 0)
            continue;
        struct stat xInfo {};
        // Held by a live writer, or written to lately (its writer may not hold the lock yet): left alone.
        if (::fstat(xDescritor, &xInfo) == 0 && S_ISREG(xInfo.st_mode) &&
            std::time(nullptr) - xInfo.st_mtime >= pIdadeMinimaSeg &&
            ::flock(xDescritor, LOCK_EX | LOCK_NB) == 0 && ::unlink(xCaminho.constData()) == 0)
            ++xRemovidos;
        ::close(xDescritor);
    }
    return xRemovidos;
}

int PublicaSemSobrescrever(const QByteArray& pDe, const QByteArray& pPara)
{
    // One atomic step where the file system offers it.
    if (::renameat2(AT_FDCWD, pDe.constData(), AT_FDCWD, pPara.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    int xErro = errno;
    if (xErro != EINVAL && xErro != ENOSYS && xErro != ENOTSUP && xErro != EOPNOTSUPP)
        return xErro;
    // Otherwise a second name, which link() never puts over an existing file, then the first one goes.
    if (::link(pDe.constData(), pPara.constData()) == 0) {
        ::unlink(pDe.constData());
        return 0;
    }
    xErro = errno;
    if (xErro != EPERM && xErro != ENOTSUP && xErro != EOPNOTSUPP && xErro != ENOSYS)
        return xErro;
    // File systems without links (FAT): the name is first reserved exclusively, then ours replaces our
    // own empty reservation.
    const int xReserva = ::open(pPara.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (xReserva < 0)
        return errno;
    ::close(xReserva);
    if (::rename(pDe.constData(), pPara.constData()) != 0) {
        xErro = errno;
        ::unlink(pPara.constData());
        return xErro;
    }
    return 0;
}

TZipEmCurso::TZipEmCurso(const QString& pPasta, const QString& pNomeBase)
{
    RemoveRestosDeEscrita(pPasta, pNomeBase);
    for (int xTentativa = 0;; ++xTentativa) {
        const QString xCaminho =
            ComBarra(pPasta) + NomeOculto(pNomeBase, QRandomGenerator::global()->generate());
        const QByteArray xNome = QFile::encodeName(xCaminho);
        const int xDescritor = ::open(xNome.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (xDescritor < 0) {
            const int xErro = errno;
            if (xErro == EEXIST && xTentativa < 100)
                continue;
            // Named as the user will know it, not by its hidden name.
            throw Exception(QStringLiteral("Não foi possível criar o arquivo \"") + ComBarra(pPasta) +
                            pNomeBase + QStringLiteral(".zip\": ") + MensagemSistema(xErro));
        }
        vTemporario = xCaminho;
        // The lock says a live writer holds the file; a second descriptor keeps it until the end,
        // since the writer's own is closed when the archive is finished.
        vTrava = ::open(xNome.constData(), O_RDONLY | O_CLOEXEC);
        if (vTrava >= 0)
            ::flock(vTrava, LOCK_EX | LOCK_NB);
        try {
            vEscritor = std::make_unique<TZipEscritor>(xDescritor, xCaminho);
        } catch (...) {
            ::unlink(xNome.constData());
            vTemporario.clear();
            Libera();
            throw;
        }
        return;
    }
}

TZipEmCurso::~TZipEmCurso()
{
    Descarta();
}

void TZipEmCurso::Acrescenta(const QString& pNome, const QByteArray& pConteudo, qint64 pQuando)
{
    if (!vEscritor)
        throw Exception(QStringLiteral("O arquivo .zip já foi fechado"));
    vEscritor->Acrescenta(pNome, pConteudo, pQuando);
}

QString TZipEmCurso::Publica(const std::function<QString(int)>& pNome, int pMaximo)
{
    if (!vEscritor)
        throw Exception(QStringLiteral("O arquivo .zip já foi fechado"));
    try {
        vEscritor->Fecha();
        vEscritor.reset();
        const QByteArray xDe = QFile::encodeName(vTemporario);
        for (int xNumero = 0; xNumero <= pMaximo; ++xNumero) {
            const QString xNome = pNome(xNumero);
            const int xErro = PublicaSemSobrescrever(xDe, QFile::encodeName(xNome));
            if (xErro == 0) {
                vTemporario.clear();
                Libera();
                return xNome;
            }
            if (xErro != EEXIST)
                throw Exception(QStringLiteral("Não foi possível criar o arquivo \"") + xNome +
                                QStringLiteral("\": ") + MensagemSistema(xErro));
        }
        throw Exception(QStringLiteral("não há nome livre para o arquivo na pasta"));
    } catch (...) {
        Descarta();
        throw;
    }
}

void TZipEmCurso::Descarta()
{
    vEscritor.reset();
    if (!vTemporario.isEmpty()) {
        ::unlink(QFile::encodeName(vTemporario).constData());
        vTemporario.clear();
    }
    Libera();
}

void TZipEmCurso::Libera()
{
    if (vTrava >= 0) {
        ::close(vTrava);
        vTrava = -1;
    }
}
