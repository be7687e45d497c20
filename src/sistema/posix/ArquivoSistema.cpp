#include "sistema/AcessoArquivo.h"

#include <QFile>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray Nome(const QString& pCaminho)
{
    return QFile::encodeName(pCaminho);
}

TArquivoSistema Resultado(int pDescritor, const QString& pCaminho)
{
    if (pDescritor < 0)
        return TAcessoArquivo::Falho(TErroSistema::Ultimo(), pCaminho);
    return TAcessoArquivo::Aberto(pDescritor, pCaminho);
}

} // namespace

TArquivoSistema::~TArquivoSistema()
{
    if (vArquivo >= 0)
        ::close(int(vArquivo));
}

TArquivoSistema::TArquivoSistema(TArquivoSistema&& pOutro) noexcept
    : vArquivo(pOutro.vArquivo), vErro(pOutro.vErro), vCaminho(std::move(pOutro.vCaminho))
{
    pOutro.vArquivo = -1;
}

TArquivoSistema& TArquivoSistema::operator=(TArquivoSistema&& pOutro) noexcept
{
    if (this != &pOutro) {
        if (vArquivo >= 0)
            ::close(int(vArquivo));
        vArquivo = pOutro.vArquivo;
        vErro = pOutro.vErro;
        vCaminho = std::move(pOutro.vCaminho);
        pOutro.vArquivo = -1;
    }
    return *this;
}

TArquivoSistema TArquivoSistema::CriaNovo(const QString& pCaminho)
{
    return Resultado(::open(Nome(pCaminho).constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666),
                     pCaminho);
}

TArquivoSistema TArquivoSistema::CriaTemporarioAoLado(const QString& pCaminho)
{
    QByteArray xModelo = Nome(pCaminho) + ".XXXXXX";
    const int xDescritor = mkostemp(xModelo.data(), O_CLOEXEC); // made 0600
    return Resultado(xDescritor, xDescritor >= 0 ? QFile::decodeName(xModelo) : pCaminho);
}

TArquivoSistema TArquivoSistema::AbreLeituraEscrita(const QString& pCaminho)
{
    return Resultado(::open(Nome(pCaminho).constData(), O_RDWR | O_CLOEXEC), pCaminho);
}

TArquivoSistema TArquivoSistema::AbreParaAcrescentar(const QString& pCaminho)
{
    const int xDescritor =
        ::open(Nome(pCaminho).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (xDescritor >= 0 && ::flock(xDescritor, LOCK_EX | LOCK_NB) != 0) {
        const TErroSistema xErro = TErroSistema::Ultimo();
        ::close(xDescritor);
        return TAcessoArquivo::Falho(xErro, pCaminho);
    }
    return Resultado(xDescritor, pCaminho);
}

bool TArquivoSistema::Aberto() const
{
    return vArquivo >= 0;
}

bool TArquivoSistema::Falha()
{
    vErro = TErroSistema::Ultimo();
    return false;
}

bool TArquivoSistema::Escreve(const char* pDados, qint64 pTamanho)
{
    while (pTamanho > 0) {
        const ssize_t xEscritos = ::write(int(vArquivo), pDados, size_t(pTamanho));
        if (xEscritos < 0) {
            if (errno == EINTR)
                continue;
            return Falha();
        }
        if (xEscritos == 0) {
            vErro = TErroSistema(EIO);
            return false;
        }
        pDados += xEscritos;
        pTamanho -= xEscritos;
    }
    return true;
}

qint64 TArquivoSistema::Le(char* pDados, qint64 pTamanho)
{
    for (;;) {
        const ssize_t xLidos = ::read(int(vArquivo), pDados, size_t(pTamanho));
        if (xLidos >= 0)
            return xLidos;
        if (errno != EINTR) {
            Falha();
            return -1;
        }
    }
}

qint64 TArquivoSistema::LeEm(qint64 pPosicao, char* pDados, qint64 pTamanho)
{
    for (;;) {
        const ssize_t xLidos = ::pread(int(vArquivo), pDados, size_t(pTamanho), off_t(pPosicao));
        if (xLidos >= 0)
            return xLidos;
        if (errno != EINTR) {
            Falha();
            return -1;
        }
    }
}

qint64 TArquivoSistema::Posiciona(qint64 pDeslocamento, int pOrigem)
{
    const off_t xPosicao = ::lseek(int(vArquivo), off_t(pDeslocamento), pOrigem);
    if (xPosicao < 0)
        Falha();
    return xPosicao;
}

qint64 TArquivoSistema::Tamanho()
{
    struct stat xInfo
    {
    };
    if (::fstat(int(vArquivo), &xInfo) != 0) {
        Falha();
        return -1;
    }
    return xInfo.st_size;
}

bool TArquivoSistema::Trunca(qint64 pTamanho)
{
    return ::ftruncate(int(vArquivo), off_t(pTamanho)) == 0 || Falha();
}

bool TArquivoSistema::CopiaPermissoesDe(TArquivoSistema& pOutro)
{
    struct stat xInfo
    {
    };
    if (::fstat(int(pOutro.vArquivo), &xInfo) != 0)
        return Falha();
    return ::fchmod(int(vArquivo), xInfo.st_mode & 07777) == 0 || Falha();
}

bool TArquivoSistema::Sincroniza()
{
    return ::fsync(int(vArquivo)) == 0 || errno == EINVAL || Falha();
}

bool TArquivoSistema::Fecha()
{
    if (vArquivo < 0)
        return true;
    const int xDescritor = int(vArquivo);
    vArquivo = -1;
    // Closed once, whatever close() answers: the descriptor is gone either way.
    return ::close(xDescritor) == 0 || errno == EINTR || Falha();
}

TErroSistema RemoveArquivo(const QString& pCaminho)
{
    return ::unlink(QFile::encodeName(pCaminho).constData()) == 0 ? TErroSistema() : TErroSistema::Ultimo();
}
