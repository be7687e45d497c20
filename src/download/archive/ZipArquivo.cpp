#include "download/archive/ZipArquivo.h"

#include "util/Exception.h"

#include <QFile>
#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Size of an archive without entries: the end-of-central-directory record alone.
constexpr qint64 TAMANHO_ZIP_VAZIO = 22;
// libarchive hands its output to the file in blocks of this size; the last block is not padded.
constexpr int TAMANHO_BLOCO = 256 * 1024;

QString MensagemSistema(int pErro)
{
    return QString::fromLocal8Bit(std::strerror(pErro));
}

QString MensagemArchive(archive* pArchive)
{
    const char* xTexto = pArchive ? archive_error_string(pArchive) : nullptr;
    if (xTexto && *xTexto)
        return QString::fromUtf8(xTexto);
    const int xErro = pArchive ? archive_errno(pArchive) : 0;
    return xErro ? MensagemSistema(xErro) : QStringLiteral("erro desconhecido na biblioteca de compactação");
}

[[noreturn]] void FalhaArchive(archive* pArchive, const QString& pOperacao)
{
    throw Exception(pOperacao + QStringLiteral(": ") + MensagemArchive(pArchive));
}

la_ssize_t GravaSaida(archive*, void* pSaida, const void* pDados, size_t pTamanho)
{
    TSaidaZip& xSaida = *static_cast<TSaidaZip*>(pSaida);
    const char* xDados = static_cast<const char*>(pDados);
    size_t xResta = pTamanho;
    while (xSaida.Erro == 0 && xResta > 0) {
        const ssize_t xGravou = ::write(xSaida.Descritor, xDados, xResta);
        if (xGravou < 0 && errno == EINTR)
            continue;
        if (xGravou <= 0) {
            xSaida.Erro = xGravou < 0 ? errno : EIO;
            break;
        }
        xDados += xGravou;
        xResta -= size_t(xGravou);
    }
    return la_ssize_t(pTamanho);
}

void VerificaSaida(const TSaidaZip& pSaida)
{
    if (pSaida.Erro != 0)
        throw Exception(QStringLiteral("Falha ao gravar o arquivo .zip: ") + MensagemSistema(pSaida.Erro));
}

// A ZIP writer into pSaida: Deflate at our level, names in UTF-8, output unpadded.
archive* NovoEscritor(TSaidaZip& pSaida)
{
    archive* xArchive = archive_write_new();
    if (!xArchive)
        throw Exception(QStringLiteral("Memória insuficiente para criar o arquivo .zip"));
    const QByteArray xOpcoes =
        "zip:compression=deflate,zip:compression-level=" + QByteArray::number(ZIP_NIVEL_COMPRESSAO) +
        ",zip:hdrcharset=UTF-8";
    if (archive_write_set_format_zip(xArchive) != ARCHIVE_OK ||
        archive_write_set_options(xArchive, xOpcoes.constData()) != ARCHIVE_OK ||
        archive_write_set_bytes_per_block(xArchive, TAMANHO_BLOCO) != ARCHIVE_OK ||
        archive_write_set_bytes_in_last_block(xArchive, 1) != ARCHIVE_OK ||
        archive_write_open(xArchive, &pSaida, nullptr, GravaSaida, nullptr) != ARCHIVE_OK) {
        const QString xMensagem = MensagemArchive(xArchive);
        archive_write_free(xArchive);
        throw Exception(QStringLiteral("Falha ao preparar o arquivo .zip: ") + xMensagem);
    }
    return xArchive;
}

// Whether the open file holds an archive without entries (or nothing at all).
bool ZipSemEntradas(int pDescritor)
{
    struct stat xInfo
    {
    };
    if (fstat(pDescritor, &xInfo) != 0)
        throw Exception(MensagemSistema(errno));
    if (xInfo.st_size == 0)
        return true;
    if (xInfo.st_size != TAMANHO_ZIP_VAZIO)
        return false;
    unsigned char xRegistro[TAMANHO_ZIP_VAZIO];
    if (pread(pDescritor, xRegistro, sizeof xRegistro, 0) != TAMANHO_ZIP_VAZIO)
        return false;
    // "PK\5\6", then disk numbers, entry counts, directory size and offset, comment length: all zero.
    static const unsigned char ASSINATURA[4] = {'P', 'K', 5, 6};
    if (std::memcmp(xRegistro, ASSINATURA, 4) != 0)
        return false;
    for (size_t i = 4; i < sizeof xRegistro; ++i)
        if (xRegistro[i] != 0)
            return false;
    return true;
}

} // namespace

bool CriaZipVazio(const QString& pCaminho)
{
    const QByteArray xNome = QFile::encodeName(pCaminho);
    const int xDescritor = ::open(xNome.constData(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (xDescritor < 0) {
        const int xErro = errno;
        if (xErro == EEXIST)
            return false;
        throw Exception(QStringLiteral("Não foi possível criar o arquivo \"") + pCaminho +
                        QStringLiteral("\": ") + MensagemSistema(xErro));
    }
    // The file is ours from here on: a failure removes it again. The descriptor is closed exactly once,
    // whatever close() itself answers.
    try {
        TZipEscritor xEscritor(xDescritor, pCaminho);
        xEscritor.Fecha();
    } catch (...) {
        ::unlink(xNome.constData());
        throw;
    }
    return true;
}

TZipEscritor::TZipEscritor(const QString& pCaminho) : vCaminho(pCaminho)
{
    const QByteArray xNome = QFile::encodeName(pCaminho);
    const int xDescritor = ::open(xNome.constData(), O_RDWR | O_CLOEXEC);
    if (xDescritor < 0)
        throw Exception(QStringLiteral("Não foi possível abrir o arquivo \"") + pCaminho +
                        QStringLiteral("\": ") + MensagemSistema(errno));
    // Held as the source until it is known which way it is written, so every failure below closes it.
    vDescritorOrigem = xDescritor;
    try {
        if (ZipSemEntradas(xDescritor)) {
            // Written in place: the writer is set up first, so a failure leaves the file as it was.
            vSaida.Descritor = xDescritor;
            vDescritorOrigem = -1;
            vArchive = NovoEscritor(vSaida);
            if (ftruncate(vSaida.Descritor, 0) != 0)
                throw Exception(MensagemSistema(errno));
            return;
        }
        // Entries already there: they go first into a new file of the same folder.
        QByteArray xModelo = xNome + ".XXXXXX";
        vSaida.Descritor = mkostemp(xModelo.data(), O_CLOEXEC);
        if (vSaida.Descritor < 0)
            throw Exception(QStringLiteral("Não foi possível criar um arquivo temporário na pasta: ") +
                            MensagemSistema(errno));
        vCaminhoNovo = QFile::decodeName(xModelo);
        struct stat xInfo
        {
        };
        if (fstat(vDescritorOrigem, &xInfo) == 0)
            fchmod(vSaida.Descritor, xInfo.st_mode & 07777);
        vArchive = NovoEscritor(vSaida);
        CopiaEntradasExistentes();
    } catch (...) {
        Libera();
        throw;
    }
}

TZipEscritor::TZipEscritor(int pDescritorNovo, const QString& pCaminho) : vCaminho(pCaminho)
{
    vSaida.Descritor = pDescritorNovo;
    try {
        vArchive = NovoEscritor(vSaida);
    } catch (...) {
        Libera();
        throw;
    }
}

TZipEscritor::~TZipEscritor()
{
    Libera();
}

void TZipEscritor::CopiaEntradasExistentes()
{
    archive* xLeitor = archive_read_new();
    if (!xLeitor)
        throw Exception(QStringLiteral("Memória insuficiente para ler o arquivo .zip"));
    struct TLiberaLeitor
    {
        archive* a;
        ~TLiberaLeitor() { archive_read_free(a); }
    } xLibera{xLeitor};
    if (archive_read_support_format_zip_seekable(xLeitor) != ARCHIVE_OK ||
        archive_read_open_fd(xLeitor, vDescritorOrigem, 64 * 1024) != ARCHIVE_OK)
        FalhaArchive(xLeitor, QStringLiteral("Falha ao ler o arquivo .zip existente"));
    archive_entry* xEntrada = nullptr;
    QByteArray xBuffer(64 * 1024, Qt::Uninitialized);
    for (;;) {
        const int xLeu = archive_read_next_header(xLeitor, &xEntrada);
        if (xLeu == ARCHIVE_EOF)
            break;
        if (xLeu != ARCHIVE_OK)
            FalhaArchive(xLeitor, QStringLiteral("Falha ao ler o arquivo .zip existente"));
        if (archive_write_header(vArchive, xEntrada) != ARCHIVE_OK)
            FalhaArchive(vArchive, QStringLiteral("Falha ao copiar as entradas do arquivo .zip existente"));
        for (;;) {
            const la_ssize_t xBytes = archive_read_data(xLeitor, xBuffer.data(), xBuffer.size());
            if (xBytes == 0)
                break;
            if (xBytes < 0)
                FalhaArchive(xLeitor, QStringLiteral("Falha ao ler o arquivo .zip existente"));
            if (archive_write_data(vArchive, xBuffer.constData(), size_t(xBytes)) != xBytes)
                FalhaArchive(vArchive,
                             QStringLiteral("Falha ao copiar as entradas do arquivo .zip existente"));
        }
        if (archive_write_finish_entry(vArchive) != ARCHIVE_OK)
            FalhaArchive(vArchive, QStringLiteral("Falha ao copiar as entradas do arquivo .zip existente"));
        VerificaSaida(vSaida);
    }
}

void TZipEscritor::Acrescenta(const QString& pNome, const QByteArray& pConteudo, qint64 pQuando)
{
    if (!vArchive)
        throw Exception(QStringLiteral("O arquivo .zip já foi fechado"));
    archive_entry* xEntrada = archive_entry_new();
    if (!xEntrada)
        throw Exception(QStringLiteral("Memória insuficiente para gravar o arquivo .zip"));
    struct TLiberaEntrada
    {
        archive_entry* e;
        ~TLiberaEntrada() { archive_entry_free(e); }
    } xLibera{xEntrada};
    const QByteArray xNome = pNome.toUtf8();
    archive_entry_set_pathname_utf8(xEntrada, xNome.constData());
    archive_entry_set_filetype(xEntrada, AE_IFREG);
    archive_entry_set_perm(xEntrada, 0644);
    // Known up front, so no entry needs zip64 fields unless it is that large.
    archive_entry_set_size(xEntrada, pConteudo.size());
    archive_entry_set_mtime(xEntrada, time_t(pQuando), 0);
    if (archive_write_header(vArchive, xEntrada) != ARCHIVE_OK)
        FalhaArchive(vArchive, QStringLiteral("Falha ao gravar a entrada ") + pNome);
    const char* xDados = pConteudo.constData();
    qint64 xResta = pConteudo.size();
    while (xResta > 0) {
        const la_ssize_t xGravou = archive_write_data(vArchive, xDados, size_t(xResta));
        if (xGravou <= 0)
            FalhaArchive(vArchive, QStringLiteral("Falha ao gravar a entrada ") + pNome);
        xDados += xGravou;
        xResta -= xGravou;
    }
    if (archive_write_finish_entry(vArchive) != ARCHIVE_OK)
        FalhaArchive(vArchive, QStringLiteral("Falha ao gravar a entrada ") + pNome);
    VerificaSaida(vSaida);
}

void TZipEscritor::Fecha()
{
    if (!vArchive)
        throw Exception(QStringLiteral("O arquivo .zip já foi fechado"));
    archive* xArchive = vArchive;
    vArchive = nullptr;
    const int xFechou = archive_write_close(xArchive);
    const QString xMensagem = MensagemArchive(xArchive);
    archive_write_free(xArchive);
    const int xDescritor = vSaida.Descritor;
    vSaida.Descritor = -1;
    // On disk before anyone is told the archive is written (or it is given its name).
    int xErro = 0;
    if (xFechou == ARCHIVE_OK && vSaida.Erro == 0 && ::fsync(xDescritor) != 0 && errno != EINVAL)
        xErro = errno;
    // Closed once, whatever close() answers: the descriptor is gone either way.
    if (::close(xDescritor) != 0 && xErro == 0 && errno != EINTR)
        xErro = errno;
    if (xFechou != ARCHIVE_OK)
        throw Exception(QStringLiteral("Falha ao finalizar o arquivo .zip: ") + xMensagem);
    VerificaSaida(vSaida);
    if (xErro != 0)
        throw Exception(QStringLiteral("Falha ao finalizar o arquivo .zip: ") + MensagemSistema(xErro));
    if (!vCaminhoNovo.isEmpty()) {
        if (::rename(QFile::encodeName(vCaminhoNovo).constData(), QFile::encodeName(vCaminho).constData()) !=
            0)
            throw Exception(QStringLiteral("Falha ao substituir o arquivo .zip: ") + MensagemSistema(errno));
        vCaminhoNovo.clear();
        ::close(vDescritorOrigem);
        vDescritorOrigem = -1;
    }
}

void TZipEscritor::Libera()
{
    if (vArchive) {
        archive_write_close(vArchive);
        archive_write_free(vArchive);
        vArchive = nullptr;
    }
    if (vSaida.Descritor >= 0) {
        ::close(vSaida.Descritor);
        vSaida.Descritor = -1;
    }
    if (vDescritorOrigem >= 0) {
        ::close(vDescritorOrigem);
        vDescritorOrigem = -1;
    }
    // An unfinished copy never replaces the archive.
    if (!vCaminhoNovo.isEmpty()) {
        ::unlink(QFile::encodeName(vCaminhoNovo).constData());
        vCaminhoNovo.clear();
    }
}
