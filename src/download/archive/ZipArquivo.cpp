#include "download/archive/ZipArquivo.h"

#include "sistema/Publicacao.h"
#include "util/Exception.h"

#include <QDir>
#include <archive.h>
#include <archive_entry.h>
#include <cstdio>
#include <cstring>

namespace {

// Size of an archive without entries: the end-of-central-directory record alone.
constexpr qint64 TAMANHO_ZIP_VAZIO = 22;
// libarchive hands its output to the file in blocks of this size; the last block is not padded.
constexpr int TAMANHO_BLOCO = 256 * 1024;

QString MensagemArchive(archive* pArchive)
{
    const char* xTexto = pArchive ? archive_error_string(pArchive) : nullptr;
    if (xTexto && *xTexto)
        return QString::fromUtf8(xTexto);
    const int xErro = pArchive ? archive_errno(pArchive) : 0;
    return xErro ? QString::fromLocal8Bit(std::strerror(xErro))
                 : QStringLiteral("erro desconhecido na biblioteca de compactação");
}

[[noreturn]] void FalhaArchive(archive* pArchive, const QString& pOperacao)
{
    throw Exception(pOperacao + QStringLiteral(": ") + MensagemArchive(pArchive));
}

la_ssize_t GravaSaida(archive*, void* pSaida, const void* pDados, size_t pTamanho)
{
    TSaidaZip& xSaida = *static_cast<TSaidaZip*>(pSaida);
    if (!xSaida.Erro.Falhou() && !xSaida.Arquivo.Escreve(static_cast<const char*>(pDados), qint64(pTamanho)))
        xSaida.Erro = xSaida.Arquivo.Erro();
    return la_ssize_t(pTamanho);
}

void VerificaSaida(const TSaidaZip& pSaida)
{
    if (pSaida.Erro.Falhou())
        throw Exception(QStringLiteral("Falha ao gravar o arquivo .zip: ") + pSaida.Erro.Mensagem());
}

// libarchive reads an existing archive through these, from the file's current position on.
struct TLeituraZip
{
    TArquivoSistema& Arquivo;
    QByteArray Bloco = QByteArray(64 * 1024, Qt::Uninitialized);
};

la_ssize_t LeEntrada(archive* pArchive, void* pEntrada, const void** pBloco)
{
    TLeituraZip& xEntrada = *static_cast<TLeituraZip*>(pEntrada);
    const qint64 xLidos = xEntrada.Arquivo.Le(xEntrada.Bloco.data(), xEntrada.Bloco.size());
    if (xLidos < 0) {
        archive_set_error(pArchive, -1, "%s", xEntrada.Arquivo.Erro().Mensagem().toUtf8().constData());
        return ARCHIVE_FATAL;
    }
    *pBloco = xEntrada.Bloco.constData();
    return la_ssize_t(xLidos);
}

la_int64_t ProcuraEntrada(archive* pArchive, void* pEntrada, la_int64_t pDeslocamento, int pOrigem)
{
    TLeituraZip& xEntrada = *static_cast<TLeituraZip*>(pEntrada);
    const qint64 xPosicao = xEntrada.Arquivo.Posiciona(pDeslocamento, pOrigem);
    if (xPosicao < 0) {
        archive_set_error(pArchive, -1, "%s", xEntrada.Arquivo.Erro().Mensagem().toUtf8().constData());
        return ARCHIVE_FATAL;
    }
    return xPosicao;
}

la_int64_t PulaEntrada(archive*, void* pEntrada, la_int64_t pQuanto)
{
    TLeituraZip& xEntrada = *static_cast<TLeituraZip*>(pEntrada);
    return xEntrada.Arquivo.Posiciona(pQuanto, SEEK_CUR) < 0 ? 0 : pQuanto;
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
bool ZipSemEntradas(TArquivoSistema& pArquivo)
{
    const qint64 xTamanho = pArquivo.Tamanho();
    if (xTamanho < 0)
        throw Exception(pArquivo.Erro().Mensagem());
    if (xTamanho == 0)
        return true;
    if (xTamanho != TAMANHO_ZIP_VAZIO)
        return false;
    unsigned char xRegistro[TAMANHO_ZIP_VAZIO];
    if (pArquivo.LeEm(0, reinterpret_cast<char*>(xRegistro), sizeof xRegistro) != TAMANHO_ZIP_VAZIO)
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

bool ZipCompleto(TArquivoSistema& pArquivo)
{
    constexpr qint64 FIM = 22;              // the end record without its comment
    constexpr qint64 COMENTARIO_MAXIMO = 0xFFFF;
    const qint64 xTamanho = pArquivo.Tamanho();
    if (xTamanho < FIM)
        return false;
    const qint64 xInicio = xTamanho - qMin(xTamanho, FIM + COMENTARIO_MAXIMO);
    QByteArray xCauda(xTamanho - xInicio, Qt::Uninitialized);
    if (pArquivo.LeEm(xInicio, xCauda.data(), xCauda.size()) != xCauda.size())
        return false;
    const auto U16 = [&](qint64 i) {
        return quint32(quint8(xCauda[i])) | quint32(quint8(xCauda[i + 1])) << 8;
    };
    const auto U32 = [&](qint64 i) { return U16(i) | U16(i + 2) << 16; };
    for (qint64 i = xCauda.size() - FIM; i >= 0; --i) {
        if (U32(i) != 0x06054b50u || i + FIM + qint64(U16(i + 20)) != xCauda.size())
            continue;
        const qint64 xFim = xInicio + i;
        const quint32 xTamanhoDiretorio = U32(i + 12), xInicioDiretorio = U32(i + 16);
        if (xTamanhoDiretorio == 0xFFFFFFFFu || xInicioDiretorio == 0xFFFFFFFFu || U16(i + 10) == 0xFFFF) {
            // Zip64: its locator (20 bytes) comes just before the end record.
            char xLocalizador[4];
            return xFim >= 20 && pArquivo.LeEm(xFim - 20, xLocalizador, 4) == 4 &&
                   QByteArray(xLocalizador, 4) == QByteArray("PK\x06\x07", 4);
        }
        if (qint64(xInicioDiretorio) + qint64(xTamanhoDiretorio) != xFim)
            return false;
        if (xTamanhoDiretorio == 0)
            return true;
        char xAssinatura[4];
        return pArquivo.LeEm(xInicioDiretorio, xAssinatura, 4) == 4 &&
               QByteArray(xAssinatura, 4) == QByteArray("PK\x01\x02", 4);
    }
    return false;
}

bool CriaZipVazio(const QString& pCaminho)
{
    TArquivoSistema xArquivo = TArquivoSistema::CriaNovo(pCaminho);
    if (!xArquivo.Aberto()) {
        if (xArquivo.Erro().NomeExiste())
            return false;
        throw Exception(QStringLiteral("Não foi possível criar o arquivo \"") +
                        QDir::toNativeSeparators(pCaminho) + QStringLiteral("\": ") +
                        xArquivo.Erro().Mensagem());
    }
    // The file is ours from here on: a failure removes it again. It is closed exactly once, whatever
    // the close itself answers.
    try {
        TZipEscritor xEscritor(std::move(xArquivo), pCaminho);
        xEscritor.Fecha();
    } catch (...) {
        RemoveArquivo(pCaminho);
        throw;
    }
    return true;
}

TZipEscritor::TZipEscritor(const QString& pCaminho) : vCaminho(pCaminho)
{
    // Held as the source until it is known which way it is written, so every failure below closes it.
    vOrigem = TArquivoSistema::AbreLeituraEscrita(pCaminho);
    if (!vOrigem.Aberto())
        throw Exception(QStringLiteral("Não foi possível abrir o arquivo \"") +
                        QDir::toNativeSeparators(pCaminho) + QStringLiteral("\": ") +
                        vOrigem.Erro().Mensagem());
    try {
        if (ZipSemEntradas(vOrigem)) {
            // Written in place: the writer is set up first, so a failure leaves the file as it was.
            vSaida.Arquivo = std::move(vOrigem);
            vArchive = NovoEscritor(vSaida);
            if (!vSaida.Arquivo.Trunca(0))
                throw Exception(vSaida.Arquivo.Erro().Mensagem());
            return;
        }
        // Entries already there: they go first into a new file of the same folder.
        vSaida.Arquivo = TArquivoSistema::CriaTemporarioAoLado(pCaminho);
        if (!vSaida.Arquivo.Aberto())
            throw Exception(QStringLiteral("Não foi possível criar um arquivo temporário na pasta: ") +
                            vSaida.Arquivo.Erro().Mensagem());
        vCaminhoNovo = vSaida.Arquivo.Caminho();
        vSaida.Arquivo.CopiaPermissoesDe(vOrigem);
        vArchive = NovoEscritor(vSaida);
        CopiaEntradasExistentes();
    } catch (...) {
        Libera();
        throw;
    }
}

TZipEscritor::TZipEscritor(TArquivoSistema pNovo, const QString& pCaminho) : vCaminho(pCaminho)
{
    vSaida.Arquivo = std::move(pNovo);
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
    TLeituraZip xEntradaZip{vOrigem};
    if (archive_read_support_format_zip_seekable(xLeitor) != ARCHIVE_OK ||
        archive_read_set_read_callback(xLeitor, LeEntrada) != ARCHIVE_OK ||
        archive_read_set_seek_callback(xLeitor, ProcuraEntrada) != ARCHIVE_OK ||
        archive_read_set_skip_callback(xLeitor, PulaEntrada) != ARCHIVE_OK ||
        archive_read_set_callback_data(xLeitor, &xEntradaZip) != ARCHIVE_OK ||
        archive_read_open1(xLeitor) != ARCHIVE_OK)
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
    // On disk before anyone is told the archive is written (or it is given its name).
    TErroSistema xErro;
    if (xFechou == ARCHIVE_OK && !vSaida.Erro.Falhou() && !vSaida.Arquivo.Sincroniza())
        xErro = vSaida.Arquivo.Erro();
    // Closed once, whatever the close answers: the file is closed either way.
    if (!vSaida.Arquivo.Fecha() && !xErro.Falhou())
        xErro = vSaida.Arquivo.Erro();
    if (xFechou != ARCHIVE_OK)
        throw Exception(QStringLiteral("Falha ao finalizar o arquivo .zip: ") + xMensagem);
    VerificaSaida(vSaida);
    if (xErro.Falhou())
        throw Exception(QStringLiteral("Falha ao finalizar o arquivo .zip: ") + xErro.Mensagem());
    if (!vCaminhoNovo.isEmpty()) {
        // The archive copied from is closed first: some systems replace no file that is open.
        vOrigem.Fecha();
        const TErroSistema xTroca = PublicaSubstituindo(vCaminhoNovo, vCaminho);
        if (xTroca.Falhou())
            throw Exception(QStringLiteral("Falha ao substituir o arquivo .zip: ") + xTroca.Mensagem());
        vCaminhoNovo.clear();
    }
}

void TZipEscritor::Libera()
{
    if (vArchive) {
        archive_write_close(vArchive);
        archive_write_free(vArchive);
        vArchive = nullptr;
    }
    vSaida.Arquivo.Fecha();
    vOrigem.Fecha();
    // An unfinished copy never replaces the archive.
    if (!vCaminhoNovo.isEmpty()) {
        RemoveArquivo(vCaminhoNovo);
        vCaminhoNovo.clear();
    }
}
