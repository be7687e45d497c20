#include "download/archive/ZipEmCurso.h"

#include "download/archive/ZipArquivo.h"
#include "sistema/Publicacao.h"
#include "util/Exception.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace {

QString ComBarra(const QString& pPasta)
{
    return pPasta.endsWith(u'/') ? pPasta : pPasta + u'/';
}

// The hidden name of an archive being written: "." + name + ".zip." + 8 hex digits + ".part".
QString NomeOculto(const QString& pNomeBase, quint32 pSorteio)
{
    return u'.' + pNomeBase + QStringLiteral(".zip.%1.part").arg(pSorteio, 8, 16, QLatin1Char('0'));
}

// pNomeBase + ".zip", or its numbered variant, in pPasta, as a download names its archives.
QString NomeNumerado(const QString& pPasta, const QString& pNomeBase, int pNumero)
{
    return ComBarra(pPasta) + pNomeBase +
           (pNumero >= 1 ? QStringLiteral(" (%1).zip").arg(pNumero) : QStringLiteral(".zip"));
}

// The first free name of pNome(0..pMaximo) for the file pDe; raises when none can be given.
QString PublicaNoPrimeiroLivre(const QString& pDe, const std::function<QString(int)>& pNome, int pMaximo)
{
    for (int xNumero = 0; xNumero <= pMaximo; ++xNumero) {
        const QString xNome = pNome(xNumero);
        const TErroSistema xErro = PublicaSemSobrescrever(pDe, xNome);
        if (!xErro.Falhou())
            return xNome;
        if (!xErro.NomeExiste())
            throw Exception(QStringLiteral("Não foi possível criar o arquivo \"") + QDir::toNativeSeparators(xNome) +
                            QStringLiteral("\": ") + xErro.Mensagem());
    }
    throw Exception(QStringLiteral("não há nome livre para o arquivo na pasta"));
}

} // namespace

TRestosEscrita RecuperaRestosDeEscrita(const QString& pPasta, const QString& pNomeBase, int pIdadeMinimaSeg)
{
    const QRegularExpression xPadrao(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(u'.' + pNomeBase + QStringLiteral(".zip.")) +
        QStringLiteral("[0-9a-f]{8}\\.part")));
    const QStringList xCandidatos = QDir(pPasta).entryList({u'.' + pNomeBase + QStringLiteral(".zip.*.part")},
                                                           QDir::Files | QDir::Hidden);
    TRestosEscrita xRestos;
    for (const QString& xNome : xCandidatos) {
        if (!xPadrao.match(xNome).hasMatch())
            continue;
        const QString xCaminho = ComBarra(pPasta) + xNome;
        bool xCompleto = false;
        {
            // Held by a live writer, or written to lately (its writer may not hold it yet): left alone.
            TArquivoSistema xResto = AbreSeAbandonado(xCaminho, pIdadeMinimaSeg);
            if (!xResto.Aberto())
                continue;
            xCompleto = ZipCompleto(xResto);
        }
        if (!xCompleto) {
            if (RemoveSeAbandonado(xCaminho, pIdadeMinimaSeg))
                ++xRestos.Removidos;
            continue;
        }
        // Its writer is gone and no new one ever takes this random name: it is ours to publish.
        try {
            xRestos.Publicados.append(PublicaNoPrimeiroLivre(
                xCaminho, [&](int pNumero) { return NomeNumerado(pPasta, pNomeBase, pNumero); },
                MAX_NOMES_NUMERADOS));
        } catch (const Exception&) {
            // Kept as it is; the next archive of that name tries again.
        }
    }
    return xRestos;
}

TZipEmCurso::TZipEmCurso(const QString& pPasta, const QString& pNomeBase)
{
    vRecuperados = RecuperaRestosDeEscrita(pPasta, pNomeBase).Publicados;
    for (int xTentativa = 0;; ++xTentativa) {
        const QString xCaminho =
            ComBarra(pPasta) + NomeOculto(pNomeBase, QRandomGenerator::global()->generate());
        TArquivoSistema xArquivo = CriaArquivoOculto(xCaminho);
        if (!xArquivo.Aberto()) {
            if (xArquivo.Erro().NomeExiste() && xTentativa < 100)
                continue;
            // Named as the user will know it, not by its hidden name.
            throw Exception(QStringLiteral("Não foi possível criar o arquivo \"") +
                            QDir::toNativeSeparators(ComBarra(pPasta) + pNomeBase) +
                            QStringLiteral(".zip\": ") + xArquivo.Erro().Mensagem());
        }
        vTemporario = xCaminho;
        // Says a live writer holds the file, until the end.
        vTrava.Toma(xCaminho);
        try {
            vEscritor = std::make_unique<TZipEscritor>(std::move(xArquivo), xCaminho);
        } catch (...) {
            RemoveArquivo(xCaminho);
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
    } catch (...) {
        Descarta();
        throw;
    }
    try {
        const QString xNome = PublicaNoPrimeiroLivre(vTemporario, pNome, pMaximo);
        vTemporario.clear();
        Libera();
        return xNome;
    } catch (const Exception& E) {
        // Whole: kept under its hidden name, never deleted; the next archive of that name publishes it.
        vMantido = vTemporario;
        vTemporario.clear();
        Libera();
        throw Exception(E.Message() + QStringLiteral(". O arquivo completo foi mantido em \"") +
                        QDir::toNativeSeparators(vMantido) + QStringLiteral("\"."));
    }
}

void TZipEmCurso::Descarta()
{
    vEscritor.reset();
    if (!vTemporario.isEmpty()) {
        RemoveArquivo(vTemporario);
        vTemporario.clear();
    }
    Libera();
}

void TZipEmCurso::Libera()
{
    vTrava.Libera();
}
