#include "util/Funcoes.h"

#include "util/TextoBase.h"

using TextoBase::Trim;

namespace {
TFuncoes* _Instancia = nullptr;
} // namespace

TFuncoes& TFuncoes::get()
{
    if (!_Instancia)
        _Instancia = new TFuncoes();
    return *_Instancia;
}

QString TFuncoes::Replicate(const QString& pString, int pTamanho) const
{
    if (pTamanho <= 0)
        return QString();
    return pString.repeated(pTamanho);
}

QString TFuncoes::RetornaEspaco(int pTamanho) const
{
    if (pTamanho <= 0)
        return QString();
    return QString(pTamanho, u' ');
}

QString TFuncoes::PadL(const QString& pString, int pTamanho) const
{
    if (pTamanho <= 0)
        return pString;
    if (pString.size() >= pTamanho)
        return pString.right(pTamanho);
    return RetornaEspaco(pTamanho - int(pString.size())) + pString;
}

QString TFuncoes::PadR(const QString& pString, int pTamanho) const
{
    if (pTamanho <= 0)
        return QString();
    const QString xPedaco = Trim(QStringView(pString).left(pTamanho));
    return xPedaco + RetornaEspaco(pTamanho - int(xPedaco.size()));
}

QString TFuncoes::PadC(const QString& pString, int pTamanho) const
{
    if (pTamanho <= 0)
        return QString();
    if (pString.size() >= pTamanho)
        return pString.left(pTamanho);
    // One space on each side per round until the width is reached; the last round of an odd gap
    // overshoots and its right space is cut, so the left side gets the extra one.
    const int xFalta = pTamanho - int(pString.size());
    const int xEsquerda = (xFalta + 1) / 2;
    return RetornaEspaco(xEsquerda) + pString + RetornaEspaco(xFalta - xEsquerda);
}

QString TFuncoes::StrZero(const QString& pValor, int pTamanho) const
{
    QString xTexto = Trim(pValor);
    if (pTamanho <= 0)
        return xTexto;
    if (xTexto.size() > pTamanho)
        return PadL(xTexto, pTamanho);
    return Replicate(QStringLiteral("0"), pTamanho - int(xTexto.size())) + xTexto;
}
