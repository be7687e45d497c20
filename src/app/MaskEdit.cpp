#include "app/MaskEdit.h"

#include <QStringList>

namespace {

// "!99/99/9999;1;_" -> "00/00/0000;_": the desktop's optional digit is "0" here, its required digit "9".
QString MascaraQt(const QString& pEditMask, QChar& pBranco)
{
    const QStringList xPartes = pEditMask.split(u';');
    if (xPartes.size() >= 3 && !xPartes[2].isEmpty())
        pBranco = xPartes[2].at(0);
    QString xMascara;
    for (QChar c : xPartes[0]) {
        if (c == u'!')
            continue;
        if (c == u'9')
            xMascara += u'0';
        else if (c == u'0')
            xMascara += u'9';
        else if (c.isLetterOrNumber() || c == u'#' || c == u'\\' || c == u'>' || c == u'<')
            xMascara += QString(u'\\') + c;
        else
            xMascara += c;
    }
    return xMascara + u';' + pBranco;
}

} // namespace

TMaskEdit::TMaskEdit(const QString& pEditMask, QWidget* pParent) : QLineEdit(pParent), vEditMask(pEditMask)
{
    setInputMask(MascaraQt(pEditMask, vBranco));
}

QString TMaskEdit::Text() const
{
    QString xTexto = displayText();
    xTexto.replace(vBranco, u' ');
    return xTexto;
}

QString TMaskEdit::TextoVazio() const
{
    QString xTexto;
    for (QChar c : inputMask().section(u';', 0, 0)) {
        if (c == u'0' || c == u'9')
            xTexto += u' ';
        else if (c != u'\\')
            xTexto += c;
    }
    return xTexto;
}

void TMaskEdit::SetText(const QString& pTexto)
{
    if (pTexto.trimmed().isEmpty() || pTexto == TextoVazio()) {
        clear();
        return;
    }
    QString xTexto = pTexto;
    xTexto.replace(u' ', vBranco);
    setText(xTexto);
}
