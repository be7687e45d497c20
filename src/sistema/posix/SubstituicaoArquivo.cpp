#include "sistema/SubstituicaoArquivo.h"

#include "sistema/AcessoArquivo.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TErroSistema SubstituiArquivo(const QString& pDestino, const QByteArray& pBytes)
{
    const QByteArray xDestino = QFile::encodeName(pDestino);
    struct stat xAtual
    {
    };
    const bool xExiste = stat(xDestino.constData(), &xAtual) == 0;
    const mode_t xModo = xExiste ? (xAtual.st_mode & 07777) : mode_t(0600);

    const QFileInfo xInfo(pDestino);
    QByteArray xTemporario = QFile::encodeName(xInfo.absolutePath() + QStringLiteral("/.") +
                                               xInfo.fileName() + QStringLiteral(".XXXXXX"));
    const int xDescritor = mkostemp(xTemporario.data(), O_CLOEXEC); // made 0600
    if (xDescritor < 0) {
        // Only a folder closed to new files; a full disk must not cost the file its content.
        const TErroSistema xErroTemporario = TErroSistema::Ultimo();
        if (!xExiste || !xErroTemporario.AcessoNegado())
            return xErroTemporario;
        const int xNoLugarDescritor = open(xDestino.constData(), O_WRONLY | O_TRUNC | O_CLOEXEC);
        if (xNoLugarDescritor < 0)
            return TErroSistema::Ultimo();
        TArquivoSistema xNoLugar = TAcessoArquivo::Aberto(xNoLugarDescritor, pDestino);
        const bool xOk = xNoLugar.Escreve(pBytes) && xNoLugar.Sincroniza();
        TErroSistema xErro = xNoLugar.Erro();
        if (!xNoLugar.Fecha() && !xErro.Falhou())
            xErro = xNoLugar.Erro();
        return xOk ? xErro : xNoLugar.Erro();
    }
    TArquivoSistema xArquivo = TAcessoArquivo::Aberto(xDescritor, QFile::decodeName(xTemporario));
    bool xOk = xArquivo.Escreve(pBytes);
    TErroSistema xErro = xArquivo.Erro();
    if (xOk && fchmod(xDescritor, xModo) != 0) {
        xErro = TErroSistema::Ultimo();
        xOk = false;
    }
    if (xOk && xExiste && (xAtual.st_uid != geteuid() || xAtual.st_gid != getegid())) {
        if (fchown(xDescritor, xAtual.st_uid, xAtual.st_gid) != 0) {
            // Not allowed (only root may give a file away): the new file stays the writer's.
        }
    }
    xOk = xOk && xArquivo.Sincroniza();
    xOk = xArquivo.Fecha() && xOk;
    if (!xOk && !xErro.Falhou())
        xErro = xArquivo.Erro();
    if (xOk && rename(xTemporario.constData(), xDestino.constData()) != 0) {
        xErro = TErroSistema::Ultimo();
        xOk = false;
    }
    if (!xOk) {
        unlink(xTemporario.constData());
        return xErro.Falhou() ? xErro : TErroSistema(EIO);
    }
    // The rename itself reaches the disk with its folder.
    const int xPasta =
        open(QFile::encodeName(xInfo.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (xPasta >= 0) {
        fsync(xPasta);
        close(xPasta);
    }
    return {};
}
