#include "download/archive/ZipNomes.h"

namespace {

bool CaractereProibido(QChar pChar)
{
    const char16_t xCodigo = pChar.unicode();
    if (xCodigo < 0x20 || xCodigo == 0x7F)
        return true;
    switch (xCodigo) {
    case u'<':
    case u'>':
    case u':':
    case u'"':
    case u'/':
    case u'\\':
    case u'|':
    case u'?':
    case u'*':
        return true;
    default:
        return false;
    }
}

} // namespace

QString NomeSeguro(const QString& pParte)
{
    if (pParte == QLatin1String(".") || pParte == QLatin1String(".."))
        return QString(pParte.size(), QLatin1Char('_'));
    QString xNome = pParte;
    for (QChar& xChar : xNome)
        if (CaractereProibido(xChar))
            xChar = QLatin1Char('_');
    return xNome;
}

QString NomeZipDownload(const QString& pCaminhoPasta, const QString& pCnpj, const QString& pTipoNFe,
                        const QString& pTipoAmbiente, int pNumero)
{
    QString xNome = pCaminhoPasta;
    if (!xNome.endsWith(QLatin1Char('/')))
        xNome += QLatin1Char('/');
    xNome += QStringLiteral("download_xmls_") + NomeSeguro(pCnpj) + QLatin1Char('_') + NomeSeguro(pTipoNFe) +
             QLatin1Char('_') + NomeSeguro(pTipoAmbiente);
    if (pNumero >= 1)
        xNome += QStringLiteral(" (") + QString::number(pNumero) + QLatin1Char(')');
    return xNome + QStringLiteral(".zip");
}

QString NomeEntradaAutorizada(const TNota& pNota)
{
    return NomeSeguro(pNota.TipoNFe) + QStringLiteral("_AUT_") + NomeSeguro(pNota.NumNF) + QLatin1Char('_') +
           NomeSeguro(pNota.Serie) + QLatin1Char('_') + NomeSeguro(pNota.TipoAmbiente) +
           QStringLiteral(".xml");
}

QString NomeEntradaCancelamento(const TNota& pNota)
{
    return QStringLiteral("CANC_") + NomeSeguro(pNota.TipoNFe) + QLatin1Char('_') + NomeSeguro(pNota.NumNF) +
           QLatin1Char('_') + NomeSeguro(pNota.Serie) + QLatin1Char('_') + NomeSeguro(pNota.TipoAmbiente) +
           QStringLiteral(".xml");
}
