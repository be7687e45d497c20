// Text clean-up and reshaping helpers of TFuncoes.
#include "util/Funcoes.h"
#include "util/TextoBase.h"

using TextoBase::Trim;

namespace {

// The plain counterpart of an accented letter, or the character itself.
QChar Normal(QChar c)
{
    const qsizetype i = CARACTERES_ALFA.indexOf(c);
    return i >= 0 ? CARACTERES_NORMAIS[i] : c;
}

QString SemClasse(const QString& pTexto, QStringView pClasse)
{
    QString xResultado;
    xResultado.reserve(pTexto.size());
    for (QChar c : pTexto)
        if (!pClasse.contains(c))
            xResultado += c;
    return xResultado;
}

} // namespace

QString TFuncoes::TrocaAcento(const QString& pTexto) const
{
    const QString xTexto = Trim(pTexto);
    QString xResultado;
    xResultado.reserve(xTexto.size());
    for (QChar c : xTexto) {
        const QChar xNormal = Normal(c);
        if (!CARACTERES_ESPECIAIS.contains(xNormal))
            xResultado += xNormal;
    }
    return xResultado;
}

QString TFuncoes::RetiraCaracteres(const QString& pTexto, TCaracteres pCaracteres) const
{
    if (pCaracteres.isEmpty())
        return QString();
    // Each stage works on what the stages before it left, so a class removed stays removed.
    QString xTexto = pTexto;
    if (pCaracteres.contains(ccEspeciais))
        xTexto = SemClasse(xTexto, CARACTERES_ESPECIAIS);
    if (pCaracteres.contains(ccSimbolos))
        xTexto = SemClasse(xTexto, CARACTERES_SIMBOLOS);
    if (pCaracteres.contains(ccSimbolosPerigosos))
        xTexto = SemClasse(xTexto, CARACTERES_SIMBOLOS_PERIGOSOS);
    if (pCaracteres.contains(ccAlfa)) {
        if (pCaracteres.contains(ccNormais)) {
            xTexto = SemClasse(xTexto, CARACTERES_ALFA);
        } else {
            for (QChar& c : xTexto)
                c = Normal(c);
        }
    }
    if (pCaracteres.contains(ccNormais))
        xTexto = SemClasse(xTexto, CARACTERES_NORMAIS);
    return xTexto;
}

bool TFuncoes::IsCaractere(QChar& pChar, TCaracteres pCaracteres) const
{
    if (pCaracteres.contains(ccEspeciais) && CARACTERES_ESPECIAIS.contains(pChar))
        return true;
    if (pCaracteres.contains(ccSimbolos) && CARACTERES_SIMBOLOS.contains(pChar))
        return true;
    if (pCaracteres.contains(ccAlfa) && CARACTERES_ALFA.contains(pChar)) {
        if (pCaracteres.contains(ccNormais))
            return true;
        pChar = Normal(pChar);
        return false;
    }
    if (pCaracteres.contains(ccNormais))
        return CARACTERES_NORMAIS.contains(pChar);
    return false;
}

QString TFuncoes::RemoveCaracteresEspeciais(const QString& pTexto) const
{
    if (pTexto.isEmpty())
        return QString();
    const QString xTexto =
        RetiraCaracteres(EliminaEspacoDuplo(pTexto), {ccEspeciais, ccAlfa, ccSimbolosPerigosos});
    return Trim(xTexto);
}

QString TFuncoes::EliminaEspacoDuplo(const QString& pTexto) const
{
    QString xResultado;
    xResultado.reserve(pTexto.size());
    for (qsizetype i = 0; i < pTexto.size(); ++i) {
        const QChar c = pTexto[i];
        if (c != u' ' || (!xResultado.isEmpty() && pTexto[i - 1] != u' '))
            xResultado += c;
    }
    return xResultado;
}

QString TFuncoes::SoNumero(const QString& pValor) const
{
    QString xResultado;
    for (QChar c : pValor)
        if (c >= u'0' && c <= u'9')
            xResultado += c;
    return xResultado;
}

bool TFuncoes::isNumero(const QString& pValor) const
{
    for (QChar c : pValor)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

QString TFuncoes::RetiraZeroAEsquerda(const QString& pNumero) const
{
    const std::optional<qint64> xNumero = TextoBase::LerInteiro(pNumero);
    return xNumero ? QString::number(*xNumero) : QString();
}

QString TFuncoes::ConverteEspecialXMLToStr(const QString& pTexto) const
{
    QString xTexto = pTexto;
    qsizetype xInicio;
    while ((xInicio = xTexto.indexOf(QStringLiteral("&#"))) >= 0) {
        // The reference runs from the first "&#" to the first ";" of the text; a ";" before the "&#",
        // a missing ";" or a code that is not a 16-bit character number leaves the text as it came.
        const qsizetype xFim = xTexto.indexOf(u';');
        if (xFim < xInicio)
            return pTexto;
        const QString xReferencia = xTexto.mid(xInicio, xFim - xInicio);
        const std::optional<qint64> xCodigo = TextoBase::LerInteiro(QStringView(xReferencia).mid(2));
        if (!xCodigo || *xCodigo < 0 || *xCodigo > 0xFFFF)
            return pTexto;
        xTexto.replace(xReferencia + u';', QString(QChar(char16_t(*xCodigo))));
    }
    xTexto.replace(QStringLiteral("&quot"), QStringLiteral("\""));
    xTexto.replace(QStringLiteral("&amp;"), QStringLiteral("&&"));
    xTexto.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    xTexto.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return xTexto;
}

QString TFuncoes::AdicionaQuebraLinha(const QString& pTexto, int pTamanhoLinha) const
{
    if (pTamanhoLinha <= 0)
        return pTexto;
    QString xResultado;
    xResultado.reserve(pTexto.size() + 2 * (pTexto.size() / pTamanhoLinha));
    for (qsizetype i = 0; i < pTexto.size(); i += pTamanhoLinha) {
        const QStringView xLinha = QStringView(pTexto).mid(i, pTamanhoLinha);
        xResultado += xLinha;
        if (xLinha.size() == pTamanhoLinha)
            xResultado += QStringLiteral("\r\n");
    }
    return xResultado;
}

QString TFuncoes::Troca(const QString& pString, const QString& pAnterior, const QString& pNovo) const
{
    if (pAnterior.isEmpty())
        return pString;
    QString xResultado = pString;
    return xResultado.replace(pAnterior, pNovo, Qt::CaseSensitive);
}

int TFuncoes::PosLast(const QByteArray& SubStr, const QByteArray& S) const
{
    if (SubStr.isEmpty())
        return 0;
    // The start of the last occurrence, overlapping ones included ("aaa" in "aaaa" is at 2).
    return int(S.lastIndexOf(SubStr) + 1);
}

QString TFuncoes::RetornarConteudoEntre(const QString& Frase, const QString& Inicio, const QString& Fim,
                                        bool IncluiInicioFim) const
{
    if (Inicio.isEmpty() || Fim.isEmpty())
        return QString();
    const qsizetype xInicio = Frase.indexOf(Inicio);
    if (xInicio < 0)
        return QString();
    const qsizetype xConteudo = xInicio + Inicio.size();
    const qsizetype xFim = Frase.indexOf(Fim, xConteudo);
    if (xFim < 0)
        return QString();
    if (IncluiInicioFim)
        return Frase.mid(xInicio, xFim + Fim.size() - xInicio);
    return Frase.mid(xConteudo, xFim - xConteudo);
}

QString TFuncoes::ReduzTamanhoPatchFile(const QString& pCaminho, int pTamanho) const
{
    if (pCaminho.size() <= qsizetype(pTamanho) + 3)
        return pCaminho;
    // The folder part ends at the last path or drive separator (Windows takes both slashes).
    qsizetype xSeparador = pCaminho.size() - 1;
    while (xSeparador >= 0 && pCaminho[xSeparador] != u'\\' && pCaminho[xSeparador] != u'/' &&
           pCaminho[xSeparador] != u':')
        --xSeparador;
    const QString xPasta = pCaminho.left(xSeparador + 1);
    const QString xCauda = QStringLiteral("..\\") + pCaminho.mid(xSeparador + 1);
    if (xCauda.size() > pTamanho)
        return xCauda;
    return xPasta.left(pTamanho - xCauda.size()) + xCauda;
}

QString TFuncoes::ExtractFileNameFromURL(const QString& FileName) const
{
    qsizetype i = FileName.size() - 1;
    while (i >= 0 && FileName[i] != u'/' && FileName[i] != u':')
        --i;
    return FileName.mid(i + 1);
}
