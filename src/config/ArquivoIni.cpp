#include "config/ArquivoIni.h"

#include "config/CodigoPagina.h"
#include "sistema/SubstituicaoArquivo.h"
#include "util/TextoBase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <optional>

namespace {

enum class TCodificacao
{
    Windows1252,
    Utf8,
    Utf16LE,
    Utf16BE
};

// One line of the file as bytes: its text [Inicio, FimTexto), then its line end up to Fim.
struct TLinhaBruta
{
    qsizetype Inicio = 0;
    qsizetype FimTexto = 0;
    qsizetype Fim = 0;
};

// The file's bytes cut into lines, with the encoding its byte-order mark chose.
class TConteudoIni
{
public:
    explicit TConteudoIni(QByteArray pBytes) : vBytes(std::move(pBytes))
    {
        DetectaCodificacao();
        CortaLinhas();
    }

    const QByteArray& Bytes() const { return vBytes; }
    TCodificacao Codificacao() const { return vCodificacao; }
    const QList<TLinhaBruta>& Linhas() const { return vLinhas; }

    QString Texto(const TLinhaBruta& pLinha) const
    {
        return Decodifica(QByteArrayView(vBytes).sliced(pLinha.Inicio, pLinha.FimTexto - pLinha.Inicio));
    }
    QString TextoComFim(const TLinhaBruta& pLinha) const
    {
        return Decodifica(QByteArrayView(vBytes).sliced(pLinha.Inicio, pLinha.Fim - pLinha.Inicio));
    }
    bool TemFimDeLinha(const TLinhaBruta& pLinha) const { return pLinha.Fim > pLinha.FimTexto; }

    // The line end the file uses: that of its first line that has one; CR LF when none has.
    QString FimDeLinha() const
    {
        for (const TLinhaBruta& xLinha : vLinhas) {
            if (TemFimDeLinha(xLinha))
                return (xLinha.Fim - xLinha.FimTexto) == 2 * TamanhoUnidade() ? QStringLiteral("\r\n")
                                                                              : QStringLiteral("\n");
        }
        return QStringLiteral("\r\n");
    }

    QString Decodifica(QByteArrayView pBytes) const
    {
        switch (vCodificacao) {
        case TCodificacao::Windows1252:
            return CodigoPagina::DeWindows1252(pBytes);
        case TCodificacao::Utf8:
            return QString::fromUtf8(pBytes);
        case TCodificacao::Utf16LE:
        case TCodificacao::Utf16BE: {
            QString xTexto;
            xTexto.reserve(pBytes.size() / 2);
            for (qsizetype i = 0; i + 1 < pBytes.size(); i += 2)
                xTexto.append(QChar(Unidade(pBytes, i)));
            return xTexto;
        }
        }
        return {};
    }

    std::optional<QByteArray> Codifica(QStringView pTexto) const { return Codifica(pTexto, vCodificacao); }

    static std::optional<QByteArray> Codifica(QStringView pTexto, TCodificacao pCodificacao)
    {
        switch (pCodificacao) {
        case TCodificacao::Windows1252:
            return CodigoPagina::ParaWindows1252(pTexto);
        case TCodificacao::Utf8:
            return pTexto.toUtf8();
        case TCodificacao::Utf16LE:
        case TCodificacao::Utf16BE: {
            QByteArray xBytes;
            xBytes.reserve(pTexto.size() * 2);
            for (const QChar xChar : pTexto) {
                const auto xAlto = static_cast<char>(xChar.unicode() >> 8);
                const auto xBaixo = static_cast<char>(xChar.unicode() & 0xFF);
                if (pCodificacao == TCodificacao::Utf16LE)
                    xBytes.append(xBaixo).append(xAlto);
                else
                    xBytes.append(xAlto).append(xBaixo);
            }
            return xBytes;
        }
        }
        return std::nullopt;
    }

private:
    qsizetype TamanhoUnidade() const
    {
        return (vCodificacao == TCodificacao::Utf16LE || vCodificacao == TCodificacao::Utf16BE) ? 2 : 1;
    }

    char16_t Unidade(QByteArrayView pBytes, qsizetype pPosicao) const
    {
        const auto xPrimeiro = static_cast<unsigned char>(pBytes[pPosicao]);
        const auto xSegundo = static_cast<unsigned char>(pBytes[pPosicao + 1]);
        return vCodificacao == TCodificacao::Utf16LE ? char16_t(xPrimeiro | (xSegundo << 8))
                                                     : char16_t((xPrimeiro << 8) | xSegundo);
    }

    void DetectaCodificacao()
    {
        if (vBytes.startsWith("\xEF\xBB\xBF")) {
            vCodificacao = TCodificacao::Utf8;
            vTamanhoMarca = 3;
        } else if (vBytes.startsWith("\xFF\xFE")) {
            vCodificacao = TCodificacao::Utf16LE;
            vTamanhoMarca = 2;
        } else if (vBytes.startsWith("\xFE\xFF")) {
            vCodificacao = TCodificacao::Utf16BE;
            vTamanhoMarca = 2;
        }
    }

    void CortaLinhas()
    {
        const qsizetype xUnidade = TamanhoUnidade();
        const auto xValorEm = [&](qsizetype pPosicao) -> char16_t {
            return xUnidade == 1 ? char16_t(static_cast<unsigned char>(vBytes[pPosicao]))
                                 : Unidade(vBytes, pPosicao);
        };
        qsizetype xInicio = vTamanhoMarca;
        qsizetype xPosicao = vTamanhoMarca;
        while (xPosicao + xUnidade <= vBytes.size()) {
            if (xValorEm(xPosicao) == u'\n') {
                qsizetype xFimTexto = xPosicao;
                if (xFimTexto - xUnidade >= xInicio && xValorEm(xFimTexto - xUnidade) == u'\r')
                    xFimTexto -= xUnidade;
                vLinhas.append({xInicio, xFimTexto, xPosicao + xUnidade});
                xInicio = xPosicao + xUnidade;
            }
            xPosicao += xUnidade;
        }
        if (xInicio < vBytes.size())
            vLinhas.append({xInicio, vBytes.size(), vBytes.size()});
    }

    QByteArray vBytes;
    TCodificacao vCodificacao = TCodificacao::Windows1252;
    qsizetype vTamanhoMarca = 0;
    QList<TLinhaBruta> vLinhas;
};

// What a line says to the profile reader.
struct TLinhaIni
{
    enum TTipo
    {
        Outra,
        Secao,
        Chave
    } Tipo = Outra;
    QString Nome;  // section or key
    QString Valor; // key lines only
};

TLinhaIni Interpreta(const QString& pLinha)
{
    const QString xLinha = TextoBase::Trim(pLinha);
    TLinhaIni xResultado;
    if (xLinha.isEmpty() || xLinha.startsWith(u';'))
        return xResultado;
    if (xLinha.startsWith(u'[') && xLinha.endsWith(u']') && xLinha.size() >= 2) {
        xResultado.Tipo = TLinhaIni::Secao;
        xResultado.Nome = TextoBase::Trim(QStringView(xLinha).sliced(1, xLinha.size() - 2));
        return xResultado;
    }
    const qsizetype xIgual = xLinha.indexOf(u'=');
    if (xIgual >= 0) {
        xResultado.Tipo = TLinhaIni::Chave;
        xResultado.Nome = TextoBase::Trim(QStringView(xLinha).first(xIgual));
        xResultado.Valor = TextoBase::Trim(QStringView(xLinha).sliced(xIgual + 1));
    }
    return xResultado;
}

bool MesmoNome(const QString& pA, const QString& pB)
{
    return pA.compare(pB, Qt::CaseInsensitive) == 0;
}

// pMotivo: the system's reason, when it gave one.
[[noreturn]] void FalhaGravacao(const QString& pArquivo, const QString& pMotivo = {})
{
    QString xMensagem = QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(pArquivo));
    if (!pMotivo.isEmpty())
        xMensagem += QStringLiteral(". Motivo: ") + pMotivo;
    throw EIniFileException(xMensagem);
}

// A value is one line: line breaks inside it would start lines of their own.
QString UmaLinha(QString pTexto)
{
    pTexto.replace(u'\r', u' ');
    pTexto.replace(u'\n', u' ');
    return pTexto;
}

// The file a name leads to: symbolic links followed to their final target, which may not exist yet.
// Empty for a loop of links.
QString Destino(const QString& pArquivo)
{
    constexpr int MAXIMO_DE_LINKS = 40; // as the system itself gives up
    QString xAtual = pArquivo;
    for (int i = 0; i < MAXIMO_DE_LINKS; ++i) {
        const QFileInfo xInfo(xAtual);
        if (!xInfo.isSymLink())
            return xAtual;
        xAtual = xInfo.symLinkTarget();
    }
    return {};
}

// The whole file written in pCodificacao: every line's text, line end included, encoded again.
QByteArray Recodifica(const TConteudoIni& pConteudo, TCodificacao pCodificacao, QByteArrayView pMarca)
{
    QByteArray xBytes(pMarca.data(), pMarca.size());
    for (const TLinhaBruta& xLinha : pConteudo.Linhas())
        xBytes += TConteudoIni::Codifica(pConteudo.TextoComFim(xLinha), pCodificacao).value_or(QByteArray());
    return xBytes;
}

// The file's new bytes with the key set; nothing when the file's encoding cannot take the new text.
std::optional<QByteArray> ComChave(const TConteudoIni& pConteudo, const QString& pSecao,
                                   const QString& pChave, const QString& pValor)
{
    const QList<TLinhaBruta>& xLinhas = pConteudo.Linhas();
    const QByteArray& xBytes = pConteudo.Bytes();
    const QString xFim = pConteudo.FimDeLinha();

    // The first section of that name: its header line and the last non-blank line before the next one.
    qsizetype xCabecalho = -1;
    qsizetype xUltimaDaSecao = -1;
    for (qsizetype i = 0; i < xLinhas.size(); ++i) {
        const TLinhaIni xLinha = Interpreta(pConteudo.Texto(xLinhas[i]));
        if (xCabecalho < 0) {
            if (xLinha.Tipo == TLinhaIni::Secao && MesmoNome(xLinha.Nome, pSecao))
                xCabecalho = xUltimaDaSecao = i;
            continue;
        }
        if (xLinha.Tipo == TLinhaIni::Secao)
            break;
        if (xLinha.Tipo == TLinhaIni::Chave && MesmoNome(xLinha.Nome, pChave)) {
            // Only this line changes: the key keeps the file's spelling, the line its line end.
            const auto xNova = pConteudo.Codifica(QString(xLinha.Nome + u'=' + pValor));
            if (!xNova)
                return std::nullopt;
            QByteArray xResultado = xBytes.left(xLinhas[i].Inicio);
            xResultado += *xNova;
            xResultado += xBytes.mid(xLinhas[i].FimTexto);
            return xResultado;
        }
        if (!TextoBase::Trim(pConteudo.Texto(xLinhas[i])).isEmpty())
            xUltimaDaSecao = i;
    }

    QString xInserir;
    qsizetype xPosicao = 0;
    if (xCabecalho >= 0) {
        const TLinhaBruta& xApos = xLinhas[xUltimaDaSecao];
        xPosicao = xApos.Fim;
        if (!pConteudo.TemFimDeLinha(xApos))
            xInserir = xFim;
        xInserir += pChave + u'=' + pValor + xFim;
    } else {
        xPosicao = xBytes.size();
        if (!xLinhas.isEmpty() && !pConteudo.TemFimDeLinha(xLinhas.last()))
            xInserir = xFim;
        xInserir += u'[' + pSecao + u']' + xFim + pChave + u'=' + pValor + xFim;
    }
    const auto xNova = pConteudo.Codifica(xInserir);
    if (!xNova)
        return std::nullopt;
    QByteArray xResultado = xBytes.left(xPosicao);
    xResultado += *xNova;
    xResultado += xBytes.mid(xPosicao);
    return xResultado;
}

} // namespace

// --- TCopiaIni

TCopiaIni::TCopiaIni(const QString& pArquivo) : vArquivo(pArquivo)
{
    QFile xArquivo(pArquivo);
    if (!xArquivo.open(QIODevice::ReadOnly))
        return;
    const TConteudoIni xConteudo(xArquivo.readAll());
    TSecao* xAtual = nullptr;
    for (const TLinhaBruta& xBruta : xConteudo.Linhas()) {
        const TLinhaIni xLinha = Interpreta(xConteudo.Texto(xBruta));
        if (xLinha.Tipo == TLinhaIni::Secao) {
            vSecoes.append({xLinha.Nome, {}});
            xAtual = &vSecoes.last();
        } else if (xLinha.Tipo == TLinhaIni::Chave && xAtual) {
            xAtual->Valores.append({xLinha.Nome, xLinha.Valor});
        }
    }
}

const TCopiaIni::TSecao* TCopiaIni::Secao(const QString& pSecao) const
{
    for (const TSecao& xSecao : vSecoes) {
        if (MesmoNome(xSecao.Nome, pSecao))
            return &xSecao;
    }
    return nullptr;
}

QString TCopiaIni::ReadString(const QString& pSecao, const QString& pChave, const QString& pPadrao) const
{
    if (const TSecao* xSecao = Secao(pSecao)) {
        for (const auto& [xChave, xValor] : xSecao->Valores) {
            if (MesmoNome(xChave, pChave))
                return xValor;
        }
    }
    return pPadrao;
}

bool TCopiaIni::SectionExists(const QString& pSecao) const
{
    return Secao(pSecao) != nullptr;
}

// --- TArquivoIni

QString TArquivoIni::ReadString(const QString& pSecao, const QString& pChave, const QString& pPadrao) const
{
    return TCopiaIni(vArquivo).ReadString(pSecao, pChave, pPadrao);
}

void TArquivoIni::WriteString(const QString& pSecao, const QString& pChave, const QString& pValor) const
{
    WriteStrings(pSecao, {{pChave, pValor}});
}

void TArquivoIni::WriteStrings(const QString& pSecao, const QList<std::pair<QString, QString>>& pValores) const
{
    // Through a symbolic link the target is written, and the link stays.
    const QString xDestino = Destino(vArquivo);
    if (xDestino.isEmpty())
        FalhaGravacao(vArquivo);
    const QFileInfo xInfo(xDestino);
    QByteArray xAtuais;
    if (xInfo.exists()) {
        // A file marked read-only is refused, as Windows refuses it, also to a user who could override.
        constexpr auto ESCRITA = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
        if (!xInfo.isFile() || !xInfo.isWritable() || !(xInfo.permissions() & ESCRITA))
            FalhaGravacao(vArquivo);
        QFile xArquivo(xDestino);
        if (!xArquivo.open(QIODevice::ReadOnly))
            FalhaGravacao(vArquivo);
        xAtuais = xArquivo.readAll();
        if (xArquivo.error() != QFileDevice::NoError)
            FalhaGravacao(vArquivo);
    }

    // Every key set in memory, one after the other, then the file replaced once.
    const auto ComChaves = [&](QByteArray pBytes) -> std::optional<QByteArray> {
        for (const auto& [xChave, xValor] : pValores) {
            std::optional<QByteArray> xNovos = ComChave(TConteudoIni(pBytes), pSecao, xChave, UmaLinha(xValor));
            if (!xNovos)
                return std::nullopt;
            pBytes = std::move(*xNovos);
        }
        return pBytes;
    };
    const TConteudoIni xConteudo(xAtuais);
    std::optional<QByteArray> xNovos = ComChaves(xAtuais);
    if (!xNovos) {
        // Only Windows-1252 lacks characters: the file goes over to UTF-8 with its text kept.
        xNovos = ComChaves(Recodifica(xConteudo, TCodificacao::Utf8, "\xEF\xBB\xBF"));
        if (!xNovos)
            FalhaGravacao(vArquivo);
    }
    const TErroSistema xErro = SubstituiArquivo(xDestino, *xNovos);
    if (xErro.Falhou())
        FalhaGravacao(vArquivo, xErro.Mensagem());
}
